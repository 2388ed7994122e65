#pragma once

#include <functional>

#include <QList>
#include <QString>
#include <QTextCharFormat>

#include "dates/recurringmatches.h"

namespace dayloom {

class TCalendarPanel32;

// Putting recurring-date texts into the day cells of the month a page shows.

// Appends text as one new paragraph to the cell that shows `day` (the first
// of the cells 1..42 with that day number): in the format of the cell's last
// character that has a font size, or in defaultFormat when the cell is empty.
// Existing text is never changed. False when no cell shows the day.
bool PutTextOnDay(TCalendarPanel32& page, int day, const QString& text,
                  const QTextCharFormat& defaultFormat);

// Puts each chosen match's text on each of its days, in list order. The cell
// records are brought up to date first (a repaint into a scratch image), so
// the page's current month and year decide the cells even when the page has
// not been shown since they changed. beforeWrite runs once, right before the
// first cell is written (the main window commits its open cell editor there).
// Returns how many texts were put.
int FillCellsWithRecurringDates(TCalendarPanel32& page, const QList<RecurringMatch>& chosen,
                                const QTextCharFormat& defaultFormat,
                                const std::function<void()>& beforeWrite = {});

// The unattended fill: every line of the list in programDir that can fall in
// the page's month is chosen. A missing list or a month no line matches puts
// nothing. Returns how many texts were put; an unreadable list raises
// ReadError.
int FillMonthFromRecurringList(TCalendarPanel32& page, const QString& programDir,
                               const QTextCharFormat& defaultFormat);

}  // namespace dayloom
