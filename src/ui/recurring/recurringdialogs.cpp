#include "ui/recurring/recurringdialogs.h"

#include <QDialog>

#include "core/readerror.h"
#include "core/screen.h"
#include "dates/recurringdates.h"
#include "dates/recurringlistfile.h"
#include "ui/recurring/teditrecurringdates.h"
#include "ui/recurring/tselectrecurringdates.h"
#include "ui/uiutil.h"

namespace dayloom {

namespace {
RecurringDialogRunner g_runner;
}  // namespace

RecurringDialogRunner SetRecurringDialogRunner(RecurringDialogRunner runner)
{
    RecurringDialogRunner old = std::move(g_runner);
    g_runner = std::move(runner);
    return old;
}

int RunRecurringDialog(QDialog& dialog)
{
    if (g_runner)
        return g_runner(dialog);
    return dialog.exec();
}

bool EditRecurringDates(QWidget* parent)
{
    QStringList entries;
    try {
        entries = LoadRecurringList(ProgramDir());
    } catch (const ReadError& e) {
        ShowError(e.message());
        return false;
    }
    TEditRecurringDates dialog(entries, ProgramDir(), parent);
    return RunRecurringDialog(dialog) == QDialog::Accepted;
}

std::optional<QStringList> SelectRecurringDates(QWidget* parent, const QStringList& lines)
{
    TSelectRecurringDates dialog(lines, parent);
    if (RunRecurringDialog(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.SelectedLines();
}

std::optional<QList<RecurringMatch>> ChooseRecurringDatesForMonth(QWidget* parent, int year,
                                                                 int month)
{
    // A missing list is an empty one: the user is told that nothing matches
    // rather than left wondering why the command did nothing.
    QStringList lines;
    try {
        lines = LoadRecurringList(ProgramDir());
    } catch (const ReadError& e) {
        ShowError(e.message());
        return std::nullopt;
    }
    const QStringList offered = OfferedRecurringLines(lines, year, month);
    if (offered.isEmpty()) {
        ShowInformation(QStringLiteral("No predefined dates match the current month"));
        return std::nullopt;
    }
    const std::optional<QStringList> chosen = SelectRecurringDates(parent, offered);
    if (!chosen)
        return std::nullopt;
    QList<RecurringMatch> matches;
    for (const QString& line : *chosen)
        matches.append({line, EntryEventText(line), RecurringDays(line, year, month)});
    return matches;
}

}  // namespace dayloom
