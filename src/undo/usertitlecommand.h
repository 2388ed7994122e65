#pragma once

#include <QString>

#include "undo/pagecommand.h"

namespace dayloom {

class TCalendarPanel32;

// "User Defined Title": the title before and after.
class UserTitleCommand : public PageCommand {
public:
    UserTitleCommand(TCalendarPanel32* page, const QString& before, const QString& after,
                     QUndoCommand* parent = nullptr);

protected:
    void Apply(bool forward) override;

private:
    TCalendarPanel32* m_calendar;
    QString m_before;
    QString m_after;
};

}  // namespace dayloom
