#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace dayloom {

struct BuiltInHoliday {
    QString Text;
    QString Formula;  // unpadded
};

// The 26 built-in holidays, sorted by event text ignoring case.
QList<BuiltInHoliday> BuiltInHolidays();
// The same as list entries: "@" and "$" formulas padded to 10 characters,
// the feast formulas unpadded.
QStringList BuiltInHolidayEntries();

}  // namespace dayloom
