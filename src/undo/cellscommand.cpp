#include "undo/cellscommand.h"

#include "page/tcalendarpanel32.h"

namespace dayloom {

CellsCommand::CellsCommand(TCalendarPanel32* page, const QString& text, const QList<CellChange>& changes,
                           QUndoCommand* parent)
    : PageCommand(page, text, parent), m_calendar(page), m_changes(changes)
{
}

void CellsCommand::Apply(bool forward)
{
    CellTexts::Apply(*m_calendar, m_changes, forward);
}

}  // namespace dayloom
