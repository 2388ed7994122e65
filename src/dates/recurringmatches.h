#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace dayloom {

// Which recurring-date list lines can fall in a month, and on which days.

// The lines of the list that can fall in month (1..12) of year, in list
// order. Lines that cannot be applied (no kind character, an unknown kind,
// an unparsable formula, an unknown feast word) are kept: they are offered
// and simply put nothing.
QStringList OfferedRecurringLines(const QStringList& lines, int year, int month);

// The days (ascending, each 1..days in the month) on which one line falls in
// month of year; empty when it falls on none or cannot be applied.
QList<int> RecurringDays(const QString& line, int year, int month);

struct RecurringMatch {
    QString Line;   // the list line as stored
    QString Text;   // characters 1..120, trimmed: what goes into the cells
    QList<int> Days;
};

// OfferedRecurringLines with the event text and days of each.
QList<RecurringMatch> RecurringMatches(const QStringList& lines, int year, int month);

}  // namespace dayloom
