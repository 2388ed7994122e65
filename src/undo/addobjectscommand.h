#pragma once

#include <QByteArray>
#include <QList>

#include "undo/pagecommand.h"

namespace dayloom {

// Objects put on the page (placed with a drawing tool, pasted, cloned): each
// as its record and the place it took. Undo takes them off again.
class AddObjectsCommand : public PageCommand {
public:
    struct Entry {
        int Place = 0;
        QByteArray Record;
    };
    // Entries in ascending places of the page after the change.
    AddObjectsCommand(TGBasePanel* page, const QString& text, const QList<Entry>& added,
                      QUndoCommand* parent = nullptr);

    const QList<Entry>& Added() const { return m_added; }

protected:
    void Apply(bool forward) override;

private:
    QList<Entry> m_added;
};

namespace ObjectRecords {
// Reads each record and puts it at its place (ascending places).
void PutBack(TGBasePanel& page, const QList<AddObjectsCommand::Entry>& entries);
// Destroys the objects at the entries' places (taken from the front).
void TakeOff(TGBasePanel& page, const QList<AddObjectsCommand::Entry>& entries);
}  // namespace ObjectRecords

}  // namespace dayloom
