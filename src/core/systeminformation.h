#pragma once

#include <functional>

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace dayloom {

// Memory figures of /proc/meminfo, in bytes.
struct MemoryStatus {
    bool known = false;  // MemTotal was found
    qint64 total = 0;
    qint64 available = 0;
    qint64 swapTotal = 0;
    qint64 swapFree = 0;
    qint64 commitLimit = 0;
    qint64 committed = 0;
};

// What the configuration report tells about the system the program runs on.
// Gathering it needs no widgets and no display.
struct SystemFacts {
    QString distribution;  // from os-release
    QString kernelName, kernelRelease, kernelVersion, machine;  // uname
    QString cpuModel;
    int cpuCount = 0;
    // The window system: false when no display was reached (the offscreen
    // platform of a command-line run).
    bool display = false;
    QString platformName;  // Qt's platform plugin, e.g. "xcb" or "wayland"
    QString screenName;
    int screenWidth = 0, screenHeight = 0, screenDepth = 0;
    int fontDpi = 0;
    QString keyboard;  // model, layout and variant of the keyboard settings
    QStringList pointingDevices;
    MemoryStatus memory;
    QString userLocale;    // the locale the program runs in, e.g. "en_US.UTF-8"
    QString systemLocale;  // the system's default locale
    QString shortDateFormat, longDateFormat, shortTimeFormat, longTimeFormat;
    QString path;  // the PATH variable
};

// Readers of the system's own files. Each takes the file's bytes (any bytes:
// a damaged or foreign file gives empty results, never a failure).
namespace sysinfo {
// PRETTY_NAME of an os-release file, else NAME and VERSION, else empty.
QString OsReleaseName(const QByteArray& osRelease);
// The first "model name" (or "Processor", "cpu model") of /proc/cpuinfo, and
// the number of "processor" entries.
QString CpuModel(const QByteArray& cpuinfo, int* count);
MemoryStatus ParseMeminfo(const QByteArray& meminfo);
// The value of NAME in a file of shell-style assignments (NAME=value,
// NAME="value", comments with "#"), as /etc/default/locale and
// /etc/default/keyboard hold them; empty when absent.
QString ShellVariable(const QByteArray& text, const QString& name);
// The names of the devices with a mouse handler in /proc/bus/input/devices.
QStringList PointingDevices(const QByteArray& inputDevices);
// A file of the system's (the /proc files report no size) through the one
// reader of outside files: a regular file only, opened without waiting, at
// most 4 MB; empty when it cannot be read.
QByteArray ReadSystemFile(const QString& path);
}  // namespace sysinfo

// The status texts shown while each group of facts is gathered, in order.
using StatusCallback = std::function<void(const QString&)>;

// Gathers the facts of this system, announcing each step through status.
SystemFacts GatherSystemFacts(const StatusCallback& status = {});

}  // namespace dayloom
