#pragma once

#include <QList>

#include "undo/pagecommand.h"

namespace dayloom {

// Objects locked, unlocked, made unselectable or selectable again: each
// object's place and its two flags before and after.
class ChangeFlagsCommand : public PageCommand {
public:
    struct Flags {
        bool Locked = false;
        bool Unselectable = false;
        bool operator==(const Flags&) const = default;
    };
    struct Entry {
        int Place = 0;
        Flags Before;
        Flags After;
    };
    ChangeFlagsCommand(TGBasePanel* page, const QString& text, const QList<Entry>& changes,
                       QUndoCommand* parent = nullptr);

protected:
    void Apply(bool forward) override;

private:
    QList<Entry> m_changes;
};

}  // namespace dayloom
