#pragma once

#include <functional>
#include <optional>

#include <QList>
#include <QStringList>

#include "dates/recurringmatches.h"

class QDialog;
class QWidget;

namespace dayloom {

// Entry points of the recurring-date dialogs for the main window. The caller
// hides the icon palette around them when it is showing.

// "Edit Recurring Dates": loads the list file of ProgramDir(), lets the user
// edit it and writes it back on Ok. Returns true when the list was written.
// A list file that cannot be read is reported and the editor is not opened,
// so that Ok can never replace it with an empty list.
bool EditRecurringDates(QWidget* parent);

// "Select Recurring Dates To Use" over the given list lines, every row
// selected at first. The chosen lines in list order, or nullopt on Cancel.
std::optional<QStringList> SelectRecurringDates(QWidget* parent, const QStringList& lines);

// The choosing half of "Fill Calendar with Recurring Dates" for month (1..12)
// of year: the message "No predefined dates match the current month" when no
// line can fall in the month (also when the list file is empty or missing);
// otherwise the selection dialog. Gives the chosen lines with their event
// texts and days, or nullopt when there is nothing to fill. Putting the
// texts into the day cells is the page's business.
std::optional<QList<RecurringMatch>> ChooseRecurringDatesForMonth(QWidget* parent, int year,
                                                                 int month);

// Runs a dialog modally and gives its result (QDialog::exec by default).
// The recurring-date dialogs open their nested dialogs through it and so do
// the entry points above; tests install a runner that drives the dialog
// instead. An empty runner restores exec. Returns the previous runner.
using RecurringDialogRunner = std::function<int(QDialog&)>;
RecurringDialogRunner SetRecurringDialogRunner(RecurringDialogRunner runner);
int RunRecurringDialog(QDialog& dialog);

}  // namespace dayloom
