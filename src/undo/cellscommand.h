#pragma once

#include <QList>

#include "undo/cellchange.h"
#include "undo/pagecommand.h"

namespace dayloom {

class TCalendarPanel32;

// A command that writes many day cells at once ("Clear All Cell Contents",
// "Fill Calendar with Recurring Dates", the iCalendar import): the cells it
// changed, each with its RTF before and after.
class CellsCommand : public PageCommand {
public:
    CellsCommand(TCalendarPanel32* page, const QString& text, const QList<CellChange>& changes,
                 QUndoCommand* parent = nullptr);

protected:
    void Apply(bool forward) override;

private:
    TCalendarPanel32* m_calendar;
    QList<CellChange> m_changes;
};

}  // namespace dayloom
