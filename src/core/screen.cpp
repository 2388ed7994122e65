#include "core/screen.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>

namespace dayloom {

namespace {
int g_ppiOverride = 0;
QString g_programDir;
}  // namespace

int ScreenPPI()
{
    if (g_ppiOverride > 0)
        return g_ppiOverride;
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (QScreen* s = app->primaryScreen())
            return int(s->logicalDotsPerInch());
    }
    return 96;
}

void SetScreenPPI(int ppi) { g_ppiOverride = ppi; }

qint64 TickCount()
{
    static QElapsedTimer timer;
    if (!timer.isValid())
        timer.start();
    return timer.elapsed();
}

static QString withSlash(QString d)
{
    if (!d.endsWith('/'))
        d += '/';
    return d;
}

namespace {
QString g_installedDataDir;
bool g_installedDataDirSet = false;

QString executableDir()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                        : QDir::currentPath();
}

// "../share/dayloom" from the executable's folder, when it exists: the
// program runs from an installation.
QString installationDataDir()
{
    const QFileInfo dir(executableDir() + QStringLiteral("/../share/dayloom"));
    return dir.isDir() ? withSlash(dir.canonicalFilePath()) : QString();
}
}  // namespace

void SetProgramDir(const QString& dir)
{
    g_programDir = dir.isEmpty() ? QString() : withSlash(QDir(dir).absolutePath());
}

QString ProgramDir()
{
    if (!g_programDir.isEmpty())
        return g_programDir;
    const QString exeDir = executableDir();
    const QFileInfo fi(exeDir);
    if (fi.isDir() && fi.isWritable() && installationDataDir().isEmpty()) {
        g_programDir = withSlash(exeDir);
    } else {
        const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QDir().mkpath(data);
        g_programDir = withSlash(data);
    }
    return g_programDir;
}

void SetInstalledDataDir(const QString& dir)
{
    g_installedDataDir = dir.isEmpty() ? QString() : withSlash(QDir(dir).absolutePath());
    g_installedDataDirSet = true;
}

QString InstalledDataDir()
{
    if (!g_installedDataDirSet) {
        // A program that is not installed (a build tree, a portable folder)
        // holds its data in its own folder.
        g_installedDataDir = installationDataDir();
        if (g_installedDataDir.isEmpty())
            g_installedDataDir = withSlash(executableDir());
        g_installedDataDirSet = true;
    }
    return g_installedDataDir;
}

QStringList DataDirs()
{
    QStringList dirs{ProgramDir()};
    if (!InstalledDataDir().isEmpty())
        dirs << InstalledDataDir();
    dirs.removeDuplicates();
    return dirs;
}

QString FileInDirIgnoringCase(const QString& dir, const QString& name)
{
    QDir d(dir);
    if (d.exists(name))
        return d.filePath(name);
    const QStringList entries = d.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return d.filePath(e);
    return d.filePath(name);
}

QString FindDataFile(const QString& relativePath)
{
    for (const QString& base : DataDirs()) {
        QString path = base;
        const QStringList parts = relativePath.split('/', Qt::SkipEmptyParts);
        bool ok = true;
        for (const QString& part : parts) {
            path = FileInDirIgnoringCase(path, part);
            if (!QFileInfo::exists(path)) {
                ok = false;
                break;
            }
        }
        if (ok && !parts.isEmpty())
            return path;
    }
    return {};
}

QStringList FindDataFolders(const QString& relativePath)
{
    QStringList folders;
    const QStringList parts = relativePath.split('/', Qt::SkipEmptyParts);
    for (const QString& base : DataDirs()) {
        QString path = base;
        for (const QString& part : parts)
            path = FileInDirIgnoringCase(path, part);
        if (QFileInfo(path).isDir())
            folders << withSlash(path);
    }
    return folders;
}

QString DataFilePath(const QString& relativePath)
{
    const QString found = FindDataFile(relativePath);
    return found.isEmpty() ? ProgramDir() + relativePath : found;
}

}  // namespace dayloom
