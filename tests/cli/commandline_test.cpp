#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "cli/commandline.h"
#include "programrun.h"

using dayloom::CommandLine;

namespace {

CommandLine parse(const QStringList& args) { return CommandLine::Parse(args); }

using dayloom::test::RunResult;
RunResult run(const QStringList& args) { return dayloom::test::RunProgram(args); }
QString programPath() { return dayloom::test::ProgramPath(); }

}  // namespace

TEST(CommandLine, WindowFormKeepsTheDocumentArgument)
{
    CommandLine cl = parse({});
    EXPECT_EQ(cl.mode, CommandLine::Window);
    EXPECT_TRUE(cl.windowArguments.isEmpty());

    QTemporaryDir dir;
    cl = parse({"--program-dir", dir.path(), "Family"});
    EXPECT_EQ(cl.mode, CommandLine::Window);
    EXPECT_EQ(cl.programDir, dir.path());
    EXPECT_EQ(cl.windowArguments, QStringList{"Family"});
    cl = parse({"--program-dir=" + dir.path(), "--", "--odd-name.dlf"});
    EXPECT_EQ(cl.document, QStringLiteral("--odd-name.dlf"));

    EXPECT_EQ(parse({"--version"}).mode, CommandLine::Version);
    EXPECT_EQ(parse({"x.dlf", "--help"}).mode, CommandLine::Help);
}

TEST(CommandLine, ExportKindFollowsTheExtensionInAnyCase)
{
    CommandLine cl = parse({"--export", "out.PNG", "--zoom", "60", "in.dlf"});
    ASSERT_EQ(cl.mode, CommandLine::Export);
    EXPECT_EQ(cl.exportKind, CommandLine::ExportPicture);
    EXPECT_EQ(cl.pictureFormat, QStringLiteral("png"));
    EXPECT_EQ(cl.zoomPercent, 60);
    EXPECT_EQ(cl.document, QStringLiteral("in.dlf"));

    cl = parse({"--export", "a.Bmp", "in.dlf"});
    EXPECT_EQ(cl.exportKind, CommandLine::ExportPicture);
    EXPECT_EQ(cl.zoomPercent, 100);
    EXPECT_EQ(parse({"--export", "a.jpg", "in"}).pictureFormat, QStringLiteral("jpg"));
    EXPECT_EQ(parse({"--export", "copy.DLF", "in.dlf"}).exportKind, CommandLine::ExportDocument);

    cl = parse({"--month", "12", "--year", "2026", "--fill-recurring", "--export", "x.pdf",
                "--months", "3", "in.dlf"});
    EXPECT_EQ(cl.exportKind, CommandLine::ExportPdf);
    EXPECT_EQ(cl.month, 12);
    EXPECT_EQ(cl.year, 2026);
    EXPECT_TRUE(cl.fillRecurring);
    EXPECT_EQ(cl.months, 3);
}

TEST(CommandLine, UsageErrorsAreNamed)
{
    const QList<QStringList> bad = {
        {"--export"},                                    // no OUT
        {"--export", "out.png"},                         // no DOCUMENT
        {"--export", "out.png", "a.dlf", "b.dlf"},       // two documents
        {"--export", "out.gif", "a.dlf"},                // unknown kind
        {"--export", "out", "a.dlf"},                    // no extension
        {"--export", "out.png", "--zoom", "abc", "a.dlf"},
        {"--export", "out.png", "--zoom", "0", "a.dlf"},
        {"--export", "out.png", "--zoom", "5000", "a.dlf"},
        {"--export", "out.pdf", "--zoom", "50", "a.dlf"},  // zoom only for pictures
        {"--export", "out.png", "--months", "2", "a.dlf"},  // months only for pdf
        {"--export", "out.pdf", "--month", "13", "a.dlf"},
        {"--export", "out.pdf", "--year", "0", "a.dlf"},
        {"--export", "out.pdf", "--months", "-1", "a.dlf"},
        {"--month", "3", "a.dlf"},                       // export options without --export
        {"--frobnicate"},
        {"--program-dir"},
        {"--program-dir", "/no/such/folder/here"},
        {"--configuration", "a.dlf"},                    // the report takes no document
        {"--configuration", "--export", "out.png", "a.dlf"},
        {"--export", "out.png", "--configuration", "a.dlf"},
        {"--configuration", "--month", "3"},
    };
    for (const QStringList& args : bad) {
        const CommandLine cl = parse(args);
        EXPECT_EQ(cl.mode, CommandLine::UsageError) << args.join(' ').toStdString();
        EXPECT_FALSE(cl.error.isEmpty()) << args.join(' ').toStdString();
    }
}

// --months, --pages and --dpi: each range or combination fault is a usage
// error that names the option.
TEST(CommandLine, PrintOptionsAreCheckedAndNamed)
{
    const QList<QPair<QStringList, QString>> bad = {
        {{"--export", "out.pdf", "--months", "0", "a.dlf"}, "--months"},
        {{"--export", "out.pdf", "--months", "121", "a.dlf"}, "--months"},
        {{"--export", "out.pdf", "--pages", "0", "a.dlf"}, "--pages"},
        {{"--export", "out.pdf", "--pages", "121", "a.dlf"}, "--pages"},
        {{"--export", "out.png", "--pages", "2", "a.dlf"}, "--pages"},
        {{"--export", "out.pdf", "--months", "2", "--pages", "2", "a.dlf"}, "--pages"},
        {{"--export", "out.png", "--dpi", "71", "a.dlf"}, "--dpi"},
        {{"--export", "out.png", "--dpi", "601", "a.dlf"}, "--dpi"},
        {{"--export", "out.png", "--dpi", "300", "--zoom", "50", "a.dlf"}, "--dpi"},
        {{"--export", "out.pdf", "--dpi", "300", "a.dlf"}, "--dpi"},
        {{"--export", "out.dlf", "--dpi", "300", "a.dlf"}, "--dpi"},
        {{"--dpi", "300", "a.dlf"}, "--dpi"},
    };
    for (const auto& [args, option] : bad) {
        const CommandLine cl = parse(args);
        EXPECT_EQ(cl.mode, CommandLine::UsageError) << args.join(' ').toStdString();
        EXPECT_TRUE(cl.error.contains(option)) << cl.error.toStdString();
    }
    CommandLine cl = parse({"--export", "out.pdf", "--months", "120", "--fill-recurring", "a.dlf"});
    EXPECT_EQ(cl.mode, CommandLine::Export);
    EXPECT_EQ(cl.exportKind, CommandLine::ExportPdf);
    EXPECT_EQ(cl.months, 120);
    EXPECT_TRUE(cl.monthsGiven);
    cl = parse({"--export", "out.pdf", "--pages=3", "a.dlf"});
    EXPECT_EQ(cl.pages, 3);
    EXPECT_TRUE(cl.pagesGiven);
    cl = parse({"--export", "out.JPG", "--dpi", "72", "a.dlf"});
    EXPECT_EQ(cl.mode, CommandLine::Export);
    EXPECT_EQ(cl.dpi, 72);
}

TEST(CommandLine, ConfigurationReportTakesOnlyAProgramFolder)
{
    CommandLine cl = parse({"--configuration"});
    EXPECT_EQ(cl.mode, CommandLine::Configuration);
    QTemporaryDir dir;
    cl = parse({"--program-dir", dir.path(), "--configuration"});
    EXPECT_EQ(cl.mode, CommandLine::Configuration);
    EXPECT_EQ(cl.programDir, dir.path());
}

TEST(Program, ConfigurationReportNeedsNoDisplayAndReadsTheProgramFoldersPreferences)
{
    QTemporaryDir dir;
    QFile ini(dir.filePath("DL.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Zooming]\r\nMain=90\r\nProp=40\r\n[Default Font]\r\nName=Liberation Serif\r\n"
              "Size=14\r\nItalic=1\r\nColor=32768\r\n[Hints]\r\nOn=0\r\n");
    ini.close();
    const RunResult r = run({"--program-dir", dir.path(), "--configuration"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split(u'\n');
    ASSERT_GT(lines.size(), 30);
    EXPECT_EQ(lines.mid(1, 6), (QStringList{"", "[Product]", "Program:     \tDayloom",
                                            "Version:     \t3.2q", lines[5], ""}));
    EXPECT_TRUE(lines[5].startsWith(QStringLiteral("Build Date:  \t")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Video:       \tNo display was found")));
    EXPECT_TRUE(lines.contains(QStringLiteral("[Printers]")));
    EXPECT_TRUE(lines.contains(QStringLiteral("LastZoom:    \t90/40")));
    EXPECT_TRUE(lines.contains(QStringLiteral("DeFFont      \tLiberation Serif,14,0,1,0,32768")));
    EXPECT_TRUE(lines.contains(QStringLiteral("ShowHint:   :\t0")));
    EXPECT_TRUE(r.out.endsWith(QStringLiteral("ShowHint:   :\t0\n")));
}

TEST(Program, VersionAndHelpNeedNoDisplay)
{
    ASSERT_TRUE(QFileInfo(programPath()).isExecutable()) << programPath().toStdString();
    RunResult r = run({"--version"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, QStringLiteral("Dayloom 3.2q\n"));
    r = run({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, CommandLine::Usage());
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("dayloom [--program-dir DIR] [DOCUMENT]")));
    EXPECT_FALSE(r.out.contains(QStringLiteral("QUIT_AFTER")));
}

TEST(Program, UsageErrorsAndPrintedExportExitTwo)
{
    RunResult r = run({"--export", "out.gif", "in.dlf"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("--export"))) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());

    QTemporaryDir dir;
    r = run({"--export", dir.filePath("out.pdf"), "--months", "0", "in.dlf"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("--months"))) << r.err.toStdString();
    // A document that does not exist cannot be opened.
    r = run({"--program-dir", dir.path(), "--export", dir.filePath("out.png"), dir.filePath("missing.DLF")});
    EXPECT_EQ(r.exitCode, 1);
}

// Exports run on Qt's GUI library alone: the widget and print-support
// libraries come with the window module, which an export never loads. Without
// the module beside it (or in its library folder) the window says why it
// cannot start, while exports still work.
TEST(Program, ExportsLoadNoWidgetLibraryAndTheWindowNeedsItsModule)
{
    QProcess trace;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LD_TRACE_LOADED_OBJECTS"), QStringLiteral("1"));
    trace.setProcessEnvironment(env);
    trace.start(programPath(), {});
    ASSERT_TRUE(trace.waitForFinished(60000));
    const QString loaded = QString::fromLocal8Bit(trace.readAllStandardOutput());
    ASSERT_TRUE(loaded.contains(QStringLiteral("libQt6Gui"))) << loaded.toStdString();
    EXPECT_FALSE(loaded.contains(QStringLiteral("libQt6Widgets"))) << loaded.toStdString();
    EXPECT_FALSE(loaded.contains(QStringLiteral("libQt6PrintSupport"))) << loaded.toStdString();
    EXPECT_TRUE(QFileInfo::exists(QFileInfo(programPath()).absolutePath() + QStringLiteral("/dayloom-window.so")));

    QTemporaryDir alone;
    const QString copy = alone.filePath(QStringLiteral("dayloom"));
    ASSERT_TRUE(QFile::copy(programPath(), copy));
    QProcess p;
    QProcessEnvironment plain = QProcessEnvironment::systemEnvironment();
    plain.remove(QStringLiteral("DISPLAY"));
    plain.remove(QStringLiteral("WAYLAND_DISPLAY"));
    plain.insert(QStringLiteral("XDG_RUNTIME_DIR"), alone.path());
    p.setProcessEnvironment(plain);
    p.start(copy, {QStringLiteral("--program-dir"), alone.path()});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 1);
    const QString err = QString::fromLocal8Bit(p.readAllStandardError());
    EXPECT_TRUE(err.startsWith(QStringLiteral("dayloom: the window cannot start: dayloom-window.so was not found")))
        << err.toStdString();
    p.start(copy, {QStringLiteral("--version")});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(QString::fromLocal8Bit(p.readAllStandardOutput()), QStringLiteral("Dayloom 3.2q\n"));
}
