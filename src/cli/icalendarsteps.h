#pragma once

#include <vector>

#include <QString>
#include <QStringList>
#include <QTextCharFormat>

#include "ical/icalendarfile.h"

namespace dayloom {

class TCalendarPanel32;

// The iCalendar steps of an --export command line. Each returns an exit
// status after its message on stderr: 0 done, 1 an input cannot be read,
// 2 usage error, 3 the result cannot be written.

// --import-ics FILE...: every file is read before any goes into the page
// (and only for a page that shows one month); then each one's events of
// the month the page shows go into its cells, as the window's import puts
// them. Reading and placing are apart so that a run over several months
// reads the files once and places them once per month.
int ReadICalendarFiles(const TCalendarPanel32& page, const QStringList& files,
                       std::vector<ICalendarFile>& read);
void PutICalendarFiles(TCalendarPanel32& page, const std::vector<ICalendarFile>& files,
                       const QTextCharFormat& defaultFormat);
int ImportICalendarFiles(TCalendarPanel32& page, const QStringList& files,
                         const QTextCharFormat& defaultFormat);

// --export OUT.ics: the cell texts of the month the page shows.
int ExportICalendarFile(const TCalendarPanel32& page, const QString& path);

}  // namespace dayloom
