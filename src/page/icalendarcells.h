#pragma once

#include <functional>

#include <QList>
#include <QString>
#include <QTextCharFormat>
#include <QTimeZone>

#include "ical/icalendarfile.h"
#include "ical/icalwriter.h"

namespace dayloom {

class TCalendarPanel32;

// iCalendar events into the day cells of a month page, and the cells' texts
// back out as iCalendar.

// Only the one-month layouts have a cell per day of the month; the planners
// and the sheets of minis neither import nor export.
bool ICalendarCellsAvailable(const TCalendarPanel32& page);

struct ICalendarImportCount {
    int Entries = 0;  // occurrences in the month (one per day an event covers)
    int Placed = 0;   // paragraphs added
    int Days = 0;     // cells that received at least one
};

// Appends each entry as one paragraph to the cell of its day in month
// (1..12) of year, counted on the grid from the page's start of the week,
// in the format of the cell's last sized character or defaultFormat in an
// empty cell (as the recurring-date fill does). A paragraph the cell already
// holds with the same text is not added again. beforeWrite runs once, before
// the first cell changes. The caller makes the page show that month.
ICalendarImportCount PutICalendarEntries(TCalendarPanel32& page,
                                         const QList<ICalendarDayEntry>& entries, int year,
                                         int month, const QTextCharFormat& defaultFormat,
                                         const std::function<void()>& beforeWrite = {});

// The events of file in month of year, in zone's local time, into the page.
ICalendarImportCount ImportICalendarIntoMonth(TCalendarPanel32& page, const ICalendarFile& file,
                                              int year, int month,
                                              const QTextCharFormat& defaultFormat,
                                              const std::function<void()>& beforeWrite = {},
                                              const QTimeZone& zone = QTimeZone::systemTimeZone());

// The non-empty paragraphs of the cells of the month the page shows, day by
// day, each with its position among the cell's non-empty paragraphs. Picture
// characters are left out.
QList<ICalendarCellText> MonthCellTexts(const TCalendarPanel32& page);

// Writes MonthCellTexts as an iCalendar file, replacing it atomically.
// Raises WriteError when it cannot be written. Returns the events written.
int ExportCellTextsAsICalendar(const TCalendarPanel32& page, const QString& path);

}  // namespace dayloom
