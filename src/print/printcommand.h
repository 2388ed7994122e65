#pragma once

#include <functional>

#include <QMarginsF>
#include <QString>
#include <QStringList>

#include "print/calendarprintjob.h"

namespace dayloom {

class ReportPrinter;
class TCalendarPanel32;

// The print commands' rules, apart from the widgets that ask and tell.

// The printer check made once at start-up: false, after the message, when
// no printer is installed or none is the default.
struct PrinterCheck {
    static QString NoPrinters()
    {
        return QStringLiteral("There are no installed printers.\r\nUnable to perform printer related operations");
    }
    static QString NoDefaultPrinter()
    {
        return QStringLiteral(
            "There is no default printer selected.\r\nUnable to perform printer related operations");
    }
    static bool CheckPrinterAvailable(const QStringList& printers, const QString& defaultPrinter,
                                      const std::function<void(const QString&)>& showInformation);
};

// The margin question: empty when every page margin lies inside the printable
// area (each unprintable margin cut to whole hundredths of an inch first),
// else the full text of the "Margin Warning" question.
QString MarginWarningText(const QMarginsF& unprintableInch, float left, float top, float right, float bottom);

// Who makes the copies: the driver when it can make them all (the report's
// copies set to them, the page drawn once), else the program (the page
// drawn that many times, the device asked for one copy of each sheet).
struct CopyPlan {
    int ReportCopies = 1;
    int CopyLoops = 1;
    static CopyPlan For(int deviceCopies, int driverCopyLimit);
};

// What the window gives the print command.
struct PrintCommandHooks {
    // The print dialog on the report's printer; true when confirmed. Also
    // fills the job's options (months or pages, recurring dates).
    std::function<bool(ReportPrinter&, PrintJobOptions&)> PrintDialog;
    std::function<bool(const QString& text, const QString& caption)> AskYesNo;
    std::function<void(const QString&)> ShowInformation;
    std::function<void(const QString&)> ShowError;
    // Around the drawing: the window commits its cell editor, suspends its
    // page's painting, shows the wait cursor; End always runs.
    std::function<void()> BeginPrinting;
    std::function<void()> EndPrinting;
};

class PrintCommand {
public:
    static QString Completed() { return QStringLiteral("Print job completed and sent to printer!"); }
    static QString CompletedComplexShapes()
    {
        return QStringLiteral(
            "Print job completed and sent to printer!\r\rNote: this design contains complex shapes or "
            "text.\rPlease be patient while the printer produces its\routput...");
    }
    static QString MarginCaption() { return QStringLiteral("Margin Warning"); }
    static QString Failed(const QString& reason);

    enum class Outcome { Cancelled, MarginDeclined, Printed, Failed };

    // The whole command on the report's printer: dialog, orientation, the
    // margin check, copies, the job, the completion message. The document
    // is only drawn: neither it nor its modified state changes.
    static Outcome Run(ReportPrinter& report, TCalendarPanel32& page, PrintJobOptions options,
                       const PrintCommandHooks& hooks);
};

}  // namespace dayloom
