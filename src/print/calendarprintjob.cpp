#include "print/calendarprintjob.h"

#include <stdexcept>

#include <QDate>
#include <QObject>

#include "page/calendardocument.h"
#include "page/documentpage.h"
#include "page/icalendarcells.h"
#include "page/recurringfill.h"
#include "page/tcalendarpanel32.h"
#include "print/reportprinter.h"

namespace dayloom {

namespace {

// Page k of the job on the working copy: its date, its cells, its fills.
void prepareSheet(TCalendarPanel32& copy, const TCalendarPanel32& document, const PrintJobOptions& options,
                  int k)
{
    const int span = CalendarPrintJob::PlannerSpanDays(document);
    int year = document.MainCalYear();
    int month = document.MainCalMonth();
    if (span > 0) {
        const QDate start(document.MainCalYear(), document.MainCalMonth(), qMax(1, document.MainCalDay()));
        if (start.isValid()) {
            const QDate d = start.addDays(qint64(span) * k);
            copy.SetMainCalYear(d.year());
            copy.SetMainCalMonth(d.month());
            copy.SetMainCalDay(d.day());
        }
    } else {
        const int index = year * 12 + (month - 1) + k;
        year = index / 12;
        month = index % 12 + 1;
        copy.SetMainCalYear(year);
        copy.SetMainCalMonth(month);
    }
    if (k > 0)
        copy.ClearCells();
    // Recurring dates and events go into the cells of a month grid.
    if (span > 0 || copy.LayoutKind() != 0)
        return;
    if (options.FillRecurring)
        FillMonthFromRecurringList(copy, options.RecurringFolder, options.DefaultFormat);
    for (const ICalendarFile& file : options.Calendars)
        ImportICalendarIntoMonth(copy, file, year, month, options.DefaultFormat);
}

}  // namespace

int CalendarPrintJob::PlannerSpanDays(const TCalendarPanel32& page)
{
    switch (page.CalendarLayout()) {
    case loWeek:
        return 7;
    case lo2Week:
        return 14;
    case loDay10:
    case loDay15:
        return 1;
    default:
        return 0;
    }
}

bool CalendarPrintJob::NeedsCopy(const PrintJobOptions& options)
{
    return options.Count > 1 || options.FillRecurring || !options.Calendars.empty();
}

void CalendarPrintJob::Print(ReportPrinter& report, TCalendarPanel32& document, const PrintJobOptions& options,
                             int copies)
{
    const int count = qBound(1, options.Count, MaxCount);
    copies = qMax(1, copies);
    QObject owner;
    TCalendarPanel32* copy = nullptr;
    if (NeedsCopy(options)) {
        // The working copy is read from the document's own bytes, so it is
        // the same design with the same objects; the document stays as it is.
        copy = new TCalendarPanel32(&owner);
        PrepareDocumentPage(&owner, *copy);
        copy->ResetPage();
        CalendarDocument::Load(*copy, CalendarDocument::Save(document), &owner);
    }
    bool first = true;
    for (int c = 0; c < copies; ++c) {
        for (int k = 0; k < count; ++k) {
            if (!first && !report.NewPage())
                throw std::runtime_error("The printer cannot start a new page");
            first = false;
            TCalendarPanel32& page = copy ? *copy : document;
            if (copy)
                prepareSheet(*copy, document, options, k);
            page.PrintPage(report.Canvas(), report.Mapping(page.Layout().PPI));
        }
    }
}

}  // namespace dayloom
