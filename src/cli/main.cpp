// The program's entry point. The command line's exports and a library's icons
// run here on Qt's GUI library alone; the window and the configuration report
// (which lists the printers) live in the window module, loaded only for them,
// so an export never pays for loading the widget and print-support libraries.
#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <string>

#include <QGuiApplication>

#include "cli/commandline.h"
#include "core/screen.h"

using namespace dayloom;

namespace {

// Exports and icons run without a display and without an event loop, so
// they skip the GLib event dispatcher too (unless the user chose otherwise).
void useOffscreenPlatform()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB"))
        qputenv("QT_NO_GLIB", "1");
}

// The folder this program file lives in (symbolic links followed).
std::string programFolder()
{
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return {};
    const std::string file(path, std::size_t(n));
    const std::size_t slash = file.rfind('/');
    return slash == std::string::npos ? std::string() : file.substr(0, slash);
}

// Loads the window module (beside the program in a build folder, in the
// library folder once installed) and runs it with the whole command line.
int runWindowModule(int argc, char** argv)
{
    const std::string folder = programFolder();
    const std::string candidates[] = {
        folder + "/" DAYLOOM_WINDOW_MODULE,
        folder + "/" DAYLOOM_WINDOW_MODULE_FOLDER "/" DAYLOOM_WINDOW_MODULE,
    };
    std::string failure;
    for (const std::string& candidate : candidates) {
        if (access(candidate.c_str(), F_OK) != 0)
            continue;
        void* module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            failure = dlerror();
            break;
        }
        using Entry = int (*)(int, char**);
        const auto entry = reinterpret_cast<Entry>(dlsym(module, "dayloom_window_main"));
        if (!entry) {
            failure = candidate + ": no window entry point";
            break;
        }
        // The module stays loaded until the process ends.
        return entry(argc, argv);
    }
    if (failure.empty())
        failure = DAYLOOM_WINDOW_MODULE " was not found beside " + folder + " nor in " + folder + "/" +
                  DAYLOOM_WINDOW_MODULE_FOLDER;
    std::fprintf(stderr, "dayloom: the window cannot start: %s\n", failure.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const CommandLine cl = CommandLine::Parse(argc, argv);
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
    case CommandLine::Configuration:
    case CommandLine::Window:
        break;
    }
    return runWindowModule(argc, argv);
}
