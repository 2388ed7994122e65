#pragma once

#include <array>

#include <QByteArray>
#include <QList>

namespace dayloom {

class TCalendarPanel32;

// One day cell's text before and after a change, as RTF (empty for an empty
// cell): what the cell steps hold of the 42 cells.
struct CellChange {
    int Cell = 0;
    QByteArray Before;
    QByteArray After;
};

namespace CellTexts {

using Snapshot = std::array<QByteArray, 42>;

// Cell k's text as RTF; empty for an empty cell.
QByteArray Text(const TCalendarPanel32& page, int cell);
void SetText(TCalendarPanel32& page, int cell, const QByteArray& rtf);
// The 42 texts, for a command that may change any of them.
Snapshot Take(const TCalendarPanel32& page);
// The cells whose text differs from the snapshot now.
QList<CellChange> Changes(const Snapshot& before, const TCalendarPanel32& page);
// Each cell's text before (forward false) or after.
void Apply(TCalendarPanel32& page, const QList<CellChange>& changes, bool forward);

}  // namespace CellTexts

}  // namespace dayloom
