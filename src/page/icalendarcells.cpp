#include "page/icalendarcells.h"

#include <QSet>
#include <QTextBlock>
#include <QTextDocument>

#include "core/fileaccess.h"
#include "dates/calendardates.h"
#include "page/calendardocument.h"
#include "page/tcalendarpanel32.h"
#include "richtext/twprtfstorage.h"
#include "stream/writeerror.h"

namespace dayloom {

namespace {

// The cell of a day on the month grid, where the painter puts it: day 1
// stands in the month's first column, the rest follow row by row.
int cellOfDay(const TCalendarPanel32& page, int year, int month, int day)
{
    const int cell = day + FirstColumn(year, month, page.StartOfWeek()) - 1;
    return cell >= 1 && cell <= TCalendarPanel32::CellCount ? cell : -1;
}

// A paragraph's text as the cells compare and export it: pictures left out.
QString paragraphText(const QTextBlock& block)
{
    QString text = block.text();
    text.remove(QChar::ObjectReplacementCharacter);
    return text;
}

}  // namespace

bool ICalendarCellsAvailable(const TCalendarPanel32& page) { return page.LayoutKind() == 0; }

ICalendarImportCount PutICalendarEntries(TCalendarPanel32& page,
                                         const QList<ICalendarDayEntry>& entries, int year,
                                         int month, const QTextCharFormat& defaultFormat,
                                         const std::function<void()>& beforeWrite)
{
    ICalendarImportCount count;
    count.Entries = int(entries.size());
    if (month < 1 || month > 12)
        return count;
    bool committed = false;
    // Entries come day by day; each cell is rebuilt once.
    for (qsizetype i = 0; i < entries.size();) {
        const int day = entries[i].Day;
        qsizetype next = i;
        while (next < entries.size() && entries[next].Day == day)
            ++next;
        const int cell = cellOfDay(page, year, month, day);
        TWPRtfStorage* store = page.CellStore(cell);
        if (!store || day < 1 || day > DaysInMonth(year, month)) {
            i = next;
            continue;
        }
        QSet<QString> held;
        if (!store->IsEmpty()) {
            for (QTextBlock b = store->Document().begin(); b.isValid(); b = b.next())
                held.insert(paragraphText(b));
        }
        TWPRtfStorage updated(*store);
        int added = 0;
        for (; i < next; ++i) {
            const QString text = entries[i].Paragraph();
            if (held.contains(text))
                continue;
            held.insert(text);
            updated.AppendParagraph(text, defaultFormat);
            ++added;
        }
        if (added == 0)
            continue;
        if (!committed) {
            committed = true;
            if (beforeWrite)
                beforeWrite();
        }
        page.SetCellText(cell, updated);
        count.Placed += added;
        ++count.Days;
    }
    return count;
}

ICalendarImportCount ImportICalendarIntoMonth(TCalendarPanel32& page, const ICalendarFile& file,
                                              int year, int month,
                                              const QTextCharFormat& defaultFormat,
                                              const std::function<void()>& beforeWrite,
                                              const QTimeZone& zone)
{
    return PutICalendarEntries(page, file.MonthEntries(year, month, zone), year, month,
                               defaultFormat, beforeWrite);
}

QList<ICalendarCellText> MonthCellTexts(const TCalendarPanel32& page)
{
    QList<ICalendarCellText> out;
    const int year = page.MainCalYear();
    const int month = page.MainCalMonth();
    if (month < 1 || month > 12 || year < 1)
        return out;
    const int days = DaysInMonth(year, month);
    for (int day = 1; day <= days; ++day) {
        const TWPRtfStorage* store = page.CellStore(cellOfDay(page, year, month, day));
        if (!store || store->IsEmpty())
            continue;
        ICalendarCellText cell;
        cell.Date = QDate(year, month, day);
        int position = 0;
        for (QTextBlock b = store->Document().begin(); b.isValid(); b = b.next()) {
            const QString text = paragraphText(b).trimmed();
            if (!text.isEmpty())
                cell.Paragraphs.append({++position, text});
        }
        if (!cell.Paragraphs.isEmpty())
            out.append(cell);
    }
    return out;
}

int ExportCellTextsAsICalendar(const TCalendarPanel32& page, const QString& path)
{
    const QList<ICalendarCellText> cells = MonthCellTexts(page);
    int events = 0;
    for (const ICalendarCellText& c : cells)
        events += int(c.Paragraphs.size());
    if (!SaveFileContents(path, WriteICalendar(cells)))
        throw WriteError(QStringLiteral("Unable to write ") + path);
    return events;
}

}  // namespace dayloom
