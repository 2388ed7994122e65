// The command line with inputs that are not documents, documents read only
// in part, and outputs that are not files: the messages and exit statuses a
// script relies on (0 success, 1 input, 2 usage, 3 output, 4 partial read;
// the first of 2, 1, 3, 4 when several apply).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "cli/commandline.h"
#include "common/testutil.h"
#include "core/fileaccess.h"
#include "core/screen.h"
#include "objects/pageobjectclasses.h"
#include "objects/tgplabel.h"
#include "page/calendardocument.h"
#include "page/tcalendarpanel32.h"
#include "programrun.h"
#include "stream/componentregistry.h"

using namespace dayloom;
using namespace dayloom::test;

namespace {

int exportWith(const QStringList& args) { return RunExport(CommandLine::Parse(args)); }

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

class DamagedInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        RegisterPageObjectClasses(ComponentRegistry::Global());
        TCalendarPanel32 page;
        page.SetUserTitle(QStringLiteral("Two objects"));
        m_listStart = CalendarDocument::Save(page).size() - 2;
        auto* label = new TGPLabel;
        page.AddObject(label);
        label->SetCaption(QStringLiteral("kept"));
        label->SetBounds(QRect(20, 20, 120, 30));
        m_firstEnd = CalendarDocument::Save(page).size() - 1;
        auto* second = new TGPLabel;
        page.AddObject(second);
        second->SetBounds(QRect(200, 200, 150, 120));
        m_whole = CalendarDocument::Save(page);
        m_source = m_dir.filePath("Two.DLF");
        writeBytes(m_source, m_whole);
    }

    // The document cut to length bytes, always in the same file.
    QString cutDocument(qsizetype length)
    {
        const QString path = m_dir.filePath(QStringLiteral("Cut.DLF"));
        writeBytes(path, m_whole.left(length));
        return path;
    }

    // A folder in memory where one is at hand: every save waits for the
    // disk, and the cut loop saves a few hundred times.
    static QString memoryFolderTemplate()
    {
        return QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                   ? QStringLiteral("/dev/shm/dayloom-test-XXXXXX")
                   : QDir::tempPath() + QStringLiteral("/dayloom-test-XXXXXX");
    }

    QTemporaryDir m_dir;
    QByteArray m_whole;
    QString m_source;
    qsizetype m_listStart = 0;
    qsizetype m_firstEnd = 0;
};

TEST_F(DamagedInputTest, InputsThatAreNotDocumentsExitOneWithUnableToOpen)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("Folder.DLF"));
    const QStringList inputs{
        m_dir.filePath("Folder.DLF"), MakeFifo(m_dir.filePath("Pipe.DLF")),
        QStringLiteral("/dev/zero"),
        MakeSparseFile(m_dir.filePath("Big.DLF"), InputSizeLimit(InputKind::Document) + 1)};
    const QString out = m_dir.filePath("Out.png");
    for (const QString& input : inputs) {
        SCOPED_TRACE(input.toStdString());
        ASSERT_FALSE(input.isEmpty());
        const RunResult r = RunProgram({"--export", out, input});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, UnableToOpenText(input) + QStringLiteral("\n"));
        EXPECT_FALSE(QFileInfo::exists(out));
    }
}

TEST_F(DamagedInputTest, CutDocumentsExitFourExactlyWhenTheObjectListIsDamaged)
{
    // Every cut from the end of the cell records on, through the command
    // line's own code: 1 before the object list, 4 inside it, 0 when whole.
    QTemporaryDir memory(memoryFolderTemplate());
    ASSERT_TRUE(memory.isValid());
    const QString out = memory.filePath("Out.DLF");
    for (qsizetype cut = m_listStart - 8; cut <= m_whole.size(); ++cut) {
        SCOPED_TRACE(cut);
        const int expected = cut < m_listStart ? 1 : cut < m_whole.size() ? 4 : 0;
        ASSERT_EQ(exportWith({"--export", out, cutDocument(cut)}), expected);
    }
    // The output is written as it was read: with the whole objects only.
    for (qsizetype cut : {m_listStart, m_firstEnd - 1, m_firstEnd, m_whole.size() - 1}) {
        SCOPED_TRACE(cut);
        ASSERT_EQ(exportWith({"--export", out, cutDocument(cut)}), 4);
        TCalendarPanel32 back;
        const DocumentLoadResult r = CalendarDocument::LoadFromFile(back, out);
        EXPECT_FALSE(r.Partial());
        EXPECT_EQ(r.ObjectsRead, cut == m_whole.size() - 1 ? 2 : cut >= m_firstEnd ? 1 : 0);
        EXPECT_EQ(back.UserTitle(), QStringLiteral("Two objects"));
    }

    // The real program: the warning on stderr, the output written.
    RunResult r = RunProgram({"--export", m_dir.filePath("Part.png"), cutDocument(m_firstEnd + 3)});
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_EQ(r.err, PartialReadText(1) + QStringLiteral("\n"));
    EXPECT_TRUE(QFileInfo(m_dir.filePath("Part.png")).size() > 0);
    r = RunProgram({"--export", m_dir.filePath("Whole.png"), m_source});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    r = RunProgram({"--export", m_dir.filePath("Bad.png"), cutDocument(m_listStart - 1)});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("Unable to open "))) << r.err.toStdString();
}

TEST_F(DamagedInputTest, OutputsThatAreNotFilesExitThreeAndStayWhatTheyWere)
{
    ASSERT_TRUE(IsCharacterDevice(QStringLiteral("/dev/null")));
    const QString nullPicture = m_dir.filePath("null.png");
    const QString nullDocument = m_dir.filePath("null.DLF");
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), nullPicture));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), nullDocument));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("Folder.bmp"));
    const QString fifo = MakeFifo(m_dir.filePath("Pipe.DLF"));
    for (const QString& target : {nullPicture, nullDocument, m_dir.filePath("Folder.bmp"), fifo}) {
        SCOPED_TRACE(target.toStdString());
        const RunResult r = RunProgram({"--export", target, m_source});
        EXPECT_EQ(r.exitCode, 3);
        EXPECT_EQ(r.err, QStringLiteral("Unable to save ") + target + QStringLiteral("\n"));
    }
    EXPECT_TRUE(IsCharacterDevice(QStringLiteral("/dev/null")));
    EXPECT_TRUE(QFileInfo(nullPicture).isSymLink());
    EXPECT_TRUE(QFileInfo(m_dir.filePath("Folder.bmp")).isDir());
    EXPECT_FALSE(QFileInfo(fifo).isFile());
    // The device itself is no valid name for a result: a usage error first.
    EXPECT_EQ(RunProgram({"--export", "/dev/null", m_source}).exitCode, 2);
    EXPECT_TRUE(IsCharacterDevice(QStringLiteral("/dev/null")));
}

TEST_F(DamagedInputTest, SeveralFaultsGiveTheFirstOfUsageInputOutputPartial)
{
    const QString partial = cutDocument(m_firstEnd + 2);
    const QString badOut = m_dir.filePath("no/folder/Out.DLF");
    // Partial read and an output that cannot be written: 3.
    EXPECT_EQ(exportWith({"--export", badOut, partial}), 3);
    EXPECT_EQ(exportWith({"--export", m_dir.filePath("no/folder/Out.bmp"), partial}), 3);
    // An unreadable input and an unwritable output: 1, nothing written.
    EXPECT_EQ(exportWith({"--export", badOut, m_dir.filePath("Missing.DLF")}), 1);
    // A recurring-date list that is no file, with a partial document: 1.
    const QString programDir = m_dir.filePath("program");
    ASSERT_TRUE(QDir(m_dir.path()).mkpath("program/DLRECUR.DAX"));
    const QString oldDir = ProgramDir();
    SetProgramDir(programDir);
    const QString out = m_dir.filePath("Filled.DLF");
    EXPECT_EQ(exportWith({"--export", out, "--fill-recurring", partial}), 1);
    EXPECT_FALSE(QFileInfo::exists(out));
    SetProgramDir(oldDir);
    // A usage error comes before everything.
    EXPECT_EQ(RunProgram({"--export", badOut, "--zoom", "50", partial}).exitCode, 2);
}

}  // namespace
