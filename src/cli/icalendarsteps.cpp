#include "cli/icalendarsteps.h"

#include <cstdio>

#include <QFileInfo>

#include "page/icalendarcells.h"
#include "page/tcalendarpanel32.h"
#include "stream/writeerror.h"

namespace dayloom {

namespace {

void printErr(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fputs("\n", stderr);
}

bool monthPage(const TCalendarPanel32& page, const QString& what)
{
    if (ICalendarCellsAvailable(page))
        return true;
    printErr(what + QStringLiteral(" needs a document that shows one month (not a planner or a "
                                   "sheet of minis)"));
    return false;
}

}  // namespace

int ReadICalendarFiles(const TCalendarPanel32& page, const QStringList& files,
                       std::vector<ICalendarFile>& read)
{
    read.clear();
    if (files.isEmpty())
        return 0;
    if (!monthPage(page, QStringLiteral("--import-ics")))
        return 2;
    for (const QString& name : files) {
        const QString path = QFileInfo(name).absoluteFilePath();
        try {
            read.push_back(ICalendarFile::FromFile(path));
        } catch (const ICalendarError& e) {
            printErr(ICalendarImportFailure(path, e.reason()));
            read.clear();
            return 1;
        }
    }
    return 0;
}

void PutICalendarFiles(TCalendarPanel32& page, const std::vector<ICalendarFile>& files,
                       const QTextCharFormat& defaultFormat)
{
    for (const ICalendarFile& file : files)
        ImportICalendarIntoMonth(page, file, page.MainCalYear(), page.MainCalMonth(), defaultFormat);
}

int ImportICalendarFiles(TCalendarPanel32& page, const QStringList& files,
                         const QTextCharFormat& defaultFormat)
{
    std::vector<ICalendarFile> read;
    if (int status = ReadICalendarFiles(page, files, read))
        return status;
    PutICalendarFiles(page, read, defaultFormat);
    return 0;
}

int ExportICalendarFile(const TCalendarPanel32& page, const QString& path)
{
    if (!monthPage(page, QStringLiteral("--export to .ics")))
        return 2;
    try {
        ExportCellTextsAsICalendar(page, QFileInfo(path).absoluteFilePath());
    } catch (const WriteError& e) {
        printErr(e.message());
        return 3;
    }
    return 0;
}

}  // namespace dayloom
