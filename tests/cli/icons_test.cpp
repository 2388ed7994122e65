// dayloom --icons LIBRARY OUTDIR, run as a program without a display.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "cli/commandline.h"
#include "common/testutil.h"
#include "iconwriter.h"
#include "imaging/iconlibrary.h"

using namespace dayloom;

namespace {

struct RunResult {
    int exitCode = -1;
    QString out;
    QString err;
};

RunResult runProgram(const QStringList& args)
{
    QString program = qEnvironmentVariable("DAYLOOM_PROGRAM");
    if (program.isEmpty())
        program = QCoreApplication::applicationDirPath() + QStringLiteral("/../dayloom");
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    p.setProcessEnvironment(env);
    p.start(program, args);
    RunResult r;
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

}  // namespace

TEST(IconsCommand, WritesEveryIconAsATransparentPng)
{
    QTemporaryDir out;
    const QString library = test::DataPath(QStringLiteral("imaging/pe/icons32.dll"));
    const RunResult r = runProgram({QStringLiteral("--icons"), library, out.path()});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.split(u'\n').first(), QStringLiteral("5"));
    const IconLibrary lib = IconLibrary::FromFile(library);
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files).size(), 5);
    for (int n = 0; n < 5; ++n) {
        QImage png(QDir(out.path()).filePath(QStringLiteral("%1.png").arg(n)));
        ASSERT_FALSE(png.isNull()) << n;
        EXPECT_TRUE(png.hasAlphaChannel());
        EXPECT_EQ(png.convertToFormat(QImage::Format_ARGB32), lib.Icon(n)) << n;
    }
}

TEST(IconsCommand, ExitCodesForLibrariesFoldersAndIconsThatCannotBeRead)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out"));
    ASSERT_TRUE(QDir().mkpath(out));
    // No icons, or no library at all: 1 and the message.
    const QString text = dir.filePath(QStringLiteral("notes.icl"));
    writeFile(text, "just text");
    for (const QString& library : {text, dir.filePath(QStringLiteral("missing.icl"))}) {
        const RunResult r = runProgram({QStringLiteral("--icons"), library, out});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.contains(QStringLiteral("No icons found in ") + library))
            << r.err.toStdString();
    }
    // The folder must exist and is never made; a file is no folder.
    const QString library = test::DataPath(QStringLiteral("imaging/pe/icons64.dll"));
    const QString missing = dir.filePath(QStringLiteral("nowhere"));
    EXPECT_EQ(runProgram({QStringLiteral("--icons"), library, missing}).exitCode, 3);
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_EQ(runProgram({QStringLiteral("--icons"), library, text}).exitCode, 3);
    // Usage errors.
    EXPECT_EQ(runProgram({QStringLiteral("--icons"), library}).exitCode, 2);
    EXPECT_EQ(CommandLine::Parse({QStringLiteral("--icons"), library, out, QStringLiteral("x")}).mode,
              CommandLine::UsageError);
    EXPECT_EQ(CommandLine::Parse({QStringLiteral("--icons"), library, QStringLiteral("--export"),
                                  QStringLiteral("a.png"), out})
                  .mode,
              CommandLine::UsageError);

    // A library whose second icon is damaged: no file for it, one line on
    // stderr, the others written.
    QImage square(32, 32, QImage::Format_ARGB32);
    square.fill(qRgb(200, 10, 10));
    QList<iconwriter::IconGroup> groups;
    for (int i = 0; i < 3; ++i)
        groups << iconwriter::IconGroup{{}, {iconwriter::EncodeImage(square, 4)}};
    groups[1].Images[0].Data.truncate(30);
    const QString damaged = dir.filePath(QStringLiteral("damaged.icl"));
    writeFile(damaged, iconwriter::WriteNeLibrary(groups, "D", "d"));
    const RunResult r = runProgram({QStringLiteral("--icons"), damaged, out});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, QStringLiteral("3\n"));
    EXPECT_EQ(QDir(out).entryList(QDir::Files), (QStringList{QStringLiteral("0.png"), QStringLiteral("2.png")}));
    EXPECT_EQ(r.err.count(QStringLiteral("Icon 1 of ")), 1) << r.err.toStdString();
}
