// Expanding events over one month: rules, extra dates, excluded dates and
// moved instances, each occurrence placed on the local days it covers.

#include <algorithm>
#include <array>
#include <cmath>

#include <QSet>

#include "ical/icalendarfile.h"
#include "ical/icalinternal.h"

namespace dayloom {

using namespace ical;

namespace {

// Occurrences one rule gives for one month; a rule finer than a day gives
// at most the second figure per day. Beyond them a rule stops.
constexpr int kMaxOccurrencesPerRule = 4000;
constexpr int kMaxOccurrencesPerDay = 100;
// Entries of one event on one day, and of all events in the month: more
// than a page can show, few enough to place quickly.
constexpr int kMaxEntriesPerEventAndDay = 100;
constexpr int kMaxEntriesPerMonth = 20000;
// libical steps through every candidate instant of a rule (every second of a
// SECONDLY rule, even when its BYxxx parts rule most of them out). A rule
// may cost this many steps per month, all rules together the second figure;
// beyond that they are expanded no further.
constexpr qint64 kMaxStepsPerRule = 50000;
constexpr qint64 kMaxStepsPerMonth = 1000000;
// Each value the iterator gives costs some microseconds; all rules together
// get this many per month.
constexpr int kMaxIterationsPerMonth = 100000;

struct RuleIterator {
    icalrecur_iterator* it = nullptr;
    RuleIterator(const icalrecurrencetype& rule, const icaltimetype& start)
        : it(icalrecur_iterator_new(rule, start)) {}
    ~RuleIterator()
    {
        if (it)
            icalrecur_iterator_free(it);
    }
    RuleIterator(const RuleIterator&) = delete;
    RuleIterator& operator=(const RuleIterator&) = delete;
};

bool subDaily(icalrecurrencetype_frequency f)
{
    return f == ICAL_SECONDLY_RECURRENCE || f == ICAL_MINUTELY_RECURRENCE ||
           f == ICAL_HOURLY_RECURRENCE;
}

qint64 unitSeconds(icalrecurrencetype_frequency f)
{
    switch (f) {
    case ICAL_SECONDLY_RECURRENCE: return 1;
    case ICAL_MINUTELY_RECURRENCE: return 60;
    case ICAL_HOURLY_RECURRENCE: return 3600;
    case ICAL_DAILY_RECURRENCE: return 86400;
    case ICAL_WEEKLY_RECURRENCE: return 7 * 86400;
    case ICAL_MONTHLY_RECURRENCE: return 28 * 86400;
    default: return 365 * 86400;
    }
}

// The wall time `units` rule periods after `from`.
QDateTime addUnits(const QDateTime& from, icalrecurrencetype_frequency f, qint64 units)
{
    units = std::min<qint64>(units, 20000LL * 366 * 86400);
    switch (f) {
    case ICAL_MONTHLY_RECURRENCE: return from.addMonths(int(std::min<qint64>(units, 120000)));
    case ICAL_YEARLY_RECURRENCE: return from.addYears(int(std::min<qint64>(units, 10000)));
    default: return from.addSecs(units * unitSeconds(f));
    }
}

void clearList(short* list) { list[0] = ICAL_RECURRENCE_ARRAY_MAX; }

// The instants a series leaves out (EXDATE, and those of its moved
// instances). An instant is left out when its date is one left out (a date
// on either side), or its time is: the wall time when either floats, the
// absolute time otherwise.
class Exclusions {
public:
    void add(const icaltimetype& x)
    {
        const qint64 day = DateOf(x).toJulianDay();
        m_anyDate.insert(day);
        if (x.is_date) {
            m_dates.insert(day);
            return;
        }
        m_walls.insert(WallTime(x).toSecsSinceEpoch());
        if (IsFloating(x))
            m_floatingWalls.insert(WallTime(x).toSecsSinceEpoch());
        else
            m_epochs.insert(EpochOf(x, {}));
    }
    bool contains(const icaltimetype& t) const
    {
        if (t.is_date)
            return m_anyDate.contains(DateOf(t).toJulianDay());
        if (m_dates.contains(DateOf(t).toJulianDay()))
            return true;
        const qint64 wall = WallTime(t).toSecsSinceEpoch();
        if (IsFloating(t))
            return m_walls.contains(wall);
        return m_floatingWalls.contains(wall) || m_epochs.contains(EpochOf(t, {}));
    }

private:
    QSet<qint64> m_anyDate, m_dates, m_walls, m_floatingWalls, m_epochs;
};

// Identical starts (a rule and an extra date on the same instant) count once.
std::pair<int, qint64> startKey(const icaltimetype& t)
{
    if (t.is_date)
        return {0, DateOf(t).toJulianDay()};
    if (IsFloating(t))
        return {1, WallTime(t).toSecsSinceEpoch()};
    return {2, EpochOf(t, {})};
}

struct Occurrence {
    const Event* event = nullptr;
    icaltimetype Start = icaltime_null_time();
    icaltimetype End = icaltime_null_time();
    qint64 Wall = 0;  // the start's wall time, for the order of the series
};

struct Placed {
    ICalendarDayEntry entry;
    int group = 0;  // 0 all-day, 1 a timed event's later day, 2 timed
    int seconds = 0;
    int order = 0;
};

class MonthExpansion {
public:
    MonthExpansion(const QList<Event>& events, int year, int month, const QTimeZone& zone)
        : m_events(&events), m_first(year, month, 1), m_zone(zone.isValid() ? zone : QTimeZone::utc())
    {
        m_last = m_first.addDays(m_first.daysInMonth() - 1);
    }

    QList<ICalendarDayEntry> run()
    {
        const QList<Event>& events = *m_events;
        if (!m_first.isValid())
            return {};
        for (const Event& e : events) {
            if (e.IsOverride || e.Cancelled)
                continue;
            QList<Occurrence> occurrences = series(e);
            for (int o : e.Overrides) {
                const Event& moved = events.at(o);
                if (!moved.Cancelled)
                    occurrences.append({&moved, moved.Start, icaltime_null_time(), 0});
            }
            for (Occurrence& occ : occurrences)
                occ.Wall = WallTime(occ.Start).toSecsSinceEpoch();
            std::stable_sort(occurrences.begin(), occurrences.end(),
                             [](const Occurrence& a, const Occurrence& b) { return a.Wall < b.Wall; });
            m_perDay.fill(0);
            for (const Occurrence& occ : occurrences)
                place(occ);
        }
        std::stable_sort(m_placed.begin(), m_placed.end(), [](const Placed& a, const Placed& b) {
            if (a.entry.Day != b.entry.Day)
                return a.entry.Day < b.entry.Day;
            if (a.group != b.group)
                return a.group < b.group;
            if (a.seconds != b.seconds)
                return a.seconds < b.seconds;
            return a.order < b.order;
        });
        QList<ICalendarDayEntry> out;
        out.reserve(m_placed.size());
        for (const Placed& p : m_placed)
            out.append(p.entry);
        return out;
    }

private:
    // The dates (in the event's own wall time) within which a start can make
    // an occurrence touch the month in any zone.
    void window(const Event& e, QDate& from, QDate& to) const
    {
        const qint64 spanDays = e.AllDay ? e.DurationDays : e.DurationSecs / 86400 + 1;
        from = m_first.addDays(-std::min<qint64>(spanDays, 1 << 20) - 2);
        to = m_last.addDays(2);
    }

    QList<Occurrence> series(const Event& e)
    {
        QDate from, to;
        window(e, from, to);
        QList<icaltimetype> starts;
        auto inWindow = [&](const icaltimetype& t) {
            const QDate d = DateOf(t);
            return d >= from && d <= to;
        };
        if (inWindow(e.Start))
            starts.append(e.Start);
        for (const icalrecurrencetype& rule : e.Rules)
            ruleStarts(e, rule, from, to, starts);

        Exclusions excluded;
        for (const icaltimetype& x : e.ExcludedDates)
            excluded.add(x);
        for (int o : e.Overrides)
            excluded.add(m_events->at(o).RecurrenceId);
        QSet<std::pair<int, qint64>> known;
        QList<Occurrence> out;
        auto add = [&](const icaltimetype& t, const icaltimetype& end) {
            if (!excluded.contains(t) && !known.contains(startKey(t))) {
                known.insert(startKey(t));
                out.append({&e, t, end, 0});
            }
        };
        for (const icaltimetype& t : starts)
            add(t, icaltime_null_time());
        for (const ExtraDate& x : e.ExtraDates) {
            if (inWindow(x.Start))
                add(x.Start, x.End);
        }
        return out;
    }

    // Appends the starts of one rule that lie between from and to.
    void ruleStarts(const Event& e, icalrecurrencetype rule, const QDate& from, const QDate& to,
                    QList<icaltimetype>& out)
    {
        if (m_budget <= 0 || m_iterations <= 0 || (e.AllDay && subDaily(rule.freq)))
            return;
        const int count = rule.count;
        rule.count = 0;
        if (rule.interval < 1)
            rule.interval = 1;

        // Never beyond the window: the iterator stops there even for a rule
        // that can never match.
        icaltimetype limit = e.Start;
        limit.year = to.year();
        limit.month = to.month();
        limit.day = to.day();
        if (!e.AllDay) {
            limit.hour = 23;
            limit.minute = 59;
            limit.second = 59;
        }
        if (!icaltime_is_null_time(rule.until) && icaltime_compare(rule.until, limit) < 0) {
            limit = rule.until;
        }
        rule.until = limit;
        if (icaltime_compare(limit, e.Start) < 0)
            return;

        if (count > 0) {
            // The count runs from the first occurrence: iterate from DTSTART,
            // as far as the step limit reaches.
            const QDateTime start = WallTime(e.Start);
            const QDateTime end = WallTime(limit);
            qint64 span = 0;
            if (rule.freq == ICAL_MONTHLY_RECURRENCE)
                span = qint64(end.date().year() - start.date().year()) * 12 + end.date().month() -
                       start.date().month();
            else if (rule.freq == ICAL_YEARLY_RECURRENCE)
                span = end.date().year() - start.date().year();
            else
                span = start.secsTo(end) / unitSeconds(rule.freq);
            qint64 steps = span / rule.interval + 1;
            if (steps > kMaxStepsPerRule) {
                steps = kMaxStepsPerRule;
                rule.until = FromWallTime(addUnits(start, rule.freq, steps * rule.interval), e.Start);
            }
            m_budget -= steps;
            iterate(e, rule, e.Start, false, count, from, to, out);
        } else if (subDaily(rule.freq)) {
            subDailyStarts(e, rule, from, to, out);
        } else {
            m_budget -= to.toJulianDay() - from.toJulianDay() + 2;
            iterate(e, rule, e.Start, DateOf(e.Start) < from, 0, from, to, out);
        }
    }

    void iterate(const Event& e, const icalrecurrencetype& rule, const icaltimetype& start,
                 bool jumpToWindow, int count, const QDate& from, const QDate& to,
                 QList<icaltimetype>& out, int maxKept = kMaxOccurrencesPerRule)
    {
        RuleIterator r(rule, start);
        if (!r.it)
            return;
        if (jumpToWindow) {
            icaltimetype at = start;
            at.year = from.year();
            at.month = from.month();
            at.day = from.day();
            at.hour = at.minute = at.second = 0;
            if (!icalrecur_iterator_set_start(r.it, at))
                return;
        }
        const std::pair<int, qint64> first = startKey(e.Start);
        int emitted = 0;
        int kept = 0;
        while (--m_iterations > 0) {
            icaltimetype t = icalrecur_iterator_next(r.it);
            if (icaltime_is_null_time(t))
                break;
            t.zone = e.Start.zone;
            t.is_date = e.Start.is_date;
            // DTSTART is always the first occurrence, matching the rule or not.
            if (emitted == 0 && count > 0 && startKey(t) != first)
                ++emitted;
            if (count > 0 && ++emitted > count)
                break;
            // The iterator ends at the rule's limit; values beyond the window
            // are only passed over.
            const QDate d = DateOf(t);
            if (d >= from && d <= to && startKey(t) != first) {
                out.append(t);
                if (++kept >= maxKept)
                    break;
            }
        }
    }

    // Rules finer than a day. libical's own jump into a later day loses the
    // rule's phase, and an impossible rule costs a step per second; so the
    // days on which the rule can fire come first (the same rule by day), and
    // each of them is expanded from the first instant of the rule's phase
    // on that day (which libical returns only when the rule matches it).
    void subDailyStarts(const Event& e, const icalrecurrencetype& rule, const QDate& from,
                        const QDate& to, QList<icaltimetype>& out)
    {
        icalrecurrencetype byDay = rule;
        byDay.freq = ICAL_DAILY_RECURRENCE;
        byDay.interval = 1;
        clearList(byDay.by_hour);
        clearList(byDay.by_minute);
        clearList(byDay.by_second);
        clearList(byDay.by_set_pos);
        icaltimetype dayStart = e.Start;
        dayStart.is_date = 1;
        dayStart.hour = dayStart.minute = dayStart.second = 0;
        dayStart.zone = nullptr;
        byDay.until = dayStart;
        byDay.until.year = to.year();
        byDay.until.month = to.month();
        byDay.until.day = to.day();
        const QDateTime origin = WallTime(e.Start);
        const qint64 step = unitSeconds(rule.freq) * rule.interval;
        const qint64 unit = unitSeconds(rule.freq);
        qint64 ruleSteps = 0;
        int kept = 0;

        RuleIterator days(byDay, dayStart);
        if (!days.it)
            return;
        if (DateOf(e.Start) < from) {
            icaltimetype at = dayStart;
            at.year = from.year();
            at.month = from.month();
            at.day = from.day();
            if (!icalrecur_iterator_set_start(days.it, at))
                return;
        }
        while (--m_iterations > 0) {
            const icaltimetype dayTime = icalrecur_iterator_next(days.it);
            if (icaltime_is_null_time(dayTime))
                break;
            const QDate day = DateOf(dayTime);
            if (day > to)
                break;
            if (day < from)
                continue;
            if (ruleSteps > kMaxStepsPerRule || m_budget <= 0)
                break;
            // The first instant of the rule's phase on this day.
            const QDateTime midnight(day, QTime(0, 0), Qt::UTC);
            QDateTime first = origin;
            if (origin < midnight) {
                const qint64 gap = origin.secsTo(midnight);
                first = origin.addSecs((gap + step - 1) / step * step);
            }
            if (first.date() != day)
                continue;
            icalrecurrencetype oneDay = rule;
            icaltimetype dayEnd = FromWallTime(QDateTime(day, QTime(23, 59, 59), Qt::UTC), e.Start);
            if (icaltime_compare(dayEnd, rule.until) > 0)
                dayEnd = rule.until;
            oneDay.until = dayEnd;
            QList<icaltimetype> found;
            iterate(e, oneDay, FromWallTime(first, e.Start), false, 0, day, day, found,
                    kMaxOccurrencesPerDay);
            // libical stepped from the phase start to the last instant it
            // gave, or to the end of the day when it ran out.
            const QDateTime reached = found.size() >= kMaxOccurrencesPerDay
                                          ? WallTime(found.last())
                                          : QDateTime(day, QTime(23, 59, 59), Qt::UTC);
            const qint64 steps = first.secsTo(reached) / unit + 1;
            ruleSteps += steps;
            m_budget -= steps;
            out.append(found);
            if ((kept += int(found.size())) >= kMaxOccurrencesPerRule)
                break;
        }
    }

    void place(const Occurrence& occ)
    {
        const Event& e = *occ.event;
        if (e.Summary.isEmpty())
            return;
        const int order = m_order++;
        auto add = [&](const QDate& d, int group, const QTime& time) {
            if (m_placed.size() >= kMaxEntriesPerMonth || ++m_perDay[d.day()] > kMaxEntriesPerEventAndDay)
                return;
            Placed p;
            p.entry.Day = d.day();
            p.entry.AllDay = group == 0;
            p.entry.Start = group == 2 ? time : QTime();
            p.entry.Summary = e.Summary;
            p.group = group;
            p.seconds = group == 2 ? time.msecsSinceStartOfDay() / 1000 : 0;
            p.order = order;
            m_placed.append(p);
        };
        if (occ.Start.is_date) {
            const QDate d0 = DateOf(occ.Start);
            QDate end = icaltime_is_null_time(occ.End) ? d0.addDays(e.DurationDays) : DateOf(occ.End);
            if (end <= d0)
                end = d0.addDays(1);
            const QDate a = std::max(d0, m_first);
            const QDate b = std::min(end.addDays(-1), m_last);
            for (QDate d = a; d <= b; d = d.addDays(1))
                add(d, 0, {});
            return;
        }
        const qint64 s = EpochOf(occ.Start, m_zone);
        qint64 end = icaltime_is_null_time(occ.End) ? s + e.DurationSecs : EpochOf(occ.End, m_zone);
        if (end < s)
            end = s;
        const QDateTime local = QDateTime::fromSecsSinceEpoch(s, m_zone);
        const QDate firstDay = local.date();
        const QDate lastDay = end > s ? QDateTime::fromSecsSinceEpoch(end - 1, m_zone).date() : firstDay;
        const QDate a = std::max(firstDay, m_first);
        const QDate b = std::min(lastDay, m_last);
        for (QDate d = a; d <= b; d = d.addDays(1))
            add(d, d == firstDay ? 2 : 1, local.time());
    }

    const QList<Event>* m_events;
    QDate m_first, m_last;
    QTimeZone m_zone;
    qint64 m_budget = kMaxStepsPerMonth;
    int m_iterations = kMaxIterationsPerMonth;
    int m_order = 0;
    QList<Placed> m_placed;
    std::array<int, 32> m_perDay{};  // entries of the event being placed, by day
};

}  // namespace

QList<ICalendarDayEntry> ICalendarFile::MonthEntries(int year, int month, const QTimeZone& zone) const
{
    if (month < 1 || month > 12 || year < 1 || year > 9999)
        return {};
    return MonthExpansion(d->Events, year, month, zone).run();
}

}  // namespace dayloom
