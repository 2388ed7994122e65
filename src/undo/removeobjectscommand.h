#pragma once

#include <QList>

#include "undo/addobjectscommand.h"

namespace dayloom {

// Objects taken off the page (deleted, cut): each as its record and the
// place it had. Undo puts them back at those places with their names.
class RemoveObjectsCommand : public PageCommand {
public:
    using Entry = AddObjectsCommand::Entry;
    // Entries in ascending places of the page before the change.
    RemoveObjectsCommand(TGBasePanel* page, const QString& text, const QList<Entry>& removed,
                         QUndoCommand* parent = nullptr);

    const QList<Entry>& Removed() const { return m_removed; }

protected:
    void Apply(bool forward) override;

private:
    QList<Entry> m_removed;
};

}  // namespace dayloom
