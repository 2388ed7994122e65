#include "undo/changeboundscommand.h"

#include "objects/tgbasepanel.h"
#include "objects/tggraphiccontrol.h"
#include "undo/objectrecords.h"

namespace dayloom {

ChangeBoundsCommand::ChangeBoundsCommand(TGBasePanel* page, const QString& text,
                                         const QList<Entry>& changes, bool keyboard,
                                         QUndoCommand* parent)
    : PageCommand(page, text, parent), m_changes(changes), m_keyboard(keyboard)
{
}

void ChangeBoundsCommand::Apply(bool forward)
{
    for (const Entry& e : m_changes)
        if (TGGraphicControl* o = ObjectRecords::ObjectAt(*Page(), e.Place))
            o->SetBounds(forward ? e.After : e.Before);
}

bool ChangeBoundsCommand::mergeWith(const QUndoCommand* other)
{
    const auto* next = dynamic_cast<const ChangeBoundsCommand*>(other);
    if (!next || !m_keyboard || !next->m_keyboard || next->m_changes.size() != m_changes.size())
        return false;
    if (HasSelections() != next->HasSelections() ||
        (HasSelections() && SelectionAfter() != next->SelectionAfter()))
        return false;
    for (qsizetype i = 0; i < m_changes.size(); ++i)
        if (m_changes[i].Place != next->m_changes[i].Place || m_changes[i].After != next->m_changes[i].Before)
            return false;
    bool moved = false;
    for (qsizetype i = 0; i < m_changes.size(); ++i) {
        m_changes[i].After = next->m_changes[i].After;
        moved = moved || m_changes[i].After != m_changes[i].Before;
    }
    // "Resize" wins over "Move" once any step of the run resized.
    if (next->text() != text() && next->text() == QLatin1String("Resize"))
        setText(next->text());
    // Moved there and back again: no step at all.
    setObsolete(!moved);
    return true;
}

}  // namespace dayloom
