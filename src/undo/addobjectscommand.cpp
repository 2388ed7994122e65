#include "undo/addobjectscommand.h"

#include "objects/tgbasepanel.h"
#include "objects/tggraphiccontrol.h"
#include "undo/objectrecords.h"

namespace dayloom {

namespace ObjectRecords {

void PutBack(TGBasePanel& page, const QList<AddObjectsCommand::Entry>& entries)
{
    // Read in front of the others, then all layered into place at once.
    QList<TGGraphicControl*> order = page.Objects();
    for (const AddObjectsCommand::Entry& e : entries)
        if (TGGraphicControl* o = Read(page, e.Record))
            order.insert(qBound(0, e.Place, int(order.size())), o);
    Arrange(page, order);
}

void TakeOff(TGBasePanel& page, const QList<AddObjectsCommand::Entry>& entries)
{
    for (auto it = entries.crbegin(); it != entries.crend(); ++it)
        if (TGGraphicControl* o = ObjectAt(page, it->Place))
            page.DeleteObject(o);
}

}  // namespace ObjectRecords

AddObjectsCommand::AddObjectsCommand(TGBasePanel* page, const QString& text, const QList<Entry>& added,
                                     QUndoCommand* parent)
    : PageCommand(page, text, parent), m_added(added)
{
}

void AddObjectsCommand::Apply(bool forward)
{
    if (forward)
        ObjectRecords::PutBack(*Page(), m_added);
    else
        ObjectRecords::TakeOff(*Page(), m_added);
}

}  // namespace dayloom
