// The one way files are read and written: only regular files, within a size
// limit, never hanging on a pipe; saves that never replace a device node.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "common/testutil.h"
#include "core/bytereader.h"
#include "core/fileaccess.h"
#include "core/readerror.h"

using namespace dayloom;
using namespace dayloom::test;

namespace {

QByteArray contentsOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

InputFault readFault(const QString& path, InputKind kind = InputKind::Document)
{
    QByteArray bytes = "stale";
    const InputFault fault = ReadInputFile(path, kind, &bytes);
    if (fault != InputFault::None) {
        EXPECT_TRUE(bytes.isEmpty()) << qPrintable(path);
    }
    return fault;
}

}  // namespace

TEST(InputFiles, RegularFilesAndLinksToThemAreReadWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.DLF");
    QByteArray data(70000, 'x');  // beyond the first read's size
    data[69999] = 'y';
    ASSERT_TRUE(SaveFileContents(path, data));
    QByteArray bytes;
    EXPECT_EQ(ReadInputFile(path, InputKind::Document, &bytes), InputFault::None);
    EXPECT_EQ(bytes, data);

    const QString link = dir.filePath("link.DLF");
    ASSERT_TRUE(QFile::link(path, link));
    EXPECT_EQ(ReadInputFile(link, InputKind::Document, &bytes), InputFault::None);
    EXPECT_EQ(bytes, data);

    ASSERT_TRUE(SaveFileContents(dir.filePath("empty"), QByteArray()));
    EXPECT_EQ(ReadInputFile(dir.filePath("empty"), InputKind::Ini, &bytes), InputFault::None);
    EXPECT_TRUE(bytes.isEmpty());
}

TEST(InputFiles, SpecialFilesAndOversizedFilesAreRefusedAtOnce)
{
    QTemporaryDir dir;
    EXPECT_EQ(readFault(dir.filePath("missing")), InputFault::Missing);
    EXPECT_EQ(readFault(dir.filePath("missing/below")), InputFault::Missing);
    EXPECT_EQ(readFault(QString()), InputFault::Missing);
    EXPECT_EQ(readFault(dir.path()), InputFault::NotRegularFile);

    QElapsedTimer clock;
    clock.start();
    // A pipe without a writer: opening it for reading would wait for ever.
    const QString fifo = MakeFifo(dir.filePath("pipe.DLF"));
    ASSERT_FALSE(fifo.isEmpty());
    EXPECT_EQ(readFault(fifo), InputFault::NotRegularFile);
    // An endless device, directly and behind a link.
    EXPECT_EQ(readFault(QStringLiteral("/dev/zero")), InputFault::NotRegularFile);
    const QString zero = dir.filePath("zero.DLF");
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zero));
    EXPECT_EQ(readFault(zero), InputFault::NotRegularFile);

    // One byte beyond the limit is refused without being read; the limit
    // itself is read.
    const qint64 limit = InputSizeLimit(InputKind::Document);
    EXPECT_EQ(limit, 256LL * 1024 * 1024);
    const QString big = MakeSparseFile(dir.filePath("big.DLF"), limit + 1);
    ASSERT_FALSE(big.isEmpty());
    EXPECT_EQ(readFault(big), InputFault::TooLarge);
    const qint64 iniLimit = InputSizeLimit(InputKind::Ini);
    ASSERT_FALSE(MakeSparseFile(dir.filePath("DL.ini"), iniLimit).isEmpty());
    QByteArray bytes;
    EXPECT_EQ(ReadInputFile(dir.filePath("DL.ini"), InputKind::Ini, &bytes), InputFault::None);
    EXPECT_EQ(bytes.size(), iniLimit);
    ASSERT_TRUE(QFile::resize(dir.filePath("DL.ini"), iniLimit + 1));
    EXPECT_EQ(readFault(dir.filePath("DL.ini"), InputKind::Ini), InputFault::TooLarge);
    EXPECT_LT(clock.elapsed(), 5000);

    // Every kind has a limit of its own that a real file never reaches.
    for (InputKind kind : {InputKind::Document, InputKind::StyleSheet, InputKind::Picture,
                           InputKind::Texture, InputKind::BorderPicture, InputKind::RecurringList,
                           InputKind::Ini, InputKind::IconLibrary, InputKind::Calendar,
                           InputKind::HelpPage})
        EXPECT_GE(InputSizeLimit(kind), 16LL * 1024 * 1024);
    EXPECT_FALSE(InputFaultText(InputFault::NotRegularFile).isEmpty());
}

TEST(SavedFiles, WrittenWholeThroughATemporaryFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("out.DLF");
    ASSERT_TRUE(SaveFileContents(path, "first"));
    ASSERT_TRUE(SaveFileContents(path, "second, longer"));
    EXPECT_EQ(contentsOf(path), QByteArray("second, longer"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"out.DLF"});

    // Through a link the file it points to is replaced; the link stays.
    const QString link = dir.filePath("link.DLF");
    ASSERT_TRUE(QFile::link(path, link));
    ASSERT_TRUE(SaveFileContents(link, "third"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(contentsOf(path), QByteArray("third"));

    QString reason;
    EXPECT_FALSE(SaveFileContents(dir.filePath("no/folder/out.DLF"), "x", &reason));
    EXPECT_FALSE(reason.isEmpty());
}

TEST(SavedFiles, TargetsThatAreNotRegularFilesAreLeftAlone)
{
    QTemporaryDir dir;
    QString reason;
    // A device node: QSaveFile alone would rename its temporary file over it.
    ASSERT_TRUE(IsCharacterDevice(QStringLiteral("/dev/null")));
    EXPECT_TRUE(IsSpecialFileTarget(QStringLiteral("/dev/null")));
    EXPECT_FALSE(SaveFileContents(QStringLiteral("/dev/null"), "x", &reason));
    EXPECT_EQ(reason, QStringLiteral("It is not a regular file."));
    EXPECT_TRUE(IsCharacterDevice(QStringLiteral("/dev/null")));

    const QString link = dir.filePath("null.BMP");
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), link));
    EXPECT_FALSE(SaveFileContents(link, "x"));
    EXPECT_TRUE(IsCharacterDevice(QStringLiteral("/dev/null")));

    const QString fifo = MakeFifo(dir.filePath("pipe.DLF"));
    ASSERT_FALSE(fifo.isEmpty());
    EXPECT_FALSE(SaveFileContents(fifo, "x"));
    EXPECT_FALSE(QFileInfo(fifo).isFile());

    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.DLF"));
    EXPECT_FALSE(SaveFileContents(dir.filePath("folder.DLF"), "x"));
    EXPECT_TRUE(QFileInfo(dir.filePath("folder.DLF")).isDir());
    EXPECT_FALSE(IsSpecialFileTarget(dir.filePath("new.DLF")));
}

TEST(ByteReaderTest, ReadsLittleEndianAndFailsWithItsOwnText)
{
    const QByteArray bytes("\x01\x02\x03\x04\x05\xff", 6);
    ByteReader r(bytes, "Picture broken");
    EXPECT_EQ(r.PeekU8(), 1);
    EXPECT_EQ(r.U8(), 1);
    EXPECT_EQ(r.U16(), 0x0302);
    EXPECT_EQ(r.U32At(1), 0x05040302u);
    EXPECT_EQ(r.Pos(), 3);
    EXPECT_EQ(r.Bytes(2), QByteArray("\x04\x05"));
    EXPECT_EQ(qint8(r.U8()), -1);
    EXPECT_TRUE(r.AtEnd());

    // Every way past the end throws the reader's own text and moves nothing.
    const auto failure = [&](auto&& read) -> std::string {
        try {
            read();
        } catch (const ReadError& e) {
            return e.what();
        }
        return "no error";
    };
    ByteReader s(bytes, "Stream read error");
    s.Skip(5);
    EXPECT_EQ(failure([&] { s.U16(); }), "Stream read error");
    EXPECT_EQ(failure([&] { s.U32At(3); }), "Stream read error");
    EXPECT_EQ(failure([&] { s.U16At(-1); }), "Stream read error");
    EXPECT_EQ(failure([&] { s.Bytes(-1); }), "Stream read error");
    EXPECT_EQ(failure([&] { s.Skip(2); }), "Stream read error");
    EXPECT_EQ(failure([&] { s.Seek(7); }), "Stream read error");
    EXPECT_EQ(s.Pos(), 5);
    EXPECT_EQ(s.U16At(4), 0xff05);
    EXPECT_EQ(failure([&] { ByteReader(nullptr, 0, "Error loading file!").PeekU8(); }),
              "Error loading file!");
}
