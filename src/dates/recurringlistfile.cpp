#include "dates/recurringlistfile.h"

#include <QFile>
#include <QFileInfo>

#include "core/cp1252.h"
#include "core/fileaccess.h"
#include "core/readerror.h"
#include "core/screen.h"
#include "dates/recurringdates.h"

namespace dayloom {

namespace {

const QString kListName = QStringLiteral("DLRECUR.DAX");
const QString kOldListName = QStringLiteral("DLRECUR.DAT");

QString withSlash(const QString& dir)
{
    return dir.endsWith(u'/') || dir.isEmpty() ? dir : dir + u'/';
}

QStringList readLines(const QString& path)
{
    QByteArray bytes;
    const InputFault fault = ReadInputFile(path, InputKind::RecurringList, &bytes);
    if (fault != InputFault::None)
        throw ReadError(
            QStringLiteral("Cannot open file \"%1\". %2").arg(path, InputFaultText(fault)));
    return ParseRecurringLines(bytes);
}

}  // namespace

QString RecurringListPath(const QString& programDir)
{
    return FileInDirIgnoringCase(withSlash(programDir), kListName);
}

bool RecurringListExists(const QString& programDir)
{
    return QFileInfo::exists(RecurringListPath(programDir));
}

QStringList ParseRecurringLines(const QByteArray& bytes)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0)
            end = bytes.size();
        else if (end > start && bytes.at(end - 1) == '\r')
            --end;
        lines << fromCp1252(bytes.constData() + start, end - start);
        start = next;
    }
    return lines;
}

QByteArray FormatRecurringLines(const QStringList& lines)
{
    QByteArray out;
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2;
    out.reserve(size);
    for (const QString& line : lines) {
        out += toCp1252(line);
        out += "\r\n";
    }
    return out;
}

QStringList LoadRecurringList(const QString& programDir)
{
    const QString path = RecurringListPath(programDir);
    // No list is an empty one; a folder or a pipe of that name is an error.
    if (!QFileInfo::exists(path))
        return {};
    return readLines(path);
}

void SaveRecurringList(const QStringList& lines, const QString& programDir)
{
    const QString path = RecurringListPath(programDir);
    QString reason;
    if (!SaveFileContents(path, FormatRecurringLines(lines), &reason))
        throw RecurringFileError(
            QStringLiteral("Cannot create file \"%1\". %2").arg(path, reason).toStdString());
}

bool MigrateOldRecurringDates(const QString& programDir)
{
    const QString oldPath = FileInDirIgnoringCase(withSlash(programDir), kOldListName);
    if (!QFileInfo(oldPath).isFile())
        return false;
    QStringList lines;
    try {
        lines = readLines(oldPath);
    } catch (const ReadError&) {
        return false;
    }
    for (QString& line : lines)
        line = Pad(line.mid(4, 150), kEventTextWidth) + u'@' + Pad(line.left(4), kFormulaWidth);
    try {
        SaveRecurringList(lines, programDir);
    } catch (const RecurringFileError&) {
        return false;
    }
    QFile::remove(oldPath);
    return true;
}

}  // namespace dayloom
