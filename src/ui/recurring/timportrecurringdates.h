#pragma once

#include <QStringList>

#include "ui/recurring/checklistdialog.h"

class QListWidget;

namespace dayloom {

// "Import Recurring Dates": the events of an iCalendar file that the list
// can hold, as entries, every row ticked; below them the events it cannot
// hold, each with the reason, for reading only.
class TImportRecurringDates : public CheckListDialog {
    Q_OBJECT
public:
    TImportRecurringDates(const QStringList& entries, const QStringList& skipped,
                          QWidget* parent = nullptr);

    QListWidget* SkippedList() const { return m_skipped; }

private:
    QListWidget* m_skipped = nullptr;
};

}  // namespace dayloom
