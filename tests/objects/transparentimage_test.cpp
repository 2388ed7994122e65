// Clip art with transparency on the page: PNG pictures with an alpha
// channel and SVG drawings recorded as metafiles are drawn blended over
// what lies below them, with Stretch, AutoSize and the mirrors as for other
// pictures; large photos are made smaller when placed.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

#include "common/testutil.h"
#include "imaging/bmpfile.h"
#include "imaging/imageloader.h"
#include "objects/objectdialogs.h"
#include "objects/tgimage.h"
#include "objects/tpicture.h"
#include "objecttestutil.h"

using namespace dayloom;
using namespace dayloom::test;

namespace {

struct HookScope {
    ~HookScope() { ObjectDialogs() = ObjectDialogHooks(); }
};

// 40 x 20: the left half opaque red, the right half transparent, with a
// half-transparent blue square in the middle of the left half.
QImage Sticker()
{
    QImage img(40, 20, QImage::Format_ARGB32);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            img.setPixel(x, y, x >= 20 ? qRgba(0, 255, 0, 0)
                                       : (x >= 5 && x < 15 && y >= 5 && y < 15)
                                           ? qRgba(0, 0, 255, 128)
                                           : qRgba(255, 0, 0, 255));
    return img;
}

LoadedPicture FromPng(const QImage& image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "png").write(image);
    return ImageLoader::Load(png, ImageLoader::Kind::Png);
}

// What the object paints over a grey page.
QImage OnGrey(TGImage& image)
{
    QImage page(image.Width(), image.Height(), QImage::Format_RGB32);
    page.fill(qRgb(128, 128, 128));
    QPainter p(&page);
    PaintAtOrigin(image, p);
    return page;
}

}  // namespace

TEST(TransparentImage, AlphaBitmapsAreBlendedAndNeverOpaque)
{
    TGBasePanel panel;
    auto* image = new TGImage;
    panel.AddObject(image);
    image->SetBounds(QRect(0, 0, 40, 20));
    TPicture picture;
    picture.Assign(FromPng(Sticker()));
    image->SetPicture(picture);
    ASSERT_TRUE(image->Picture()->IsBitmap());
    EXPECT_TRUE(image->HasTransparency());
    EXPECT_FALSE(image->Opaque()) << "a picture of the object's size with alpha covers nothing";

    QImage shown = OnGrey(*image);
    EXPECT_EQ(shown.pixel(2, 2), qRgb(255, 0, 0));
    EXPECT_EQ(shown.pixel(30, 10), qRgb(128, 128, 128)) << "the page shows through";
    EXPECT_NEAR(qRed(shown.pixel(10, 10)), 64, 2);
    EXPECT_NEAR(qBlue(shown.pixel(10, 10)), 191, 2);

    // Mirrors carry the transparency along.
    image->SetReverse(true);
    shown = OnGrey(*image);
    EXPECT_EQ(shown.pixel(37, 2), qRgb(255, 0, 0));
    EXPECT_EQ(shown.pixel(5, 10), qRgb(128, 128, 128));
    image->SetReverse(false);

    // Stretched to twice the size, and AutoSize back to the picture's size.
    image->SetBounds(QRect(0, 0, 80, 40));
    shown = OnGrey(*image);
    EXPECT_EQ(shown.pixel(70, 30), qRgb(128, 128, 128));
    EXPECT_EQ(shown.pixel(3, 3), qRgb(255, 0, 0));
    image->SetAutoSize(true);
    EXPECT_EQ(image->Bounds().size(), QSize(40, 20));

    // A frame is drawn over the transparent part too.
    image->SetBorderStyle(bsSingle);
    shown = OnGrey(*image);
    EXPECT_EQ(shown.pixel(39, 10), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(30, 10), qRgb(128, 128, 128));

    // The same picture without alpha is opaque again.
    TPicture plain;
    plain.SetBitmap(BmpFile::FromImage(Sticker()));
    image->SetPicture(plain);
    EXPECT_FALSE(image->HasTransparency());
    EXPECT_TRUE(image->Opaque());
    EXPECT_EQ(OnGrey(*image).pixel(30, 10), qRgb(255, 255, 255));
}

TEST(TransparentImage, SvgDrawingsShowThePageAroundThemAndOtherMetafilesDoNot)
{
    const QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg' width='60' height='40'>"
                           "<circle cx='30' cy='20' r='15' fill='#0000ff'/></svg>";
    TGBasePanel panel;
    auto* image = new TGImage;
    panel.AddObject(image);
    TPicture picture;
    picture.Assign(ImageLoader::Load(svg, ImageLoader::Kind::Svg));
    ASSERT_TRUE(picture.IsMetafile());
    image->SetPicture(picture);
    image->SetAutoSize(true);
    EXPECT_EQ(image->Bounds().size(), QSize(60, 40));
    EXPECT_TRUE(image->HasTransparency());
    QImage shown = OnGrey(*image);
    EXPECT_EQ(shown.pixel(30, 20), qRgb(0, 0, 255));
    EXPECT_EQ(shown.pixel(2, 2), qRgb(128, 128, 128));
    // Scaled up, the circle stays a clean vector shape.
    image->SetStretch(true);
    image->SetBounds(QRect(0, 0, 240, 160));
    shown = OnGrey(*image);
    EXPECT_EQ(shown.pixel(120, 80), qRgb(0, 0, 255));
    EXPECT_EQ(shown.pixel(120, 16), qRgb(128, 128, 128));
    EXPECT_EQ(shown.pixel(120, 24), qRgb(0, 0, 255));
    // The round trip of the picture's bytes keeps it vector art.
    TPicture back;
    back.SetData(image->Picture()->Data());
    EXPECT_TRUE(back.MetafileValue().VectorArt());
    EXPECT_EQ(back.Data(), image->Picture()->Data());
    // Mirrors stay off for metafiles, as before.
    EXPECT_FALSE(image->Opaque());
}

TEST(TransparentImage, LargePhotosArePlacedAtTheSizeLimit)
{
    HookScope hooks;
    QImage photo(4000, 3000, QImage::Format_ARGB32);
    photo.fill(qRgba(20, 200, 90, 200));
    const LoadedPicture big = FromPng(photo);
    ObjectDialogs().browseImage = [&big](LoadedPicture& picture, bool& stretch, bool& autoSize) {
        picture = big;
        stretch = false;
        autoSize = true;
        return true;
    };
    TGBasePanel panel;
    auto* image = new TGImage;
    panel.AddObject(image);
    image->LoadImageFromDisk();
    EXPECT_EQ(image->Picture()->Size(), QSize(2400, 1800));
    EXPECT_EQ(image->Bounds().size(), QSize(2400, 1800));
    EXPECT_TRUE(image->Picture()->BitmapValue().HasAlpha());
    EXPECT_NEAR(qAlpha(image->Picture()->BitmapValue().Image().pixel(100, 100)), 200, 1);
}

TEST(TransparentImage, PrintingKeepsTheAlpha)
{
    TGBasePanel panel;
    auto* image = new TGImage;
    panel.AddObject(image);
    image->SetBounds(QRect(0, 0, 40, 20));
    TPicture picture;
    picture.Assign(FromPng(Sticker()));
    image->SetPicture(picture);
    // Green paper at the page's own resolution.
    QImage printed(40, 20, QImage::Format_RGB32);
    printed.fill(qRgb(0, 255, 0));
    {
        QPainter p(&printed);
        image->Paint(p, PageMapping::Paper(96, 96, 0, 0));
    }
    EXPECT_EQ(printed.pixel(2, 2), qRgb(255, 0, 0));
    EXPECT_EQ(printed.pixel(30, 10), qRgb(0, 255, 0)) << "the paper shows through";
}
