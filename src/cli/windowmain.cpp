// The window module's entry: the window and the configuration report, the two
// modes that need the widget and print-support libraries. The program loads
// this module only for them.
#include <QGuiApplication>
#include <QPrinterInfo>

#include "cli/commandline.h"
#include "cli/dayloomapplication.h"
#include "core/screen.h"
#include "core/version.h"
#include "ui/printcommands.h"
#include "ui/printerreport.h"
#include "ui/tcalendarmain.h"
#include "ui/uiutil.h"

using namespace dayloom;

namespace {

bool haveDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

int runConfiguration(int& argc, char** argv, const CommandLine& cl)
{
    // The report describes the display when there is one, and runs without
    // one otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "wayland;xcb;offscreen");
        else if (!qEnvironmentVariableIsEmpty("DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "xcb;offscreen");
        else
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Dayloom"));
    if (!cl.programDir.isEmpty())
        SetProgramDir(cl.programDir);
    return RunConfiguration(cl, &InstalledPrinters);
}

int runWindow(int& argc, char** argv, const CommandLine& cl)
{
    if (!haveDisplay() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    DayloomApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Dayloom"));
    QCoreApplication::setApplicationVersion(VersionText());
    QGuiApplication::setWindowIcon(ApplicationIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("dayloom"));
    if (!cl.programDir.isEmpty())
        SetProgramDir(cl.programDir);

    // For the start-up measurement only: leave once the window has painted.
    // The printers are still listed, but a machine without any must not stop
    // the measurement at the modal "no installed printers" message.
    const bool measuring = qEnvironmentVariableIntValue("DAYLOOM_QUIT_AFTER_FIRST_PAINT") == 1;
    if (measuring) {
        SetPrinterListProvider([] {
            PrinterListing listing{QPrinterInfo::availablePrinterNames(), QPrinterInfo::defaultPrinterName()};
            if (listing.Printers.isEmpty())
                listing.Printers << (listing.DefaultPrinter = QStringLiteral("measurement"));
            return listing;
        });
    }
    TCalendarMain window(cl.windowArguments);
    window.SetQuitAfterFirstPaint(measuring);
    window.show();
    RestoreCursor();
    return app.exec();
}

}  // namespace

extern "C" Q_DECL_EXPORT int dayloom_window_main(int argc, char** argv)
{
    const CommandLine cl = CommandLine::Parse(argc, argv);
    if (cl.mode == CommandLine::Configuration)
        return runConfiguration(argc, argv, cl);
    return runWindow(argc, argv, cl);
}
