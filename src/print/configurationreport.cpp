#include "print/configurationreport.h"


#include "core/version.h"

namespace dayloom {

namespace {

// "User: a;    System: b", the pattern of the language and country lines.
QString userAndSystem(const QString& user, const QString& system)
{
    return QStringLiteral("User: ") + user + QStringLiteral(";    System: ") + system;
}

QString languageOf(const QString& localeName)
{
    if (localeName.isEmpty())
        return QStringLiteral("not set");
    const QLocale locale(localeName);
    return QLocale::languageToString(locale.language()) + QStringLiteral(" (") + localeName +
           QLatin1Char(')');
}

QString countryOf(const QString& localeName)
{
    if (localeName.isEmpty())
        return QStringLiteral("not set");
    const QLocale locale(localeName);
    if (locale.territory() == QLocale::AnyTerritory)
        return QStringLiteral("none (") + localeName + QLatin1Char(')');
    return QLocale::territoryToString(locale.territory());
}

QString systemLine(const SystemFacts& s)
{
    QString text = s.distribution.isEmpty() ? QStringLiteral("Linux") : s.distribution;
    if (!s.kernelRelease.isEmpty()) {
        text += QStringLiteral(" (") + (s.kernelName.isEmpty() ? QStringLiteral("Linux") : s.kernelName) +
                QLatin1Char(' ') + s.kernelRelease;
        if (!s.kernelVersion.isEmpty())
            text += QStringLiteral(" build:") + s.kernelVersion;
        text += QLatin1Char(')');
    }
    return text;
}

QString processorLine(const SystemFacts& s)
{
    QString text = QStringLiteral("Processor:  ") + s.machine;
    if (!s.cpuModel.isEmpty())
        text += QLatin1Char(' ') + s.cpuModel;
    if (s.cpuCount == 1)
        text += QStringLiteral(" (1 processor)");
    else if (s.cpuCount > 1)
        text += QStringLiteral(" (%1 processors)").arg(s.cpuCount);
    return text;
}

const QString kNoDisplay = QStringLiteral("No display was found");

QString memoryPair(qint64 total, qint64 available, const QLocale& locale)
{
    return QStringLiteral("Total: ") + ConfigurationReport::GroupedNumber(total, locale) +
           QStringLiteral(";    Available: ") +
           ConfigurationReport::GroupedNumber(qMax<qint64>(0, available), locale);
}

}  // namespace

QString ConfigurationReport::ColorCount(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1:
        return QStringLiteral("2");
    case 4:
        return QStringLiteral("16");
    case 8:
        return QStringLiteral("256");
    case 15:
        return QStringLiteral("32768");
    case 16:
        return QStringLiteral("65535");
    case 24:
    case 32:
        return QStringLiteral("16777216");
    default:
        return QString::number(bitsPerPixel);
    }
}

QString ConfigurationReport::FontSizeText(int dpi)
{
    QString text;
    if (dpi == 96)
        text = QStringLiteral("Small Fonts in use");
    else if (dpi == 120)
        text = QStringLiteral("Large Fonts in use");
    else
        text = QStringLiteral("Custom font size in use");
    return text + QStringLiteral(" (%1 dots per inch)").arg(dpi);
}

QString ConfigurationReport::GroupedNumber(qint64 value, const QLocale& locale)
{
    QString separator = locale.groupSeparator();
    if (separator.isEmpty() || locale.language() == QLocale::C)
        separator = QStringLiteral(",");
    const bool negative = value < 0;
    QString digits = QString::number(value);
    if (negative)
        digits.remove(0, 1);
    QString grouped;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += separator;
        grouped += digits[i];
    }
    return negative ? QStringLiteral("-") + grouped : grouped;
}

ConfigurationFacts ConfigurationReport::Gather(const PrinterLister& printers, const StatusCallback& status)
{
    ConfigurationFacts facts;
    facts.system = GatherSystemFacts(status);
    if (status)
        status(QStringLiteral("Finding printer info..."));
    if (printers)
        facts.printers = printers(&facts.defaultPrinter);
    return facts;
}

QStringList ConfigurationReport::Lines(const ConfigurationFacts& facts,
                                       const ConfigurationSettings& settings,
                                       const QDateTime& now, const QLocale& locale)
{
    const SystemFacts& s = facts.system;
    QStringList lines;
    lines << locale.toString(now.date(), QLocale::LongFormat);
    lines << QString();
    lines << QStringLiteral("[Product]");
    lines << QStringLiteral("Program:     \tDayloom");
    lines << QStringLiteral("Version:     \t") + VersionText();
    lines << QStringLiteral("Build Date:  \t") + locale.toString(BuildDate(), QLocale::ShortFormat);
    lines << QString();

    lines << QStringLiteral("[Environment]");
    lines << QStringLiteral("System:      \t") + systemLine(s);
    lines << QStringLiteral("CPU:         \t") + processorLine(s);
    if (s.display) {
        lines << QStringLiteral("Video:       \t%1 x %2 x %3 colors")
                     .arg(s.screenWidth)
                     .arg(s.screenHeight)
                     .arg(ColorCount(s.screenDepth));
        QString driver = s.platformName;
        if (s.platformName == QLatin1String("xcb"))
            driver += QStringLiteral(" (X11)");
        else if (s.platformName.startsWith(QLatin1String("wayland")))
            driver += QStringLiteral(" (Wayland)");
        if (!s.screenName.isEmpty())
            driver += QStringLiteral(", screen \"") + s.screenName + QLatin1Char('"');
        lines << QStringLiteral("Video Driver:\t") + driver;
    } else {
        lines << QStringLiteral("Video:       \t") + kNoDisplay;
        lines << QStringLiteral("Video Driver:\tnone");
    }
    lines << QStringLiteral("Keyboard:    \t") +
                 (s.keyboard.isEmpty() ? QStringLiteral("unknown") : s.keyboard);
    lines << QStringLiteral("Mouse:       \t") +
                 (s.pointingDevices.isEmpty() ? QStringLiteral("none found")
                                              : s.pointingDevices.join(QStringLiteral("; ")));
    lines << QStringLiteral("Font:        \t") + (s.display ? FontSizeText(s.fontDpi) : kNoDisplay);
    const MemoryStatus& m = s.memory;
    if (m.known && m.total > 0) {
        const int load = int(double(m.total - m.available) * 100.0 / double(m.total));
        lines << QStringLiteral("Memory Load: \t%1%").arg(load);
        lines << QStringLiteral("Phys Memory: \t") + memoryPair(m.total, m.available, locale);
        lines << QStringLiteral("Swap:        \t") + memoryPair(m.swapTotal, m.swapFree, locale);
        lines << QStringLiteral("Virt Memory: \t") +
                     memoryPair(m.commitLimit, m.commitLimit - m.committed, locale);
    } else {
        lines << QStringLiteral("Memory Load: \tunknown");
        lines << QStringLiteral("Phys Memory: \tunknown");
        lines << QStringLiteral("Swap:        \tunknown");
        lines << QStringLiteral("Virt Memory: \tunknown");
    }
    lines << QStringLiteral("Language:    \t") +
                 userAndSystem(languageOf(s.userLocale), languageOf(s.systemLocale));
    lines << QStringLiteral("Country:     \t") +
                 userAndSystem(countryOf(s.userLocale), countryOf(s.systemLocale));
    lines << QStringLiteral("Date Format: \tShort: ") + s.shortDateFormat +
                 QStringLiteral(";    Long: ") + s.longDateFormat;
    lines << QStringLiteral("Time Format: \tShort: ") + s.shortTimeFormat +
                 QStringLiteral(";    Long: ") + s.longTimeFormat;
    lines << QStringLiteral("Path:        \t") + s.path;

    // The printers, as the printing system lists them, and the default one.
    lines << QStringLiteral("[Printers]");
    if (facts.printers.isEmpty())
        lines << QStringLiteral("No printers are installed");
    for (const PrinterFact& p : facts.printers)
        lines << p.name + QLatin1Char('=') + p.makeAndModel + QLatin1Char(',') + p.location +
                     QLatin1Char(',') + p.state;
    lines << QStringLiteral("[Default Printer]");
    lines << QStringLiteral("device=") + facts.defaultPrinter;
    lines << QString();

    lines << QStringLiteral("[DL.INI]");
    lines << QString();
    auto flag = [](bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); };
    lines << QStringLiteral("LastZoom:    \t%1/%2").arg(settings.MainZoom).arg(settings.PropZoom);
    lines << QStringLiteral("DeFFont      \t") + settings.DefaultFontName + QLatin1Char(',') +
                 QString::number(settings.DefaultFontSize) + QLatin1Char(',') +
                 flag(settings.DefaultFontBold) + QLatin1Char(',') +
                 flag(settings.DefaultFontItalic) + QLatin1Char(',') +
                 flag(settings.DefaultFontUnderline) + QLatin1Char(',') +
                 QString::number(settings.DefaultFontColor);
    lines << QStringLiteral("LastIconFile:\t") + settings.IconFile;
    lines << QStringLiteral("IconShowing :\t") + flag(settings.IconsVisible);
    lines << QStringLiteral("ShowHint:   :\t") + flag(settings.ShowHints);
    return lines;
}

QString ConfigurationReport::Text(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + QLatin1Char('\n');
    return text;
}

}  // namespace dayloom
