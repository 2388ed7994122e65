#include "undo/cellchange.h"

#include "page/tcalendarpanel32.h"
#include "richtext/twprtfstorage.h"

namespace dayloom::CellTexts {

QByteArray Text(const TCalendarPanel32& page, int cell)
{
    const TWPRtfStorage* store = page.CellStore(cell);
    return store && !store->IsEmpty() ? store->RtfText() : QByteArray();
}

void SetText(TCalendarPanel32& page, int cell, const QByteArray& rtf)
{
    TWPRtfStorage text;
    if (!rtf.isEmpty())
        text.SetRtfText(rtf);
    page.SetCellText(cell, text);
}

Snapshot Take(const TCalendarPanel32& page)
{
    Snapshot s;
    for (int k = 1; k <= TCalendarPanel32::CellCount; ++k)
        s[k - 1] = Text(page, k);
    return s;
}

QList<CellChange> Changes(const Snapshot& before, const TCalendarPanel32& page)
{
    QList<CellChange> changes;
    for (int k = 1; k <= TCalendarPanel32::CellCount; ++k) {
        QByteArray now = Text(page, k);
        if (now != before[k - 1])
            changes.append({k, before[k - 1], now});
    }
    return changes;
}

void Apply(TCalendarPanel32& page, const QList<CellChange>& changes, bool forward)
{
    for (const CellChange& c : changes)
        SetText(page, c.Cell, forward ? c.After : c.Before);
}

}  // namespace dayloom::CellTexts
