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

void SetProgramDir(const QString& dir)
{
    g_programDir = dir.isEmpty() ? QString() : withSlash(QDir(dir).absolutePath());
}

QString ProgramDir()
{
    if (!g_programDir.isEmpty())
        return g_programDir;
    QString exeDir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                                  : QDir::currentPath();
    QFileInfo fi(exeDir);
    if (fi.isDir() && fi.isWritable()) {
        g_programDir = withSlash(exeDir);
    } else {
        QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QDir().mkpath(data);
        g_programDir = withSlash(data);
    }
    return g_programDir;
}

QStringList DataDirs()
{
    QStringList dirs{ProgramDir(), withSlash(QStringLiteral(DAYLOOM_DATA_INSTALL_DIR)),
                     withSlash(QStringLiteral(DAYLOOM_SOURCE_DATA_DIR))};
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

}  // namespace dayloom
