// "dayloom --export OUT.DLF DOCUMENT": the document read as the window opens
// it and written as the window saves it.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "cli/commandline.h"
#include "page/calendardocument.h"
#include "page/tcalendarpanel32.h"
#include "richtext/twprtfstorage.h"

using namespace dayloom;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int exportWith(const QStringList& args) { return RunExport(CommandLine::Parse(args)); }

class ExportDlfTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        TCalendarPanel32 page;
        page.SetMainCalMonth(12);
        page.SetMainCalYear(1997);
        page.SetUserTitle(QStringLiteral("Exported"));
        TWPRtfStorage text;
        text.SetRtfText("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 \\b Party\\b0  at 8\\par}");
        page.SetCellText(12, text);
        m_source = m_dir.filePath("In.DLF");
        CalendarDocument::SaveToFile(page, m_source);
    }
    QTemporaryDir m_dir;
    QString m_source;
};

TEST_F(ExportDlfTest, WritesTheDocumentAsSaveDoes)
{
    const QString out = m_dir.filePath("Out.dlf");
    ASSERT_EQ(exportWith({"--export", out, m_source}), 0);
    EXPECT_EQ(readAll(out), readAll(m_source));

    // --month / --year set the page's month first.
    const QString moved = m_dir.filePath("Moved.DLF");
    ASSERT_EQ(exportWith({"--export", moved, "--month", "3", "--year", "2030", m_source}), 0);
    TCalendarPanel32 back;
    CalendarDocument::LoadFromFile(back, moved);
    EXPECT_EQ(back.MainCalMonth(), 3);
    EXPECT_EQ(back.MainCalYear(), 2030);
    EXPECT_EQ(back.UserTitle(), QStringLiteral("Exported"));
    EXPECT_FALSE(back.CellStore(12)->IsEmpty());
}

TEST_F(ExportDlfTest, ExitCodesForUnreadableInputAndUnwritableOutput)
{
    const QString out = m_dir.filePath("Out.DLF");
    EXPECT_EQ(exportWith({"--export", out, m_dir.filePath("Missing.DLF")}), 1);
    QByteArray bytes = readAll(m_source);
    const QString damaged = m_dir.filePath("Damaged.DLF");
    {
        QFile f(damaged);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes.left(100));
    }
    EXPECT_EQ(exportWith({"--export", out, damaged}), 1);
    EXPECT_FALSE(QFileInfo::exists(out));
    EXPECT_EQ(exportWith({"--export", m_dir.filePath("no/folder/Out.DLF"), m_source}), 3);
}

TEST_F(ExportDlfTest, TheProgramReportsUnableToOpen)
{
    const QString program =
        QFileInfo(QCoreApplication::applicationDirPath() + QStringLiteral("/../dayloom"))
            .absoluteFilePath();
    if (!QFileInfo::exists(program))
        GTEST_SKIP() << "the program is not built";
    const QString damaged = m_dir.filePath("Damaged.DLF");
    {
        QFile f(damaged);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\x01\x02\x04");
    }
    QProcess p;
    p.start(program, {"--export", m_dir.filePath("Out.DLF"), damaged});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(QString::fromLocal8Bit(p.readAllStandardError())
                    .contains(QStringLiteral("Unable to open ") + damaged));
}

}  // namespace
