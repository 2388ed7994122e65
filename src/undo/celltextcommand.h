#pragma once

#include "undo/cellchange.h"
#include "undo/pagecommand.h"

namespace dayloom {

class TCalendarPanel32;

// The text of one day cell committed from the cell editor (pictures and
// icons dropped into the cell included): that cell's RTF before and after.
class CellTextCommand : public PageCommand {
public:
    CellTextCommand(TCalendarPanel32* page, const CellChange& change, QUndoCommand* parent = nullptr);

    int Cell() const { return m_change.Cell; }

protected:
    void Apply(bool forward) override;

private:
    TCalendarPanel32* m_calendar;
    CellChange m_change;
};

}  // namespace dayloom
