#include "ui/documenttyperegistration.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "core/fileaccess.h"

namespace dayloom {

namespace {

bool writeFile(const QString& path, const QByteArray& bytes, QString* error)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (SaveFileContents(path, bytes))
        return true;
    if (error)
        *error = QStringLiteral("Unable to write ") + path;
    return false;
}

void runTool(const QString& tool, const QString& folder)
{
    const QString exe = QStandardPaths::findExecutable(tool);
    if (exe.isEmpty())
        return;
    QProcess process;
    process.start(exe, {folder});
    process.waitForFinished(10000);
}

QString desktopQuoted(const QString& path)
{
    QString q = path;
    q.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    q.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    q.replace(QLatin1Char('`'), QStringLiteral("\\`"));
    q.replace(QLatin1Char('$'), QStringLiteral("\\$"));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QString xmlEscaped(const QString& text) { return text.toHtmlEscaped(); }

}  // namespace

QByteArray DocumentTypeRegistration::MimeXml(const QString& extension)
{
    const QString ext = extension.startsWith(QLatin1Char('.')) ? extension.mid(1) : extension;
    QString xml = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"%1\">\n"
        "    <comment>Dayloom File</comment>\n"
        "    <glob pattern=\"*.%2\"/>\n"
        "    <glob pattern=\"*.%3\"/>\n"
        "  </mime-type>\n"
        "</mime-info>\n")
                      .arg(MimeType(), xmlEscaped(ext.toUpper()), xmlEscaped(ext.toLower()));
    return xml.toUtf8();
}

QByteArray DocumentTypeRegistration::DesktopEntry(const QString& program)
{
    QString entry = QStringLiteral(
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=Dayloom\n"
        "Comment=Design and print calendar pages\n"
        "Exec=%1 %f\n"
        "Icon=dayloom\n"
        "Terminal=false\n"
        "Categories=Office;Calendar;\n"
        "MimeType=%2;\n")
                        .arg(program.isEmpty() ? QStringLiteral("dayloom") : desktopQuoted(program),
                             MimeType());
    return entry.toUtf8();
}

bool DocumentTypeRegistration::Register(const QString& extension, const QString& program,
                                        QString* error)
{
    QString ext = extension.trimmed();
    if (ext.isEmpty() || ext == QLatin1String("."))
        return false;
    if (!ext.startsWith(QLatin1Char('.')))
        ext.prepend(QLatin1Char('.'));
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty()) {
        if (error)
            *error = QStringLiteral("No data folder to register the document type in");
        return false;
    }
    const QString mimeDir = data + QStringLiteral("/mime");
    const QString appsDir = data + QStringLiteral("/applications");
    if (!writeFile(mimeDir + QStringLiteral("/packages/dayloom-mime.xml"), MimeXml(ext), error))
        return false;
    if (!writeFile(appsDir + QStringLiteral("/dayloom.desktop"), DesktopEntry(program), error))
        return false;
    runTool(QStringLiteral("update-mime-database"), mimeDir);
    runTool(QStringLiteral("update-desktop-database"), appsDir);
    return true;
}

}  // namespace dayloom
