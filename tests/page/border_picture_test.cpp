// The border picture bound to a page: the shipped borders drawn on real
// pages (DAYLOOM_TEST_SHOTS keeps them), and the load rules.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/screen.h"
#include "page/borderpicture.h"
#include "pagetestutil.h"
#include "common/testutil.h"

using namespace dayloom;
using namespace dayloom::test;

namespace {

QByteArray shipped(const QString& fileName)
{
    return ReadFile(SourcePath(QStringLiteral("data/Borders/") + fileName));
}

// Non-white pixels inside and outside a rectangle.
std::pair<int, int> inkAround(const QImage& img, const QRect& r)
{
    int in = 0, out = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (Px(img, x, y) != 0xFFFFFFu)
                ++(r.contains(x, y) ? in : out);
    return {in, out};
}

QRect zoomed(const TRect& r, float z)
{
    return QRect(QPoint(int(r.Left * z), int(r.Top * z)), QPoint(int(r.Right * z) - 1, int(r.Bottom * z) - 1));
}

}  // namespace

TEST(BorderPicture, ShippedBordersOnPortraitAndLandscapePages)
{
    for (const char* name : {"Checker", "Classic", "Holly", "Ribbon", "Waves"})
        for (const bool landscape : {false, true}) {
            SCOPED_TRACE(std::string(name) + (landscape ? " landscape" : " portrait"));
            TCalendarPanel32 page;
            auto picture = BorderPicture::Attach(page);
            page.SetCalendarLayout(landscape ? LOFullCalendarLS : loFullCalendar);
            page.SetWMFBorderFile(QString::fromLatin1(name));
            ASSERT_EQ(page.WMFBorderFile(), QString::fromLatin1(name));
            EXPECT_TRUE(picture->Path().endsWith(landscape ? ".wls" : ".wpo"));
            SaveShot(PaintedPage(page), QStringLiteral("border_page_%1_%2")
                                            .arg(name, landscape ? "landscape" : "portrait"));

            // at a zoom the picture fills the band between the margin
            // rectangle and the calendar, and nothing outside the rectangle
            const float z = 0.601f;
            ShowAt(page, z);
            QImage shot = PaintedPage(page);
            const QRect margin = zoomed(page.MarginRect(), z);
            EXPECT_EQ(inkAround(shot, margin).second, 0);
            QPainter(&shot).fillRect(zoomed(page.MainRect(), z), Qt::white);
            EXPECT_GT(inkAround(shot, margin).first, 2000);
        }
}

TEST(BorderPicture, LoadRules)
{
    QDir(ProgramDir()).mkpath(QStringLiteral("Borders"));
    auto put = [](const char* name, const QByteArray& bytes) {
        QFile f(ProgramDir() + QStringLiteral("Borders/") + QLatin1String(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    put("ZzPortraitOnly.wpo", shipped("Holly.wpo"));
    put("ZzBroken.wpo", QByteArray("\xD7\xCD\xC6\x9A not a picture"));
    put("ZzTruncated.wpo", shipped("Waves.wpo").left(60));

    TCalendarPanel32 page;
    auto picture = BorderPicture::Attach(page);
    // a file that is no picture, or part of one, clears the border
    for (const char* bad : {"ZzBroken", "ZzTruncated"}) {
        page.SetWMFBorderFile(QStringLiteral("Classic"));
        page.SetWMFBorderFile(QString::fromLatin1(bad));
        EXPECT_TRUE(page.WMFBorderFile().isEmpty()) << bad;
        EXPECT_TRUE(picture->IsEmpty()) << bad;
    }
    PaintedPage(page);

    // a missing file keeps the border and its picture
    page.SetWMFBorderFile(QStringLiteral("Classic"));
    page.SetWMFBorderFile(QStringLiteral("ZzNoSuchBorder"));
    EXPECT_EQ(page.WMFBorderFile(), QStringLiteral("Classic"));
    EXPECT_EQ(picture->Metafile().Bytes(), shipped("Classic.wpo"));

    // a layout change reads the other orientation's picture, when there is one
    page.SetCalendarLayout(LOFullCalendarLS);
    EXPECT_EQ(picture->Metafile().Bytes(), shipped("Classic.wls"));
    page.SetCalendarLayout(loFullCalendar);
    page.SetWMFBorderFile(QStringLiteral("ZzPortraitOnly"));
    page.SetCalendarLayout(LOFullCalendarLS);
    EXPECT_EQ(page.WMFBorderFile(), QStringLiteral("ZzPortraitOnly"));
    EXPECT_TRUE(picture->Path().endsWith(QLatin1String("ZzPortraitOnly.wpo")));

    // a page whose settings are copied in (the properties preview) reads
    // the picture too
    TCalendarPanel32 preview;
    auto previewPicture = BorderPicture::Attach(preview);
    page.SetCalendarLayout(loFullCalendar);
    page.SetWMFBorderFile(QStringLiteral("Ribbon"));
    preview.CopySettingsFrom(page);
    EXPECT_EQ(previewPicture->Metafile().Bytes(), shipped("Ribbon.wpo"));

    page.SetWMFBorderFile(QString());
    EXPECT_TRUE(picture->IsEmpty());
}
