#include "page/recurringfill.h"

#include <QImage>

#include "dates/recurringlistfile.h"
#include "page/tcalendarpanel32.h"
#include "richtext/twprtfstorage.h"

namespace dayloom {

bool PutTextOnDay(TCalendarPanel32& page, int day, const QString& text,
                  const QTextCharFormat& defaultFormat)
{
    const int cell = page.DayCell(day);
    if (cell < 1 || day < 1)
        return false;
    TWPRtfStorage* store = page.CellStore(cell);
    if (!store)
        return false;
    TWPRtfStorage updated(*store);
    updated.AppendParagraph(text, defaultFormat);
    page.SetCellText(cell, updated);
    return true;
}

int FillCellsWithRecurringDates(TCalendarPanel32& page, const QList<RecurringMatch>& chosen,
                                const QTextCharFormat& defaultFormat,
                                const std::function<void()>& beforeWrite)
{
    bool anyDay = false;
    for (const RecurringMatch& m : chosen)
        anyDay = anyDay || !m.Days.isEmpty();
    if (!anyDay)
        return 0;

    int put = 0;
    bool committed = false;
    for (const RecurringMatch& m : chosen) {
        for (int day : m.Days) {
            if (page.DayCell(day) < 1)
                continue;
            if (!committed) {
                committed = true;
                if (beforeWrite)
                    beforeWrite();
            }
            if (PutTextOnDay(page, day, m.Text, defaultFormat))
                ++put;
        }
    }
    return put;
}

int FillMonthFromRecurringList(TCalendarPanel32& page, const QString& programDir,
                               const QTextCharFormat& defaultFormat)
{
    if (!RecurringListExists(programDir))
        return 0;
    const QStringList lines = LoadRecurringList(programDir);
    const QList<RecurringMatch> matches =
        RecurringMatches(lines, page.MainCalYear(), page.MainCalMonth());
    return FillCellsWithRecurringDates(page, matches, defaultFormat);
}

}  // namespace dayloom
