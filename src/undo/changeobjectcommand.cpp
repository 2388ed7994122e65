#include "undo/changeobjectcommand.h"

#include "objects/tgbasepanel.h"
#include "objects/tggraphiccontrol.h"
#include "undo/objectrecords.h"

namespace dayloom {

ChangeObjectCommand::ChangeObjectCommand(TGBasePanel* page, const QString& text,
                                         const QList<Entry>& changes, QUndoCommand* parent)
    : PageCommand(page, text, parent), m_changes(changes)
{
}

void ChangeObjectCommand::Apply(bool forward)
{
    // A fresh object from the record: properties a record leaves out are
    // the class's defaults, as when a document is read.
    QList<TGGraphicControl*> order = Page()->Objects();
    QList<TGGraphicControl*> replaced;
    for (const Entry& e : m_changes) {
        TGGraphicControl* old = ObjectRecords::ObjectAt(*Page(), e.Place);
        if (!old)
            continue;
        if (TGGraphicControl* fresh = ObjectRecords::Read(*Page(), forward ? e.After : e.Before)) {
            order[e.Place] = fresh;
            replaced << old;
        }
    }
    for (TGGraphicControl* old : replaced)
        Page()->DeleteObject(old);
    ObjectRecords::Arrange(*Page(), order);
}

}  // namespace dayloom
