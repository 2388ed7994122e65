// Repeating events as entries of the recurring-date list: the rules that the
// list's formula kinds can say exactly, and a reason for every other one.

#include <algorithm>

#include <QList>

#include "core/cp1252.h"
#include "dates/recurringdates.h"
#include "ical/icalendarfile.h"
#include "ical/icalinternal.h"

namespace dayloom {

using namespace ical;

namespace {

QList<int> values(const short* list, int size)
{
    QList<int> out;
    for (int i = 0; i < size && list[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i)
        out.append(list[i]);
    return out;
}

// 1st..5th and last as the list's occurrence index 0..5; -1 otherwise.
int occurrenceIndex(int position)
{
    if (position >= 1 && position <= 5)
        return position - 1;
    return position == -1 ? 5 : -1;
}

struct Mapping {
    QString formula;
    QString reason;
};

Mapping skip(const QString& reason) { return {QString(), reason}; }

Mapping mapRule(const icalrecurrencetype& r, const QDate& start)
{
    static const QString noKind = QStringLiteral("the rule has no recurring-date formula");
    if (r.rscale && *r.rscale)
        return skip(QStringLiteral("the rule follows another calendar"));
    if (r.interval > 1)
        return skip(QStringLiteral("repeats only every %1 times (INTERVAL)").arg(r.interval));
    if (r.count > 0)
        return skip(QStringLiteral("ends after %1 times (COUNT)").arg(r.count));
    if (!icaltime_is_null_time(r.until))
        return skip(QStringLiteral("ends on a date (UNTIL)"));
    if (r.freq == ICAL_SECONDLY_RECURRENCE || r.freq == ICAL_MINUTELY_RECURRENCE ||
        r.freq == ICAL_HOURLY_RECURRENCE)
        return skip(QStringLiteral("repeats within a day"));

    const QList<int> months = values(r.by_month, ICAL_BY_MONTH_SIZE);
    const QList<int> monthDays = values(r.by_month_day, ICAL_BY_MONTHDAY_SIZE);
    const QList<int> setPositions = values(r.by_set_pos, ICAL_BY_SETPOS_SIZE);
    struct Day {
        int weekday;   // 1 = Sunday .. 7
        int position;  // 0 = every one
    };
    QList<Day> days;
    for (int v : values(r.by_day, ICAL_BY_DAY_SIZE))
        days.append({int(icalrecurrencetype_day_day_of_week(short(v))),
                     icalrecurrencetype_day_position(short(v))});
    if (!values(r.by_year_day, ICAL_BY_YEARDAY_SIZE).isEmpty() ||
        !values(r.by_week_no, ICAL_BY_WEEKNO_SIZE).isEmpty())
        return skip(noKind);
    for (int m : months)
        if (icalrecurrencetype_month_is_leap(short(m)))
            return skip(noKind);
    for (const Day& d : days)
        if (d.weekday < 1 || d.weekday > 7)
            return skip(noKind);

    auto weekdayList = [&]() -> Mapping {
        QList<int> weekdays;
        for (const Day& d : days) {
            if (d.position != 0)
                return skip(noKind);
            weekdays.append(d.weekday);
        }
        return {BuildWeekdayList(weekdays), QString()};
    };
    // "The 2nd Monday", "the last day": one weekday (or all seven, any day)
    // with one position, written as BYDAY=2MO or as BYDAY=MO;BYSETPOS=2.
    auto nthWeekday = [&](int month) -> Mapping {
        int weekday = -1;
        int position = 0;
        if (days.size() == 1 && setPositions.isEmpty() && days[0].position != 0) {
            weekday = days[0].weekday;
            position = days[0].position;
        } else if (setPositions.size() == 1 && (days.size() == 1 || days.size() == 7)) {
            for (const Day& d : days)
                if (d.position != 0)
                    return skip(noKind);
            weekday = days.size() == 7 ? 8 : days[0].weekday;
            position = setPositions[0];
        } else {
            return skip(noKind);
        }
        const int occurrence = occurrenceIndex(position);
        if (occurrence < 0)
            return skip(noKind);
        return {BuildNthWeekday(occurrence, weekday - 1, month), QString()};
    };
    auto dayOfMonth = [&](int month) -> Mapping {
        if (!setPositions.isEmpty() || monthDays.size() > 1)
            return skip(noKind);
        const int day = monthDays.isEmpty() ? start.day() : monthDays[0];
        if (day == -1)  // the last day of the month
            return {BuildNthWeekday(5, 7, month), QString()};
        if (day < 1 || day > 31)
            return skip(noKind);
        return {BuildDayOfMonth(day, month), QString()};
    };

    switch (r.freq) {
    case ICAL_DAILY_RECURRENCE:
    case ICAL_WEEKLY_RECURRENCE:
        if (!months.isEmpty() || !monthDays.isEmpty() || !setPositions.isEmpty())
            return skip(noKind);
        if (days.isEmpty()) {
            if (r.freq == ICAL_DAILY_RECURRENCE)
                return {BuildWeekdayList({1, 2, 3, 4, 5, 6, 7}), QString()};
            // Weekly without BYDAY: the weekday of the first occurrence.
            return {BuildWeekdayList({start.dayOfWeek() % 7 + 1}), QString()};
        }
        return weekdayList();
    case ICAL_MONTHLY_RECURRENCE: {
        if (months.size() > 1)
            return skip(noKind);
        const int month = months.isEmpty() ? 0 : months[0];
        if (!days.isEmpty() && !monthDays.isEmpty())
            return skip(noKind);
        if (!days.isEmpty()) {
            const bool every = setPositions.isEmpty() &&
                               std::all_of(days.begin(), days.end(), [](const Day& d) { return d.position == 0; });
            // Every Monday of every month is every Monday.
            if (every)
                return month == 0 ? weekdayList() : skip(noKind);
            return nthWeekday(month);
        }
        return dayOfMonth(month);
    }
    case ICAL_YEARLY_RECURRENCE: {
        if (months.size() > 1)
            return skip(noKind);
        if (!days.isEmpty()) {
            // Without BYMONTH an ordinal counts through the whole year.
            if (months.isEmpty() || !monthDays.isEmpty())
                return skip(noKind);
            return nthWeekday(months[0]);
        }
        return dayOfMonth(months.isEmpty() ? start.month() : months[0]);
    }
    default:
        return skip(noKind);
    }
}

}  // namespace

QList<ICalendarRecurringCandidate> ICalendarFile::RecurringCandidates(int* oneTimeEvents) const
{
    QList<ICalendarRecurringCandidate> out;
    int once = 0;
    for (const Event& e : d->Events) {
        if (e.Cancelled || e.IsOverride)
            continue;
        if (e.Rules.isEmpty()) {
            ++once;
            continue;
        }
        ICalendarRecurringCandidate c;
        c.Summary = e.Summary;
        // The dates as the event's author wrote them, in its own zone.
        const Mapping m = e.Rules.size() == 1 ? mapRule(e.Rules.first(), DateOf(e.Start)) : Mapping();
        if (e.Summary.isEmpty())
            c.Reason = QStringLiteral("has no summary");
        else if (e.Rules.size() > 1)
            c.Reason = QStringLiteral("has more than one rule");
        else if (m.formula.isEmpty())
            c.Reason = m.reason;
        else if (!e.ExtraDates.isEmpty())
            c.Reason = QStringLiteral("has extra dates (RDATE)");
        else if (!e.ExcludedDates.isEmpty())
            c.Reason = QStringLiteral("has excluded dates (EXDATE)");
        else if (!e.Overrides.isEmpty())
            c.Reason = QStringLiteral("has moved or changed instances");
        else
            // The list file holds Windows-1252: the entry shows what it will
            // hold.
            c.Entry = MakeEntry(fromCp1252(toCp1252(e.Summary)), m.formula);
        out.append(c);
    }
    if (oneTimeEvents)
        *oneTimeEvents = once;
    return out;
}

}  // namespace dayloom
