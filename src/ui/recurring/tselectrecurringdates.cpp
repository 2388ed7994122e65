#include "ui/recurring/tselectrecurringdates.h"

#include <QListWidget>

namespace dayloom {

TSelectRecurringDates::TSelectRecurringDates(const QStringList& lines, QWidget* parent)
    : CheckListDialog(QStringLiteral("Select Recurring Dates To Use"), lines, parent)
{
    // Also selected before the dialog is shown, so that a caller that reads
    // the choice of a dialog it never showed gets every line.
    List()->selectAll();
}

void TSelectRecurringDates::showEvent(QShowEvent* event)
{
    CheckListDialog::showEvent(event);
    List()->selectAll();
}

}  // namespace dayloom
