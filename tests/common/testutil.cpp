#include "common/testutil.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>

namespace dayloom::test {

QString DataPath(const QString& name)
{
    return QStringLiteral(DAYLOOM_TEST_DATA_DIR) + QLatin1Char('/') + name;
}

QString SourcePath(const QString& relative)
{
    return QStringLiteral(DAYLOOM_SOURCE_DIR) + QLatin1Char('/') + relative;
}

QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void SaveShot(const QImage& image, const QString& name)
{
    const QString dir = qEnvironmentVariable("DAYLOOM_TEST_SHOTS");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    image.save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

QString MakeFifo(const QString& path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0 ? path : QString();
}

QString MakeSparseFile(const QString& path, qint64 size)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || !f.resize(size))
        return {};
    return path;
}

bool IsCharacterDevice(const QString& path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISCHR(st.st_mode);
}

}  // namespace dayloom::test
