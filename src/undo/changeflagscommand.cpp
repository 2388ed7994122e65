#include "undo/changeflagscommand.h"

#include "objects/tgbasepanel.h"
#include "objects/tggraphiccontrol.h"
#include "undo/objectrecords.h"

namespace dayloom {

ChangeFlagsCommand::ChangeFlagsCommand(TGBasePanel* page, const QString& text,
                                       const QList<Entry>& changes, QUndoCommand* parent)
    : PageCommand(page, text, parent), m_changes(changes)
{
}

void ChangeFlagsCommand::Apply(bool forward)
{
    for (const Entry& e : m_changes) {
        TGGraphicControl* o = ObjectRecords::ObjectAt(*Page(), e.Place);
        if (!o)
            continue;
        const Flags& f = forward ? e.After : e.Before;
        o->SetLocked(f.Locked);
        o->SetUnselectable(f.Unselectable);
    }
}

}  // namespace dayloom
