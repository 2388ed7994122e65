#include "print/printcommand.h"

#include <cmath>

#include "page/tcalendarpanel32.h"
#include "print/reportprinter.h"

namespace dayloom {

bool PrinterCheck::CheckPrinterAvailable(const QStringList& printers, const QString& defaultPrinter,
                                         const std::function<void(const QString&)>& showInformation)
{
    if (printers.isEmpty()) {
        if (showInformation)
            showInformation(NoPrinters());
        return false;
    }
    if (defaultPrinter.isEmpty()) {
        if (showInformation)
            showInformation(NoDefaultPrinter());
        return false;
    }
    return true;
}

QString MarginWarningText(const QMarginsF& unprintable, float left, float top, float right, float bottom)
{
    // Whole hundredths of an inch: 0.254 counts as 0.25.
    auto cut = [](double inches) { return std::trunc(inches * 100.0) * 0.01; };
    QString lines;
    auto check = [&](double printer, float page, const char* side) {
        if (cut(printer) > double(page))
            lines += QStringLiteral("\r") + QLatin1String(side) +
                     QStringLiteral(" Margin is possibly outside of Printer printable area");
    };
    check(unprintable.left(), left, "Left");
    check(unprintable.top(), top, "Top");
    check(unprintable.right(), right, "Right");
    check(unprintable.bottom(), bottom, "Bottom");
    if (lines.isEmpty())
        return {};
    return QStringLiteral("Margin Warning:\r") + lines + QStringLiteral("\r\rPrint anyways?");
}

CopyPlan CopyPlan::For(int deviceCopies, int driverCopyLimit)
{
    CopyPlan plan;
    const int loops = deviceCopies < 1 ? 1 : deviceCopies;
    if (driverCopyLimit >= loops) {
        plan.ReportCopies = loops;
        plan.CopyLoops = 1;
    } else {
        // The program draws every copy; the device makes one of each sheet.
        plan.ReportCopies = 1;
        plan.CopyLoops = loops;
    }
    return plan;
}

QString PrintCommand::Failed(const QString& reason)
{
    QString text = QStringLiteral("Unable to print the calendar.");
    if (!reason.isEmpty())
        text += QStringLiteral("\r\r") + reason;
    return text;
}

PrintCommand::Outcome PrintCommand::Run(ReportPrinter& report, TCalendarPanel32& page, PrintJobOptions options,
                                        const PrintCommandHooks& hooks)
{
    if (!hooks.PrintDialog || !hooks.PrintDialog(report, options))
        return Outcome::Cancelled;
    report.SetOrientation(page.CalendarOrientation() == coLandscape ? ReportPrinter::Orientation::Landscape
                                                                    : ReportPrinter::Orientation::Portrait);
    const QString question = MarginWarningText(report.UnprintableMargins(), page.LeftMarginInch(),
                                               page.TopMarginInch(), page.RightMarginInch(),
                                               page.BottomMarginInch());
    if (!question.isEmpty() && !(hooks.AskYesNo && hooks.AskYesNo(question, MarginCaption())))
        return Outcome::MarginDeclined;

    const CopyPlan plan = CopyPlan::For(report.DeviceCopies(), report.DriverCopyLimit());
    report.SetCopies(plan.ReportCopies);

    bool printed = false;
    bool begun = false;
    const bool ok = report.Execute([&](ReportPrinter& r) {
        if (hooks.BeginPrinting)
            hooks.BeginPrinting();
        begun = true;
        printed = true;
        CalendarPrintJob::Print(r, page, options, plan.CopyLoops);
    });
    if (begun && hooks.EndPrinting)
        hooks.EndPrinting();
    if (!ok) {
        if (hooks.ShowError)
            hooks.ShowError(Failed(report.ErrorText()));
        return Outcome::Failed;
    }
    if (printed && hooks.ShowInformation)
        hooks.ShowInformation(page.HasObjectOfClass("TGSuperText") ? CompletedComplexShapes() : Completed());
    return printed ? Outcome::Printed : Outcome::Failed;
}

}  // namespace dayloom
