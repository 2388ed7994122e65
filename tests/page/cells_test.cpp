// Day cells: stores that stay with their grid positions, records made by the
// layout step, cell navigation, clearing, and the cell text painted into the
// text rectangles. (The clicks and hit tests on the page widget are in the ui
// tests.)
#include <gtest/gtest.h>

#include <QSignalSpy>

#include "objects/tggraphiccontrol.h"
#include "pagetestutil.h"
#include "common/testutil.h"

using namespace dayloom;
using namespace dayloom::test;

namespace {

struct CellEvents : QObject {
    QList<int> cells, days;
    QList<TWPRtfStorage*> stores;
    void connectTo(TCalendarPanel32& page)
    {
        connect(&page, &TCalendarPanel32::ClickedInCellEvent, this,
                [this](TRect, TRect, int cell, int day, TWPRtfStorage* s) {
                    cells << cell;
                    days << day;
                    stores << s;
                });
    }
};

// November 1997 starts on Saturday and has 30 days.
void november(TCalendarPanel32& page)
{
    page.SetMainCalYear(1997);
    page.SetMainCalMonth(11);
    PaintedPage(page);
}

}  // namespace

// The layout step makes the records: no paint is needed before the cells
// can be looked up, and clearing the text leaves them.
TEST(Cells, RecordsAreValidWithoutAPaint)
{
    TCalendarPanel32 page;
    page.SetMainCalYear(1997);
    page.SetMainCalMonth(11);
    EXPECT_EQ(page.DayCell(1), 7);
    EXPECT_FALSE(page.CellRecord(7).rTotal.IsZero());
    EXPECT_EQ(page.CellRecord(7), page.Geometry(page.View()).Cells[6]);
    page.SetMainCalMonth(12);  // December 1997 starts on Monday
    EXPECT_EQ(page.DayCell(1), 2);
    page.SetStartOfWeek(2);
    EXPECT_EQ(page.DayCell(1), 1);
    page.SetCalendarLayout(loMC12Month);
    EXPECT_EQ(page.DayCell(1), -1);  // minis only: no cells
    EXPECT_TRUE(page.CellRecord(1).rTotal.IsZero());
    page.SetCalendarLayout(loWeek);
    EXPECT_FALSE(page.CellRecord(1).rTotal.IsZero());
}

TEST(Cells, LookupsClearingAndNavigation)
{
    TCalendarPanel32 page;
    november(page);
    EXPECT_EQ(page.DayCell(30), 36);
    EXPECT_EQ(page.DayCell(31), -1);
    EXPECT_EQ(page.CellDay(7), 1);
    const TCellRecord r = page.CellRecord(7);
    EXPECT_EQ(page.CellStore(0), nullptr);
    TWPRtfStorage fallback;
    EXPECT_EQ(page.CellStore(43, &fallback), &fallback);

    CellEvents ev;
    ev.connectTo(page);
    page.CellClickNext(7);
    page.CellClickPrevious(7);
    page.CellClickPrevious(1);
    page.CellClickNext(42);
    page.CellClick(0);
    page.CellClick(42);
    EXPECT_EQ(ev.cells, (QList<int>{8, 6, 42}));

    page.SetCellText(3, RtfStore("{\\rtf1\\ansi text}"));
    EXPECT_TRUE(page.HasCellText());
    page.ClearCells();
    EXPECT_FALSE(page.HasCellText());
    EXPECT_EQ(page.CellRecord(7), r);  // the records are geometry, not text

    // centred numbers leave no text rectangles, so Tab goes nowhere
    page.SetNumberPosition(cnpCenter);
    PaintedPage(page);
    ev.cells.clear();
    for (int k = 1; k <= 42; ++k) {
        EXPECT_TRUE(page.CellRecord(k).rFree.IsZero());
        page.CellClickNext(k);
    }
    EXPECT_TRUE(ev.cells.isEmpty());
}

TEST(Cells, StoresStayInTheirPositionsWhenTheMonthChanges)
{
    TCalendarPanel32 page;
    page.SetMainCalMonth(3);
    PaintedPage(page);
    page.SetCellText(10, RtfStore("{\\rtf1\\ansi tenth}"));
    const int dayBefore = page.CellDay(10);
    page.SetMainCalMonth(4);
    page.SetStartOfWeek(2);
    PaintedPage(page);
    EXPECT_NE(page.CellDay(10), dayBefore);
    EXPECT_FALSE(page.CellStore(10)->IsEmpty());
    for (int k = 1; k <= 42; ++k) {
        if (k != 10) {
            EXPECT_TRUE(page.CellStore(k)->IsEmpty()) << k;
        }
    }
}

TEST(Cells, TextIsPaintedOnWhiteAndCutAtItsRectangle)
{
    TCalendarPanel32 page;
    TCalendarPanel32::ApplyMainWindowDescription(page);
    page.SetMiniHeadersBGColor(clBlack);
    page.SetHeadersBGColor(Bgr(255, 255, 200));
    PaintedPage(page);
    QByteArray longText = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 ";
    for (int i = 0; i < 40; ++i)
        longText += "\\b Bold\\b0  and \\i italic\\i0  words ";
    longText += "}";
    for (int k : {9, 10, 20})
        page.SetCellText(k, RtfStore(longText.constData()));
    page.SetCellText(11, RtfStore("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Dentist \\b 3pm\\b0}"));
    const QImage img = PaintedPage(page);
    SaveShot(img, QStringLiteral("month_cells_with_text"));

    const TCellRecord rec = page.CellRecord(10);
    int dark = 0;
    for (int y = rec.rFree.Top; y < rec.rFree.Bottom; ++y)
        for (int x = rec.rFree.Left; x < rec.rFree.Right; ++x)
            if (qGray(img.pixel(x, y)) < 128)
                ++dark;
    EXPECT_GT(dark, 50);
    // nothing beyond the work image (one pixel past the rectangle) up to the
    // grid lines: the text is cut
    const int gridRight = rec.rTotal.Right + 6;  // the vertical line of the cell
    for (int y = rec.rFree.Top; y <= rec.rFree.Bottom; ++y)
        for (int x = rec.rFree.Right + 1; x < gridRight; ++x)
            EXPECT_EQ(Px(img, x, y), 0xFFFFFFu) << x << "," << y;

    // the same page at another zoom still paints the text inside the cell
    ShowAt(page, 0.601f);
    const QImage small = PaintedPage(page);
    const TCellRecord r2 = page.Geometry(page.View()).Cells[10];
    dark = 0;
    for (int y = r2.rFree.Top; y < r2.rFree.Bottom; ++y)
        for (int x = r2.rFree.Left; x < r2.rFree.Right; ++x)
            if (qGray(small.pixel(x, y)) < 128)
                ++dark;
    EXPECT_GT(dark, 5);
}

TEST(Cells, ShotsOfTheMultiMonthSheetsAndMiniLayouts)
{
    TCalendarPanel32 page;
    TCalendarPanel32::ApplyMainWindowDescription(page);
    SaveShot(PaintedPage(page), QStringLiteral("landscape_two_minis"));
    page.ResetPage();
    page.SetMainCalYear(1997);
    page.SetMainCalMonth(12);
    for (auto [layout, name] : {std::pair{loFC12After, "portrait_twelve_after"},
                                std::pair{loFC6Before6AfterLS, "landscape_six_before_after"},
                                std::pair{loMC12Month, "sheet_12"},
                                std::pair{loMC60MonthLS, "sheet_60_landscape"}}) {
        page.SetCalendarLayout(layout);
        page.RecalcPageLayout(true);
        const QImage img = PaintedPage(page);
        SaveShot(img, QString::fromLatin1(name));
        // every mini's outer border (cbAll from the boxed preset) is drawn
        for (const TMiniCalendar& m : page.Minis())
            EXPECT_TRUE(IsBlack(img, m.Rect.Left, (m.Rect.Top + m.Rect.Bottom) / 2)) << name;
    }
}
