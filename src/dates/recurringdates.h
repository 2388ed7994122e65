#pragma once

#include <optional>

#include <QList>
#include <QString>
#include <QStringList>

namespace dayloom {

// A recurring-date entry is one line: the event text left-aligned in
// characters 1..120, then the formula from character 121 on. The formula's
// first character is its kind:
//   '@'  day of month      "@MMDD", MM = 00 for each month
//   '$'  nth weekday       "$O W M " in blank-padded 2-character fields;
//                          O 0..4 = 1st..5th, 5 = Last; W 0..6 = Sunday..
//                          Saturday, 7 = any day; M 1..12, 0 = each month
//   '%'  weekday list      "%" + ascending digits 1 (Sunday) .. 7 (Saturday)
//   '#'  movable feast     "#EASTER", "#GOODFRIDAY", "#PALMSUNDAY"
constexpr int kEventTextWidth = 120;
constexpr int kFormulaWidth = 10;

constexpr char16_t kDayOfMonthKind = u'@';
constexpr char16_t kNthWeekdayKind = u'$';
constexpr char16_t kWeekdayListKind = u'%';
constexpr char16_t kFeastKind = u'#';

// text left-aligned, padded with blanks or cut to exactly n characters.
QString Pad(const QString& text, int n);
// Pad(eventText, 120) + Pad(formula, 10). Line breaks in the event text
// become blanks, so that an entry always stays one line of the list file.
QString MakeEntry(const QString& eventText, const QString& formula);

// The kind character at position 121, or a null QChar for a shorter line.
QChar EntryKind(const QString& entry);
// Characters 1..120 with blanks trimmed at both ends.
QString EntryEventText(const QString& entry);
// Characters 121..130 (the formula as the editor sees it).
QString EntryFormula(const QString& entry);
// Characters 121..131, trimmed and upper-cased: the word of a feast entry.
QString EntryFeastWord(const QString& entry);

QString BuildDayOfMonth(int day, int month);
QString BuildNthWeekday(int occurrence, int weekdayIndex, int month);
// weekdays are weekday numbers 1 (Sunday) .. 7; order and repeats don't
// matter, numbers outside 1..7 are ignored.
QString BuildWeekdayList(const QList<int>& weekdays);

struct DayOfMonthFormula {
    int Day = 0;
    int Month = 0;
    bool operator==(const DayOfMonthFormula&) const = default;
};
struct NthWeekdayFormula {
    int Occurrence = 0;
    int Weekday = 0;  // zero-based index, 7 = any day
    int Month = 0;
    bool operator==(const NthWeekdayFormula&) const = default;
};

// Day from characters 4..5, month from 2..3, each trimmed; nullopt when
// either is not a decimal number. The values are not range-checked.
std::optional<DayOfMonthFormula> ParseDayOfMonth(const QString& formula);
// Occurrence, weekday index and month from characters 2..3, 4..5, 6..7.
std::optional<NthWeekdayFormula> ParseNthWeekday(const QString& formula);
// The weekday numbers 1..7 whose digit occurs in the formula, ascending.
QList<int> ParseWeekdayList(const QString& formula);

// "25th of December", "4th Thu of November", "Last Mon of May",
// "1st Day Each Month", "Sun,Tue,Thu"; empty when a number cannot be read
// or names no month or weekday, and for feasts and unknown kinds.
QString DescribeFormula(const QString& formula);
// The text that shows an entry in every list: "Christmas Day (25th of
// December)" for '@', '$' and '%'; characters 1..120 as stored otherwise.
QString EntryListText(const QString& entry);

// Sorting of the list editor: alphabetical ignoring case.
bool EntryLessThan(const QString& a, const QString& b);

}  // namespace dayloom
