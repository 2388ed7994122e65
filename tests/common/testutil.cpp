#include "common/testutil.h"

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

}  // namespace dayloom::test
