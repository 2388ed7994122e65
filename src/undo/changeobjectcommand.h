#pragma once

#include <QByteArray>
#include <QList>

#include "undo/pagecommand.h"

namespace dayloom {

// Objects changed by their own dialogs and menu toggles (text, font,
// colours, effects, picture, border...): each object's place and its
// record before and after. Undo and redo put an object read from the other
// record in its place.
class ChangeObjectCommand : public PageCommand {
public:
    struct Entry {
        int Place = 0;
        QByteArray Before;
        QByteArray After;
    };
    ChangeObjectCommand(TGBasePanel* page, const QString& text, const QList<Entry>& changes,
                        QUndoCommand* parent = nullptr);

protected:
    void Apply(bool forward) override;

private:
    QList<Entry> m_changes;
};

}  // namespace dayloom
