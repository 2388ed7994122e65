#include "cli/commandline.h"

#include <cstdio>

#include <QDir>
#include <QFileInfo>

#include <QTextCharFormat>

#include "cli/icalendarsteps.h"
#include "core/screen.h"
#include "core/version.h"
#include "core/zoom.h"
#include "page/calendardocument.h"
#include "page/documentpage.h"
#include "page/recurringfill.h"
#include "page/tcalendarpanel32.h"
#include "dates/recurringlistfile.h"
#include "print/calendarprintjob.h"
#include "print/configurationreport.h"
#include "print/pdfexport.h"
#include "print/pictureexport.h"
#include "richtext/richtextformat.h"
#include "stream/inifile.h"
#include "stream/preferences.h"

namespace dayloom {

namespace {

bool takeValue(const QStringList& args, int& i, const QString& name, QString* value,
               QString* error)
{
    const QString& arg = args[i];
    if (arg.startsWith(name + u'=')) {
        *value = arg.mid(name.size() + 1);
    } else if (i + 1 < args.size()) {
        *value = args[++i];
    } else {
        *error = name + QStringLiteral(" needs a value");
        return false;
    }
    if (value->isEmpty()) {
        *error = name + QStringLiteral(" needs a value");
        return false;
    }
    return true;
}

bool takeNumber(const QStringList& args, int& i, const QString& name, int low, int high,
                int* number, QString* error)
{
    QString text;
    if (!takeValue(args, i, name, &text, error))
        return false;
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < low || n > high) {
        *error = QStringLiteral("%1 must be a number from %2 to %3").arg(name).arg(low).arg(high);
        return false;
    }
    *number = n;
    return true;
}

void printErr(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fputs("\n", stderr);
}

// The default editor font of DL.ini: what texts put into empty cells get.
QTextCharFormat defaultCellFormat()
{
    const Preferences prefs = ReadPreferences(IniFile(IniFileName()));
    const int style = (prefs.DefaultFontBold ? 1 : 0) | (prefs.DefaultFontItalic ? 2 : 0) |
                      (prefs.DefaultFontUnderline ? 4 : 0) | (prefs.DefaultFontStrikeout ? 8 : 0);
    return CharFormatFor(prefs.DefaultFontName, prefs.DefaultFontSize, style,
                         ToQColor(prefs.DefaultFontColor));
}

// --fill-recurring, after --month / --year and before the result is written:
// every entry of ProgramDir's list that can fall in the page's month goes
// into its cells in the default editor font of DL.ini, as the window's Fill
// Calendar with Recurring Dates does when every offered entry is chosen. A
// missing list or a month no entry matches writes nothing. False when the
// list cannot be read.
bool fillRecurringStep(TCalendarPanel32& page)
{
    try {
        FillMonthFromRecurringList(page, ProgramDir(), defaultCellFormat());
    } catch (const std::exception&) {
        printErr(QStringLiteral("Unable to read the recurring dates of ") + ProgramDir());
        return false;
    }
    return true;
}

// The page an export reads the document into, owned the way the window owns
// its page: the owner names the page objects and holds the shared renderer.
struct ExportPage {
    QObject owner;
    TCalendarPanel32* page = new TCalendarPanel32(&owner);
};

// Opens DOCUMENT into the page as the window's Open does (without widgets),
// with its border picture, then applies --month, --year, --fill-recurring
// and --import-ics. Returns 0, ExitPartialRead after the warning when the
// document was read only in part, or the exit status after the message.
int openForExport(const CommandLine& cl, ExportPage& target)
{
    TCalendarPanel32& page = *target.page;
    const QString source = QFileInfo(cl.document).absoluteFilePath();
    if (!QFileInfo::exists(source)) {
        printErr(QStringLiteral("File ") + source + QStringLiteral(" no longer exists"));
        return ExitInputUnreadable;
    }
    DocumentLoadResult loaded;
    PrepareDocumentPage(&target.owner, page);
    page.ResetPage();
    try {
        loaded = ReadDocumentInto(page, source, &target.owner);
    } catch (const std::exception&) {
        printErr(UnableToOpenText(source));
        return ExitInputUnreadable;
    }
    if (cl.month != 0)
        page.SetMainCalMonth(cl.month);
    if (cl.year != 0)
        page.SetMainCalYear(cl.year);
    // A PDF puts the recurring dates and events into each of its months.
    const bool perMonth = cl.exportKind == CommandLine::ExportPdf;
    if (!perMonth && cl.fillRecurring && !fillRecurringStep(page))
        return ExitInputUnreadable;
    if (!perMonth && !cl.importFiles.isEmpty()) {
        if (const int status = ImportICalendarFiles(page, cl.importFiles, defaultCellFormat()))
            return status;
    }
    if (loaded.Partial()) {
        printErr(PartialReadText(loaded.ObjectsRead));
        return ExitPartialRead;
    }
    return ExitSuccess;
}

// The status once the result was written or not: an unwritten result comes
// before a partial read.
int afterWriting(int openStatus, bool written)
{
    return written ? openStatus : int(ExitOutputUnwritable);
}

bool fatal(int openStatus) { return openStatus != ExitSuccess && openStatus != ExitPartialRead; }

// One function per kind of result; each returns the exit status.
// Writes the opened document as the window's Save does.
int exportDocument(const CommandLine& cl)
{
    ExportPage opened;
    const int status = openForExport(cl, opened);
    if (fatal(status))
        return status;
    const QString target = QFileInfo(cl.exportFile).absoluteFilePath();
    try {
        CalendarDocument::SaveToFile(*opened.page, target);
    } catch (const std::exception&) {
        printErr(QStringLiteral("Unable to save ") + target);
        return afterWriting(status, false);
    }
    return afterWriting(status, true);
}

// Writes the opened page as the window's picture export does at --zoom (the
// window's own zoom steps for 20, 30 .. 100, else PERCENT / 100).
int exportPicture(const CommandLine& cl)
{
    ExportPage opened;
    const int status = openForExport(cl, opened);
    if (fatal(status))
        return status;
    TCalendarPanel32& page = *opened.page;
    const int percent = cl.zoomPercent;
    const bool windowStep = percent >= 20 && percent <= 100 && percent % 10 == 0;
    const Zoom zoom = windowStep ? Zoom::FromPercent(percent) : Zoom(float(percent) / 100.0f);
    const QString target = QFileInfo(cl.exportFile).absoluteFilePath();
    const PictureExport::Format format = cl.pictureFormat == QLatin1String("png")
        ? PictureExport::Png
        : cl.pictureFormat == QLatin1String("jpg") ? PictureExport::Jpeg : PictureExport::Bitmap;
    const bool saved = cl.dpi > 0 ? PictureExport::SaveCalendarAtResolution(page, target, format, cl.dpi)
                                  : PictureExport::SaveCalendarToBitmap(page, target, format, zoom);
    if (!saved) {
        printErr(QStringLiteral("Unable to save ") + target);
        return afterWriting(status, false);
    }
    return afterWriting(status, true);
}

// Writes the cell texts of the opened page's month as iCalendar.
int exportICalendar(const CommandLine& cl)
{
    ExportPage opened;
    if (int status = openForExport(cl, opened))
        return status;
    return ExportICalendarFile(*opened.page, cl.exportFile);
}

// Prints the opened page into a PDF file: --months N months or --pages N
// planner pages, each month with the recurring dates and events of its own.
int exportPdf(const CommandLine& cl)
{
    ExportPage opened;
    const int status = openForExport(cl, opened);
    if (fatal(status))
        return status;
    TCalendarPanel32& page = *opened.page;
    const bool planner = CalendarPrintJob::PlannerSpanDays(page) > 0;
    if (cl.monthsGiven && planner) {
        printErr(QStringLiteral("dayloom: --months does not apply to a planner; use --pages"));
        return ExitUsage;
    }
    if (cl.pagesGiven && !planner) {
        printErr(QStringLiteral("dayloom: --pages applies only to a planner; use --months"));
        return ExitUsage;
    }
    PrintJobOptions options;
    options.Count = planner ? cl.pages : cl.months;
    options.FillRecurring = cl.fillRecurring && page.LayoutKind() == 0;
    options.RecurringFolder = ProgramDir();
    options.DefaultFormat = defaultCellFormat();
    if (const int read = ReadICalendarFiles(page, cl.importFiles, options.Calendars))
        return read;
    if (options.FillRecurring) {
        // The list is read once here, so that a list that cannot be read is
        // told apart from a file that cannot be written.
        try {
            LoadRecurringList(options.RecurringFolder);
        } catch (const std::exception&) {
            printErr(QStringLiteral("Unable to read the recurring dates of ") + ProgramDir());
            return ExitInputUnreadable;
        }
    }
    const QString target = QFileInfo(cl.exportFile).absoluteFilePath();
    bool written = false;
    try {
        written = PdfExport::Save(page, target, options);
    } catch (const std::exception&) {
        written = false;
    }
    if (!written)
        printErr(QStringLiteral("Unable to save ") + target);
    return afterWriting(status, written);
}

}  // namespace

QString CommandLine::VersionLine() { return QStringLiteral("Dayloom ") + VersionText(); }

QString CommandLine::Usage()
{
    return QStringLiteral(
        "dayloom [--program-dir DIR] [DOCUMENT]            the window; opens DOCUMENT at start-up\n"
        "dayloom --version                                 prints \"Dayloom 3.2q\" and exits 0\n"
        "dayloom --help                                    prints this usage and exits 0\n"
        "dayloom [--program-dir DIR] --configuration       prints the configuration report\n"
        "    (program, system, printers, preferences) for a bug report; needs no display.\n"
        "dayloom [--program-dir DIR] --export OUT [--zoom PERCENT | --dpi N] [--month M] [--year Y]\n"
        "        [--fill-recurring] [--import-ics FILE]... [--months N | --pages N] DOCUMENT\n"
        "    OUT's extension (any letter case) picks the result: .dlf saves the document as the Save\n"
        "    command does; .png, .bmp, .jpg write the page as the picture-export command does, at\n"
        "    PERCENT (default 100), or drawn at N dots per inch with --dpi N (72..600); .pdf prints\n"
        "    the page at true size as the print command does (--months N: N pages, one per month\n"
        "    from the document's month on; --pages N for the week and day planners, each page\n"
        "    moving on by the planner's span; 1..120); .ics writes the texts of the month's day\n"
        "    cells as all-day iCalendar events.\n"
        "    --month/--year set MainCalMonth/MainCalYear first; --fill-recurring fills the month\n"
        "    (each month of a PDF) from ProgramDir's recurring-date list with every offered entry\n"
        "    chosen; then each --import-ics FILE puts the iCalendar events of the month (each month\n"
        "    of a PDF) into its day cells.\n"
        "    --export never needs a display: with no display it runs on the offscreen "
        "platform.\n"
        "dayloom --icons LIBRARY OUTDIR\n"
        "    Prints the number of icons in LIBRARY (.ico, .icl, .nil, .exe, .dll) and writes "
        "icon n\n"
        "    as OUTDIR/n.png (n from 0, 32 x 32 with transparency, as the icon palette shows "
        "it).\n"
        "    An icon that cannot be read writes no file and a line on stderr. Needs no "
        "display.\n"
        "\n"
        "Exit status (when several apply, the first of 2, 1, 3, 4; messages go to stderr):\n"
        "    0  success\n"
        "    1  an input (the document, an iCalendar file) cannot be read (\"Unable to open ...\";\n"
        "       for --icons: LIBRARY is "
        "missing,\n"
        "       unreadable or holds no icons, \"No icons found in LIBRARY\")\n"
        "    2  usage error\n"
        "    3  the output cannot be written (\"Unable to save ...\"; for --icons: OUTDIR is "
        "not an\n"
        "       existing writable folder or a picture cannot be written)\n"
        "    4  the document was read only in part (\"N objects were read; ...\"); the output\n"
        "       was written without the objects that could not be read\n");
}

CommandLine CommandLine::Parse(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return Parse(args);
}

CommandLine CommandLine::Parse(const QStringList& args)
{
    CommandLine cl;
    auto fail = [&cl](const QString& message) {
        cl.mode = UsageError;
        cl.error = message;
        return cl;
    };
    if (args.contains(QStringLiteral("--help"))) {
        cl.mode = Help;
        return cl;
    }
    if (args.contains(QStringLiteral("--version"))) {
        cl.mode = Version;
        return cl;
    }
    bool zoomGiven = false, monthsGiven = false, iconsGiven = false;
    QStringList positional;
    bool optionsEnded = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (optionsEnded || !arg.startsWith(QLatin1String("--"))) {
            positional << arg;
            continue;
        }
        const QString name = arg.section(u'=', 0, 0);
        QString error;
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
        } else if (name == QLatin1String("--program-dir")) {
            if (!takeValue(args, i, name, &cl.programDir, &error))
                return fail(error);
        } else if (name == QLatin1String("--export")) {
            if (!takeValue(args, i, name, &cl.exportFile, &error))
                return fail(error);
            if (cl.mode == Configuration)
                return fail(QStringLiteral("--configuration and --export exclude each other"));
            cl.mode = Export;
        } else if (name == QLatin1String("--zoom")) {
            if (!takeNumber(args, i, name, 10, 400, &cl.zoomPercent, &error))
                return fail(error);
            zoomGiven = true;
        } else if (name == QLatin1String("--month")) {
            if (!takeNumber(args, i, name, 1, 12, &cl.month, &error))
                return fail(error);
        } else if (name == QLatin1String("--year")) {
            if (!takeNumber(args, i, name, 1, 9999, &cl.year, &error))
                return fail(error);
        } else if (name == QLatin1String("--months")) {
            if (!takeNumber(args, i, name, 1, 120, &cl.months, &error))
                return fail(error);
            monthsGiven = true;
        } else if (name == QLatin1String("--pages")) {
            if (!takeNumber(args, i, name, 1, 120, &cl.pages, &error))
                return fail(error);
            cl.pagesGiven = true;
        } else if (name == QLatin1String("--dpi")) {
            if (!takeNumber(args, i, name, 72, 600, &cl.dpi, &error))
                return fail(error);
        } else if (name == QLatin1String("--icons")) {
            if (!takeValue(args, i, name, &cl.iconLibrary, &error))
                return fail(error);
            iconsGiven = true;
        } else if (arg == QLatin1String("--configuration")) {
            if (cl.mode == Export)
                return fail(QStringLiteral("--configuration and --export exclude each other"));
            cl.mode = Configuration;
        } else if (arg == QLatin1String("--fill-recurring")) {
            cl.fillRecurring = true;
        } else if (name == QLatin1String("--import-ics")) {
            QString file;
            if (!takeValue(args, i, name, &file, &error))
                return fail(error);
            cl.importFiles << file;
        } else {
            return fail(QStringLiteral("unknown option ") + name);
        }
    }
    if (!cl.programDir.isEmpty() && !QFileInfo(cl.programDir).isDir())
        return fail(QStringLiteral("--program-dir: no such folder: ") + cl.programDir);

    cl.monthsGiven = monthsGiven;
    const bool printOptions = monthsGiven || cl.pagesGiven || cl.dpi > 0;
    if (iconsGiven) {
        if (cl.mode == Export || cl.mode == Configuration || zoomGiven || printOptions || cl.month || cl.year ||
            cl.fillRecurring || !cl.programDir.isEmpty())
            return fail(QStringLiteral("--icons takes no other option"));
        if (positional.size() != 1)
            return fail(QStringLiteral("--icons needs a LIBRARY and an OUTDIR"));
        cl.mode = Icons;
        cl.iconFolder = positional.first();
        return cl;
    }

    if (cl.mode == Configuration) {
        if (zoomGiven || printOptions || cl.month || cl.year || cl.fillRecurring)
            return fail(QStringLiteral("--zoom, --dpi, --month, --year, --fill-recurring, --months "
                                       "and --pages need --export"));
        if (!positional.isEmpty())
            return fail(QStringLiteral("--configuration takes no DOCUMENT"));
        return cl;
    }
    if (cl.mode != Export) {
        if (zoomGiven || printOptions || cl.month || cl.year || cl.fillRecurring ||
            !cl.importFiles.isEmpty())
            return fail(QStringLiteral("--zoom, --dpi, --month, --year, --fill-recurring, "
                                       "--import-ics, --months and --pages need --export"));
        cl.windowArguments = positional;
        if (!positional.isEmpty())
            cl.document = positional.first();
        return cl;
    }

    if (positional.isEmpty())
        return fail(QStringLiteral("--export needs a DOCUMENT"));
    if (positional.size() > 1)
        return fail(QStringLiteral("--export takes one DOCUMENT"));
    cl.document = positional.first();
    const QString suffix = QFileInfo(cl.exportFile).suffix().toLower();
    if (suffix == QLatin1String("dlf")) {
        cl.exportKind = ExportDocument;
    } else if (suffix == QLatin1String("png") || suffix == QLatin1String("bmp") ||
               suffix == QLatin1String("jpg")) {
        cl.exportKind = ExportPicture;
        cl.pictureFormat = suffix;
    } else if (suffix == QLatin1String("pdf")) {
        cl.exportKind = ExportPdf;
    } else if (suffix == QLatin1String("ics")) {
        cl.exportKind = ExportICalendar;
    } else {
        return fail(QStringLiteral("--export: OUT must end in .dlf, .png, .bmp, .jpg, .pdf or .ics"));
    }
    if (zoomGiven && cl.exportKind != ExportPicture)
        return fail(QStringLiteral("--zoom applies only to .png, .bmp and .jpg"));
    if (monthsGiven && cl.exportKind != ExportPdf)
        return fail(QStringLiteral("--months applies only to .pdf"));
    if (cl.pagesGiven && cl.exportKind != ExportPdf)
        return fail(QStringLiteral("--pages applies only to .pdf"));
    if (monthsGiven && cl.pagesGiven)
        return fail(QStringLiteral("--months and --pages exclude each other"));
    if (cl.dpi > 0 && zoomGiven)
        return fail(QStringLiteral("--dpi and --zoom exclude each other"));
    if (cl.dpi > 0 && cl.exportKind != ExportPicture)
        return fail(QStringLiteral("--dpi applies only to .png, .bmp and .jpg"));
    return cl;
}

int RunConfiguration(const CommandLine&, const PrinterLister& printers)
{
    const Preferences prefs = ReadPreferences(IniFile(IniFileName()));
    ConfigurationSettings settings;
    settings.MainZoom = prefs.MainZoom;
    settings.PropZoom = prefs.PropZoom;
    settings.DefaultFontName = prefs.DefaultFontName;
    settings.DefaultFontSize = prefs.DefaultFontSize;
    settings.DefaultFontBold = prefs.DefaultFontBold;
    settings.DefaultFontItalic = prefs.DefaultFontItalic;
    settings.DefaultFontUnderline = prefs.DefaultFontUnderline;
    settings.DefaultFontColor = prefs.DefaultFontColor;
    settings.IconFile = prefs.IconFile;
    settings.IconsVisible = prefs.IconsVisible;
    settings.ShowHints = prefs.ShowHints;
    const QStringList lines = ConfigurationReport::Lines(
        ConfigurationReport::Gather(printers), settings, QDateTime::currentDateTime(), QLocale::system());
    std::fputs(ConfigurationReport::Text(lines).toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
    return 0;
}

int RunExport(const CommandLine& cl)
{
    switch (cl.exportKind) {
    case CommandLine::ExportDocument:
        return exportDocument(cl);
    case CommandLine::ExportPicture:
        return exportPicture(cl);
    case CommandLine::ExportPdf:
        return exportPdf(cl);
    case CommandLine::ExportICalendar:
        return exportICalendar(cl);
    case CommandLine::NoExport:
        break;
    }
    return ExitUsage;
}

}  // namespace dayloom
