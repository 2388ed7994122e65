// The month painter: cell records of months that start on every weekday with
// both week starts, the title band's minimum height, and pixel probes of the
// fills, grid lines and borders at zoom 1.0 and 0.601.
#include <gtest/gtest.h>

#include <QFontMetrics>

#include "dates/calendardates.h"
#include "paint/monthpainter.h"
#include "paint/paintutil.h"
#include "pagetestutil.h"
#include "common/testutil.h"

using namespace dayloom;
using namespace dayloom::test;

namespace {

// Geometry of the main grid worked out from the page rectangle at a zoom.
struct Grid {
    TRect Q;
    int titleTop, titleBottom, rowTop, rowBottom, cw, rh;
};

Grid expectedGrid(const TCalendarPanel32& page)
{
    const double z = page.View().Scale;
    const TRect m = page.MainRect();
    Grid g;
    g.Q = TRect(int(m.Left * z), int(m.Top * z), int(m.Right * z) - 1, int(m.Bottom * z) - 1);
    g.titleTop = g.Q.Top + 1;
    const int minTitle = int(96 * 1.5 * z);
    g.titleBottom = g.titleTop + std::max(int(0.17 * (g.Q.Bottom - g.Q.Top)), minTitle);
    g.rowTop = g.titleBottom + 1;
    const int points = int(page.HeadersFont().Size() * z);
    const int fontPx = int(std::lround(points * 96.0 / 72.0));
    g.rowBottom = g.rowTop + int(1.5 * fontPx);
    g.cw = (g.Q.Right - g.Q.Left) / 7;
    g.rh = (g.Q.Bottom - g.rowBottom) / 6;
    return g;
}

// A page showing one month grid only.
void plainMonth(TCalendarPanel32& page, int month, int year)
{
    page.SetCalendarLayout(loFullCalendar);
    page.SetMainCalYear(year);
    page.SetMainCalMonth(month);
}

}  // namespace

TEST(MonthPainter, CellRecordsForMonthsStartingOnEveryWeekday)
{
    TCalendarPanel32 page;
    plainMonth(page, 1, 2023);
    // 2023: January starts on Sunday, May on Monday, August on Tuesday,
    // February on Wednesday, June on Thursday, September on Friday, April on
    // Saturday (April has 30 days; July 2023 starts on Saturday with 31).
    const int monthOfWeekday[8] = {0, 1, 5, 8, 2, 6, 9, 4};
    for (int weekday = 1; weekday <= 7; ++weekday) {
        for (int start : {1, 2}) {
            SCOPED_TRACE(testing::Message() << "weekday " << weekday << " start " << start);
            const int month = monthOfWeekday[weekday];
            ASSERT_EQ(WeekdayOf(2023, month, 1), weekday);
            page.SetMainCalMonth(month);
            page.SetStartOfWeek(start);
            PaintedPage(page);

            const int firstCell = start == 1 ? weekday : (weekday == 1 ? 7 : weekday - 1);
            const int days = DaysInMonth(2023, month);
            for (int k = 1; k <= 42; ++k) {
                const int n = k - firstCell + 1;
                EXPECT_EQ(page.CellDay(k), n >= 1 && n <= days ? n : 0) << "cell " << k;
            }
            EXPECT_EQ(page.DayCell(1), firstCell);

            const Grid g = expectedGrid(page);
            const int nine = QFontMetrics(PageFont(page.CellFont(), At(1.0f))).height();
            for (int k : {1, 9, 42}) {
                const int r = (k - 1) / 7, c = (k - 1) % 7;
                const TRect total(g.Q.Left + c * g.cw + 5, g.rowBottom + r * g.rh + 1,
                                  g.Q.Left + c * g.cw + g.cw - 6, g.rowBottom + r * g.rh + g.rh - 1);
                EXPECT_EQ(page.CellRecord(k).rTotal, total) << "cell " << k;
                TRect free = total;
                free.Top += nine;
                EXPECT_EQ(page.CellRecord(k).rFree, free) << "cell " << k;
            }
        }
    }
}

TEST(MonthPainter, MonthEdgesAndWeekStarts)
{
    TCalendarPanel32 page;
    // A Sunday-first month with a Sunday start puts day 1 in cell 1, with a
    // Monday start in cell 7; StartOfWeek 0 and 7 also mean Monday.
    plainMonth(page, 1, 2023);
    page.SetStartOfWeek(1);
    PaintedPage(page);
    EXPECT_EQ(page.DayCell(1), 1);
    for (int start : {2, 0, 7}) {
        page.SetStartOfWeek(start);
        PaintedPage(page);
        EXPECT_EQ(page.DayCell(1), 7) << start;
    }

    // A 31-day month starting on Saturday needs the sixth row.
    plainMonth(page, 7, 2023);
    page.SetStartOfWeek(1);
    PaintedPage(page);
    EXPECT_EQ(page.CellDay(36), 30);
    EXPECT_EQ(page.CellDay(37), 31);
    EXPECT_EQ(page.CellDay(38), 0);

    // Leap years: 1900 is not one, 2000 is.
    plainMonth(page, 2, 1900);
    PaintedPage(page);
    EXPECT_EQ(page.DayCell(29), -1);
    plainMonth(page, 2, 2000);
    PaintedPage(page);
    EXPECT_NE(page.DayCell(29), -1);
    EXPECT_EQ(page.DayCell(30), -1);
}

TEST(MonthPainter, MinisInTitleKeepATitleBandOfAtLeastOneAndAHalfInches)
{
    TCalendarPanel32 page;
    page.SetCalendarLayout(loFCMinisInTitleLS);
    for (float zoom : {1.0f, 0.601f}) {
        ShowAt(page, zoom);
        PaintedPage(page);
        const Grid g = expectedGrid(page);
        // 0.17 of the landscape calendar is below 1.5 in
        ASSERT_LT(int(0.17 * (g.Q.Bottom - g.Q.Top)), int(96 * 1.5 * zoom));
        EXPECT_EQ(page.Geometry(page.View()).TitleRect.Height(), int(96 * 1.5 * zoom)) << zoom;
        EXPECT_EQ(page.Geometry(page.View()).TitleRect, TRect(g.Q.Left, g.titleTop, g.Q.Right, g.titleBottom));
    }
    EXPECT_EQ(page.Geometry(page.View()).TitleRect.Height(), 86);  // trunc(96 x 1.5 x 0.601)
}

TEST(MonthPainter, FillsLinesAndBordersLandOnTheComputedPixels)
{
    for (float zoom : {1.0f, 0.601f}) {
        SCOPED_TRACE(zoom);
        TCalendarPanel32 page;
        plainMonth(page, 12, 1997);
        page.SetTitleBGColor(Bgr(255, 0, 0));
        page.SetHeadersBGColor(Bgr(0, 255, 0));
        ShowAt(page, zoom);
        const QImage img = PaintedPage(page);
        ASSERT_EQ(img.size(), QSize(int(816 * double(zoom)), int(1056 * double(zoom))));
        const Grid g = expectedGrid(page);

        // fills: title band to one row below its bottom, then the day names
        EXPECT_EQ(Px(img, g.Q.Left + 2, g.titleTop + 1), 0xFF0000u);
        EXPECT_EQ(Px(img, g.Q.Left + 2, g.titleBottom), 0xFF0000u);
        EXPECT_EQ(Px(img, g.Q.Left + 2, g.rowTop + 1), 0x00FF00u);
        // the headers border (cbAll) on the day-name row
        EXPECT_TRUE(IsBlack(img, g.Q.Left + 2, g.rowTop));
        // grid: horizontal lines at every row boundary, vertical ones at the columns
        const int xMid = g.Q.Left + 3 * g.cw + 2;
        for (int i = 1; i < 6; ++i) {
            EXPECT_TRUE(IsBlack(img, xMid, g.rowBottom + i * g.rh)) << i;
            EXPECT_FALSE(IsBlack(img, xMid, g.rowBottom + i * g.rh + 1)) << i;
        }
        const int yMid = g.rowBottom + 2 * g.rh + g.rh / 2;
        for (int k = 0; k < 7; ++k) {
            EXPECT_TRUE(IsBlack(img, g.Q.Left + k * g.cw, yMid)) << k;
            EXPECT_FALSE(IsBlack(img, g.Q.Left + k * g.cw + 1, yMid)) << k;
        }
        // outer border on Q: right and bottom edges included, nothing beyond
        EXPECT_TRUE(IsBlack(img, g.Q.Right, yMid));
        EXPECT_FALSE(IsBlack(img, g.Q.Right + 1, yMid));
        EXPECT_TRUE(IsBlack(img, xMid, g.Q.Bottom));
        EXPECT_FALSE(IsBlack(img, xMid, g.Q.Bottom + 1));
        EXPECT_TRUE(IsBlack(img, g.Q.Left, g.titleTop));
        EXPECT_TRUE(IsBlack(img, g.Q.Right, g.Q.Bottom));
        // the title's top line lies on Q.Top
        EXPECT_TRUE(IsBlack(img, xMid, g.Q.Top));
        SaveShot(img, QStringLiteral("month_plain_zoom%1").arg(int(zoom * 1000)));
    }
}

TEST(MonthPainter, BorderStylesChooseTheirLines)
{
    TCalendarPanel32 page;
    plainMonth(page, 12, 1997);
    page.SetHeadersBorder(cbNone);
    page.SetCalendarBorder(cbNone);
    page.SetCellBorder(cbBottom);
    QImage img = PaintedPage(page);
    Grid g = expectedGrid(page);
    const int xMid = g.Q.Left + 3 * g.cw + 2;
    // the first horizontal line drawn is the bottom of row 1; the top of the
    // grid keeps the day-name fill
    EXPECT_FALSE(IsBlack(img, xMid, g.rowBottom));
    EXPECT_TRUE(IsBlack(img, xMid, g.rowBottom + g.rh));
    EXPECT_TRUE(IsBlack(img, xMid, g.Q.Bottom));
    EXPECT_FALSE(IsBlack(img, g.Q.Left + g.cw, g.rowBottom + g.rh / 2));  // no verticals

    page.SetCellBorder(cbTop);
    page.SetHeadersBorder(cbTopBottom);
    img = PaintedPage(page);
    EXPECT_TRUE(IsBlack(img, xMid, g.rowBottom));
    EXPECT_TRUE(IsBlack(img, xMid, g.rowBottom + 5 * g.rh));
    EXPECT_FALSE(IsBlack(img, xMid, g.Q.Bottom));
    EXPECT_TRUE(IsBlack(img, xMid, g.rowTop));
    EXPECT_FALSE(IsBlack(img, g.Q.Left, g.rowTop + 3));  // top and bottom only
}

TEST(MonthPainter, TitleTextRules)
{
    MonthPainter::Params p;
    p.MonthNames = LocaleLongMonthNames();
    p.Month = 12;
    p.Year = 1997;
    EXPECT_EQ(MonthPainter::TitleText(p), QStringLiteral("December 1997"));
    p.ShowYear = false;
    EXPECT_EQ(MonthPainter::TitleText(p), QStringLiteral("December"));
    p.TitleOverride = QStringLiteral("Fish & Chips");
    EXPECT_EQ(MonthPainter::TitleText(p), QStringLiteral("Fish & Chips"));
}
