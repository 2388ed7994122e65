// The floating calendar: setter rules, shadow, transparency, week start.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "core/tfont.h"
#include "objects/tgflatcalendar.h"
#include "objecttestutil.h"
#include "common/testutil.h"

using namespace dayloom;
using namespace dayloom::test;

namespace {

QImage paint(TGFlatCalendar& c, QRgb background = 0xFF00FF)
{
    QImage img(c.Width(), c.Height(), QImage::Format_RGB32);
    img.fill(background);
    QPainter p(&img);
    PaintAtOrigin(c, p);
    return img;
}

int countColour(const QImage& img, const QRect& area, QRgb rgb)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += (img.pixel(x, y) & 0xFFFFFF) == (rgb & 0xFFFFFF);
    return n;
}

bool anyInk(const QImage& img, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(img.pixel(x, y)) < 128)
                return true;
    return false;
}

}  // namespace

TEST(FlatCalendar, SetterRules)
{
    TGFlatCalendar c;
    c.SetShadowDepth(6);
    c.SetShadowDepth(11);
    EXPECT_EQ(c.ShadowDepth(), 6);
    c.SetStartOfWeek(3);
    EXPECT_EQ(c.StartOfWeek(), 1);
    c.SetStartOfWeek(2);
    EXPECT_EQ(c.StartOfWeek(), 2);
    const QSize size(100, 80);
    EXPECT_EQ(c.CalendarRect(size, 1.0f), QRect(0, 0, 94, 74));
    EXPECT_EQ(c.ShadowRect(size, 1.0f), QRect(6, 6, 94, 74));
    EXPECT_EQ(c.ShadowRect(size * 2, 2.0f), QRect(12, 12, 188, 148));  // the offset follows the zoom
    c.SetShadowPosition(fcpUpperLeft);
    EXPECT_EQ(c.CalendarRect(size, 1.0f), QRect(6, 6, 94, 74));
    c.SetShadowDepth(0);
    EXPECT_EQ(c.CalendarRect(size, 1.0f), QRect(0, 0, 100, 80));
    EXPECT_TRUE(c.ShadowRect(size, 1.0f).isNull());
}

TEST(FlatCalendar, ShadowFillAndTransparency)
{
    TGFlatCalendar c;
    c.SetBounds(QRect(0, 0, 160, 140));
    c.SetMonth(6);
    c.SetYear(2025);
    c.SetShadowDepth(8);
    c.SetShadowColor(0x0000FF);  // red
    c.SetBackgroundcolor(0x00FFFF);  // yellow
    const QImage solid = paint(c);
    SaveShot(solid, QStringLiteral("objects_flatcalendar_shadow"));
    EXPECT_EQ(solid.pixel(158, 138) & 0xFFFFFF, 0xFF0000u);  // shadow corner, edges included
    EXPECT_EQ(solid.pixel(2, 138) & 0xFFFFFF, 0xFF00FFu);    // beside the shadow: page
    EXPECT_GT(countColour(solid, QRect(5, 60, 140, 60), 0xFFFF00), 1000);

    c.SetCalTransparent(true);
    const QImage clear = paint(c);
    EXPECT_EQ(countColour(clear, clear.rect(), 0xFF0000), 0);  // no shadow
    EXPECT_EQ(countColour(clear, clear.rect(), 0xFFFF00), 0);  // no fill
    EXPECT_EQ(countColour(clear, clear.rect(), 0xFFFFFF), 0);
    EXPECT_TRUE(anyInk(clear, clear.rect()));  // text and lines still drawn
    EXPECT_EQ(c.CalendarRect(QSize(160, 140), 1.0f), QRect(0, 0, 160, 140));  // the whole object
}

TEST(FlatCalendar, MondayStartPutsASundayFirstInTheLastColumn)
{
    TGFlatCalendar c;
    c.SetBounds(QRect(0, 0, 211, 181));
    c.SetMonth(6);  // 1 June 2025 is a Sunday
    c.SetYear(2025);
    c.SetCalendarBorderStyle(fcbNone);
    c.SetDayNameBorderStyle(fcbNone);
    c.SetStartOfWeek(2);
    const QImage img = paint(c, 0xFFFFFF);
    SaveShot(img, QStringLiteral("objects_flatcalendar_monday"));
    const QRect band = c.DayNameBand();
    const int gt = band.top() + band.height() - 1, gb = 180;
    const int rh = (gb - gt) / 6, cw = 210 / 7;
    auto cell = [&](int r, int col) { return QRect(col * cw + 2, gt + r * rh + 2, cw - 4, rh - 3); };
    for (int col = 0; col < 6; ++col)
        EXPECT_FALSE(anyInk(img, cell(0, col))) << col;
    EXPECT_TRUE(anyInk(img, cell(0, 6)));
    EXPECT_TRUE(anyInk(img, cell(1, 0)));
    c.SetStartOfWeek(1);
    const QImage sunday = paint(c, 0xFFFFFF);
    EXPECT_TRUE(anyInk(sunday, cell(0, 0)));
    EXPECT_FALSE(anyInk(sunday, cell(0, 6)) && !anyInk(sunday, cell(0, 1)));
}

TEST(FlatCalendar, SmallObjectTitleNeverBelowTextHeight)
{
    TGFlatCalendar c;
    c.SetBounds(QRect(0, 0, 70, 40));
    paint(c);
    EXPECT_GE(c.TitleBand().height(), QFontMetrics(TGGraphicControl::ZoomedFont(*c.TitleFont(), At(1.0f))).height());
}

TEST(FlatCalendar, RecordWritesEveryPropertyAndRoundTrips)
{
    TGBasePanel panel;
    auto* c = new TGFlatCalendar;
    panel.AddObject(c);
    c->SetBounds(QRect(40, 50, 180, 150));
    c->SetStartOfWeek(2);
    c->SetMonth(2);
    c->SetYear(2024);
    c->TitleFont()->SetName(QStringLiteral("Times New Roman"));
    c->TitleFont()->SetStyle(fsBold);
    c->CellFont()->SetColor(0x0000FF);
    c->SetShowYear(true);
    c->SetDayNameBGColor(0xBFD7BF);
    c->SetCalendarBorderStyle(fcbTopBottom);
    c->SetDayNameBorderStyle(fcbBottom);
    c->SetCellBorderStyle(fcbAll);
    c->SetDayNameStyle(fdsThreeChars);
    c->SetTitleBGcolor(0xEFBF9F);
    c->SetBackgroundcolor(0xEFF7FF);
    c->SetShadowColor(0x7F7F7F);
    c->SetShadowDepth(5);
    c->SetShadowPosition(fcpUpperRight);
    c->SetLanguage(fclGerman);
    c->SetCalTransparent(true);
    const QByteArray first = WriteObjectList({c});
    for (const char* name : {"StartOfWeek", "ShowYear", "CalTransparent", "fcbTopBottom", "fdsThreeChars",
                             "fcpUpperRight", "fclGerman", "TitleFont.Name", "CellFont.Color"})
        EXPECT_TRUE(first.contains(name)) << name;
    TGBasePanel other;
    const QList<TGGraphicControl*> read = ReadObjectList(first, other);
    ASSERT_EQ(read.size(), 1);
    EXPECT_EQ(WriteObjectList(read), first);
    auto* back = qobject_cast<TGFlatCalendar*>(read.first());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Language(), fclGerman);
    EXPECT_EQ(back->ShadowDepth(), 5);
}
