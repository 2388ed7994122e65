#include <gtest/gtest.h>

#include <QDate>
#include <QLocale>
#include <QTime>

#include "dates/calendardates.h"

using namespace dayloom;

namespace {

// The anonymous Gregorian (Meeus/Jones/Butcher) algorithm, valid for every
// Gregorian year, as an independent check of the program's 1900..2099 rule.
QDate anonymousGregorianEaster(int year)
{
    const int a = year % 19, b = year / 100, c = year % 100;
    const int d = b / 4, e = b % 4, f = (b + 8) / 25, g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return QDate(year, month, day);
}

QDate toQDate(const CalendarDate& d)
{
    return QDate(d.Year, d.Month, d.Day);
}

}  // namespace

TEST(CalendarDates, LeapYearsAndMonthLengths)
{
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_FALSE(IsLeapYear(2023));
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    for (int year : {1900, 1999, 2000, 2024, 2100}) {
        for (int month = 1; month <= 12; ++month)
            EXPECT_EQ(DaysInMonth(year, month), QDate(year, month, 1).daysInMonth())
                << year << "-" << month;
    }
    EXPECT_THROW(DaysInMonth(2024, 0), DateError);
    EXPECT_THROW(DaysInMonth(2024, 13), DateError);
}

TEST(CalendarDates, WeekdayMatchesQDateAndRejectsMissingDays)
{
    EXPECT_EQ(WeekdayOf(2000, 1, 1), 7);  // a Saturday
    for (QDate d(1899, 12, 25); d <= QDate(2101, 1, 7); d = d.addDays(1)) {
        const int expected = d.dayOfWeek() % 7 + 1;  // Qt: Monday 1 .. Sunday 7
        ASSERT_EQ(WeekdayOf(d.year(), d.month(), d.day()), expected) << d.toString().toStdString();
    }
    EXPECT_THROW(WeekdayOf(2024, 4, 31), DateError);
    EXPECT_THROW(WeekdayOf(2023, 2, 29), DateError);
    EXPECT_THROW(WeekdayOf(2024, 5, 0), DateError);
    EXPECT_THROW(WeekdayOf(2024, 13, 1), DateError);
    EXPECT_NO_THROW(WeekdayOf(2024, 2, 29));
}

TEST(CalendarDates, MonthGridPlacement)
{
    // September 2024 begins on a Sunday.
    EXPECT_EQ(FirstColumn(2024, 9, 1), 1);
    EXPECT_EQ(GridDay(0, 0, 1, 30), 1);
    EXPECT_EQ(FirstColumn(2024, 9, 2), 7);
    for (int c = 0; c < 6; ++c)
        EXPECT_EQ(GridDay(0, c, 7, 30), 0);
    EXPECT_EQ(GridDay(0, 6, 7, 30), 1);
    // Any start other than Sunday is a Monday start.
    EXPECT_EQ(FirstColumn(2024, 9, 5), 7);

    // February 2015: day 1 a Sunday, 28 days, exactly rows 0..3.
    const int p = FirstColumn(2015, 2, 1);
    ASSERT_EQ(p, 1);
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 7; ++c)
            EXPECT_EQ(GridDay(r, c, p, 28), r < 4 ? 7 * r + c + 1 : 0) << r << "," << c;
    }

    // Every day of a month appears exactly once, in weekday order, and the
    // header above it names its weekday; months starting late need row 5.
    for (int start : {1, 2}) {
        for (int month = 1; month <= 12; ++month) {
            const int days = DaysInMonth(2024, month);
            const int first = FirstColumn(2024, month, start);
            QList<int> seen;
            for (int r = 0; r < 6; ++r) {
                for (int c = 0; c < 7; ++c) {
                    const int day = GridDay(r, c, first, days);
                    if (day == 0)
                        continue;
                    seen << day;
                    EXPECT_EQ(HeaderWeekday(c, start), WeekdayOf(2024, month, day));
                }
            }
            ASSERT_EQ(seen.size(), days);
            for (int i = 0; i < days; ++i)
                EXPECT_EQ(seen[i], i + 1);
        }
    }
    // March 2024 (31 days) begins on a Friday: with a Sunday start day 31
    // stands in row 5.
    EXPECT_EQ(GridDay(5, 0, FirstColumn(2024, 3, 1), 31), 31);
    // June 2024 (30 days) begins on a Saturday.
    EXPECT_EQ(GridDay(5, 0, FirstColumn(2024, 6, 1), 30), 30);

    EXPECT_EQ(HeaderWeekday(0, 2), 2);
    EXPECT_EQ(HeaderWeekday(6, 2), 1);
}

TEST(CalendarDates, Ordinals)
{
    const std::pair<int, const char*> cases[] = {
        {1, "1st"},   {2, "2nd"},     {3, "3rd"},     {4, "4th"},        {11, "11th"},
        {12, "12th"}, {13, "13th"},   {21, "21st"},   {22, "22nd"},      {23, "23rd"},
        {31, "31st"}, {0, "0th"},     {101, "101st"}, {111, "111st"},    {112, "112nd"},
        {-1, "65535th"}, {65537, "1st"},
    };
    for (const auto& [n, text] : cases)
        EXPECT_EQ(Ordinal(n), QString::fromLatin1(text)) << n;
}

TEST(CalendarDates, EasterAndFeastsAgainstAnIndependentRule)
{
    EXPECT_EQ(EasterDate(2000), (CalendarDate{2000, 4, 23}));
    EXPECT_EQ(EasterDate(2008), (CalendarDate{2008, 3, 23}));
    EXPECT_EQ(EasterDate(2011), (CalendarDate{2011, 4, 24}));
    EXPECT_EQ(EasterDate(2019), (CalendarDate{2019, 4, 21}));
    EXPECT_EQ(EasterDate(2024), (CalendarDate{2024, 3, 31}));
    EXPECT_EQ(GoodFridayDayInMonth(2024, 3), 29);
    EXPECT_EQ(PalmSundayDayInMonth(2024, 3), 24);
    EXPECT_EQ(EasterDayInMonth(2024, 4), 0);
    EXPECT_EQ(PalmSundayDayInMonth(2019, 4), 14);
    EXPECT_EQ(PalmSundayDayInMonth(2016, 3), 20);
    EXPECT_EQ(EasterDayInMonth(2016, 3), 27);

    for (int year = 1900; year <= 2099; ++year) {
        const QDate easter = anonymousGregorianEaster(year);
        ASSERT_EQ(toQDate(EasterDate(year)), easter) << year;
        const QDate palm = easter.addDays(-7), friday = easter.addDays(-2);
        for (int month = 1; month <= 12; ++month) {
            EXPECT_EQ(EasterDayInMonth(year, month), easter.month() == month ? easter.day() : 0);
            EXPECT_EQ(PalmSundayDayInMonth(year, month), palm.month() == month ? palm.day() : 0)
                << year << "-" << month;
            EXPECT_EQ(GoodFridayDayInMonth(year, month),
                      friday.month() == month ? friday.day() : 0)
                << year << "-" << month;
        }
    }
    // Outside the rule's range the result is still a real date.
    for (int year : {-4000, -1, 0, 1, 1582, 2100, 9999, 2000000000}) {
        const CalendarDate d = EasterDate(year);
        EXPECT_NO_THROW(WeekdayOf(d.Year, d.Month, d.Day)) << year;
    }
}

TEST(CalendarDates, AddDaysAndStepMonth)
{
    EXPECT_EQ(AddDays({2024, 2, 28}, 1), (CalendarDate{2024, 2, 29}));
    EXPECT_EQ(AddDays({2023, 2, 28}, 1), (CalendarDate{2023, 3, 1}));
    EXPECT_EQ(AddDays({2024, 1, 1}, -1), (CalendarDate{2023, 12, 31}));
    const QDate base(1970, 1, 1);
    // (QDate has no year 0, so stay in positive years.)
    for (int offset : {-700000, -1, 0, 59, 10957, 2932896}) {
        const QDate q = base.addDays(offset);
        EXPECT_EQ(AddDays({1970, 1, 1}, offset), (CalendarDate{q.year(), q.month(), q.day()}))
            << offset;
    }
    EXPECT_THROW(AddDays({2024, 2, 30}, 1), DateError);

    int month = 12, year = 2024;
    StepMonth(month, year, 1);
    EXPECT_EQ(month, 1);
    EXPECT_EQ(year, 2025);
    StepMonth(month, year, -1);
    EXPECT_EQ(month, 12);
    EXPECT_EQ(year, 2024);
    StepMonth(month, year, -25);
    EXPECT_EQ(month, 11);
    EXPECT_EQ(year, 2022);
    StepMonth(month, year, 14);
    EXPECT_EQ(month, 1);
    EXPECT_EQ(year, 2024);

    const CalendarDate today = Today();
    const QDate now = QDate::currentDate();
    EXPECT_EQ(today.Year, now.year());
    EXPECT_EQ(today.Month, now.month());
}

TEST(CalendarDates, NameTables)
{
    EXPECT_EQ(LanguageDayName(fclGerman, 6), QStringLiteral("Freitag "));
    EXPECT_EQ(LanguageDayName(fclItalian, 2), QString::fromUtf8("Luned\xC3\xAC"));
    EXPECT_EQ(LanguageDayName(fclSpanish, 7), QString::fromUtf8("S\xC3\xA1" "bado"));
    EXPECT_EQ(LanguageMonthName(fclGerman, 3), QString::fromUtf8("M\xC3\xA4rz"));
    EXPECT_EQ(LanguageMonthName(fclFrench, 8), QString::fromUtf8("Ao\xC3\xBBt"));
    EXPECT_EQ(LanguageMonthName(fclFrench, 12), QString::fromUtf8("D\xC3\xA9" "cembre"));
    EXPECT_EQ(LanguageMonthName(fclSpanish, 9), QStringLiteral("Septiembre"));
    EXPECT_EQ(LanguageDayName(fclEnglish, 1), QStringLiteral("Sunday"));
    EXPECT_TRUE(LanguageDayName(fclEnglish, 0).isEmpty());
    EXPECT_TRUE(LanguageMonthName(fclEnglish, 13).isEmpty());
    EXPECT_TRUE(LanguageMonthName(TFlatCalLanguage(9), 1).isEmpty());

    EXPECT_EQ(LocaleLongMonthNames().size(), 12);
    EXPECT_EQ(LocaleLongMonthNames().first(), QStringLiteral("January"));
    EXPECT_EQ(LocaleLongDayNames(),
              QStringList({"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday",
                           "Saturday"}));
    EXPECT_EQ(LocaleShortDayNames(),
              QStringList({"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"}));

    const QStringList months = FixedEnglishMonthList();
    ASSERT_EQ(months.size(), 13);
    EXPECT_EQ(months.first(), QStringLiteral("Each Month"));
    EXPECT_EQ(months.last(), QStringLiteral("December"));
    const QStringList days = FixedEnglishDayList();
    ASSERT_EQ(days.size(), 8);
    EXPECT_EQ(days.first(), QStringLiteral("Sunday"));
    EXPECT_EQ(days.last(), QStringLiteral("Day (any day)"));
}

TEST(CalendarDates, ShortTimeFormatHasNoSeconds)
{
    EXPECT_EQ(TimeFormatWithoutSeconds(QStringLiteral("HH:mm:ss")), QStringLiteral("HH:mm"));
    EXPECT_EQ(TimeFormatWithoutSeconds(QStringLiteral("h:mm:ss AP")), QStringLiteral("h:mm AP"));
    EXPECT_EQ(TimeFormatWithoutSeconds(QStringLiteral("HH.mm.ss.zzz")), QStringLiteral("HH.mm"));
    EXPECT_EQ(TimeFormatWithoutSeconds(QStringLiteral("h:mm a")), QStringLiteral("h:mm a"));
    // Quoted text is no field, whatever letters it holds.
    EXPECT_EQ(TimeFormatWithoutSeconds(QStringLiteral("HH 'h' mm:ss 'Uhr's")),
              QStringLiteral("HH 'h' mm 'Uhr'"));

    const QTime eight(8, 0, 0);
    EXPECT_EQ(QLocale::c().toString(eight, ShortTimeFormat(QLocale::c())), QStringLiteral("08:00"));
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(us.toString(QTime(14, 45, 30), ShortTimeFormat(us)), QStringLiteral("2:45 PM"));
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(german.toString(eight, ShortTimeFormat(german)), QStringLiteral("08:00"));

    // Text and time agree both ways in the default locale.
    const QLocale old;
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(ShortTimeText(QTime(14, 45, 59)), QStringLiteral("14:45"));
    EXPECT_EQ(ShortTimeFromText(QStringLiteral("14:45")), QTime(14, 45));
    EXPECT_FALSE(ShortTimeFromText(QStringLiteral("soon")).isValid());
    QLocale::setDefault(us);
    EXPECT_EQ(ShortTimeFromText(ShortTimeText(QTime(21, 5))), QTime(21, 5));
    QLocale::setDefault(old);
}
