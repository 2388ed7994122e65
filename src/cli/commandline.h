#pragma once

#include <QString>
#include <QStringList>

namespace dayloom {

// The program's command line, parsed in one place:
//   dayloom [--program-dir DIR] [DOCUMENT]
//   dayloom --version | --help
//   dayloom [--program-dir DIR] --export OUT [--zoom PERCENT] [--month M]
//           [--year Y] [--fill-recurring] [--months N] DOCUMENT
class CommandLine {
public:
    enum Mode { Window, Version, Help, Export, UsageError };
    // What an export writes, chosen by OUT's extension in any letter case.
    enum ExportKind { NoExport, ExportDocument, ExportPicture, ExportPdf };

    // Arguments after the program name.
    static CommandLine Parse(const QStringList& arguments);
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
    int months = 1;
};

// Runs an --export command line and returns the exit status: 0 done, 1 the
// document cannot be opened, 2 usage error, 3 the result cannot be written.
// Messages go to stderr.
int RunExport(const CommandLine& commandLine);

}  // namespace dayloom
