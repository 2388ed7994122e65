#include "core/systeminformation.h"

#include <sys/utsname.h>

#include <limits>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <QThread>

#include "core/fileaccess.h"

namespace dayloom {

namespace sysinfo {

namespace {

// The lines of a text file, without line ends.
QList<QByteArray> linesOf(const QByteArray& text)
{
    QList<QByteArray> lines = text.split('\n');
    for (QByteArray& line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    return lines;
}

// "key<blanks>: value" of /proc/cpuinfo; false for other lines.
bool colonPair(const QByteArray& line, QByteArray* key, QByteArray* value)
{
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0)
        return false;
    *key = line.left(colon).trimmed();
    *value = line.mid(colon + 1).trimmed();
    return true;
}

// A shell word at the start of text: "double quoted" (with backslash escapes),
// 'single quoted', or bare up to a blank or a comment.
QByteArray shellWord(const QByteArray& text)
{
    QByteArray word;
    if (text.startsWith('"')) {
        for (qsizetype i = 1; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '"')
                return word;
            if (c == '\\' && i + 1 < text.size())
                word += text[++i];
            else
                word += c;
        }
        return word;  // no closing quote: take what there is
    }
    if (text.startsWith('\'')) {
        const qsizetype end = text.indexOf('\'', 1);
        return end < 0 ? text.mid(1) : text.mid(1, end - 1);
    }
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '#')
            break;
        word += c;
    }
    return word;
}

// "NAME: 1234 kB" of /proc/meminfo in bytes; -1 when the value is not a
// number or would not fit.
qint64 meminfoBytes(const QByteArray& value)
{
    const QList<QByteArray> parts = value.simplified().split(' ');
    bool ok = false;
    const qint64 n = parts.value(0).toLongLong(&ok);
    if (!ok || n < 0)
        return -1;
    const QByteArray unit = parts.value(1).toLower();
    if (unit.isEmpty())
        return n;
    if (unit != "kb")
        return -1;
    if (n > std::numeric_limits<qint64>::max() / 1024)
        return -1;
    return n * 1024;
}

}  // namespace

QString ShellVariable(const QByteArray& text, const QString& name)
{
    const QByteArray key = name.toUtf8();
    QString found;
    for (QByteArray line : linesOf(text)) {
        line = line.trimmed();
        if (line.startsWith("export "))
            line = line.mid(7).trimmed();
        if (!line.startsWith(key) || line.size() <= key.size() || line[key.size()] != '=')
            continue;
        found = QString::fromUtf8(shellWord(line.mid(key.size() + 1)));
    }
    return found;
}

QString OsReleaseName(const QByteArray& osRelease)
{
    const QString pretty = ShellVariable(osRelease, QStringLiteral("PRETTY_NAME"));
    if (!pretty.isEmpty())
        return pretty;
    const QString name = ShellVariable(osRelease, QStringLiteral("NAME"));
    const QString version = ShellVariable(osRelease, QStringLiteral("VERSION"));
    return version.isEmpty() ? name : (name + QLatin1Char(' ') + version).trimmed();
}

QString CpuModel(const QByteArray& cpuinfo, int* count)
{
    // The model's key differs between processor families; the first one in
    // this order that the file has wins.
    static const char* const modelKeys[] = {"model name", "Model", "cpu model", "Processor",
                                            "cpu", "uarch"};
    constexpr int keyCount = int(sizeof(modelKeys) / sizeof(modelKeys[0]));
    QByteArray models[keyCount];
    int processors = 0;
    for (const QByteArray& line : linesOf(cpuinfo)) {
        QByteArray key, value;
        if (!colonPair(line, &key, &value))
            continue;
        if (key == "processor")
            ++processors;
        for (int k = 0; k < keyCount; ++k)
            if (models[k].isEmpty() && key == modelKeys[k])
                models[k] = value;
    }
    if (count)
        *count = processors;
    for (const QByteArray& model : models)
        if (!model.isEmpty())
            return QString::fromUtf8(model).simplified();
    return {};
}

MemoryStatus ParseMeminfo(const QByteArray& meminfo)
{
    MemoryStatus m;
    qint64 memFree = -1, buffers = -1, cached = -1;
    bool haveAvailable = false;
    for (const QByteArray& line : linesOf(meminfo)) {
        QByteArray key, value;
        if (!colonPair(line, &key, &value))
            continue;
        const qint64 bytes = meminfoBytes(value);
        if (bytes < 0)
            continue;
        if (key == "MemTotal") {
            m.total = bytes;
            m.known = true;
        } else if (key == "MemAvailable") {
            m.available = bytes;
            haveAvailable = true;
        } else if (key == "MemFree") {
            memFree = bytes;
        } else if (key == "Buffers") {
            buffers = bytes;
        } else if (key == "Cached") {
            cached = bytes;
        } else if (key == "SwapTotal") {
            m.swapTotal = bytes;
        } else if (key == "SwapFree") {
            m.swapFree = bytes;
        } else if (key == "CommitLimit") {
            m.commitLimit = bytes;
        } else if (key == "Committed_AS") {
            m.committed = bytes;
        }
    }
    // Kernels before 3.14 have no MemAvailable: free plus reclaimable caches.
    if (!haveAvailable && memFree >= 0) {
        m.available = memFree;
        for (qint64 part : {buffers, cached})
            if (part > 0 && m.available <= std::numeric_limits<qint64>::max() - part)
                m.available += part;
    }
    if (m.available > m.total)
        m.available = m.total;
    return m;
}

QStringList PointingDevices(const QByteArray& inputDevices)
{
    QStringList names;
    QString name;
    for (const QByteArray& line : linesOf(inputDevices)) {
        if (line.isEmpty()) {
            name.clear();
        } else if (line.startsWith("N: Name=")) {
            name = QString::fromUtf8(shellWord(line.mid(8)));
        } else if (line.startsWith("H: Handlers=")) {
            const QList<QByteArray> handlers = line.mid(12).simplified().split(' ');
            for (const QByteArray& h : handlers) {
                if (h.startsWith("mouse") && !name.isEmpty() && !names.contains(name)) {
                    names << name;
                    break;
                }
            }
        }
    }
    return names;
}

QByteArray ReadSystemFile(const QString& path)
{
    QByteArray bytes;
    ReadInputFile(path, InputKind::SystemFacts, &bytes);
    return bytes;
}

}  // namespace sysinfo

namespace {

void announce(const StatusCallback& status, const char* text)
{
    if (status)
        status(QString::fromLatin1(text));
}

QString userLocaleName()
{
    for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(var);
        if (!value.isEmpty())
            return value;
    }
    return QLocale::system().name();
}

QString systemLocaleName()
{
    for (const char* file : {"/etc/default/locale", "/etc/locale.conf"}) {
        const QString lang =
            sysinfo::ShellVariable(sysinfo::ReadSystemFile(QString::fromLatin1(file)),
                                   QStringLiteral("LANG"));
        if (!lang.isEmpty())
            return lang;
    }
    return {};
}

QString keyboardSettings()
{
    const QByteArray text = sysinfo::ReadSystemFile(QStringLiteral("/etc/default/keyboard"));
    const QString model = sysinfo::ShellVariable(text, QStringLiteral("XKBMODEL"));
    const QString layout = sysinfo::ShellVariable(text, QStringLiteral("XKBLAYOUT"));
    const QString variant = sysinfo::ShellVariable(text, QStringLiteral("XKBVARIANT"));
    QStringList parts;
    if (!model.isEmpty())
        parts << model;
    if (!layout.isEmpty())
        parts << QStringLiteral("layout ") + layout;
    if (!variant.isEmpty())
        parts << QStringLiteral("variant ") + variant;
    return parts.join(QStringLiteral(", "));
}

bool reachedDisplay()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    const QString platform = QGuiApplication::platformName();
    return !platform.isEmpty() && platform != QLatin1String("offscreen") &&
           !platform.startsWith(QLatin1String("minimal"));
}

}  // namespace

SystemFacts GatherSystemFacts(const StatusCallback& status)
{
    SystemFacts f;

    announce(status, "Finding Linux Version...");
    QByteArray osRelease = sysinfo::ReadSystemFile(QStringLiteral("/etc/os-release"));
    if (osRelease.isEmpty())
        osRelease = sysinfo::ReadSystemFile(QStringLiteral("/usr/lib/os-release"));
    f.distribution = sysinfo::OsReleaseName(osRelease);
    struct utsname u {};
    if (uname(&u) == 0) {
        f.kernelName = QString::fromUtf8(u.sysname);
        f.kernelRelease = QString::fromUtf8(u.release);
        f.kernelVersion = QString::fromUtf8(u.version);
        f.machine = QString::fromUtf8(u.machine);
    }

    announce(status, "Finding processor info...");
    f.cpuModel = sysinfo::CpuModel(sysinfo::ReadSystemFile(QStringLiteral("/proc/cpuinfo")),
                                   &f.cpuCount);
    if (f.cpuCount <= 0)
        f.cpuCount = QThread::idealThreadCount();

    announce(status, "Finding video info...");
    f.display = reachedDisplay();
    QScreen* screen = f.display ? QGuiApplication::primaryScreen() : nullptr;
    if (!screen)
        f.display = false;
    if (f.display) {
        f.platformName = QGuiApplication::platformName();
        f.screenName = screen->name();
        const QSize size = screen->size() * screen->devicePixelRatio();
        f.screenWidth = size.width();
        f.screenHeight = size.height();
        f.screenDepth = screen->depth();
    }

    announce(status, "Finding system settings info...");
    f.keyboard = keyboardSettings();
    f.pointingDevices =
        sysinfo::PointingDevices(sysinfo::ReadSystemFile(QStringLiteral("/proc/bus/input/devices")));

    announce(status, "Finding font size...");
    if (f.display)
        f.fontDpi = int(screen->logicalDotsPerInch());

    announce(status, "Finding memory info...");
    f.memory = sysinfo::ParseMeminfo(sysinfo::ReadSystemFile(QStringLiteral("/proc/meminfo")));

    announce(status, "Finding language info...");
    f.userLocale = userLocaleName();
    f.systemLocale = systemLocaleName();

    announce(status, "Finding country info...");
    const QLocale locale = QLocale::system();
    f.shortDateFormat = locale.dateFormat(QLocale::ShortFormat);
    f.longDateFormat = locale.dateFormat(QLocale::LongFormat);
    f.shortTimeFormat = locale.timeFormat(QLocale::ShortFormat);
    f.longTimeFormat = locale.timeFormat(QLocale::LongFormat);
    f.path = qEnvironmentVariable("PATH");
    return f;
}

}  // namespace dayloom
