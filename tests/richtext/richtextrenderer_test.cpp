// Painting stores: clipping to the target, zoom, line breaking at the page
// width, and the layout cache following the text.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include "common/testutil.h"
#include "richtext/richtextrenderer.h"
#include "richtext/twprtfstorage.h"

using namespace dayloom;

namespace {

// The bounding box of non-white pixels, empty when there are none.
QRect InkBox(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qGray(line[x]) < 200)
                box |= QRect(x, y, 1, 1);
    }
    return box;
}

QImage Paint(RichTextRenderer& renderer, const TWPRtfStorage& store, QSize imageSize, QRect target,
             int widthTwips, int zoom)
{
    QImage image(imageSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.Paint(store, painter, target, widthTwips, zoom);
    painter.end();
    return image;
}

const char* kLongText =
    "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 The quick brown fox jumps over the lazy dog "
    "and keeps running along the river bank until the sun goes down.\\par}";

}  // namespace

TEST(RichTextRenderer, PaintsInsideTargetOnly)
{
    TWPRtfStorage store;
    store.SetRtfText(kLongText);
    RichTextRenderer renderer;
    const QRect target(40, 30, 120, 35);
    // Laid out far wider than the target: the text runs past the right edge
    // and is cut there.
    const QImage image = Paint(renderer, store, QSize(300, 200), target, 1440 * 10, 100);
    test::SaveShot(image, "richtext_clip");
    const QRect ink = InkBox(image);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_TRUE(target.contains(ink)) << ink.x() << "," << ink.y() << " " << ink.width() << "x"
                                      << ink.height();
    EXPECT_LT(ink.left(), target.left() + 6);  // starts at the top-left corner
    EXPECT_LT(ink.top(), target.top() + 8);
    EXPECT_GT(ink.right(), target.right() - 10);  // and is cut at the right edge

    // Nothing for an empty store, an empty target or a zero zoom.
    TWPRtfStorage empty;
    EXPECT_TRUE(InkBox(Paint(renderer, empty, QSize(300, 200), target, 2880, 100)).isEmpty());
    EXPECT_TRUE(InkBox(Paint(renderer, store, QSize(300, 200), QRect(10, 10, 0, 50), 2880, 100)).isEmpty());
    EXPECT_TRUE(InkBox(Paint(renderer, store, QSize(300, 200), target, 2880, 0)).isEmpty());
}

TEST(RichTextRenderer, ZoomScalesAndWidthBreaksLines)
{
    TWPRtfStorage store;
    store.SetRtfText(kLongText);
    RichTextRenderer renderer;

    // 2850 twips is 190 pixels at 96 per inch; the text wraps to a few lines.
    const QImage at100 = Paint(renderer, store, QSize(800, 600), QRect(0, 0, 400, 300), 2850, 100);
    const QImage at200 = Paint(renderer, store, QSize(800, 600), QRect(0, 0, 800, 600), 2850, 200);
    const QRect a = InkBox(at100), b = InkBox(at200);
    ASSERT_FALSE(a.isEmpty());
    EXPECT_LE(a.right(), 190);
    EXPECT_GT(a.height(), 40);  // more than one line
    // The same layout, twice as large.
    EXPECT_NEAR(b.width(), 2 * a.width(), 6);
    EXPECT_NEAR(b.height(), 2 * a.height(), 6);
    EXPECT_NEAR(b.left(), 2 * a.left(), 3);
    EXPECT_NEAR(b.top(), 2 * a.top(), 3);

    // A wider page gives fewer lines.
    const QImage wide = Paint(renderer, store, QSize(800, 600), QRect(0, 0, 800, 600), 1440 * 8, 100);
    EXPECT_LT(InkBox(wide).height(), a.height());
    EXPECT_NEAR(renderer.TextHeight(store, 2850), renderer.TextHeight(store, 2850), 0.0);
    EXPECT_GT(renderer.TextHeight(store, 2850), renderer.TextHeight(store, 1440 * 8));
}

TEST(RichTextRenderer, CacheFollowsTheText)
{
    RichTextRenderer renderer;
    TWPRtfStorage store;
    store.SetRtfText("{\\rtf1\\fs48 WWWWWWWW}");
    const QRect target(0, 0, 300, 60);
    const QImage first = Paint(renderer, store, QSize(300, 60), target, 4000, 100);
    EXPECT_EQ(Paint(renderer, store, QSize(300, 60), target, 4000, 100), first);
    EXPECT_EQ(renderer.CacheSize(), 1);

    // Changed text paints the new text, not the laid-out old one.
    store.SetRtfText("{\\rtf1\\fs48 ii}");
    const QImage second = Paint(renderer, store, QSize(300, 60), target, 4000, 100);
    EXPECT_LT(InkBox(second).width(), InkBox(first).width() / 2);

    // A copy is another store with its own entry, painted alike.
    TWPRtfStorage copy;
    copy.Assign(store);
    EXPECT_EQ(Paint(renderer, copy, QSize(300, 60), target, 4000, 100), second);
    EXPECT_EQ(renderer.CacheSize(), 2);

    // A store freed and another made in its place is not mistaken for it.
    for (int i = 0; i < 50; ++i) {
        auto temp = std::make_unique<TWPRtfStorage>();
        temp->SetRtfText(i % 2 ? QByteArray("{\\rtf1\\fs48 WWWWWWWW}") : QByteArray("{\\rtf1\\fs48 ii}"));
        const QImage img = Paint(renderer, *temp, QSize(300, 60), target, 4000, 100);
        EXPECT_EQ(img, i % 2 ? first : second) << i;
    }
}

TEST(RichTextRenderer, PaintsPicturesAtTheirGoalSize)
{
    // A red 4 x 4 PNG shown at 750 x 375 twips: 50 x 25 pixels at zoom 100.
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        red.save(&buffer, "PNG");
    }
    TWPRtfStorage store;
    store.SetRtfText("{\\rtf1{\\pict\\pngblip\\picwgoal750\\pichgoal375 " + png.toHex() + "}}");
    TWPRtfStorage copy;
    copy.Assign(store);  // the copy must carry the picture, not only its name

    RichTextRenderer renderer;
    for (int zoom : {100, 200}) {
        const QImage image = Paint(renderer, copy, QSize(200, 100), QRect(0, 0, 200, 100), 2880, zoom);
        int reds = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == qRgb(255, 0, 0))
                    ++reds;
        EXPECT_NEAR(reds, 50 * 25 * (zoom / 100) * (zoom / 100), 50 * zoom / 100 * 2) << zoom;
    }
}
