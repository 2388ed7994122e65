#pragma once

#include "ui/recurring/checklistdialog.h"

namespace dayloom {

// "Select Recurring Dates To Use": the entries offered for the month shown,
// in the order of the file, every row selected when the dialog appears.
class TSelectRecurringDates : public CheckListDialog {
    Q_OBJECT
public:
    explicit TSelectRecurringDates(const QStringList& lines, QWidget* parent = nullptr);

    QStringList SelectedLines() const { return SelectedEntries(); }

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace dayloom
