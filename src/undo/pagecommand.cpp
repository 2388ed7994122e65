#include "undo/pagecommand.h"

#include <utility>

#include "objects/tgbasepanel.h"
#include "undo/objectrecords.h"

namespace dayloom {

PageCommand::PageCommand(TGBasePanel* page, const QString& text, QUndoCommand* parent)
    : QUndoCommand(text, parent), m_page(page)
{
    // A part of a larger step is made and taken back by that step.
    if (parent)
        m_made = false;
}

void PageCommand::SetSelections(const QList<int>& before, const QList<int>& after)
{
    m_before = before;
    m_after = after;
}

void PageCommand::undo()
{
    Apply(false);
    QUndoCommand::undo();
    if (m_before)
        ObjectRecords::Select(*m_page, *m_before);
}

void PageCommand::redo()
{
    if (std::exchange(m_made, false))
        return;
    QUndoCommand::redo();
    Apply(true);
    if (m_after)
        ObjectRecords::Select(*m_page, *m_after);
}

}  // namespace dayloom
