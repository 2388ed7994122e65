#include "undo/removeobjectscommand.h"

namespace dayloom {

RemoveObjectsCommand::RemoveObjectsCommand(TGBasePanel* page, const QString& text,
                                           const QList<Entry>& removed, QUndoCommand* parent)
    : PageCommand(page, text, parent), m_removed(removed)
{
}

void RemoveObjectsCommand::Apply(bool forward)
{
    if (forward)
        ObjectRecords::TakeOff(*Page(), m_removed);
    else
        ObjectRecords::PutBack(*Page(), m_removed);
}

}  // namespace dayloom
