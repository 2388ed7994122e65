#include <gtest/gtest.h>

#include <QDate>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "core/screen.h"
#include "dates/holidays.h"
#include "dates/recurringdates.h"
#include "dates/recurringlistfile.h"
#include "dates/recurringmatches.h"
#include "page/recurringfill.h"
#include "page/tcalendarpanel32.h"
#include "pagetestutil.h"
#include "richtext/richtextformat.h"
#include "richtext/twprtfstorage.h"

using namespace dayloom;

namespace {

QTextCharFormat defaultFormat()
{
    return EditorTypingFormat(QStringLiteral("Arial"), 10, 0, clBlack);
}

// A month page at a small zoom (the fill paints it once to find its cells).
void showMonth(TCalendarPanel32& page, int year, int month, int startOfWeek = 1)
{
    test::ShowAt(page, 0.301f);
    page.SetCalendarLayout(loFullCalendar);
    page.SetStartOfWeek(startOfWeek);
    page.SetMainCalYear(year);
    page.SetMainCalMonth(month);
}

// The grid position of a date worked out without the page: 7 columns from
// the start of the week, cells numbered row by row from 1.
int expectedCell(const QDate& date, int startOfWeek)
{
    const int qtDay = QDate(date.year(), date.month(), 1).dayOfWeek();  // 1 = Monday
    const int firstColumn = startOfWeek == 1 ? qtDay % 7 + 1 : qtDay;
    return date.day() + firstColumn - 1;
}

QStringList cellLines(const TCalendarPanel32& page, int cell)
{
    const TWPRtfStorage* store = page.CellStore(cell);
    if (!store || store->IsEmpty())
        return {};
    return store->Document().toPlainText().split(QChar(u'\n'));
}

QList<int> cellsHolding(const TCalendarPanel32& page, const QString& text)
{
    QList<int> out;
    for (int k = 1; k <= TCalendarPanel32::CellCount; ++k)
        if (cellLines(page, k).contains(text))
            out << k;
    return out;
}

RecurringMatch match(const QString& text, const QString& formula, int year, int month)
{
    const QString line = MakeEntry(text, formula);
    return {line, EntryEventText(line), RecurringDays(line, year, month)};
}

}  // namespace

TEST(RecurringFill, EveryBuiltInHolidayLandsInTheCellOfItsDay)
{
    // Every month of 1990-2040, both week starts: each offered holiday's text
    // is in exactly the cell that shows its day, and nowhere else.
    const QStringList entries = BuiltInHolidayEntries();
    TCalendarPanel32 page;
    int checked = 0;
    for (int year = 1990; year <= 2040; ++year) {
        const int start = year % 2 ? 1 : 2;
        for (int month = 1; month <= 12; ++month) {
            page.ClearCells();
            showMonth(page, year, month, start);
            const QList<RecurringMatch> matches = RecurringMatches(entries, year, month);
            int days = 0;
            for (const RecurringMatch& m : matches)
                days += int(m.Days.size());
            ASSERT_EQ(FillCellsWithRecurringDates(page, matches, defaultFormat()), days);
            for (const RecurringMatch& m : matches) {
                for (int day : m.Days) {
                    const int cell = expectedCell(QDate(year, month, day), start);
                    EXPECT_EQ(cellsHolding(page, m.Text), QList<int>{cell})
                        << m.Text.toStdString() << " " << year << "-" << month;
                    ++checked;
                }
            }
        }
    }
    EXPECT_GT(checked, 51 * 26 - 10);
}

TEST(RecurringFill, NewLineTakesTheLastSizedFormatAndKeepsTheText)
{
    TCalendarPanel32 page;
    showMonth(page, 2024, 11);
    const QList<RecurringMatch> veterans = {match("Veterans Day", "@1111", 2024, 11)};
    ASSERT_EQ(FillCellsWithRecurringDates(page, veterans, defaultFormat()), 1);
    const int cell = page.DayCell(11);

    // A cell with text: first line plain 10 pt, last line bold 16 pt red.
    TWPRtfStorage text = test::RtfStore(
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}"
        "{\\colortbl;\\red255\\green0\\blue0;}"
        "\\f0\\fs20 Dentist\\par\\f1\\b\\fs32\\cf1 Pick up cake}");
    page.SetCellText(cell, text);
    const QByteArray before = page.CellStore(cell)->RtfText();
    ASSERT_EQ(FillCellsWithRecurringDates(page, veterans, defaultFormat()), 1);
    ASSERT_EQ(FillCellsWithRecurringDates(page, veterans, defaultFormat()), 1);
    EXPECT_EQ(cellLines(page, cell),
              (QStringList{"Dentist", "Pick up cake", "Veterans Day", "Veterans Day"}));

    const QTextDocument& doc = page.CellStore(cell)->Document();
    const QTextBlock last = doc.lastBlock();
    const QTextCharFormat f = last.begin().fragment().charFormat();
    EXPECT_EQ(FormatFamily(f), QStringLiteral("Times New Roman"));
    EXPECT_DOUBLE_EQ(f.fontPointSize(), 16.0);
    EXPECT_EQ(f.fontWeight(), QFont::Bold);
    EXPECT_EQ(f.foreground().color(), QColor(255, 0, 0));
    // The earlier lines are untouched.
    EXPECT_EQ(doc.firstBlock().begin().fragment().charFormat().fontPointSize(), 10.0);
    EXPECT_NE(page.CellStore(cell)->RtfText(), before);

    // An empty cell takes the default editor font.
    const QTextCharFormat fallback =
        EditorTypingFormat(QStringLiteral("Courier New"), 14, 2 | 4, 0x0000FF /* red */);
    const QList<RecurringMatch> christmas = {match("Christmas Day", "@1225", 2024, 12)};
    showMonth(page, 2024, 12);
    page.ClearCells();
    ASSERT_EQ(FillCellsWithRecurringDates(page, christmas, fallback), 1);
    const int c25 = page.DayCell(25);
    EXPECT_EQ(cellLines(page, c25), QStringList{"Christmas Day"});
    const QTextCharFormat g =
        page.CellStore(c25)->Document().firstBlock().begin().fragment().charFormat();
    EXPECT_EQ(FormatFamily(g), QStringLiteral("Courier New"));
    EXPECT_DOUBLE_EQ(g.fontPointSize(), 14.0);
    EXPECT_TRUE(g.fontItalic());
    EXPECT_TRUE(g.fontUnderline());
    EXPECT_EQ(g.foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(page.CellStore(c25)->Document().blockCount(), 1);
}

TEST(RecurringFill, WeekdayListsLastAndMissingOccurrences)
{
    TCalendarPanel32 page;
    // Monday and Wednesday: every one of them, 8 or 9 cells (10 in a 31-day
    // month that starts on a Monday, like December 2025).
    for (int month = 1; month <= 12; ++month) {
        showMonth(page, 2025, month, month % 2 ? 1 : 2);
        page.ClearCells();
        const RecurringMatch mw = match("Gym", BuildWeekdayList({2, 4}), 2025, month);
        int expected = 0;
        QList<int> expectedCells;
        for (QDate d(2025, month, 1); d.month() == month; d = d.addDays(1))
            if (d.dayOfWeek() == Qt::Monday || d.dayOfWeek() == Qt::Wednesday) {
                ++expected;
                expectedCells << expectedCell(d, page.StartOfWeek());
            }
        EXPECT_EQ(FillCellsWithRecurringDates(page, {mw}, defaultFormat()), expected);
        EXPECT_EQ(cellsHolding(page, "Gym"), expectedCells) << month;
        EXPECT_GE(expected, 8);
        EXPECT_LE(expected, month == 12 ? 10 : 9);
    }

    // Last day of each month, and the 2nd day.
    const QString lastAnyDay = BuildNthWeekday(5, 7, 0);
    for (auto [year, lastDay] : {std::pair{2023, 28}, std::pair{2024, 29}}) {
        showMonth(page, year, 2);
        page.ClearCells();
        EXPECT_EQ(FillCellsWithRecurringDates(page, {match("Rent", lastAnyDay, year, 2)},
                                              defaultFormat()),
                  1);
        EXPECT_EQ(cellsHolding(page, "Rent"), QList<int>{page.DayCell(lastDay)});
        page.ClearCells();
        FillCellsWithRecurringDates(page, {match("Second", BuildNthWeekday(1, 7, 0), year, 2)},
                                    defaultFormat());
        EXPECT_EQ(cellsHolding(page, "Second"), QList<int>{page.DayCell(2)});
    }

    // A fifth Friday that February 2023 does not have puts nothing, and the
    // hook that commits an open editor is not even called.
    showMonth(page, 2023, 2);
    page.ClearCells();
    bool committed = false;
    EXPECT_EQ(FillCellsWithRecurringDates(page, {match("Party", BuildNthWeekday(4, 5, 0), 2023, 2)},
                                          defaultFormat(), [&] { committed = true; }),
              0);
    EXPECT_FALSE(committed);
    EXPECT_FALSE(page.HasCellText());
}

TEST(RecurringFill, UnattendedFillUsesTheMonthSetLastNotTheMonthPaintedLast)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString programDir = dir.path() + QStringLiteral("/");
    TCalendarPanel32 page;
    showMonth(page, 2024, 5);

    // No list: nothing.
    EXPECT_EQ(FillMonthFromRecurringList(page, programDir, defaultFormat()), 0);

    SaveRecurringList(BuiltInHolidayEntries(), programDir);
    // The page was last painted for May; the month changes without a paint.
    QImage scratch;
    page.PaintToBitmap(scratch, page.View());
    page.SetMainCalMonth(11);
    EXPECT_EQ(FillMonthFromRecurringList(page, programDir, defaultFormat()), 2);
    EXPECT_EQ(cellsHolding(page, "Thanksgiving Day"), QList<int>{expectedCell(QDate(2024, 11, 28), 1)});
    EXPECT_EQ(cellsHolding(page, "Veterans Day"), QList<int>{expectedCell(QDate(2024, 11, 11), 1)});
    EXPECT_TRUE(cellsHolding(page, "Christmas Day").isEmpty());
}
