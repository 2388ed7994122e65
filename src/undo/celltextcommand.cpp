#include "undo/celltextcommand.h"

#include "page/tcalendarpanel32.h"

namespace dayloom {

CellTextCommand::CellTextCommand(TCalendarPanel32* page, const CellChange& change, QUndoCommand* parent)
    : PageCommand(page, QStringLiteral("Cell Text"), parent), m_calendar(page), m_change(change)
{
}

void CellTextCommand::Apply(bool forward)
{
    CellTexts::Apply(*m_calendar, {m_change}, forward);
}

}  // namespace dayloom
