#pragma once

#include "ui/recurring/checklistdialog.h"

namespace dayloom {

// "Holidays": the built-in holiday entries, none selected at first.
class TGetHolidays : public CheckListDialog {
    Q_OBJECT
public:
    explicit TGetHolidays(QWidget* parent = nullptr);
};

}  // namespace dayloom
