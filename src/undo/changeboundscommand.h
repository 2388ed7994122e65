#pragma once

#include <QList>
#include <QRect>

#include "undo/pagecommand.h"

namespace dayloom {

// Objects moved or resized (a drag, the arrow keys, the alignment and
// centring commands): each object's place and its bounds before and after,
// nothing else. Keyboard moves of the same selection, one after the other,
// make one step.
class ChangeBoundsCommand : public PageCommand {
public:
    struct Entry {
        int Place = 0;
        QRect Before;
        QRect After;
    };
    ChangeBoundsCommand(TGBasePanel* page, const QString& text, const QList<Entry>& changes,
                        bool keyboard = false, QUndoCommand* parent = nullptr);

    static constexpr int KeyboardMoveId = 1;
    int id() const override { return m_keyboard ? KeyboardMoveId : -1; }
    bool mergeWith(const QUndoCommand* other) override;

    const QList<Entry>& Changes() const { return m_changes; }

protected:
    void Apply(bool forward) override;

private:
    QList<Entry> m_changes;
    bool m_keyboard;
};

}  // namespace dayloom
