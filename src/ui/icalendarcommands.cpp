#include "ui/icalendarcommands.h"

#include <QFileInfo>

#include "ical/icalendarfile.h"
#include "page/icalendarcells.h"
#include "page/tcalendarpanel32.h"
#include "stream/preferences.h"
#include "stream/writeerror.h"
#include "ui/calendarpagewidget.h"
#include "ui/tcalendarmain.h"
#include "ui/uiutil.h"
#include "undo/editrecorder.h"

namespace dayloom {

namespace {

FileChooser g_chooser;

const QString kFilter = QStringLiteral("iCalendar File (*.ics *.ICS)");

QString choose(const FileDialogSpec& desc, QWidget* parent, bool save)
{
    const QString path = g_chooser ? g_chooser(desc)
                                   : save ? RunSaveFileDialog(desc, parent)
                                          : RunOpenFileDialog(desc, parent);
    if (!path.isEmpty())
        WriteLastFolder(FolderKind::Calendars, QFileInfo(path).absolutePath());
    return path;
}

QString countText(int n, const char* one, const char* many)
{
    return QString::number(n) + QLatin1Char(' ') + QString::fromLatin1(n == 1 ? one : many);
}

}  // namespace

FileChooser SetICalendarFileChooser(FileChooser chooser)
{
    FileChooser old = std::move(g_chooser);
    g_chooser = std::move(chooser);
    return old;
}

QString ChooseICalendarFileToOpen(QWidget* parent)
{
    FileDialogSpec desc;
    desc.title = QStringLiteral("Import iCalendar File");
    desc.filter = kFilter;
    desc.defaultSuffix = QStringLiteral("ics");
    // The folder of the last iCalendar file, else the documents folder.
    desc.directory = StartFolder(FolderKind::Calendars, QString());
    return choose(desc, parent, false);
}

void ImportICalendarCommand(TCalendarMain& window)
{
    TCalendarPanel32& page = *window.CalendarPanel();
    if (!window.GridLayout() || !ICalendarCellsAvailable(page))
        return;
    const QString path = ChooseICalendarFileToOpen(&window);
    if (path.isEmpty())
        return;
    ShowWaitCursor();
    ICalendarFile file;
    try {
        file = ICalendarFile::FromFile(path);
    } catch (const ICalendarError& e) {
        RestoreCursor();
        ShowInformation(ICalendarImportFailure(path, e.reason()));
        return;
    }
    // The cells are compared with what comes in: the open cell's text must
    // be in its store first.
    const bool wasEditing = window.EditingCell();
    window.DoSaveRichtext();
    ICalendarImportCount count;
    window.Recorder()->RecordCells(QStringLiteral("Import iCalendar File"), [&] {
        count = ImportICalendarIntoMonth(page, file, page.MainCalYear(), page.MainCalMonth(),
                                         window.DefaultCellFormat());
    });
    RestoreCursor();
    if (count.Placed > 0)
        window.PageWidget()->update();
    // The current cell is current again, as after the recurring-date fill.
    if (window.CurrentCell() > 0 && (count.Placed > 0 || wasEditing))
        page.CellClick(window.CurrentCell());
    window.SetButtons();

    const QString month = page.GetMonthName(page.MainCalMonth()) + QLatin1Char(' ') +
                          QString::number(page.MainCalYear());
    if (count.Entries == 0) {
        ShowInformation(QStringLiteral("No event of ") + QFileInfo(path).fileName() +
                        QStringLiteral(" falls in ") + month);
        return;
    }
    QString text = countText(count.Placed, "entry", "entries") + QStringLiteral(" placed in ") +
                   countText(count.Days, "day", "days") + QStringLiteral(" of ") + month;
    const int already = count.Entries - count.Placed;
    if (already > 0)
        text += QStringLiteral("\r") + countText(already, "entry was", "entries were") +
                QStringLiteral(" already there");
    ShowInformation(text);
}

void ExportICalendarCommand(TCalendarMain& window)
{
    TCalendarPanel32& page = *window.CalendarPanel();
    if (!window.PageShown() || !ICalendarCellsAvailable(page))
        return;
    window.DoSaveRichtext();
    FileDialogSpec desc;
    desc.title = QStringLiteral("Export Cell Texts as iCalendar");
    desc.filter = kFilter;
    desc.defaultSuffix = QStringLiteral("ics");
    // Beside the open document, as the picture exports are; else the folder
    // of the last iCalendar file.
    desc.directory = StartFolder(FolderKind::Calendars, window.CurrentFile());
    const QString base = window.CurrentFile().isEmpty()
                             ? page.GetMonthName(page.MainCalMonth()).left(3) +
                                   QString::number(page.MainCalYear())
                             : QFileInfo(window.CurrentFile()).completeBaseName();
    desc.proposedName = base + QStringLiteral(".ics");
    const QString path = choose(desc, &window, true);
    if (path.isEmpty())
        return;
    try {
        const int events = ExportCellTextsAsICalendar(page, path);
        ShowInformation(QStringLiteral("Saved as ") + path + QStringLiteral("\r") +
                        countText(events, "event", "events"));
    } catch (const WriteError& e) {
        ShowInformation(e.message());
    }
}

}  // namespace dayloom
