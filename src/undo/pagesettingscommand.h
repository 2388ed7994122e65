#pragma once

#include <QList>

#include "page/pagesettings.h"
#include "undo/cellchange.h"
#include "undo/pagecommand.h"

namespace dayloom {

class TCalendarPanel32;

// The properties dialog's OK: the page settings before and after (a style
// sheet loaded in the dialog included), and the day cells the new layout or
// month emptied.
class PageSettingsCommand : public PageCommand {
public:
    PageSettingsCommand(TCalendarPanel32* page, const QString& text, const PageSettings& before,
                        const PageSettings& after, const QList<CellChange>& cells,
                        QUndoCommand* parent = nullptr);

protected:
    void Apply(bool forward) override;

private:
    TCalendarPanel32* m_calendar;
    PageSettings m_before;
    PageSettings m_after;
    QList<CellChange> m_cells;
};

}  // namespace dayloom
