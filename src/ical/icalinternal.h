#pragma once

// The reader's own model of a file, shared by the reader, the month
// expansion and the mapping onto recurring-date formulas. Not for use
// outside src/ical.

#include <libical/ical.h>

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QTimeZone>

#include "ical/icalendarfile.h"

namespace dayloom::ical {

// An extra date of an event (RDATE): a start, and for a period its own end.
struct ExtraDate {
    icaltimetype Start = icaltime_null_time();
    icaltimetype End = icaltime_null_time();  // null: the event's duration
};

struct Event {
    QString Uid;
    QString Summary;  // one line, trimmed; may be empty
    icaltimetype Start = icaltime_null_time();  // zone resolved; null zone = floating
    bool AllDay = false;
    int DurationDays = 1;      // all-day events, at least 1
    qint64 DurationSecs = 0;   // timed events, at least 0
    QList<icalrecurrencetype> Rules;
    QList<ExtraDate> ExtraDates;
    QList<icaltimetype> ExcludedDates;
    // A moved or changed instance of the series with the same UID.
    bool IsOverride = false;
    icaltimetype RecurrenceId = icaltime_null_time();
    bool Cancelled = false;
    QList<int> Overrides;  // indices of this series' overriding instances
};

}  // namespace dayloom::ical

namespace dayloom {

struct ICalendarFile::Data {
    icalcomponent* Root = nullptr;
    QList<ical::Event> Events;  // masters and single events, then overrides, in file order
    ~Data();
};

}  // namespace dayloom

namespace dayloom::ical {

// Zone lookup for a TZID: the file's VTIMEZONEs, then the system's zone
// database (libical's built-in lookup, which reads the system's zoneinfo),
// then Windows zone names and prefixed names ("/mozilla.org/.../Europe/Berlin")
// mapped to IANA names. nullptr when nothing matches (the time is floating).
icaltimezone* ResolveZone(icalcomponent* calendar, const QByteArray& tzid);

// Seconds since 1970 of a zoned or UTC time; for a floating time, of its wall
// time in `floatingZone`.
qint64 EpochOf(const icaltimetype& t, const QTimeZone& floatingZone);
// The wall time of t as a UTC QDateTime (no conversion): for arithmetic on
// wall times, as rules step in them.
QDateTime WallTime(const icaltimetype& t);
icaltimetype FromWallTime(const QDateTime& wall, const icaltimetype& like);
QDate DateOf(const icaltimetype& t);

bool IsFloating(const icaltimetype& t);

// Summary text: libical's unescaped UTF-8 (Windows-1252 when the bytes are
// not UTF-8), line breaks and tabs as blanks, trimmed.
QString CleanText(const char* text);

}  // namespace dayloom::ical
