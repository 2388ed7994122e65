#pragma once

#include <functional>
#include <memory>

#include <QString>
#include <QStringList>

#include "print/calendarprintjob.h"
#include "ui/filechooser.h"

class QWidget;

namespace dayloom {

class ReportPrinter;
class TCalendarMain;
class TCalendarPanel32;

// The window's print and PDF commands, kept beside the main window. Each
// dialog can be replaced by tests (an empty function restores the dialog;
// every setter returns the previous one).

// The installed printers and the default one (QPrinterInfo's).
struct PrinterListing {
    QStringList Printers;
    QString DefaultPrinter;
};
using PrinterListProvider = std::function<PrinterListing()>;
PrinterListProvider SetPrinterListProvider(PrinterListProvider provider);

// The printer check of the first activation, with its two messages.
bool CheckPrinterAvailable();

// The report layer a print job runs on (a printer by default).
using ReportFactory = std::function<std::unique_ptr<ReportPrinter>()>;
ReportFactory SetReportFactory(ReportFactory factory);
std::unique_ptr<ReportPrinter> MakeReport();

// The print dialog: printer, copies, and the months or pages and the
// recurring dates of the job. True when confirmed.
using PrintDialogRunner = std::function<bool(ReportPrinter&, PrintJobOptions&, const TCalendarPanel32&, QWidget*)>;
PrintDialogRunner SetPrintDialogRunner(PrintDialogRunner runner);

// The PDF command's question for months or pages and the recurring dates.
using PrintRangeChooser = std::function<bool(PrintJobOptions&, const TCalendarPanel32&, QWidget*)>;
PrintRangeChooser SetPrintRangeChooser(PrintRangeChooser chooser);

// The PNG command's resolution: 0 cancelled, -1 the screen's at the current
// zoom, else dots per inch.
using ResolutionChooser = std::function<int(int zoomPercent, QWidget*)>;
ResolutionChooser SetResolutionChooser(ResolutionChooser chooser);

// "P&rint Calendar" and the Print button; true when the job was printed.
bool PrintCalendarCommand(TCalendarMain& window, ReportPrinter& report);
// "Print Set&up": the printer's page setup dialog; nothing else changes.
void PrintSetupCommand(TCalendarMain& window, ReportPrinter& report);
// "Save As PDF File".
void SavePdfCommand(TCalendarMain& window, const FileChooser& chooser);
// "Save As PNG File".
void SavePngCommand(TCalendarMain& window, const FileChooser& chooser);

}  // namespace dayloom
