#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "core/cp1252.h"
#include "core/screen.h"
#include "core/tcolor.h"
#include "core/tfont.h"
#include "core/trect.h"

using namespace dayloom;

TEST(Cp1252, HighBytesDifferFromLatin1AndRoundTrip)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = fromCp1252(all);
    EXPECT_EQ(text.at(0x80), QChar(0x20AC));  // euro sign
    EXPECT_EQ(text.at(0x92), QChar(0x2019));  // right single quote
    EXPECT_EQ(text.at(0xE9), QChar(0xE9));    // e acute as in Latin-1
    EXPECT_EQ(toCp1252(text), all);
}

TEST(Cp1252, CharacterOutsideTheCodePageBecomesQuestionMark)
{
    EXPECT_EQ(toCp1252(QString::fromUtf8("a\xE2\x86\x92" "b")), QByteArray("a?b"));
    EXPECT_EQ(toCp1252(QString::fromUtf8("Mi\xC3\xA9rcoles")), QByteArray("Mi\xE9rcoles"));
}

TEST(TRectTest, RightAndBottomLieOutside)
{
    TRect r(10, 20, 30, 40);
    EXPECT_TRUE(r.Contains(10, 20));
    EXPECT_FALSE(r.Contains(30, 25));
    EXPECT_FALSE(r.Contains(15, 40));
    EXPECT_EQ(TRect::fromQRect(r.toQRect()), r);
    EXPECT_EQ(r.toQRect().width(), 20);
}

TEST(TFontTest, SizeFollowsHeightAtScreenPpi)
{
    TFont f;
    f.SetSize(26);
    EXPECT_EQ(f.Height(), -35);  // -round(26 * 96 / 72)
    f.SetHeight(-21);
    EXPECT_EQ(f.Size(), 16);
    f.SetHeight(-13);
    EXPECT_EQ(f.Size(), 10);
    f.SetSize(2000000000);  // a damaged file's size must not overflow
    EXPECT_LT(f.Height(), 0);
}

TEST(TFontTest, ChangesNotifyOnceAndSameLookIgnoresSize)
{
    TFont a, b;
    QSignalSpy spy(&a, &TFont::changed);
    a.SetName("Times New Roman");
    a.SetName("Times New Roman");
    EXPECT_EQ(spy.count(), 1);
    b.Assign(a);
    b.SetHeight(-50);
    EXPECT_TRUE(a.SameLook(b));
    EXPECT_FALSE(a == b);
    b.SetStyle(fsBold);
    EXPECT_FALSE(a.SameLook(b));
    spy.clear();
    a.Assign(b);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_TRUE(a == b);
}

TEST(TColorTest, PlainAndSystemColours)
{
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FFu);
    EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(FromQColor(QColor(0, 0, 128)), clNavy);
    EXPECT_TRUE(IsSystemColor(clWindowText));
    EXPECT_FALSE(IsSystemColor(clNone));
    EXPECT_EQ(ColorToRGB(clWindowText) & 0xFF000000u, 0u);
}

TEST(TFontTest, TakesWhatAFontDialogChoseInOneNotification)
{
    TFont f;
    f.SetColor(clRed);
    QSignalSpy spy(&f, &TFont::changed);
    QFont chosen("Times New Roman");
    chosen.setPointSize(18);
    chosen.setBold(true);
    chosen.setStrikeOut(true);
    f.AssignQFont(chosen);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(f.Name(), "Times New Roman");
    EXPECT_EQ(f.Size(), 18);
    EXPECT_EQ(f.Style(), fsBold | fsStrikeOut);
    EXPECT_EQ(f.Color(), clRed);
    f.AssignQFont(chosen);
    EXPECT_EQ(spy.count(), 1);

    // A height that is no whole number of points survives a dialog left
    // alone (14 pixels are 10.5 points, shown as 11).
    f.SetHeight(-14);
    spy.clear();
    f.AssignQFont(f.ToQFont());
    EXPECT_EQ(f.Height(), -14);
    EXPECT_EQ(spy.count(), 0);
}

TEST(DataFolders, ProgramFolderFirstThenTheInstalledDataFolder)
{
    const QString oldProgram = ProgramDir();
    const QString oldInstalled = InstalledDataDir();
    QTemporaryDir user, installed;
    SetProgramDir(user.path());
    SetInstalledDataDir(installed.path());
    QDir(user.path()).mkpath(QStringLiteral("Borders"));
    QDir(installed.path()).mkpath(QStringLiteral("borders"));
    QDir(installed.path()).mkpath(QStringLiteral("help"));
    auto touch = [](const QString& path) {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write("x") == 1;
    };
    ASSERT_TRUE(touch(installed.path() + QStringLiteral("/help/index.html")));
    ASSERT_TRUE(touch(installed.path() + QStringLiteral("/borders/Holly.wls")));
    ASSERT_TRUE(touch(installed.path() + QStringLiteral("/MISC1.ICL")));

    EXPECT_EQ(DataDirs(), (QStringList{ProgramDir(), InstalledDataDir()}));
    EXPECT_TRUE(InstalledDataDir().endsWith(QLatin1Char('/')));
    // Found in the installed folder, letter case of every component ignored.
    EXPECT_EQ(FindDataFile(QStringLiteral("HELP/Index.HTML")),
              installed.path() + QStringLiteral("/help/index.html"));
    EXPECT_EQ(FindDataFile(QStringLiteral("Borders/holly.WLS")),
              installed.path() + QStringLiteral("/borders/Holly.wls"));
    // A file of the user's own wins over the installed one.
    ASSERT_TRUE(touch(user.path() + QStringLiteral("/Borders/Holly.wls")));
    EXPECT_EQ(FindDataFile(QStringLiteral("Borders/Holly.wls")),
              user.path() + QStringLiteral("/Borders/Holly.wls"));
    // Both Borders folders, the user's first.
    EXPECT_EQ(FindDataFolders(QStringLiteral("Borders")),
              (QStringList{user.path() + QStringLiteral("/Borders/"),
                           installed.path() + QStringLiteral("/borders/")}));
    EXPECT_EQ(FindDataFolders(QStringLiteral("Textures")), QStringList());
    // A program file: where it is found, else where it would be created.
    EXPECT_EQ(DataFilePath(QStringLiteral("misc1.icl")), installed.path() + QStringLiteral("/MISC1.ICL"));
    EXPECT_EQ(DataFilePath(QStringLiteral("DL.ini")), ProgramDir() + QStringLiteral("DL.ini"));
    EXPECT_TRUE(FindDataFile(QStringLiteral("help/missing.html")).isEmpty());

    // Without an installed folder only the program folder is searched.
    SetInstalledDataDir(QString());
    EXPECT_EQ(DataDirs(), QStringList{ProgramDir()});
    EXPECT_TRUE(FindDataFile(QStringLiteral("help/index.html")).isEmpty());

    SetProgramDir(oldProgram);
    SetInstalledDataDir(oldInstalled);
}
