#include "ui/printcommands.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/screen.h"
#include "page/tcalendarpanel32.h"
#include "print/pdfexport.h"
#include "print/pictureexport.h"
#include "print/printcommand.h"
#include "ui/printerreport.h"
#include "stream/preferences.h"
#include "ui/calendarpagewidget.h"
#include "ui/tcalendarmain.h"
#include "ui/uiutil.h"

namespace dayloom {

namespace {

PrinterListProvider& printerList()
{
    static PrinterListProvider provider;
    return provider;
}
ReportFactory& reportFactory()
{
    static ReportFactory factory;
    return factory;
}
PrintDialogRunner& printDialogRunner()
{
    static PrintDialogRunner runner;
    return runner;
}
PrintRangeChooser& printRangeChooser()
{
    static PrintRangeChooser chooser;
    return chooser;
}
ResolutionChooser& resolutionChooser()
{
    static ResolutionChooser chooser;
    return chooser;
}

template <typename T>
T swapHook(T& slot, T value)
{
    T old = std::move(slot);
    slot = std::move(value);
    return old;
}

bool isPlanner(const TCalendarPanel32& page) { return CalendarPrintJob::PlannerSpanDays(page) > 0; }

// The job's range and recurring dates, as the print and PDF commands ask
// for them: "Months" (or "Pages" for a planner) and the fill check box.
class PrintRangeWidget : public QWidget {
public:
    PrintRangeWidget(const TCalendarPanel32& page, const PrintJobOptions& options, QWidget* parent = nullptr)
        : QWidget(parent)
    {
        setObjectName(QStringLiteral("PrintRange"));
        setWindowTitle(QStringLiteral("Calendar"));
        auto* form = new QFormLayout(this);
        m_count = new QSpinBox(this);
        m_count->setObjectName(QStringLiteral("CountSpin"));
        m_count->setRange(1, CalendarPrintJob::MaxCount);
        m_count->setValue(options.Count);
        m_count->setToolTip(isPlanner(page) ? QStringLiteral("How many planner pages, one after the other")
                                            : QStringLiteral("How many months, one page each, from the "
                                                             "calendar's month on"));
        form->addRow(isPlanner(page) ? QStringLiteral("Pages") : QStringLiteral("Months"), m_count);
        m_fill = new QCheckBox(QStringLiteral("Fill each month with the recurring dates"), this);
        m_fill->setObjectName(QStringLiteral("FillCheck"));
        m_fill->setChecked(options.FillRecurring);
        m_fill->setEnabled(page.LayoutKind() == 0);
        form->addRow(m_fill);
    }
    void Apply(PrintJobOptions& options) const
    {
        options.Count = m_count->value();
        options.FillRecurring = m_fill->isEnabled() && m_fill->isChecked();
    }

private:
    QSpinBox* m_count;
    QCheckBox* m_fill;
};

bool runPrintDialog(ReportPrinter& report, PrintJobOptions& options, const TCalendarPanel32& page,
                    QWidget* parent)
{
    if (printDialogRunner())
        return printDialogRunner()(report, options, page, parent);
    auto* printerReport = dynamic_cast<PrinterReport*>(&report);
    if (!printerReport)
        return true;
    QPrintDialog dialog(&printerReport->Printer(), parent);
    dialog.setMinMax(1, 9999);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    auto* range = new PrintRangeWidget(page, options);
    dialog.setOptionTabs({range});
    if (dialog.exec() != QDialog::Accepted)
        return false;
    range->Apply(options);
    return true;
}

bool choosePrintRange(PrintJobOptions& options, const TCalendarPanel32& page, QWidget* parent)
{
    if (printRangeChooser())
        return printRangeChooser()(options, page, parent);
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Save As PDF File"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* range = new PrintRangeWidget(page, options, &dialog);
    layout->addWidget(range);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    CenterForm(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    range->Apply(options);
    return true;
}

int chooseResolution(int zoomPercent, QWidget* parent)
{
    if (resolutionChooser())
        return resolutionChooser()(zoomPercent, parent);
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Save As PNG File"));
    auto* layout = new QFormLayout(&dialog);
    auto* box = new QComboBox(&dialog);
    box->setObjectName(QStringLiteral("ResolutionBox"));
    box->addItem(QStringLiteral("The screen's, at %1%").arg(zoomPercent), -1);
    for (int dpi : {150, 300, 600})
        box->addItem(QStringLiteral("%1 dpi").arg(dpi), dpi);
    layout->addRow(QStringLiteral("Resolution"), box);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addRow(buttons);
    CenterForm(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    return box->currentData().toInt();
}

// The save dialog of an export, proposing the document's name (or the month
// and year) with the extension.
QString chooseExportFile(TCalendarMain& window, const FileChooser& chooser, const QString& title,
                         const QString& ext, const QString& filter)
{
    const TCalendarPanel32& page = *window.CalendarPanel();
    FileDialogSpec desc;
    desc.title = title;
    desc.filter = filter;
    desc.defaultSuffix = ext;
    desc.directory = StartFolder(FolderKind::Exports, window.CurrentFile());
    if (window.CurrentFile().isEmpty())
        desc.proposedName = page.GetMonthName(page.MainCalMonth()).left(3) + QString::number(page.MainCalYear()) +
                            QLatin1Char('.') + ext;
    else
        desc.proposedName = QFileInfo(window.CurrentFile()).completeBaseName() + QLatin1Char('.') + ext;
    const QString path = chooser ? chooser(desc) : RunSaveFileDialog(desc, &window);
    if (!path.isEmpty())
        WriteLastFolder(FolderKind::Exports, QFileInfo(path).absolutePath());
    return path;
}

QString unableToSave(const QString& path)
{
    return QStringLiteral("Unable to save ") + path + QStringLiteral("\r\r") + QStringLiteral("Possible reasons include:\r") +
           QStringLiteral(" -Not enough available memory\r") + QStringLiteral(" -Not enough disk space\r") +
           QStringLiteral(" -Invalid file name");
}

PrintJobOptions jobOptions(TCalendarMain& window)
{
    PrintJobOptions options;
    options.RecurringFolder = ProgramDir();
    options.DefaultFormat = window.DefaultCellFormat();
    return options;
}

}  // namespace

PrinterListProvider SetPrinterListProvider(PrinterListProvider provider)
{
    return swapHook(printerList(), std::move(provider));
}
ReportFactory SetReportFactory(ReportFactory factory) { return swapHook(reportFactory(), std::move(factory)); }
PrintDialogRunner SetPrintDialogRunner(PrintDialogRunner runner)
{
    return swapHook(printDialogRunner(), std::move(runner));
}
PrintRangeChooser SetPrintRangeChooser(PrintRangeChooser chooser)
{
    return swapHook(printRangeChooser(), std::move(chooser));
}
ResolutionChooser SetResolutionChooser(ResolutionChooser chooser)
{
    return swapHook(resolutionChooser(), std::move(chooser));
}

bool CheckPrinterAvailable()
{
    PrinterListing listing;
    if (printerList()) {
        listing = printerList()();
    } else {
        listing.Printers = QPrinterInfo::availablePrinterNames();
        listing.DefaultPrinter = QPrinterInfo::defaultPrinterName();
    }
    return PrinterCheck::CheckPrinterAvailable(listing.Printers, listing.DefaultPrinter,
                                               [](const QString& text) { ShowInformation(text); });
}

std::unique_ptr<ReportPrinter> MakeReport()
{
    if (reportFactory())
        return reportFactory()();
    return std::make_unique<PrinterReport>();
}

bool PrintCalendarCommand(TCalendarMain& window, ReportPrinter& report)
{
    TCalendarPanel32& page = *window.CalendarPanel();
    const bool modified = window.Modified();
    PrintCommandHooks hooks;
    hooks.PrintDialog = [&](ReportPrinter& r, PrintJobOptions& options) {
        return runPrintDialog(r, options, page, &window);
    };
    hooks.AskYesNo = [](const QString& text, const QString& caption) { return AskYesNo(text, caption); };
    hooks.ShowInformation = [](const QString& text) { ShowInformation(text); };
    hooks.ShowError = [](const QString& text) { ShowError(text); };
    hooks.BeginPrinting = [&] {
        // The cell being edited belongs on paper; the screen waits.
        window.DoSaveRichtext();
        page.SetSuppressPainting(true);
        ShowWaitCursor();
    };
    hooks.EndPrinting = [&] {
        RestoreCursor();
        page.SetSuppressPainting(false);
        window.PageWidget()->update();
    };
    const PrintCommand::Outcome outcome = PrintCommand::Run(report, page, jobOptions(window), hooks);
    window.SetModified(modified);
    window.SetButtons();
    return outcome == PrintCommand::Outcome::Printed;
}

void PrintSetupCommand(TCalendarMain& window, ReportPrinter& report)
{
    auto* printerReport = dynamic_cast<PrinterReport*>(&report);
    if (!printerReport)
        return;
    QPageSetupDialog dialog(&printerReport->Printer(), &window);
    dialog.exec();
}

void SavePdfCommand(TCalendarMain& window, const FileChooser& chooser)
{
    TCalendarPanel32& page = *window.CalendarPanel();
    PrintJobOptions options = jobOptions(window);
    if (!choosePrintRange(options, page, &window))
        return;
    const QString path = chooseExportFile(window, chooser, QStringLiteral("Save Calendar As PDF"),
                                          QStringLiteral("PDF"), QStringLiteral("PDF File (*.PDF *.pdf)"));
    if (path.isEmpty())
        return;
    const bool modified = window.Modified();
    window.DoSaveRichtext();
    ShowWaitCursor();
    bool saved = false;
    try {
        saved = PdfExport::Save(page, path, options);
    } catch (const std::exception&) {
        saved = false;
    }
    RestoreCursor();
    window.SetModified(modified);
    window.SetButtons();
    if (saved)
        ShowInformation(QStringLiteral("Saved as ") + path);
    else
        ShowInformation(unableToSave(path));
}

void SavePngCommand(TCalendarMain& window, const FileChooser& chooser)
{
    TCalendarPanel32& page = *window.CalendarPanel();
    const Zoom zoom = window.PageWidget()->PageZoom();
    const int dpi = chooseResolution(zoom.RoundedPercent(), &window);
    if (dpi == 0)
        return;
    const QString path = chooseExportFile(window, chooser, QStringLiteral("Save Calendar As PNG"),
                                          QStringLiteral("PNG"), QStringLiteral("PNG File (*.PNG *.png)"));
    if (path.isEmpty())
        return;
    const bool modified = window.Modified();
    window.DoSaveRichtext();
    ShowWaitCursor();
    const bool saved = dpi < 0 ? PictureExport::SaveCalendarToBitmap(page, path, PictureExport::Png, zoom)
                               : PictureExport::SaveCalendarAtResolution(page, path, PictureExport::Png, dpi);
    RestoreCursor();
    window.SetModified(modified);
    window.SetButtons();
    if (!saved) {
        ShowInformation(unableToSave(path));
        return;
    }
    if (dpi < 0)
        ShowInformation(QStringLiteral("Saved as ") + path + QStringLiteral("\r\r") +
                        QStringLiteral("Note: the calendar has been saved at its\r") +
                        QStringLiteral("current magnification level of ") + QString::number(zoom.RoundedPercent()) +
                        QStringLiteral("%"));
    else
        ShowInformation(QStringLiteral("Saved as ") + path + QStringLiteral("\r\r") +
                        QStringLiteral("Note: the calendar has been saved at %1 dots per inch").arg(dpi));
}

}  // namespace dayloom
