#include "undo/pagesettingscommand.h"

#include "page/tcalendarpanel32.h"

namespace dayloom {

PageSettingsCommand::PageSettingsCommand(TCalendarPanel32* page, const QString& text,
                                         const PageSettings& before, const PageSettings& after,
                                         const QList<CellChange>& cells, QUndoCommand* parent)
    : PageCommand(page, text, parent), m_calendar(page), m_before(before), m_after(after), m_cells(cells)
{
}

void PageSettingsCommand::Apply(bool forward)
{
    m_calendar->ApplySettings(forward ? m_after : m_before,
                              TCalendarPanel32::BorderLookup::ClearFirst, false);
    CellTexts::Apply(*m_calendar, m_cells, forward);
}

}  // namespace dayloom
