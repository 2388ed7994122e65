#include "undo/changeordercommand.h"

#include "objects/tgbasepanel.h"
#include "undo/objectrecords.h"

namespace dayloom {

ChangeOrderCommand::ChangeOrderCommand(TGBasePanel* page, const QString& text, const QList<int>& order,
                                       QUndoCommand* parent)
    : PageCommand(page, text, parent), m_order(order)
{
}

void ChangeOrderCommand::Apply(bool forward)
{
    const QList<TGGraphicControl*> current = Page()->Objects();
    if (current.size() != m_order.size())
        return;
    QList<TGGraphicControl*> target(current.size());
    for (qsizetype i = 0; i < m_order.size(); ++i) {
        if (forward)
            target[i] = current[m_order[i]];
        else
            target[m_order[i]] = current[i];
    }
    ObjectRecords::Arrange(*Page(), target);
}

}  // namespace dayloom
