#pragma once

#include <QString>
#include <QStringList>

#include "print/configurationreport.h"

namespace dayloom {

// The program's command line, parsed in one place:
//   dayloom [--program-dir DIR] [DOCUMENT]
//   dayloom [--program-dir DIR] --configuration
//   dayloom --version | --help
//   dayloom [--program-dir DIR] --export OUT [--zoom PERCENT | --dpi N]
//           [--month M] [--year Y] [--fill-recurring] [--import-ics FILE]...
//           [--months N | --pages N] DOCUMENT
//   dayloom --icons LIBRARY OUTDIR
class CommandLine {
public:
    enum Mode { Window, Version, Help, Export, Icons, Configuration, UsageError };
    // What an export writes, chosen by OUT's extension in any letter case.
    enum ExportKind { NoExport, ExportDocument, ExportPicture, ExportPdf, ExportICalendar };

    // Arguments after the program name.
    static CommandLine Parse(const QStringList& arguments);
    // The program's own arguments (argv[1] on) in the locale's encoding.
    static CommandLine Parse(int argc, char** argv);
    static QString Usage();
    static QString VersionLine();

    Mode mode = Window;
    QString error;  // the usage error's message
    QString programDir;
    QString document;
    QStringList windowArguments;  // the window's arguments (document first)
    QString exportFile;
    ExportKind exportKind = NoExport;
    QString pictureFormat;  // "png", "bmp" or "jpg"
    int zoomPercent = 100;
    int month = 0;  // 0: the document's own
    int year = 0;
    bool fillRecurring = false;
    QStringList importFiles;  // --import-ics, in command-line order
    int months = 1;
    bool monthsGiven = false;
    int pages = 1;  // --pages: planner pages of a PDF
    bool pagesGiven = false;
    int dpi = 0;    // --dpi: pictures drawn at this resolution (0: at --zoom)
    QString iconLibrary;  // --icons LIBRARY OUTDIR
    QString iconFolder;
};

// The program's exit statuses. When several apply, the first of usage,
// input, output, partial read counts.
enum ExitStatus {
    ExitSuccess = 0,
    ExitInputUnreadable = 1,  // the document (or another input) cannot be read
    ExitUsage = 2,
    ExitOutputUnwritable = 3,
    ExitPartialRead = 4,      // the document was read only in part
};

// Prints the configuration report (as Help > Configuration Information shows
// it, with the preferences of DL.ini and the printers printers lists) to
// stdout and returns 0.
int RunConfiguration(const CommandLine& commandLine, const PrinterLister& printers);

// Runs an --export command line and returns the exit status. Messages go
// to stderr.
int RunExport(const CommandLine& commandLine);

// Runs an --icons command line: prints the number of icons of LIBRARY on the
// first line of stdout and writes icon n as OUTDIR/n.png (n from 0, 32 x 32
// with transparency, as the icon palette draws it). Returns 0 done; 1 when
// LIBRARY is missing, unreadable or holds no icons ("No icons found in "
// LIBRARY on stderr); 3 when OUTDIR is not an existing writable folder or a
// picture cannot be written. An icon that cannot be read writes no file and
// a line on stderr.
int RunIcons(const CommandLine& commandLine);

}  // namespace dayloom
