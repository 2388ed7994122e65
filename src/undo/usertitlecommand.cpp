#include "undo/usertitlecommand.h"

#include "page/tcalendarpanel32.h"

namespace dayloom {

UserTitleCommand::UserTitleCommand(TCalendarPanel32* page, const QString& before, const QString& after,
                                   QUndoCommand* parent)
    : PageCommand(page, QStringLiteral("User Defined Title"), parent),
      m_calendar(page),
      m_before(before),
      m_after(after)
{
}

void UserTitleCommand::Apply(bool forward)
{
    m_calendar->SetUserTitle(forward ? m_after : m_before);
}

}  // namespace dayloom
