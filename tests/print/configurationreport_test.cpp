// The configuration report's line layout: its blocks, labels padded to one
// width and followed by a tab, the values of each line, and the Linux facts.
#include <gtest/gtest.h>

#include "print/configurationreport.h"

using namespace dayloom;
using Report = ConfigurationReport;

namespace {

const QLocale kUs(QLocale::English, QLocale::UnitedStates);
const QDateTime kNow(QDate(2025, 12, 8), QTime(10, 30));

ConfigurationFacts desktopFacts()
{
    ConfigurationFacts f;
    SystemFacts& s = f.system;
    s.distribution = QStringLiteral("Debian GNU/Linux 12 (bookworm)");
    s.kernelName = QStringLiteral("Linux");
    s.kernelRelease = QStringLiteral("6.1.0-27-amd64");
    s.kernelVersion = QStringLiteral("#1 SMP PREEMPT_DYNAMIC Debian 6.1.115-1");
    s.machine = QStringLiteral("x86_64");
    s.cpuModel = QStringLiteral("Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz");
    s.cpuCount = 8;
    s.display = true;
    s.platformName = QStringLiteral("xcb");
    s.screenName = QStringLiteral("eDP-1");
    s.screenWidth = 1920;
    s.screenHeight = 1080;
    s.screenDepth = 24;
    s.fontDpi = 96;
    s.keyboard = QStringLiteral("pc105, layout us");
    s.pointingDevices = {QStringLiteral("Logitech USB Optical Mouse")};
    s.memory.known = true;
    s.memory.total = 16384000000LL;
    s.memory.available = 12288000000LL;
    s.memory.swapTotal = 2000000000LL;
    s.memory.swapFree = 1500000000LL;
    s.memory.commitLimit = 10192000000LL;
    s.memory.committed = 4192000000LL;
    s.userLocale = QStringLiteral("en_US.UTF-8");
    s.systemLocale = QStringLiteral("de_DE.UTF-8");
    s.shortDateFormat = QStringLiteral("M/d/yy");
    s.longDateFormat = QStringLiteral("dddd, MMMM d, yyyy");
    s.shortTimeFormat = QStringLiteral("h:mm AP");
    s.longTimeFormat = QStringLiteral("h:mm:ss AP t");
    s.path = QStringLiteral("/usr/local/bin:/usr/bin:/bin");
    f.printers = {{QStringLiteral("Office"), QStringLiteral("HP LaserJet 4250"),
                   QStringLiteral("Room 12"), QStringLiteral("idle")},
                  {QStringLiteral("PDF"), QStringLiteral("Generic CUPS-PDF Printer"), QString(),
                   QStringLiteral("printing")}};
    f.defaultPrinter = QStringLiteral("Office");
    return f;
}

ConfigurationSettings settings()
{
    ConfigurationSettings c;
    c.MainZoom = 70;
    c.PropZoom = 30;
    c.DefaultFontName = QStringLiteral("Times New Roman");
    c.DefaultFontSize = 12;
    c.DefaultFontBold = true;
    c.DefaultFontUnderline = true;
    c.DefaultFontColor = 255;
    c.IconFile = QStringLiteral("/home/ann/.local/share/Dayloom/MISC1.ICL");
    c.IconsVisible = false;
    c.ShowHints = true;
    return c;
}

}  // namespace

TEST(ConfigurationReport, LineByLineLayoutOfADesktopSystem)
{
    const QStringList lines = Report::Lines(desktopFacts(), settings(), kNow, kUs);
    const QStringList expected = {
        "Monday, December 8, 2025",
        "",
        "[Product]",
        "Program:     \tDayloom",
        "Version:     \t3.2q",
        "Build Date:  \t5/23/03",
        "",
        "[Environment]",
        "System:      \tDebian GNU/Linux 12 (bookworm) (Linux 6.1.0-27-amd64 build:#1 SMP "
        "PREEMPT_DYNAMIC Debian 6.1.115-1)",
        "CPU:         \tProcessor:  x86_64 Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz (8 processors)",
        "Video:       \t1920 x 1080 x 16777216 colors",
        "Video Driver:\txcb (X11), screen \"eDP-1\"",
        "Keyboard:    \tpc105, layout us",
        "Mouse:       \tLogitech USB Optical Mouse",
        "Font:        \tSmall Fonts in use (96 dots per inch)",
        "Memory Load: \t25%",
        "Phys Memory: \tTotal: 16,384,000,000;    Available: 12,288,000,000",
        "Swap:        \tTotal: 2,000,000,000;    Available: 1,500,000,000",
        "Virt Memory: \tTotal: 10,192,000,000;    Available: 6,000,000,000",
        "Language:    \tUser: English (en_US.UTF-8);    System: German (de_DE.UTF-8)",
        "Country:     \tUser: United States;    System: Germany",
        "Date Format: \tShort: M/d/yy;    Long: dddd, MMMM d, yyyy",
        "Time Format: \tShort: h:mm AP;    Long: h:mm:ss AP t",
        "Path:        \t/usr/local/bin:/usr/bin:/bin",
        "[Printers]",
        "Office=HP LaserJet 4250,Room 12,idle",
        "PDF=Generic CUPS-PDF Printer,,printing",
        "[Default Printer]",
        "device=Office",
        "",
        "[DL.INI]",
        "",
        "LastZoom:    \t70/30",
        "DeFFont      \tTimes New Roman,12,1,0,1,255",
        "LastIconFile:\t/home/ann/.local/share/Dayloom/MISC1.ICL",
        "IconShowing :\t0",
        "ShowHint:   :\t1",
    };
    ASSERT_EQ(lines.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;

    // Every labelled line: a label of 13 characters, then the tab.
    for (const QString& line : lines) {
        const qsizetype tab = line.indexOf(u'\t');
        if (tab >= 0) {
            EXPECT_EQ(tab, 13) << line.toStdString();
        }
    }
    EXPECT_EQ(Report::Text({"a", "", "b"}), QStringLiteral("a\n\nb\n"));
}

TEST(ConfigurationReport, CommandLineRunWithoutDisplayPrintersOrMemoryFacts)
{
    ConfigurationFacts f = desktopFacts();
    f.system.display = false;
    f.system.platformName.clear();
    f.system.keyboard.clear();
    f.system.pointingDevices.clear();
    f.system.memory = MemoryStatus();
    f.system.distribution.clear();
    f.system.cpuModel.clear();
    f.system.cpuCount = 1;
    f.system.userLocale = QStringLiteral("C.UTF-8");
    f.system.systemLocale.clear();
    f.printers.clear();
    f.defaultPrinter.clear();
    const QStringList lines = Report::Lines(f, ConfigurationSettings(), kNow, kUs);
    auto line = [&lines](const QString& label) {
        for (const QString& l : lines)
            if (l.startsWith(label))
                return l;
        return QString();
    };
    EXPECT_EQ(line("System:"), QStringLiteral("System:      \tLinux (Linux 6.1.0-27-amd64 build:#1 "
                                              "SMP PREEMPT_DYNAMIC Debian 6.1.115-1)"));
    EXPECT_EQ(line("CPU:"), QStringLiteral("CPU:         \tProcessor:  x86_64 (1 processor)"));
    EXPECT_EQ(line("Video:"), QStringLiteral("Video:       \tNo display was found"));
    EXPECT_EQ(line("Video Driver:"), QStringLiteral("Video Driver:\tnone"));
    EXPECT_EQ(line("Font:"), QStringLiteral("Font:        \tNo display was found"));
    EXPECT_EQ(line("Keyboard:"), QStringLiteral("Keyboard:    \tunknown"));
    EXPECT_EQ(line("Mouse:"), QStringLiteral("Mouse:       \tnone found"));
    EXPECT_EQ(line("Memory Load:"), QStringLiteral("Memory Load: \tunknown"));
    EXPECT_EQ(line("Phys Memory:"), QStringLiteral("Phys Memory: \tunknown"));
    EXPECT_EQ(line("Language:"),
              QStringLiteral("Language:    \tUser: C (C.UTF-8);    System: not set"));
    EXPECT_EQ(line("Country:"),
              QStringLiteral("Country:     \tUser: none (C.UTF-8);    System: not set"));
    const qsizetype printers = lines.indexOf(QStringLiteral("[Printers]"));
    ASSERT_GT(printers, 0);
    EXPECT_EQ(lines[printers + 1], QStringLiteral("No printers are installed"));
    EXPECT_EQ(lines[printers + 2], QStringLiteral("[Default Printer]"));
    EXPECT_EQ(lines[printers + 3], QStringLiteral("device="));
    // The defaults of a missing DL.ini.
    EXPECT_EQ(lines.mid(lines.size() - 5),
              (QStringList{"LastZoom:    \t60/30", "DeFFont      \tArial,10,0,0,0,0",
                           "LastIconFile:\t", "IconShowing :\t1", "ShowHint:   :\t1"}));
}

TEST(ConfigurationReport, ColoursFontSizesAndGroupedNumbers)
{
    const QList<std::pair<int, QString>> colours = {
        {1, "2"},      {4, "16"},       {8, "256"},       {15, "32768"},
        {16, "65535"}, {24, "16777216"}, {32, "16777216"}, {30, "30"}};
    for (const auto& [bits, text] : colours)
        EXPECT_EQ(Report::ColorCount(bits), text) << bits;

    EXPECT_EQ(Report::FontSizeText(96), QStringLiteral("Small Fonts in use (96 dots per inch)"));
    EXPECT_EQ(Report::FontSizeText(120), QStringLiteral("Large Fonts in use (120 dots per inch)"));
    EXPECT_EQ(Report::FontSizeText(144),
              QStringLiteral("Custom font size in use (144 dots per inch)"));

    EXPECT_EQ(Report::GroupedNumber(0, kUs), QStringLiteral("0"));
    EXPECT_EQ(Report::GroupedNumber(999, kUs), QStringLiteral("999"));
    EXPECT_EQ(Report::GroupedNumber(1000, kUs), QStringLiteral("1,000"));
    EXPECT_EQ(Report::GroupedNumber(-1234567, kUs), QStringLiteral("-1,234,567"));
    EXPECT_EQ(Report::GroupedNumber(9223372036854775807LL, kUs),
              QStringLiteral("9,223,372,036,854,775,807"));
    EXPECT_EQ(Report::GroupedNumber(1234567, QLocale(QLocale::German, QLocale::Germany)),
              QStringLiteral("1.234.567"));
    // The C locale has no grouping of its own: commas.
    EXPECT_EQ(Report::GroupedNumber(1234567, QLocale::c()), QStringLiteral("1,234,567"));
}

TEST(ConfigurationReport, MemoryOvercommittedShowsNothingAvailable)
{
    ConfigurationFacts f = desktopFacts();
    f.system.memory.committed = f.system.memory.commitLimit + 1000;
    f.system.memory.available = 0;
    const QStringList lines = Report::Lines(f, settings(), kNow, kUs);
    EXPECT_TRUE(lines.contains(QStringLiteral("Memory Load: \t100%")));
    EXPECT_TRUE(lines.contains(
        QStringLiteral("Virt Memory: \tTotal: 10,192,000,000;    Available: 0")));
}

TEST(ConfigurationReport, GatheringEndsWithThePrinters)
{
    QStringList steps;
    QStringList stepsBeforePrinters;
    const auto lister = [&](QString* defaultPrinter) {
        stepsBeforePrinters = steps;
        *defaultPrinter = QStringLiteral("Laser");
        return QList<PrinterFact>{{QStringLiteral("Laser"), QStringLiteral("Acme 1"), QString(), QStringLiteral("idle")}};
    };
    const ConfigurationFacts facts = Report::Gather(lister, [&steps](const QString& s) { steps << s; });
    ASSERT_EQ(steps.size(), 9);
    EXPECT_EQ(steps.first(), QStringLiteral("Finding Linux Version..."));
    EXPECT_EQ(steps.last(), QStringLiteral("Finding printer info..."));
    // The printers are asked for once their step is shown.
    EXPECT_EQ(stepsBeforePrinters, steps);
    ASSERT_EQ(facts.printers.size(), 1);
    EXPECT_EQ(facts.printers.first().makeAndModel, QStringLiteral("Acme 1"));
    EXPECT_EQ(facts.defaultPrinter, QStringLiteral("Laser"));

    // Without a way to reach the printers the report lists none.
    EXPECT_TRUE(Report::Gather(PrinterLister()).printers.isEmpty());
}
