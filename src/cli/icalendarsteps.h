#pragma once

#include <QString>
#include <QStringList>
#include <QTextCharFormat>

namespace dayloom {

class TCalendarPanel32;

// The iCalendar steps of an --export command line. Each returns an exit
// status after its message on stderr: 0 done, 1 an input cannot be read,
// 2 usage error, 3 the result cannot be written.

// --import-ics FILE...: every file is read first; then each one's events go
// into the month the page shows, as the window's import puts them.
int ImportICalendarFiles(TCalendarPanel32& page, const QStringList& files,
                         const QTextCharFormat& defaultFormat);

// --export OUT.ics: the cell texts of the month the page shows.
int ExportICalendarFile(const TCalendarPanel32& page, const QString& path);

}  // namespace dayloom
