// Feeds arbitrary bytes to the recurring-date list reader, the formula
// parsers and describers, and the month matching.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "dates/calendardates.h"
#include "dates/recurringdates.h"
#include "dates/recurringlistfile.h"
#include "dates/recurringmatches.h"

using namespace dayloom;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    int year = 2024;
    int month = 1;
    if (size >= 5) {
        int32_t raw;
        std::memcpy(&raw, data, 4);
        // Mostly plausible years, sometimes anything at all.
        year = (data[4] & 0x80) ? raw : 1900 + int(uint32_t(raw) % 400);
        month = data[4] % 12 + 1;
        data += 5;
        size -= 5;
    }
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = ParseRecurringLines(bytes);

    // Whatever was read is written back unchanged.
    if (ParseRecurringLines(FormatRecurringLines(lines)) != lines)
        __builtin_trap();

    for (const QString& line : lines) {
        const QString formula = EntryFormula(line);
        (void)ParseDayOfMonth(formula);
        (void)ParseNthWeekday(formula);
        (void)ParseWeekdayList(formula);
        (void)DescribeFormula(formula);
        (void)DescribeFormula(line);
        (void)EntryListText(line);
        if (MakeEntry(line, formula).size() != kEventTextWidth + kFormulaWidth)
            __builtin_trap();
        for (int day : RecurringDays(line, year, month)) {
            if (day < 1 || day > DaysInMonth(year, month))
                __builtin_trap();
        }
    }
    const QStringList offered = OfferedRecurringLines(lines, year, month);
    if (offered.size() > lines.size())
        __builtin_trap();
    (void)Ordinal(year);
    const CalendarDate easter = EasterDate(year);
    (void)WeekdayOf(easter.Year, easter.Month, easter.Day);
    return 0;
}
