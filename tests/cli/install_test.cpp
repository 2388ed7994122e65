// Installing: `cmake --install` into a temporary prefix puts the program,
// its data, the desktop entry, the document type and the icon under the
// prefix's standard folders; the installed program finds its data from its
// own folder, keeps the user's files in the per-user folder, and carries no
// path of the source or build tree.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "common/testutil.h"
#include "ui/documenttyperegistration.h"

using namespace dayloom;
using dayloom::test::SourcePath;

namespace {

struct RunResult {
    int exitCode = -1;
    QString out;
    QString err;
};

RunResult runProgram(const QString& program, const QStringList& args,
                     const QProcessEnvironment& env)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    RunResult r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

// The window module, wherever the library folder of the prefix is.
QString installedWindowModule(const QString& prefix)
{
    QDirIterator it(prefix, {QStringLiteral("dayloom-window.so")}, QDir::Files, QDirIterator::Subdirectories);
    return it.hasNext() ? it.next() : QString();
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// One installation (stripped, as a package installs it) for all cases.
class Installation : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_prefix = new QTemporaryDir;
        const QString built = QStringLiteral(DAYLOOM_BINARY_DIR "/dayloom");
        if (!QFileInfo(built).isExecutable())
            return;
        const RunResult r = runProgram(
            QStringLiteral(DAYLOOM_CMAKE_COMMAND),
            {QStringLiteral("--install"), QStringLiteral(DAYLOOM_BINARY_DIR), QStringLiteral("--prefix"),
             s_prefix->path(), QStringLiteral("--strip")},
            QProcessEnvironment::systemEnvironment());
        s_installed = r.exitCode == 0;
        if (!s_installed)
            s_installError = r.out + r.err;
    }
    static void TearDownTestSuite()
    {
        delete s_prefix;
        s_prefix = nullptr;
    }
    void SetUp() override
    {
        if (!QFileInfo(QStringLiteral(DAYLOOM_BINARY_DIR "/dayloom")).isExecutable())
            GTEST_SKIP() << "the program is not built";
        ASSERT_TRUE(s_installed) << s_installError.toStdString();
    }

    static QString prefix(const QString& relative) { return s_prefix->path() + u'/' + relative; }

    // The installed program, run without a display by a user whose home is
    // a fresh folder.
    RunResult run(const QStringList& args)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* var : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_DATA_HOME",
                                "XDG_CONFIG_HOME"})
            env.remove(QString::fromLatin1(var));
        env.insert(QStringLiteral("HOME"), m_home.path());
        return runProgram(prefix(QStringLiteral("bin/dayloom")), args, env);
    }

    QTemporaryDir m_home;
    static inline QTemporaryDir* s_prefix = nullptr;
    static inline bool s_installed = false;
    static inline QString s_installError;
};

}  // namespace

TEST_F(Installation, EverythingLandsInThePrefixsStandardFolders)
{
    for (const char* file :
         {"bin/dayloom", "share/dayloom/help/index.html", "share/dayloom/help/topic40015.html",
          "share/dayloom/Borders/Holly.wls", "share/dayloom/samples/Sample.DLF",
          "share/applications/dayloom.desktop", "share/mime/packages/dayloom.xml",
          "share/icons/hicolor/48x48/apps/dayloom.png", "share/icons/hicolor/256x256/apps/dayloom.png",
          "share/man/man1/dayloom.1"})
        EXPECT_TRUE(QFileInfo::exists(prefix(QString::fromLatin1(file)))) << file;
    // The window's module lies in the program's own folder of the libraries.
    const QString module = installedWindowModule(prefix(QString()));
    EXPECT_TRUE(module.endsWith(QStringLiteral("/dayloom/dayloom-window.so"))) << module.toStdString();
    EXPECT_TRUE(module.contains(QStringLiteral("/lib"))) << module.toStdString();
    // Every data folder and file of the source tree is installed, whatever
    // its name; notes for developers and the desktop files' source stay out.
    const QFileInfoList entries =
        QDir(SourcePath(QStringLiteral("data"))).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        const bool program = entry.fileName() != QLatin1String("desktop") &&
                             entry.fileName() != QLatin1String("README.md");
        EXPECT_EQ(QFileInfo::exists(prefix(QStringLiteral("share/dayloom/") + entry.fileName())),
                  program)
            << entry.fileName().toStdString();
    }
    QDirIterator it(prefix(QStringLiteral("share/dayloom")), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        EXPECT_NE(QFileInfo(it.next()).fileName(), QStringLiteral("README.md")) << it.filePath().toStdString();
    // The desktop entry and the document type are what the program itself
    // registers.
    EXPECT_EQ(readAll(prefix(QStringLiteral("share/applications/dayloom.desktop"))),
              DocumentTypeRegistration::DesktopEntry(QString()));
    EXPECT_EQ(readAll(prefix(QStringLiteral("share/mime/packages/dayloom.xml"))),
              DocumentTypeRegistration::MimeXml(QStringLiteral(".DLF")));
}

TEST_F(Installation, TheInstalledProgramCarriesNoPathOfTheSourceOrBuildTree)
{
#ifdef DAYLOOM_SANITIZED
    GTEST_SKIP() << "the sanitizers' reports carry the source files' paths";
#endif
    for (const QString& file : {prefix(QStringLiteral("bin/dayloom")), installedWindowModule(prefix(QString()))}) {
        SCOPED_TRACE(file.toStdString());
        const QByteArray program = readAll(file);
        ASSERT_FALSE(program.isEmpty());
        for (const QString& tree : {SourcePath(QString()), QStringLiteral(DAYLOOM_BINARY_DIR)}) {
            const QString path = QDir::cleanPath(tree);
            EXPECT_FALSE(program.contains(path.toUtf8())) << path.toStdString();
            const QByteArray utf16(reinterpret_cast<const char*>(path.utf16()), path.size() * 2);
            EXPECT_FALSE(program.contains(utf16)) << path.toStdString() << " (UTF-16)";
        }
    }
}

TEST_F(Installation, TheInstalledProgramFindsItsDataAndKeepsUserFilesAtHome)
{
    EXPECT_EQ(run({QStringLiteral("--version")}).out, QStringLiteral("Dayloom 3.2q\n"));

    // The per-user folder is the program folder: DL.ini is looked for there.
    const QString userDir = m_home.path() + QStringLiteral("/.local/share/Dayloom/");
    const RunResult report = run({QStringLiteral("--configuration")});
    EXPECT_EQ(report.exitCode, 0) << report.err.toStdString();
    EXPECT_TRUE(report.out.contains(QStringLiteral("\nLastIconFile:\t") + userDir +
                                    QStringLiteral("MISC1.ICL\n")))
        << report.out.toStdString();
    EXPECT_TRUE(report.out.contains(QStringLiteral("\nVideo:       \tNo display was found\n")));
    EXPECT_TRUE(QFileInfo(userDir).isDir());

    // The sample's Holly border comes from the installed Borders folder: the
    // installed program draws the page the build tree's program draws.
    QTemporaryDir out;
    const QString sample = prefix(QStringLiteral("share/dayloom/samples/Sample.DLF"));
    const QString installedPng = out.filePath(QStringLiteral("installed.png"));
    const RunResult exported = run({QStringLiteral("--export"), installedPng, sample});
    ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    const QString builtPng = out.filePath(QStringLiteral("built.png"));
    const RunResult built = runProgram(QStringLiteral(DAYLOOM_BINARY_DIR "/dayloom"),
                                       {QStringLiteral("--program-dir"), out.path(),
                                        QStringLiteral("--export"), builtPng, sample},
                                       env);
    ASSERT_EQ(built.exitCode, 0) << built.err.toStdString();
    EXPECT_EQ(readAll(installedPng), readAll(builtPng));
    // Nothing was written beside the installed program.
    EXPECT_EQ(QDir(prefix(QStringLiteral("bin"))).entryList(QDir::Files), QStringList{"dayloom"});
}
