#include "dates/recurringmatches.h"

#include "dates/calendardates.h"
#include "dates/recurringdates.h"

namespace dayloom {

namespace {

int feastDay(const QString& word, int year, int month)
{
    if (word == QLatin1String("#EASTER"))
        return EasterDayInMonth(year, month);
    if (word == QLatin1String("#GOODFRIDAY"))
        return GoodFridayDayInMonth(year, month);
    if (word == QLatin1String("#PALMSUNDAY"))
        return PalmSundayDayInMonth(year, month);
    return -1;  // not a feast this program knows
}

bool monthMatches(int formulaMonth, int month)
{
    return formulaMonth == month || formulaMonth == 0;
}

}  // namespace

QStringList OfferedRecurringLines(const QStringList& lines, int year, int month)
{
    QStringList offered = lines;
    for (qsizetype i = offered.size() - 1; i >= 0; --i) {
        const QString& line = offered.at(i);
        bool remove = false;
        switch (EntryKind(line).unicode()) {
        case kFeastKind:
            remove = feastDay(EntryFeastWord(line), year, month) == 0;
            break;
        case kNthWeekdayKind:
            if (const auto f = ParseNthWeekday(EntryFormula(line)))
                remove = !monthMatches(f->Month, month);
            break;
        case kDayOfMonthKind:
            if (const auto f = ParseDayOfMonth(EntryFormula(line)))
                remove = !monthMatches(f->Month, month);
            break;
        default:
            break;
        }
        if (remove)
            offered.removeAt(i);
    }
    return offered;
}

QList<int> RecurringDays(const QString& line, int year, int month)
{
    if (month < 1 || month > 12)
        return {};
    const int n = DaysInMonth(year, month);
    QList<int> days;
    switch (EntryKind(line).unicode()) {
    case kFeastKind: {
        const int day = feastDay(EntryFeastWord(line), year, month);
        if (day > 0)
            days << day;
        break;
    }
    case kNthWeekdayKind: {
        const auto f = ParseNthWeekday(EntryFormula(line));
        if (!f || !monthMatches(f->Month, month))
            break;
        if (f->Weekday == 7) {
            if (f->Occurrence == 5)
                days << n;
            else if (f->Occurrence >= 0 && f->Occurrence <= 4)
                days << f->Occurrence + 1;
        } else if (f->Weekday >= 0 && f->Weekday <= 6) {
            const int wanted = f->Weekday + 1;
            if (f->Occurrence == 5) {
                for (int d = n; d >= 1; --d) {
                    if (WeekdayOf(year, month, d) == wanted) {
                        days << d;
                        break;
                    }
                }
            } else if (f->Occurrence >= 0 && f->Occurrence <= 4) {
                int count = 0;
                for (int d = 1; d <= n; ++d) {
                    if (WeekdayOf(year, month, d) == wanted && ++count == f->Occurrence + 1) {
                        days << d;
                        break;
                    }
                }
            }
        }
        break;
    }
    case kWeekdayListKind: {
        const QList<int> weekdays = ParseWeekdayList(EntryFormula(line));
        for (int d = 1; d <= n; ++d) {
            if (weekdays.contains(WeekdayOf(year, month, d)))
                days << d;
        }
        break;
    }
    case kDayOfMonthKind: {
        // A day the month lacks (or day 0) has no cell and gets nothing.
        const auto f = ParseDayOfMonth(EntryFormula(line));
        if (f && monthMatches(f->Month, month) && f->Day >= 1 && f->Day <= n)
            days << f->Day;
        break;
    }
    default:
        break;
    }
    return days;
}

QList<RecurringMatch> RecurringMatches(const QStringList& lines, int year, int month)
{
    QList<RecurringMatch> matches;
    for (const QString& line : OfferedRecurringLines(lines, year, month))
        matches.append({line, EntryEventText(line), RecurringDays(line, year, month)});
    return matches;
}

}  // namespace dayloom
