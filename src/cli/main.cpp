// The program's entry point: the window, a command-line export, or a library's icons.
#include <cstdio>

#include <QGuiApplication>
#include <QPrinterInfo>
#include <QStringList>

#include "cli/commandline.h"
#include "cli/dayloomapplication.h"
#include "core/screen.h"
#include "core/version.h"
#include "ui/printcommands.h"
#include "ui/tcalendarmain.h"
#include "ui/uiutil.h"

using namespace dayloom;

namespace {

QStringList argumentsOf(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return args;
}

void useOffscreenPlatform()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
}

bool haveDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char** argv)
{
    const CommandLine cl = CommandLine::Parse(argumentsOf(argc, argv));
    switch (cl.mode) {
    case CommandLine::Version:
        std::printf("%s\n", qPrintable(CommandLine::VersionLine()));
        return ExitSuccess;
    case CommandLine::Help:
        std::fputs(CommandLine::Usage().toLocal8Bit().constData(), stdout);
        return ExitSuccess;
    case CommandLine::UsageError:
        std::fprintf(stderr, "dayloom: %s\n%s", qPrintable(cl.error),
                     CommandLine::Usage().toLocal8Bit().constData());
        return ExitUsage;
    case CommandLine::Export: {
        // An export never needs a display.
        useOffscreenPlatform();
        QGuiApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Dayloom"));
        SetScreenPPI(96);
        if (!cl.programDir.isEmpty())
            SetProgramDir(cl.programDir);
        return RunExport(cl);
    }
    case CommandLine::Icons: {
        // Icons never need a display either.
        useOffscreenPlatform();
        QGuiApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Dayloom"));
        return RunIcons(cl);
    }
    case CommandLine::Configuration: {
        // The report describes the display when there is one, and runs
        // without one otherwise.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
                qputenv("QT_QPA_PLATFORM", "wayland;xcb;offscreen");
            else if (!qEnvironmentVariableIsEmpty("DISPLAY"))
                qputenv("QT_QPA_PLATFORM", "xcb;offscreen");
            else
                useOffscreenPlatform();
        }
        QGuiApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Dayloom"));
        if (!cl.programDir.isEmpty())
            SetProgramDir(cl.programDir);
        return RunConfiguration(cl);
    }
    case CommandLine::Window:
        break;
    }

    if (!haveDisplay() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        useOffscreenPlatform();
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
            PrinterListing listing{QPrinterInfo::availablePrinterNames(),
                                   QPrinterInfo::defaultPrinterName()};
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
