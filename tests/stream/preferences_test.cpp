#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/cp1252.h"
#include "core/screen.h"
#include "stream/inifile.h"
#include "stream/preferences.h"

using namespace dayloom;

TEST(Preferences, MissingFileGivesDefaultsAndWritesRoundTrip)
{
    QTemporaryDir dir;
    SetProgramDir(dir.path());
    EXPECT_EQ(IniFileName(), ProgramDir() + QStringLiteral("DL.ini"));
    IniFile ini(IniFileName());
    Preferences p = ReadPreferences(ini);
    EXPECT_EQ(p.MainZoom, 60);
    EXPECT_EQ(p.PropZoom, 30);
    EXPECT_EQ(p.DefaultFontName, QStringLiteral("Arial"));
    EXPECT_EQ(p.DefaultFontSize, 10);
    EXPECT_FALSE(p.DefaultFontBold || p.DefaultFontItalic || p.DefaultFontUnderline ||
                 p.DefaultFontStrikeout);
    EXPECT_EQ(p.DefaultFontColor, 0);
    EXPECT_EQ(p.IconFile, ProgramDir() + QStringLiteral("MISC1.ICL"));
    EXPECT_TRUE(p.IconsVisible);
    EXPECT_TRUE(p.ShowHints);
    EXPECT_FALSE(QFile::exists(IniFileName()));

    p.MainZoom = 80;
    p.DefaultFontName = QStringLiteral("Times New Roman");
    p.DefaultFontItalic = true;
    p.DefaultFontColor = 0x0000FF;
    p.IconsVisible = false;
    ASSERT_TRUE(WritePreferences(ini, p));
    const Preferences back = ReadPreferences(IniFile(IniFileName()));
    EXPECT_EQ(back.MainZoom, 80);
    EXPECT_EQ(back.DefaultFontName, QStringLiteral("Times New Roman"));
    EXPECT_TRUE(back.DefaultFontItalic);
    EXPECT_EQ(back.DefaultFontColor, 0x0000FF);
    EXPECT_FALSE(back.IconsVisible);
    // Sections in the order they are first written; booleans as 1 and 0.
    const QByteArray text = [] {
        QFile f(IniFileName());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    EXPECT_LT(text.indexOf("[Zooming]"), text.indexOf("[Default Font]"));
    EXPECT_LT(text.indexOf("[Default Font]"), text.indexOf("[Icons]"));
    EXPECT_LT(text.indexOf("[Icons]"), text.indexOf("[Hints]"));
    EXPECT_TRUE(text.contains("Italic=1\n"));
    EXPECT_TRUE(text.contains("Visible=0\n"));
}

TEST(Placement, SectionNameAndScreenClamping)
{
    SetScreenPPI(96);
    EXPECT_EQ(PlacementSection(QStringLiteral("TCalendarMain")),
              QStringLiteral("TCalendarMain_Placement"));
    SetScreenPPI(120);
    EXPECT_EQ(PlacementSection(QStringLiteral("TCalendarMain")),
              QStringLiteral("TCalendarMain_Placement120"));
    SetScreenPPI(72);
    EXPECT_EQ(PlacementSection(QStringLiteral("TFloatingPalette")),
              QStringLiteral("TFloatingPalette_Placement"));
    SetScreenPPI(96);

    const QSize screen(1024, 768);
    // Left -50, Right 550 -> Left 1, Right 601.
    EXPECT_EQ(KeepOnScreen(QRect(-50, 10, 600, 300), screen), QRect(1, 10, 600, 300));
    // Beyond the right edge: moved left so that Right is the screen width.
    EXPECT_EQ(KeepOnScreen(QRect(900, 700, 300, 200), screen), QRect(724, 568, 300, 200));
    // Wider than the screen: the left edge wins.
    EXPECT_EQ(KeepOnScreen(QRect(0, 0, 2000, 100), screen).left(), 1);
    // Fully on the screen: unchanged.
    EXPECT_EQ(KeepOnScreen(QRect(0, 0, 1024, 768), screen), QRect(0, 0, 1024, 768));
}

