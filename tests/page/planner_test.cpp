// Weekly and day planners: titles across month and year ends, row labels,
// hour labels from the start time, and the cell records of their rows.
#include <gtest/gtest.h>

#include "page/plannerpainter.h"
#include "pagetestutil.h"
#include "common/testutil.h"

using namespace dayloom;
using namespace dayloom::test;

namespace {

void planner(TCalendarPanel32& page, TCalendarLayout layout, int y, int m, int d)
{
    page.SetCalendarLayout(layout);
    page.SetMainCalYear(y);
    page.SetMainCalMonth(m);
    page.SetMainCalDay(d);
}

PlannerPainter::Params params(const TCalendarPanel32& page, bool dayPlanner, int rows)
{
    PlannerPainter::Params p;
    p.Year = page.MainCalYear();
    p.Month = page.MainCalMonth();
    p.Day = page.MainCalDay();
    p.DayPlanner = dayPlanner;
    p.Rows = rows;
    p.StartTime = page.PlannerStartTime();
    p.MonthNames = page.MonthNames();
    p.DayNames = page.DayNames();
    p.HeadersStyle = page.HeadersStyle();
    return p;
}

}  // namespace

TEST(Planner, WeekTitlesWithinAcrossMonthsAndAcrossYears)
{
    TCalendarPanel32 page;
    planner(page, loWeek, 1997, 12, 1);
    EXPECT_EQ(PlannerPainter::TitleText(params(page, false, 7)), QStringLiteral("December 1-7, 1997"));
    planner(page, loWeek, 1997, 11, 28);
    EXPECT_EQ(PlannerPainter::TitleText(params(page, false, 7)),
              QStringLiteral("November 28 - December 4, 1997"));
    planner(page, loWeek, 1997, 12, 29);
    EXPECT_EQ(PlannerPainter::TitleText(params(page, false, 7)),
              QStringLiteral("December 29, 1997 - January 4, 1998"));
    planner(page, lo2Week, 1997, 12, 8);
    EXPECT_EQ(PlannerPainter::TitleText(params(page, false, 14)), QStringLiteral("December 8-21, 1997"));
    // day 0 (the constructor's) is taken as the 1st
    planner(page, loWeek, 1997, 2, 0);
    EXPECT_EQ(PlannerPainter::TitleText(params(page, false, 7)), QStringLiteral("February 1-7, 1997"));

    planner(page, loDay10, 1997, 12, 8);
    EXPECT_EQ(PlannerPainter::TitleText(params(page, true, 10)), QStringLiteral("Monday, December 8, 1997"));
    // page-local names are used, not the locale's
    page.SetMonthName(12, QStringLiteral("Dezember"));
    page.SetDayName(2, QStringLiteral("Montag"));
    EXPECT_EQ(PlannerPainter::TitleText(params(page, true, 10)), QStringLiteral("Montag, Dezember 8, 1997"));
}

TEST(Planner, RowLabels)
{
    TCalendarPanel32 page;
    planner(page, loWeek, 1997, 12, 29);
    PlannerPainter::Params p = params(page, false, 7);
    QString label, second;
    PlannerPainter::RowTexts(p, 0, label, second);
    EXPECT_EQ(label, QStringLiteral("Mon"));  // dsThreeChars
    EXPECT_EQ(second, QStringLiteral("29 Dec"));
    PlannerPainter::RowTexts(p, 3, label, second);
    EXPECT_EQ(label, QStringLiteral("Thu"));
    EXPECT_EQ(second, QStringLiteral("1 Jan"));
    PlannerPainter::RowTexts(p, 7, label, second);
    EXPECT_EQ(label, QStringLiteral("Notes"));
    EXPECT_TRUE(second.isEmpty());

    p = params(page, true, 15);
    const char* hours[] = {"8:00 am", "9:00 am", "10:00 am", "11:00 am", "12:00 pm", "1:00 pm"};
    for (int i = 0; i < 6; ++i) {
        PlannerPainter::RowTexts(p, i, label, second);
        EXPECT_EQ(label, QString::fromLatin1(hours[i]));
        EXPECT_TRUE(second.isEmpty());
    }
    PlannerPainter::RowTexts(p, 14, label, second);
    EXPECT_EQ(label, QStringLiteral("10:00 pm"));
    p.StartTime = QTime(23, 30);
    PlannerPainter::RowTexts(p, 1, label, second);
    EXPECT_EQ(label, QStringLiteral("12:30 am"));  // wraps past midnight
}

TEST(Planner, CellRecordsFollowTheRows)
{
    TCalendarPanel32 page;
    planner(page, loWeek, 1997, 12, 29);
    const QImage week = PaintedPage(page);
    SaveShot(week, QStringLiteral("planner_week"));
    // 7 day rows and a notes row
    EXPECT_EQ(page.CellDay(1), 29);
    EXPECT_EQ(page.CellDay(4), 1);
    EXPECT_EQ(page.CellDay(7), 4);
    EXPECT_EQ(page.CellDay(8), 0);
    EXPECT_TRUE(page.CellRecord(9).rTotal.IsZero());

    const TRect r1 = page.CellRecord(1).rTotal, r2 = page.CellRecord(2).rTotal;
    const TRect last = page.CellRecord(8).rTotal;
    EXPECT_EQ(page.CellRecord(1).rFree, r1);
    const int rh = r2.Top - r1.Top;
    EXPECT_EQ(r1.Bottom - r1.Top, rh - 8);
    // the table: from below the title to the bottom of the main rectangle
    const TRect m = page.MainRect();
    const int tableBottom = m.Bottom - 1;
    EXPECT_EQ(last.Bottom, tableBottom - 4);
    EXPECT_EQ(r1.Right, m.Right - 1 - 4);
    const int tableWidth = (m.Right - 1) - m.Left;
    EXPECT_EQ(r1.Left, m.Left + int(0.15 * tableWidth) + 4);
    // the label column's right edge and the row lines are black
    EXPECT_TRUE(IsBlack(week, r1.Left - 4, r1.Top + 10));
    EXPECT_TRUE(IsBlack(week, r1.Left + 20, r2.Top - 4));

    planner(page, loDay15, 1997, 12, 8);
    SaveShot(PaintedPage(page), QStringLiteral("planner_day15"));
    EXPECT_EQ(page.CellDay(1), 0);
    EXPECT_FALSE(page.CellRecord(16).rTotal.IsZero());
    EXPECT_TRUE(page.CellRecord(17).rTotal.IsZero());

    planner(page, lo2Week, 1997, 12, 22);
    SaveShot(PaintedPage(page), QStringLiteral("planner_2week"));
    EXPECT_EQ(page.CellDay(14), 4);
    planner(page, loDay10, 1997, 12, 22);
    SaveShot(PaintedPage(page), QStringLiteral("planner_day10"));
}
