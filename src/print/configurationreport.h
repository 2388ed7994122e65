#pragma once

#include <functional>

#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include "core/systeminformation.h"
#include "core/tcolor.h"

namespace dayloom {

// One installed printer as the printing system (CUPS) reports it.
struct PrinterFact {
    QString name;
    QString makeAndModel;
    QString location;
    QString state;  // "idle", "printing", "stopped" or "error"
};

// Lists the installed printers and sets *defaultPrinter to the default one
// (empty when none is set). The printing system is reached through Qt's print
// support, which the command line's exports do not load.
using PrinterLister = std::function<QList<PrinterFact>(QString* defaultPrinter)>;

// Everything the report tells about the system.
struct ConfigurationFacts {
    SystemFacts system;
    QList<PrinterFact> printers;
    QString defaultPrinter;  // empty when none is set
};

// The preferences the report lists (the main window's, or DL.ini's for a
// command-line report).
struct ConfigurationSettings {
    int MainZoom = 60;
    int PropZoom = 30;
    QString DefaultFontName = QStringLiteral("Arial");
    int DefaultFontSize = 10;
    bool DefaultFontBold = false;
    bool DefaultFontItalic = false;
    bool DefaultFontUnderline = false;
    TColor DefaultFontColor = clBlack;
    QString IconFile;
    bool IconsVisible = true;
    bool ShowHints = true;
};

// The configuration report: plain-text lines a user hands to technical
// support. Labels are padded to one width and followed by a tab.
class ConfigurationReport {
public:
    // Gathers the system's facts and the printers printers lists (it also
    // names the default one); status gets the text of each step as it starts
    // (the last is "Finding printer info...").
    static ConfigurationFacts Gather(const PrinterLister& printers, const StatusCallback& status = {});

    // The report's lines. Dates, times and numbers are formatted for locale.
    static QStringList Lines(const ConfigurationFacts& facts, const ConfigurationSettings& settings,
                             const QDateTime& now, const QLocale& locale);
    // The lines as one text, each ended by a line feed.
    static QString Text(const QStringList& lines);

    // Pieces of the environment block.
    // Colours of a display with this many bits per pixel.
    static QString ColorCount(int bitsPerPixel);
    // Which font size a screen of this many dots per inch uses.
    static QString FontSizeText(int dpi);
    // A number with its digits grouped in threes by the locale's separator
    // (",", when the locale has none).
    static QString GroupedNumber(qint64 value, const QLocale& locale);
};

}  // namespace dayloom
