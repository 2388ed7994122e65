#include "ui/oldrecurringfile.h"

#include <QFile>
#include <QSaveFile>

#include "core/cp1252.h"
#include "core/screen.h"

namespace dayloom {

QString ConvertOldRecurringLine(const QString& line)
{
    QString text = line.mid(4, 150).leftJustified(120, u' ', true);
    return text + u'@' + line.left(4).leftJustified(10, u' ');
}

bool MigrateOldRecurringFile(const QString& dir)
{
    const QString oldPath = FileInDirIgnoringCase(dir, QStringLiteral("DLRECUR.DAT"));
    if (!QFile::exists(oldPath))
        return false;
    QFile in(oldPath);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = in.readAll();
    in.close();
    QByteArrayList lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();  // the end of the last line, not an empty line
    QByteArray out;
    out.reserve(lines.size() * 133);
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        out += toCp1252(ConvertOldRecurringLine(fromCp1252(line)));
        out += "\r\n";
    }
    QSaveFile dax(FileInDirIgnoringCase(dir, QStringLiteral("DLRECUR.DAX")));
    if (!dax.open(QIODevice::WriteOnly) || dax.write(out) != out.size() || !dax.commit())
        return false;
    QFile::remove(oldPath);
    return true;
}

}  // namespace dayloom
