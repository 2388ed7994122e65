#include <gtest/gtest.h>

#include <functional>

#include <QDate>

#include "dates/holidays.h"
#include "dates/recurringdates.h"
#include "dates/recurringmatches.h"

using namespace dayloom;

namespace {

// Qt numbers Monday = 1 .. Sunday = 7.
QDate nthWeekday(int year, int month, int qtDay, int n)
{
    QDate d(year, month, 1);
    while (d.dayOfWeek() != qtDay)
        d = d.addDays(1);
    return d.addDays(7 * (n - 1));
}

QDate lastWeekday(int year, int month, int qtDay)
{
    QDate d(year, month, 1);
    d = d.addDays(d.daysInMonth() - 1);
    while (d.dayOfWeek() != qtDay)
        d = d.addDays(-1);
    return d;
}

QDate easter(int year)
{
    const int a = year % 19, b = year / 100, c = year % 100;
    const int h = (19 * a + b - b / 4 - (b - (b + 8) / 25 + 1) / 3 + 15) % 30;
    const int l = (32 + 2 * (b % 4) + 2 * (c / 4) - h - c % 4) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    return QDate(year, (h + l - 7 * m + 114) / 31, (h + l - 7 * m + 114) % 31 + 1);
}

QList<int> daysOf(const QString& line, int year, int month)
{
    return RecurringDays(line, year, month);
}

const RecurringMatch* findMatch(const QList<RecurringMatch>& matches, const QString& text)
{
    for (const RecurringMatch& m : matches) {
        if (m.Text == text)
            return &m;
    }
    return nullptr;
}

}  // namespace

TEST(RecurringMatches, EveryBuiltInHolidayFallsOnItsDay)
{
    using Rule = std::function<QDate(int)>;
    const std::map<QString, Rule> rules = {
        {"April Fools's Day", [](int y) { return QDate(y, 4, 1); }},
        {"Armed Forces Day", [](int y) { return nthWeekday(y, 5, Qt::Saturday, 3); }},
        {"Christmas Day", [](int y) { return QDate(y, 12, 25); }},
        {"Daylight Savings time begins", [](int y) { return nthWeekday(y, 4, Qt::Sunday, 1); }},
        {"Daylight Savings Time ends", [](int y) { return lastWeekday(y, 10, Qt::Sunday); }},
        {"Easter", [](int y) { return easter(y); }},
        {"Father's Day", [](int y) { return nthWeekday(y, 6, Qt::Sunday, 3); }},
        {"Flag Day", [](int y) { return QDate(y, 6, 14); }},
        {"Good Friday", [](int y) { return easter(y).addDays(-2); }},
        {"Groundhog Day", [](int y) { return QDate(y, 2, 2); }},
        {"Halloween", [](int y) { return QDate(y, 10, 31); }},
        {"Independence Day", [](int y) { return QDate(y, 7, 4); }},
        {"Labor Day", [](int y) { return nthWeekday(y, 9, Qt::Monday, 1); }},
        {"Lincoln's Birthday", [](int y) { return QDate(y, 2, 12); }},
        {"Martin Luther King Day", [](int y) { return nthWeekday(y, 1, Qt::Monday, 3); }},
        {"Memorial Day", [](int y) { return lastWeekday(y, 5, Qt::Monday); }},
        {"Mother's Day", [](int y) { return nthWeekday(y, 5, Qt::Sunday, 2); }},
        {"New Year's Day", [](int y) { return QDate(y, 1, 1); }},
        {"Palm Sunday", [](int y) { return easter(y).addDays(-7); }},
        {"President's Day", [](int y) { return nthWeekday(y, 2, Qt::Monday, 3); }},
        {"St. Patrick's Day", [](int y) { return QDate(y, 3, 17); }},
        {"Thanksgiving Day", [](int y) { return nthWeekday(y, 11, Qt::Thursday, 4); }},
        {"United Nations Day", [](int y) { return QDate(y, 10, 24); }},
        {"Valentine's Day", [](int y) { return QDate(y, 2, 14); }},
        {"Veterans Day", [](int y) { return QDate(y, 11, 11); }},
        {"Washington's Birthday", [](int y) { return QDate(y, 2, 22); }},
    };
    const QStringList entries = BuiltInHolidayEntries();
    ASSERT_EQ(rules.size(), size_t(entries.size()));
    for (int year = 1990; year <= 2040; ++year) {
        for (int month = 1; month <= 12; ++month) {
            const QList<RecurringMatch> matches = RecurringMatches(entries, year, month);
            int expectedCount = 0;
            for (const auto& [name, rule] : rules) {
                const QDate expected = rule(year);
                const RecurringMatch* m = findMatch(matches, name);
                if (expected.month() != month) {
                    EXPECT_EQ(m, nullptr) << name.toStdString() << " " << year << "-" << month;
                    continue;
                }
                ++expectedCount;
                ASSERT_NE(m, nullptr) << name.toStdString() << " " << year << "-" << month;
                EXPECT_EQ(m->Days, QList<int>{expected.day()})
                    << name.toStdString() << " " << year << "-" << month;
            }
            EXPECT_EQ(matches.size(), expectedCount);
        }
    }
}

TEST(RecurringMatches, MonthsOfTheExamples)
{
    const QStringList entries = BuiltInHolidayEntries();

    auto nov = RecurringMatches(entries, 2024, 11);
    ASSERT_NE(findMatch(nov, "Thanksgiving Day"), nullptr);
    EXPECT_EQ(findMatch(nov, "Thanksgiving Day")->Days, QList<int>{28});
    EXPECT_EQ(findMatch(nov, "Veterans Day")->Days, QList<int>{11});
    EXPECT_EQ(findMatch(nov, "Christmas Day"), nullptr);

    auto may = RecurringMatches(entries, 2024, 5);
    EXPECT_EQ(findMatch(may, "Memorial Day")->Days, QList<int>{27});
    EXPECT_EQ(findMatch(may, "Mother's Day")->Days, QList<int>{12});
    EXPECT_EQ(findMatch(may, "Armed Forces Day")->Days, QList<int>{18});

    auto march = RecurringMatches(entries, 2024, 3);
    EXPECT_EQ(findMatch(march, "Easter")->Days, QList<int>{31});
    EXPECT_EQ(findMatch(march, "Good Friday")->Days, QList<int>{29});
    EXPECT_EQ(findMatch(march, "Palm Sunday")->Days, QList<int>{24});
    auto april = RecurringMatches(entries, 2024, 4);
    for (const char* feast : {"Easter", "Good Friday", "Palm Sunday"})
        EXPECT_EQ(findMatch(april, feast), nullptr) << feast;
}

TEST(RecurringMatches, WeekdayListsAndNthWeekdays)
{
    const QString monWed = MakeEntry("Gym", BuildWeekdayList({2, 4}));
    EXPECT_EQ(daysOf(monWed, 2024, 7), (QList<int>{1, 3, 8, 10, 15, 17, 22, 24, 29, 31}));
    EXPECT_EQ(daysOf(monWed, 2024, 2), (QList<int>{5, 7, 12, 14, 19, 21, 26, 28}));
    EXPECT_EQ(daysOf(MakeEntry("Every day", "%1234567"), 2023, 2).size(), 28);

    const QString lastAny = MakeEntry("Rent", BuildNthWeekday(5, 7, 0));
    EXPECT_EQ(daysOf(lastAny, 2023, 2), QList<int>{28});
    EXPECT_EQ(daysOf(lastAny, 2024, 2), QList<int>{29});
    EXPECT_EQ(daysOf(MakeEntry("Second", BuildNthWeekday(1, 7, 0)), 2024, 2), QList<int>{2});

    // March 2024 has five Fridays, February 2024 only four.
    const QString fifthFriday = MakeEntry("Fifth Friday", BuildNthWeekday(4, 5, 0));
    EXPECT_EQ(daysOf(fifthFriday, 2024, 3), QList<int>{29});
    EXPECT_TRUE(daysOf(fifthFriday, 2024, 2).isEmpty());

    // Values the dialog cannot produce put nothing rather than a stray day.
    EXPECT_TRUE(daysOf(MakeEntry("x", "$6 7 0"), 2024, 2).isEmpty());
    EXPECT_TRUE(daysOf(MakeEntry("x", "$0 8 0"), 2024, 2).isEmpty());
    EXPECT_TRUE(daysOf(MakeEntry("x", "$-1 3 0"), 2024, 2).isEmpty());
}

TEST(RecurringMatches, DaysTheMonthLacksAndUnusableLines)
{
    const QString each31 = MakeEntry("Pay day", BuildDayOfMonth(31, 0));
    EXPECT_EQ(daysOf(each31, 2024, 1), QList<int>{31});
    EXPECT_TRUE(daysOf(each31, 2024, 4).isEmpty());
    // Day 0 must not land in a blank grid cell (blank cells hold day 0).
    EXPECT_TRUE(daysOf(MakeEntry("zero", "@0000"), 2024, 4).isEmpty());
    EXPECT_TRUE(daysOf(MakeEntry("big", "@0499"), 2024, 4).isEmpty());

    const QStringList lines = {
        "a short note",
        QString(120, u' '),
        MakeEntry("Bad month", "@xx01"),
        MakeEntry("Bad special", "$1"),
        Pad("Unknown feast", 120) + "#ASCENSION",
        Pad("Unknown kind", 120) + "!0101",
        MakeEntry("Weekly", "%2"),
        MakeEntry("Elsewhere", "@0101"),
        MakeEntry("Each month", "@0015"),
        Pad("Easter lower case", 120) + "#easter   ",
    };
    const QList<RecurringMatch> april = RecurringMatches(lines, 2024, 4);
    QStringList offered;
    for (const RecurringMatch& m : april)
        offered << m.Text;
    // In file order; only the January entry and the Easter of March drop out.
    EXPECT_EQ(offered, QStringList({"a short note", "", "Bad month", "Bad special",
                                    "Unknown feast", "Unknown kind", "Weekly", "Each month"}));
    for (const RecurringMatch& m : april) {
        if (m.Text == "Weekly")
            EXPECT_EQ(m.Days, (QList<int>{1, 8, 15, 22, 29}));
        else if (m.Text == "Each month")
            EXPECT_EQ(m.Days, QList<int>{15});
        else
            EXPECT_TRUE(m.Days.isEmpty()) << m.Text.toStdString();
    }
    EXPECT_EQ(daysOf(lines.last(), 2024, 3), QList<int>{31});
    EXPECT_TRUE(OfferedRecurringLines({}, 2024, 1).isEmpty());
    EXPECT_TRUE(daysOf(each31, 2024, 13).isEmpty());
}
