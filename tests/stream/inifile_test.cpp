#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "common/testutil.h"
#include "stream/inifile.h"

using dayloom::IniFile;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

}  // namespace

TEST(IniFile, NamesIgnoreCaseAndValueIsEverythingAfterFirstEquals)
{
    IniFile ini;
    ini.SetData("[Zooming]\r\nMain=45\r\n  prop = 30 \r\n[Icons]\r\nFile=C:\\a=b;c \"q\"\r\n");
    EXPECT_EQ(ini.ReadInteger("ZOOMING", "main", 60), 45);
    EXPECT_EQ(ini.ReadInteger("zooming", "PROP", 0), 30);
    EXPECT_EQ(ini.ReadString("icons", "file", {}), QStringLiteral("C:\\a=b;c \"q\""));
    EXPECT_EQ(ini.ReadString("Icons", "Missing", "dflt"), QStringLiteral("dflt"));
    EXPECT_EQ(ini.ReadString("Nope", "File", "dflt"), QStringLiteral("dflt"));
}

TEST(IniFile, IntegersAndBooleans)
{
    IniFile ini;
    ini.SetData("[S]\nneg=-50\nhex=0x1F\ndollar=$10\nbad=12abc\nempty=\nbig=99999999999\n"
                "zero=0\nseven=7\nword=yes\n");
    EXPECT_EQ(ini.ReadInteger("S", "neg", 0), -50);
    EXPECT_EQ(ini.ReadInteger("S", "hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("S", "dollar", 0), 16);
    EXPECT_EQ(ini.ReadInteger("S", "bad", 5), 5);
    EXPECT_EQ(ini.ReadInteger("S", "empty", 6), 6);
    EXPECT_EQ(ini.ReadInteger("S", "big", 7), 7);
    EXPECT_FALSE(ini.ReadBool("S", "zero", true));
    EXPECT_TRUE(ini.ReadBool("S", "seven", false));
    EXPECT_TRUE(ini.ReadBool("S", "word", true));  // not a number: the default
    EXPECT_FALSE(ini.ReadBool("S", "word", false));
    EXPECT_TRUE(ini.ReadBool("S", "missing", true));
}

TEST(IniFile, FirstOfDuplicatesWinsAndOddLinesAreTolerated)
{
    IniFile ini;
    ini.SetData("garbage before any section\n=novalue\n[MRU]\nF0=first\nno equals sign here\n"
                "; F1=comment\nF0=second\n[mru]\nF1=other section\n[Broken\nk=v\n");
    EXPECT_EQ(ini.ReadString("MRU", "F0", {}), QStringLiteral("first"));
    EXPECT_EQ(ini.ReadString("MRU", "F1", "none"), QStringLiteral("none"));
    EXPECT_EQ(ini.ReadSection("MRU"),
              (QStringList{QStringLiteral("F0=first"), QStringLiteral("F0=second")}));
    EXPECT_EQ(ini.ReadString("Broken", "k", {}), QStringLiteral("v"));
}

TEST(IniFile, StrayCarriageReturnsDoNotChangeMeaningOnRewrite)
{
    // Found by fuzzing: "[MRU\r\r" was no section when read, but became one
    // after a rewrite with LF ends dropped one CR more.
    IniFile ini;
    ini.SetData("=4\n[MRU\r\r\nF0=a\r\r\n[Other ]\r\nk=v\n");
    EXPECT_EQ(ini.ReadString("MRU", "F0", {}), QStringLiteral("a"));
    EXPECT_EQ(ini.ReadString("other", "K", {}), QStringLiteral("v"));
    IniFile again;
    again.SetData(ini.Data());
    EXPECT_EQ(again.Data(), ini.Data());
    EXPECT_EQ(again.ReadSection("MRU"), ini.ReadSection("MRU"));
}

TEST(IniFile, WritesKeepOtherLinesAndLineEnds)
{
    IniFile ini;
    ini.SetData("; my settings\r\n[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
    ASSERT_TRUE(ini.WriteInteger("a", "X", 5));    // replaces in place, keeps key spelling
    ASSERT_TRUE(ini.WriteString("A", "z", "new"));  // goes after the last line of [A]
    ASSERT_TRUE(ini.WriteBool("C", "On", true));    // new section at the end
    EXPECT_EQ(ini.Data(), QByteArray("; my settings\r\n[A]\r\nx=5\r\nz=new\r\n\r\n[B]\r\ny=2\r\n"
                                     "\r\n[C]\r\nOn=1\r\n"));
}

TEST(IniFile, UnsafeNamesAndValuesCannotForgeLines)
{
    IniFile ini;
    EXPECT_FALSE(ini.WriteString("A]\n[B", "k", "v"));
    EXPECT_FALSE(ini.WriteString("A", "k=x", "v"));
    EXPECT_FALSE(ini.WriteString("A", "", "v"));
    EXPECT_FALSE(ini.WriteString("A", "k\n", "v"));
    ASSERT_TRUE(ini.WriteString("A", "k", "one\r\n[Hints]\r\nOn=0"));
    EXPECT_FALSE(ini.SectionExists("Hints"));
    EXPECT_EQ(ini.ReadString("A", "k", {}), QStringLiteral("one  [Hints]  On=0"));
}

TEST(IniFile, EraseSectionRemovesEveryCopy)
{
    IniFile ini;
    ini.SetData("[MRU]\nF0=a\n[Other]\nk=v\n[mru]\nF1=b\n");
    ASSERT_TRUE(ini.EraseSection("Mru"));
    EXPECT_FALSE(ini.SectionExists("MRU"));
    EXPECT_EQ(ini.ReadString("Other", "k", {}), QStringLiteral("v"));
    ini.WriteString("MRU", "F0", "c");
    EXPECT_EQ(ini.ReadSection("MRU"), QStringList{QStringLiteral("F0=c")});
}

TEST(IniFile, FileIsCreatedByFirstWriteAndSeenByOtherReaders)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("DL.ini");
    IniFile writer(path);
    EXPECT_EQ(writer.ReadInteger("Zooming", "Main", 60), 60);
    EXPECT_FALSE(QFile::exists(path));
    ASSERT_TRUE(writer.WriteInteger("Zooming", "Main", 45));
    EXPECT_TRUE(QFile::exists(path));
    IniFile reader(path);
    EXPECT_EQ(reader.ReadInteger("Zooming", "Main", 60), 45);
    // Same size, same moment: the reader must not keep a stale copy.
    ASSERT_TRUE(writer.WriteInteger("Zooming", "Main", 40));
    EXPECT_EQ(reader.ReadInteger("Zooming", "Main", 60), 40);
    EXPECT_EQ(readAll(path), QByteArray("[Zooming]\nMain=40\n"));
    // No temporary file is left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("DL.ini")});
}

TEST(IniFile, BatchedWritesReachTheFileOnce)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("DL.ini");
    writeAll(path, "[Zooming]\nMain=60\n");
    IniFile ini(path);
    ini.BeginUpdate();
    ini.WriteInteger("Zooming", "Main", 70);
    ini.WriteInteger("Zooming", "Prop", 40);
    EXPECT_EQ(ini.ReadInteger("Zooming", "Main", 0), 70);  // seen by its own reads
    EXPECT_EQ(readAll(path), QByteArray("[Zooming]\nMain=60\n"));
    ASSERT_TRUE(ini.EndUpdate());
    EXPECT_EQ(readAll(path), QByteArray("[Zooming]\nMain=70\nProp=40\n"));
    // Unbalanced EndUpdate does nothing harmful.
    EXPECT_TRUE(ini.EndUpdate());
    EXPECT_EQ(IniFile(path).ReadInteger("Zooming", "Prop", 0), 40);
}

TEST(IniFile, ForeignBytesSurviveARewrite)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("DL.ini");
    // A Windows-1252 path from an older installation, a NUL and stray bytes.
    const QByteArray old("[Icons]\r\nFile=C:\\Caf\xE9\\MISC1.ICL\r\n\xFF\xFE\x00junk\r\n", 42);
    writeAll(path, old);
    IniFile ini(path);
    EXPECT_EQ(ini.ReadString("Icons", "File", {}), QStringLiteral("C:\\Caf\u00E9\\MISC1.ICL"));
    ASSERT_TRUE(ini.WriteBool("Icons", "Visible", false));
    EXPECT_EQ(readAll(path), old + "Visible=0\r\n");
}

TEST(IniFile, UnwritableFileReportsFailure)
{
    IniFile ini(QStringLiteral("/nonexistent-folder/sub/DL.ini"));
    EXPECT_FALSE(ini.WriteString("A", "k", "v"));
    EXPECT_EQ(ini.ReadString("A", "k", "d"), QStringLiteral("d"));
}

TEST(IniFile, PipeOrDeviceInItsPlaceReadsEmptyAndIsNotReplaced)
{
    QTemporaryDir dir;
    const QString fifo = dayloom::test::MakeFifo(dir.filePath("DL.ini"));
    ASSERT_FALSE(fifo.isEmpty());
    IniFile ini(fifo);
    EXPECT_EQ(ini.ReadString("A", "k", "d"), QStringLiteral("d"));
    EXPECT_FALSE(ini.WriteString("A", "k", "v"));
    EXPECT_FALSE(QFileInfo(fifo).isFile());

    IniFile device(QStringLiteral("/dev/zero"));
    EXPECT_TRUE(device.ReadSection("A").isEmpty());
    IniFile null(QStringLiteral("/dev/null"));
    EXPECT_FALSE(null.WriteString("A", "k", "v"));
    EXPECT_TRUE(dayloom::test::IsCharacterDevice(QStringLiteral("/dev/null")));
}

TEST(IniFile, LongFileStaysLinear)
{
    QByteArray big;
    for (int i = 0; i < 20000; ++i)
        big += "[S" + QByteArray::number(i) + "]\nkey=" + QByteArray::number(i) + "\n";
    big += QByteArray(1 << 20, 'x');  // one very long line without an end
    IniFile ini;
    ini.SetData(big);
    EXPECT_EQ(ini.ReadInteger("S19999", "key", -1), 19999);
    EXPECT_EQ(ini.ReadInteger("s0", "KEY", -1), 0);
}
