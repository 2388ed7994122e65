// Feeds arbitrary bytes to the iCalendar reader: the month expansion in two
// zones, the mapping onto recurring-date formulas, and a written file read
// back.
#include <cstddef>
#include <cstdint>

#include <QByteArray>
#include <QDate>
#include <QTimeZone>

#include "dates/recurringdates.h"
#include "ical/icalendarfile.h"
#include "ical/icalwriter.h"

using namespace dayloom;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    int year = 2024;
    int month = 3;
    if (size >= 2) {
        // Mostly years near today, sometimes far off.
        year = (data[0] & 0x80) ? 1 + data[0] * 37 + data[1] * 13 : 1990 + data[0] % 60;
        month = data[1] % 12 + 1;
        data += 2;
        size -= 2;
    }
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    ICalendarFile file;
    try {
        file = ICalendarFile::FromBytes(bytes);
    } catch (const ICalendarError& e) {
        if (e.reason().isEmpty())
            __builtin_trap();
        return 0;
    }
    (void)file.EventCount();
    const int days = QDate(year, month, 1).daysInMonth();
    for (const QTimeZone& zone : {QTimeZone("Europe/Berlin"), QTimeZone("Pacific/Auckland")}) {
        const QList<ICalendarDayEntry> entries = file.MonthEntries(year, month, zone);
        int lastDay = 0;
        for (const ICalendarDayEntry& e : entries) {
            if (e.Day < 1 || e.Day > days || e.Day < lastDay || e.Summary.isEmpty())
                __builtin_trap();
            lastDay = e.Day;
        }
    }
    for (const ICalendarRecurringCandidate& c : file.RecurringCandidates()) {
        if (c.Entry.isEmpty() == c.Reason.isEmpty())
            __builtin_trap();
        if (!c.Entry.isEmpty() && EntryKind(c.Entry).isNull())
            __builtin_trap();
    }
    // Whatever was read can be written and read again.
    ICalendarCellText cell{QDate(2024, 1, 1), {{1, QString::fromUtf8(bytes.left(200))}}};
    (void)ICalendarFile::FromBytes(WriteICalendar({cell}));
    return 0;
}
