#pragma once

#include <QList>

#include "undo/pagecommand.h"

namespace dayloom {

// The objects' layering changed (Bring To Front, Send To Back): the new
// order as the old places of the objects, back to front.
class ChangeOrderCommand : public PageCommand {
public:
    // order[i] is the old place of the object that is at place i now.
    ChangeOrderCommand(TGBasePanel* page, const QString& text, const QList<int>& order,
                       QUndoCommand* parent = nullptr);

protected:
    void Apply(bool forward) override;

private:
    QList<int> m_order;
};

}  // namespace dayloom
