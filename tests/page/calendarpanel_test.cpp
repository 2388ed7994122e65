// The page model: its two sets of defaults, the reset, the line-layout
// presets, settings comparison and copy, change reports, zoom and the
// border picture's lookup and inset.
#include <gtest/gtest.h>

#include <cmath>

#include <QDir>
#include <QFile>
#include <QSignalSpy>

#include "core/screen.h"
#include "objects/tggraphiccontrol.h"
#include "dates/calendardates.h"
#include "pagetestutil.h"
#include "common/testutil.h"

using namespace dayloom;
using namespace dayloom::test;

namespace {

void expectFont(const TFontData& f, const char* name, int height, TFontStyles style, TColor color)
{
    EXPECT_EQ(f.Name, QString::fromLatin1(name));
    EXPECT_EQ(f.Height, height);
    EXPECT_EQ(f.Style, style);
    EXPECT_EQ(f.Color, color);
}

void writeBorder(const QString& name)
{
    QDir(ProgramDir()).mkpath(QStringLiteral("Borders"));
    QFile f(ProgramDir() + QStringLiteral("Borders/") + name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
}

}  // namespace

TEST(CalendarPanel, ConstructorDefaults)
{
    TCalendarPanel32 page;
    EXPECT_EQ(page.CalendarLayout(), loFullCalendar);
    EXPECT_EQ(page.CalendarOrientation(), coPortrait);
    EXPECT_EQ(page.CalendarLineLayout(), llFull);
    EXPECT_EQ(page.MiniCalendarLineLayout(), mllFull);
    expectFont(page.TitleFont(), "Times New Roman", -35, fsBold, clWindowText);  // 26 pt
    expectFont(page.HeadersFont(), "Times New Roman", -21, fsBold, clWindowText);
    expectFont(page.CellFont(), "Times New Roman", -21, fsBold, clWindowText);
    expectFont(page.MiniTitleFont(), "Times New Roman", -8, fsBold, clWindowText);
    expectFont(page.MiniHeadersFont(), "Times New Roman", -11, 0, clWhite);
    expectFont(page.MiniCellFont(), "Times New Roman", -8, 0, clWindowText);
    EXPECT_EQ(page.HeadersBorder(), cbAll);
    EXPECT_EQ(page.HeadersStyle(), dsThreeChars);
    EXPECT_EQ(page.CellBorder(), cbAll);
    EXPECT_EQ(page.NumberPosition(), cnpUpperRight);
    EXPECT_EQ(page.CalendarBorder(), cbAll);
    EXPECT_EQ(page.StartOfWeek(), 1);
    EXPECT_EQ(page.MainCalDay(), 0);
    EXPECT_EQ(page.MainCalMonth(), 1);
    EXPECT_EQ(page.MainCalYear(), 1997);
    EXPECT_EQ(page.MiniHeadersStyle(), dsFirstChar);
    EXPECT_EQ(page.MiniCalBorder(), cbAll);
    EXPECT_EQ(page.MiniHeadersBorder(), cbBottom);
    EXPECT_EQ(page.MiniCellBorder(), cbNone);
    EXPECT_EQ(page.LeftMarginInch(), 0.25f);
    EXPECT_EQ(page.BottomMarginInch(), 0.25f);
    EXPECT_TRUE(page.UserTitle().isEmpty());
    EXPECT_TRUE(page.WMFBorderFile().isEmpty());
    EXPECT_EQ(page.PanelState(), psPointing);
    EXPECT_TRUE(page.Pointing());
    EXPECT_EQ(page.PaperSize(), PaperLetter);
    EXPECT_EQ(page.PlannerStartTime(), QTime(8, 0));
    EXPECT_EQ(page.GetMonthName(1), QStringLiteral("January"));
    EXPECT_EQ(page.GetDayName(1), QStringLiteral("Sunday"));
    EXPECT_EQ(page.View().Scale, 1.0);
    EXPECT_EQ(page.ViewSize(), QSize(816, 1056));
    EXPECT_TRUE(page.MainGridShown());
    EXPECT_FALSE(page.MinisShown());
    EXPECT_FALSE(page.HasCellText());
}

TEST(CalendarPanel, MainWindowDescriptionThenReset)
{
    TCalendarPanel32 page;
    TCalendarPanel32::ApplyMainWindowDescription(page);
    expectFont(page.TitleFont(), "Times New Roman", -35, fsBold, clBlack);
    expectFont(page.HeadersFont(), "Times New Roman", -21, fsBold, clBlack);
    expectFont(page.CellFont(), "Times New Roman", -21, fsBold, clBlack);
    EXPECT_EQ(page.MiniTitleFont().Height, -13);
    EXPECT_EQ(page.MiniHeadersFont().Height, -11);
    EXPECT_EQ(page.MiniHeadersFont().Color, clWhite);
    EXPECT_EQ(page.MiniHeadersBGColor(), clBlack);
    EXPECT_EQ(page.MiniCellFont().Height, -11);
    EXPECT_EQ(page.CalendarLayout(), loFCMinisInTitleLS);
    EXPECT_EQ(page.CalendarOrientation(), coLandscape);
    EXPECT_EQ(page.MiniCellBorder(), cbAll);
    EXPECT_EQ(page.HeadersStyle(), dsWhole);
    EXPECT_EQ(page.MainCalMonth(), 12);
    EXPECT_EQ(page.MainCalYear(), 1997);
    EXPECT_EQ(page.ViewSize(), QSize(1056, 816));
    EXPECT_EQ(page.MiniCount(), 2);

    // reset: the settings it names, in its order; fonts, the header style,
    // the number position and individual borders stay.
    page.SetCalendarBorder(cbTop);  // line layout stays llFull, so this survives
    page.SetNumberPosition(cnpCenter);
    page.SetUserTitle(QStringLiteral("Mine"));
    page.SetMonthName(3, QStringLiteral("Mars"));
    page.SetTitleBGColor(clRed);
    page.SetLeftMarginInch(1.0f);
    page.SetPaperSize(PaperA4);
    page.SetCalendarLayout(loDay10);
    page.SetPlannerStartTime(QTime(9, 30));
    page.ResetPage();
    const CalendarDate today = Today();
    EXPECT_EQ(page.PaperSize(), PaperLetter);
    EXPECT_TRUE(page.UserTitle().isEmpty());
    EXPECT_EQ(page.CalendarLayout(), loFCMinisInTitleLS);
    EXPECT_EQ(page.CalendarOrientation(), coLandscape);
    EXPECT_EQ(page.GetMonthName(3), QStringLiteral("March"));
    EXPECT_EQ(page.MainCalDay(), today.Day);
    EXPECT_EQ(page.MainCalMonth(), today.Month);
    EXPECT_EQ(page.MainCalYear(), today.Year);
    EXPECT_EQ(page.TitleBGColor(), clWhite);
    EXPECT_EQ(page.MiniHeadersFont().Color, clBlack);
    EXPECT_EQ(page.MiniHeadersBGColor(), clWhite);
    EXPECT_EQ(page.LeftMarginInch(), 0.5f);
    EXPECT_EQ(page.TopMarginInch(), 0.5f);
    EXPECT_EQ(page.PlannerStartTime(), QTime(8, 0));
    EXPECT_EQ(page.CalendarLineLayout(), llFull);
    EXPECT_EQ(page.MiniCalendarLineLayout(), mllBoxed);
    EXPECT_EQ(page.MiniCalBorder(), cbAll);
    EXPECT_EQ(page.MiniCellBorder(), cbNone);
    EXPECT_EQ(page.MiniHeadersBorder(), cbTopBottom);
    EXPECT_EQ(page.CalendarBorder(), cbTop);
    EXPECT_EQ(page.NumberPosition(), cnpCenter);
    EXPECT_EQ(page.HeadersStyle(), dsWhole);
    expectFont(page.TitleFont(), "Times New Roman", -35, fsBold, clBlack);
    // minis in the title: 10 pt title, trunc(0.8 x 10) = 8 pt headers and cells
    EXPECT_EQ(page.MiniTitleFont().Size(), 10);
    EXPECT_EQ(page.MiniHeadersFont().Size(), 8);
    EXPECT_EQ(page.MiniCellFont().Size(), 8);
}

TEST(CalendarPanel, LineLayoutPresetsActOnlyOnChange)
{
    TCalendarPanel32 page;
    page.SetCellBorder(cbTop);
    page.SetCalendarLineLayout(llFull);  // unchanged: no restore
    EXPECT_EQ(page.CellBorder(), cbTop);
    page.SetCalendarLineLayout(llHeadersAndCells);
    EXPECT_EQ(page.CalendarBorder(), cbNone);
    EXPECT_EQ(page.HeadersBorder(), cbAll);
    EXPECT_EQ(page.CellBorder(), cbAll);
    page.SetCalendarLineLayout(llCellsOnly);
    EXPECT_EQ(page.HeadersBorder(), cbNone);
    page.SetCalendarLineLayout(llFull);
    EXPECT_EQ(page.CalendarBorder(), cbAll);

    page.SetMiniCalendarLineLayout(mllMinimal);
    EXPECT_EQ(page.MiniCalBorder(), cbNone);
    EXPECT_EQ(page.MiniCellBorder(), cbNone);
    EXPECT_EQ(page.MiniHeadersBorder(), cbTop);
    page.SetMiniCellBorder(cbAll);
    page.SetMiniCalendarLineLayout(mllMinimal);
    EXPECT_EQ(page.MiniCellBorder(), cbAll);
    page.SetMiniCalendarLineLayout(mllFull);
    EXPECT_EQ(page.MiniHeadersBorder(), cbAll);
}

TEST(CalendarPanel, OrientationFollowsTheLayoutAndPlannersArePortrait)
{
    TCalendarPanel32 page;
    for (int l = 0; l < CalendarLayoutCount; ++l) {
        page.SetCalendarLayout(TCalendarLayout(l));
        const bool ls = l <= 17 && l % 2 == 1;
        EXPECT_EQ(page.CalendarOrientation(), ls ? coLandscape : coPortrait) << l;
        EXPECT_EQ(page.ViewSize(), ls ? QSize(1056, 816) : QSize(816, 1056)) << l;
    }
    page.SetCalendarLayout(lo2Week);
    page.SetCalendarOrientation(coLandscape);  // the layout step puts it back
    EXPECT_EQ(page.CalendarOrientation(), coPortrait);
    EXPECT_EQ(page.LayoutKind(), 3);
    page.SetCalendarLayout(loMC60MonthLS);
    EXPECT_EQ(page.LayoutKind(), 1);
    page.SetCalendarLayout(loFC12AfterLS);
    EXPECT_EQ(page.LayoutKind(), 0);
    page.SetCalendarLayout(loDay15);
    EXPECT_EQ(page.LayoutKind(), 5);
}

TEST(CalendarPanel, NamesOutOfRange)
{
    TCalendarPanel32 page;
    EXPECT_TRUE(page.GetMonthName(0).isEmpty());
    EXPECT_TRUE(page.GetMonthName(13).isEmpty());
    EXPECT_TRUE(page.GetDayName(8).isEmpty());
    QSignalSpy spy(&page, &TCalendarPanel32::SettingChanged);
    page.SetMonthName(13, QStringLiteral("x"));
    page.SetDayName(0, QStringLiteral("x"));
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(page.MonthNames().size(), 12);
    EXPECT_EQ(page.DayNames().size(), 7);
}

TEST(CalendarPanel, SettersReportChangesOnlyWhenTheValueChanges)
{
    TCalendarPanel32 page;
    QSignalSpy changed(&page, &TCalendarPanel32::SettingChanged);
    QSignalSpy repaint(&page, &TCalendarPanel32::RepaintRequested);
    QSignalSpy resized(&page, &TCalendarPanel32::SizeChanged);
    page.SetMainCalMonth(1);
    page.SetUserTitle(QString());
    page.SetHeadersStyle(dsThreeChars);
    ShowAt(page, 1.0f);
    page.SetTitleFont(page.TitleFont().WithSize(26));
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(repaint.count(), 0);
    EXPECT_EQ(resized.count(), 0);

    page.SetUserTitle(QStringLiteral("A & B"));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_GE(repaint.count(), 1);
    page.SetTitleFont(page.TitleFont().WithSize(30));  // fonts report through their own notification
    EXPECT_EQ(changed.count(), 2);
    page.SetPaperSize(PaperA4);
    EXPECT_EQ(changed.count(), 3);
    ASSERT_GE(resized.count(), 1);
    EXPECT_EQ(resized.last().at(0).toSize(), QSize(793, 1122));

    // values a damaged document could carry are refused rather than painted
    page.SetLeftMarginInch(std::nanf(""));
    page.SetLeftMarginInch(-1.0f);
    page.SetLeftMarginInch(1.0e30f);
    EXPECT_EQ(page.LeftMarginInch(), 0.25f);
    page.SetCalendarLayout(TCalendarLayout(22));
    EXPECT_EQ(page.CalendarLayout(), loFullCalendar);
    page.SetMainCalMonth(13);
    page.SetMainCalMonth(0);
    EXPECT_EQ(page.MainCalMonth(), 1);
}

// The page keeps its size in page pixels; a view shows it truncated.
TEST(CalendarPanel, ViewShowsThePageWithTruncation)
{
    TCalendarPanel32 page;
    QSignalSpy resized(&page, &TCalendarPanel32::SizeChanged);
    ShowAt(page, 0.601f);
    EXPECT_EQ(page.ViewSize(), QSize(490, 634));  // 816 x 0.601 = 490.4, 1056 x 0.601 = 634.7
    EXPECT_EQ(page.Size(), QSize(816, 1056));
    EXPECT_EQ(resized.count(), 0);
}

TEST(CalendarPanel, PanelStateSetsPointingAndTheCursor)
{
    TCalendarPanel32 page;
    QSignalSpy cursor(&page, &TGBasePanel::CursorRequested);
    page.SetPanelState(psLabel);
    EXPECT_FALSE(page.Pointing());
    page.SetPanelState(psFlatCalendar);
    page.SetPanelState(psFlatCalendar);
    page.SetPanelState(psPointing);
    EXPECT_TRUE(page.Pointing());
    ASSERT_EQ(cursor.count(), 3);
    EXPECT_EQ(cursor.at(0).at(0).value<Qt::CursorShape>(), Qt::DragMoveCursor);
    EXPECT_EQ(cursor.at(1).at(0).value<Qt::CursorShape>(), Qt::DragMoveCursor);
    EXPECT_EQ(cursor.at(2).at(0).value<Qt::CursorShape>(), Qt::ArrowCursor);
}

TEST(CalendarPanel, SameSettingsAndCopySettings)
{
    TCalendarPanel32 a, b;
    EXPECT_TRUE(a.SameSettings(b));
    b.SetTitleFont(b.TitleFont().WithSize(40));  // the size is not compared
    EXPECT_TRUE(a.SameSettings(b));
    b.SetTitleFont(b.TitleFont().WithStyle(fsItalic));
    EXPECT_FALSE(a.SameSettings(b));
    b.SetTitleFont(b.TitleFont().WithStyle(fsBold));
    b.SetDayName(7, QStringLiteral("Samstag"));
    EXPECT_FALSE(a.SameSettings(b));

    b.SetCalendarLayout(loMC12MonthLS);
    b.SetMiniCalendarLineLayout(mllMinimal);
    b.SetUserTitle(QStringLiteral("Ours"));
    b.SetMainCalMonth(6);
    b.SetTopMarginInch(0.75f);
    b.SetPlannerStartTime(QTime(7, 0));
    b.SetNumberPosition(cnpCenter);  // not part of the settings
    TWPRtfStorage text = RtfStore("{\\rtf1\\ansi hello}");
    a.SetCellText(5, text);

    QSignalSpy changed(&a, &TCalendarPanel32::SettingChanged);
    a.CopySettingsFrom(b);
    EXPECT_TRUE(a.SameSettings(b));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(a.TitleFont().Size(), 40);
    EXPECT_EQ(a.CalendarOrientation(), coLandscape);
    EXPECT_EQ(a.MiniCount(), 12);
    EXPECT_EQ(a.MiniCalBorder(), cbNone);  // through the preset setter
    EXPECT_EQ(a.NumberPosition(), cnpUpperRight);
    EXPECT_FALSE(a.CellStore(5)->IsEmpty());  // cells are not settings
    EXPECT_EQ(a.Mini(1).Month, 6);
}

namespace {

// A page object that fills its bounds.
class Block : public TGGraphicControl {
public:
    explicit Block(QColor c) : colour(c) {}
    void PaintObject(QPainter& p, const PageMapping&, QSize size) override
    {
        p.fillRect(QRect(QPoint(0, 0), size), colour);
    }
    QColor colour;
};

}  // namespace

TEST(CalendarPanel, PaintGuardsAndObjectsInTheBitmap)
{
    TCalendarPanel32 page;
    page.SetTitleBGColor(Bgr(0, 0, 255));

    // a picture started from inside a picture does nothing (and does not recurse)
    int calls = 0;
    writeBorder(QStringLiteral("ZzTestGuard.wpo"));
    page.SetWMFBorderFile(QStringLiteral("ZzTestGuard"));
    page.SetBorderPicturePainter([&](QPainter&, const QRectF&) {
        ++calls;
        QImage inner;
        page.PaintToBitmap(inner, page.View());
    });
    QImage shown;
    page.PaintToBitmap(shown, page.View());
    EXPECT_EQ(calls, 1);
    const QPoint inTitle2(page.MainRect().Left + 3, page.MainRect().Top + 3);
    EXPECT_EQ(Px(shown, inTitle2.x(), inTitle2.y()), 0x0000FFu);

    // objects: not in the screen paint (the host draws them), in child order
    // in the bitmap
    page.AddObject(new Block(Qt::red));
    page.AddObject(new Block(Qt::green));
    page.Objects()[0]->SetBounds(QRect(100, 100, 50, 50));
    page.Objects()[1]->SetBounds(QRect(120, 120, 50, 50));
    EXPECT_EQ(Px(PaintedPage(page), 125, 125), 0x0000FFu);
    QImage bitmap(page.ViewSize(), QImage::Format_RGB32);
    page.PaintToBitmap(bitmap, page.View());
    EXPECT_EQ(Px(bitmap, 105, 105), 0xFF0000u);
    EXPECT_EQ(Px(bitmap, 125, 125), 0x00FF00u);
    EXPECT_EQ(Px(bitmap, inTitle2.x(), inTitle2.y()), 0x0000FFu);
    EXPECT_TRUE(page.HasObjectOfClass("dayloom::TGGraphicControl"));
    EXPECT_FALSE(page.HasObjectOfClass("dayloom::TGSuperText"));
}

TEST(CalendarPanel, BorderPictureLookupAndInset)
{
    writeBorder(QStringLiteral("ZzTestHolly.wls"));
    writeBorder(QStringLiteral("ZzTestHolly.wpo"));
    writeBorder(QStringLiteral("ZzTestRibbon.wpo"));  // portrait only
    TCalendarPanel32 page;
    page.SetCalendarLayout(LOFullCalendarLS);
    const TRect plain = page.MainRect();

    QStringList loaded;
    page.SetBorderPictureLoader([&](const QString& path) {
        loaded << path;
        return !path.contains(QLatin1String("ZzTestBroken"));
    });
    QList<QRectF> targets;
    page.SetBorderPicturePainter([&](QPainter&, const QRectF& r) { targets << r; });

    page.SetWMFBorderFile(QStringLiteral("ZzTestHolly"));
    EXPECT_EQ(page.WMFBorderFile(), QStringLiteral("ZzTestHolly"));
    ASSERT_EQ(loaded.size(), 1);
    EXPECT_TRUE(loaded.last().endsWith(QLatin1String("Borders/ZzTestHolly.wls")));
    // everything moves 0.47 in further in: px(0.25 + 0.47) - px(0.25) = 45
    EXPECT_EQ(page.MainRect(), TRect(plain.Left + 45, plain.Top + 45, plain.Right - 45, plain.Bottom - 45));
    EXPECT_EQ(page.MarginRect(), TRect(24, 24, 1032, 792));

    ShowAt(page, 0.601f);
    PaintedPage(page);
    ASSERT_EQ(targets.size(), 1);
    EXPECT_EQ(targets.last(), QRectF(14, 14, 620 - 14, 475 - 14));  // the margin rectangle x zoom
    ShowAt(page, 1.0f);

    // a missing file (ZzTestRibbon has no landscape picture), an unsafe name and
    // a file that does not load
    page.SetWMFBorderFile(QStringLiteral("ZzTestRibbon"));
    EXPECT_EQ(page.WMFBorderFile(), QStringLiteral("ZzTestHolly"));
    page.SetWMFBorderFile(QStringLiteral("../Borders/ZzTestHolly"));
    EXPECT_EQ(page.WMFBorderFile(), QStringLiteral("ZzTestHolly"));
    writeBorder(QStringLiteral("ZzTestBroken.wls"));
    page.SetWMFBorderFile(QStringLiteral("ZzTestBroken"));
    EXPECT_TRUE(page.WMFBorderFile().isEmpty());
    EXPECT_EQ(page.MainRect(), plain);

    // a layout change loads the picture of the new orientation
    page.SetWMFBorderFile(QStringLiteral("ZzTestHolly"));
    loaded.clear();
    page.SetCalendarLayout(loFullCalendar);
    ASSERT_FALSE(loaded.isEmpty());
    EXPECT_TRUE(loaded.last().endsWith(QLatin1String("ZzTestHolly.wpo")));

    page.SetWMFBorderFile(QString());
    EXPECT_TRUE(page.WMFBorderFile().isEmpty());
    EXPECT_TRUE(loaded.last().isEmpty());  // the loader hears that it was cleared
}
