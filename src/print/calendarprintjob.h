#pragma once

#include <vector>

#include <QString>
#include <QTextCharFormat>

#include "ical/icalendarfile.h"

namespace dayloom {

class ReportPrinter;
class TCalendarPanel32;

// What one print job or PDF file holds beyond the page itself: the same
// design for Count months (a month layout or a sheet of minis) or Count
// planner spans (the planners: 7 days, 14 days or 1 day each) from the
// page's own date on. Page k shows its own month with the document's cell
// texts on the first only; the recurring-date list and the iCalendar files
// are put into every page's own month. The document itself is never
// changed.
struct PrintJobOptions {
    int Count = 1;
    bool FillRecurring = false;
    QString RecurringFolder;           // where the recurring-date list is read
    QTextCharFormat DefaultFormat;      // texts put into empty cells
    std::vector<ICalendarFile> Calendars;  // events to put into each month
};

class CalendarPrintJob {
public:
    static constexpr int MaxCount = 120;

    // Days a planner page spans: 7, 14 or 1; 0 for the other layouts.
    static int PlannerSpanDays(const TCalendarPanel32& page);
    // Whether the job needs a working copy of the page (anything beyond
    // drawing the page as it is).
    static bool NeedsCopy(const PrintJobOptions& options);

    // Draws the job through the report: copies x Count pages, a new sheet
    // between any two. Reading the recurring-date list may throw ReadError.
    static void Print(ReportPrinter& report, TCalendarPanel32& document, const PrintJobOptions& options,
                      int copies = 1);
};

}  // namespace dayloom
