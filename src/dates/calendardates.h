#pragma once

#include <stdexcept>

#include <QString>
#include <QStringList>

class QLocale;
class QTime;

namespace dayloom {

// A plain (year, month 1..12, day 1..31) triple. Month 0 means "each month"
// only inside recurring-date formulas.
struct CalendarDate {
    int Year = 0;
    int Month = 0;
    int Day = 0;
    bool operator==(const CalendarDate&) const = default;
};

// Raised when a (year, month, day) triple names a date that does not exist.
class DateError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

bool IsLeapYear(int year);
// 28..31; throws DateError for a month outside 1..12.
int DaysInMonth(int year, int month);
// Weekday number 1 = Sunday .. 7 = Saturday (proleptic Gregorian). Throws
// DateError for a date that does not exist (day 0, 31 April, month 13).
int WeekdayOf(int year, int month, int day);
// The 1-based column p in which day 1 of the month stands. A week start of 1
// is Sunday; every other value is treated as a Monday start.
int FirstColumn(int year, int month, int startOfWeek);
// The day number shown in row 0..5, column 0..6 of a month grid whose day 1
// stands in column p, or 0 for a blank cell.
int GridDay(int row, int column, int p, int days);
// The weekday number (1 = Sunday) whose name heads grid column 0..6.
int HeaderWeekday(int column, int startOfWeek);
// n (taken as an unsigned 16-bit number) followed by its English suffix.
QString Ordinal(int n);

// Easter Sunday by the rule that holds for 1900..2099 (applied unchanged to
// other years, always giving a date between 22 March and 25 April).
CalendarDate EasterDate(int year);
// The day of the month on which the feast falls in that month, else 0.
int EasterDayInMonth(int year, int month);
int PalmSundayDayInMonth(int year, int month);
int GoodFridayDayInMonth(int year, int month);

CalendarDate Today();
// d moved by days, proleptic Gregorian. d must exist.
CalendarDate AddDays(const CalendarDate& d, int days);
// Moves month (1..12) by delta months, carrying into year.
void StepMonth(int& month, int& year, int delta);

// Stored as an int, so that any number read from outside is a value of the
// type and the name functions can refuse it.
enum TFlatCalLanguage : int { fclEnglish, fclGerman, fclFrench, fclItalian, fclSpanish };

// Fixed language tables; an empty string for an index out of range.
QString LanguageDayName(TFlatCalLanguage lang, int weekday);  // 1 = Sunday .. 7
QString LanguageMonthName(TFlatCalLanguage lang, int month);  // 1..12

// Names from the default locale (which follows the system).
QStringList LocaleLongMonthNames();  // 12, January first
QStringList LocaleLongDayNames();    // 7, Sunday first
QStringList LocaleShortDayNames();   // 7, Sunday first

// The locale's short time format without seconds (and milliseconds), each
// taken away with the separator before it: "HH:mm:ss" gives "HH:mm",
// "h:mm:ss AP" gives "h:mm AP". Quoted text stays as it is.
QString TimeFormatWithoutSeconds(const QString& format);
QString ShortTimeFormat(const QLocale& locale);
// A time in, and back from, the default locale's ShortTimeFormat.
QString ShortTimeText(const QTime& time);
QTime ShortTimeFromText(const QString& text);

// The fixed English lists of the recurring-date and floating-calendar dialogs.
QStringList FixedEnglishMonthList();  // "Each Month", "January" .. "December"
QStringList FixedEnglishDayList();    // "Sunday" .. "Saturday", "Day (any day)"

}  // namespace dayloom
