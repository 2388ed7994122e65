// Day cells: stores that stay with their grid positions, hit tests, the click
// rules and their events, cell navigation, clearing, and the cell text painted
// into the text rectangles.
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

QPoint centre(const TRect& r) { return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }

// November 1997 starts on Saturday and has 30 days.
void november(TCalendarPanel32& page)
{
    page.SetMainCalYear(1997);
    page.SetMainCalMonth(11);
    PaintedPage(page);
}

}  // namespace

TEST(Cells, ClickRaisesTheCellEventWithItsStore)
{
    TCalendarPanel32 page;
    november(page);
    CellEvents ev;
    ev.connectTo(page);
    QSignalSpy clicks(&page, &TCalendarPanel32::OnClick);

    page.Click(centre(page.CellRecord(10).rTotal));
    ASSERT_EQ(ev.cells, QList<int>{10});
    EXPECT_EQ(ev.days.last(), 4);
    EXPECT_EQ(ev.stores.last(), page.CellStore(10));
    // a position before day 1 still is a cell, with day 0
    page.Click(centre(page.CellRecord(2).rTotal));
    EXPECT_EQ(ev.cells.last(), 2);
    EXPECT_EQ(ev.days.last(), 0);
    EXPECT_EQ(clicks.count(), 0);

    // a page object over the cell takes the click
    auto* object = new TGGraphicControl;
    object->SetBounds(page.CellRecord(12).rTotal.toQRect());
    page.AddObject(object);
    page.Click(centre(page.CellRecord(12).rTotal));
    EXPECT_EQ(ev.cells.size(), 2);
    EXPECT_EQ(clicks.count(), 0);

    // only pointing mode clicks
    page.SetPanelState(psImage);
    page.Click(centre(page.CellRecord(10).rTotal));
    EXPECT_EQ(ev.cells.size(), 2);
}

TEST(Cells, ClicksOutsideCellsAndOnMultiMonthPages)
{
    TCalendarPanel32 page;
    november(page);
    QSignalSpy header(&page, &TCalendarPanel32::OnClickedHeader);
    QSignalSpy daysArea(&page, &TCalendarPanel32::OnClickedDaysArea);
    QSignalSpy clicks(&page, &TCalendarPanel32::OnClick);

    page.Click(centre(page.TitleRect()));
    EXPECT_EQ(header.count(), 1);
    EXPECT_EQ(clicks.count(), 1);  // the title band also gives OnClick
    page.Click(centre(page.HeaderRect()));
    EXPECT_EQ(daysArea.count(), 1);
    EXPECT_EQ(clicks.count(), 2);

    // nobody listens to the cell event: a cell click ends there
    page.Click(centre(page.CellRecord(20).rTotal));
    EXPECT_EQ(clicks.count(), 2);

    CellEvents ev;
    ev.connectTo(page);
    page.SetCalendarLayout(loMC12Month);
    PaintedPage(page);
    EXPECT_FALSE(page.IsPointInCell(200, 200));
    page.Click(QPoint(200, 200));
    page.CellClickAtPoint(200, 200);
    EXPECT_TRUE(ev.cells.isEmpty());
    EXPECT_EQ(clicks.count(), 3);
}

TEST(Cells, LookupsClearingAndNavigation)
{
    TCalendarPanel32 page;
    november(page);
    EXPECT_EQ(page.DayCell(30), 36);
    EXPECT_EQ(page.DayCell(31), -1);
    EXPECT_EQ(page.CellDay(7), 1);
    const TRect r = page.CellRecord(7).rTotal;
    EXPECT_EQ(page.CellAtPoint(r.Left, r.Top), 7);
    EXPECT_EQ(page.CellAtPoint(r.Right, r.Top), 0);  // right and bottom lie outside
    EXPECT_EQ(page.CellAtPoint(r.Left, r.Bottom), 0);
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
    EXPECT_EQ(page.CellAtPoint(r.Left + 1, r.Top + 1), 0);  // until the next paint
    PaintedPage(page);
    EXPECT_EQ(page.CellAtPoint(r.Left + 1, r.Top + 1), 7);

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
    const TCellRecord r2 = page.CellRecord(11);
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
