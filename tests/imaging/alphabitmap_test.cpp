// PNG and GIF clip art: what the readers accept and refuse, and the 32-bit
// bitmap with its alpha channel that a picture stores for them.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QElapsedTimer>
#include <QImageWriter>
#include <QPainter>
#include <QtEndian>

#include "common/testutil.h"
#include "core/readerror.h"
#include "imaging/bmpfile.h"
#include "imaging/dibreader.h"
#include "imaging/imageloader.h"
#include "imaging/rasterreader.h"

using namespace dayloom;

namespace {

QByteArray Encode(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
    return bytes;
}

// Opaque red on the left, a half-transparent blue band, fully transparent
// pixels (holding green that must not survive) on the right.
QImage PartlyTransparent()
{
    QImage img(30, 20, QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, x < 10 ? qRgba(255, 0, 0, 255)
                                      : x < 20 ? qRgba(0, 0, 255, 128) : qRgba(0, 255, 0, 0));
    return img;
}

quint32 U32(const QByteArray& b, int at) { return qFromLittleEndian<quint32>(b.constData() + at); }

}  // namespace

TEST(AlphaBitmap, StoredWithVersion5HeaderAndReadBackUnchanged)
{
    const QImage source = PartlyTransparent();
    const QByteArray file = BmpFile::Encode32(source);
    // File header, then the 124-byte header: 32 bits, BI_BITFIELDS, masks.
    ASSERT_EQ(file.size(), 14 + 124 + 30 * 20 * 4);
    EXPECT_EQ(U32(file, 10), 14u + 124u);
    EXPECT_EQ(U32(file, 14), 124u);
    EXPECT_EQ(qFromLittleEndian<quint16>(file.constData() + 14 + 14), 32);
    EXPECT_EQ(U32(file, 14 + 16), 3u);
    EXPECT_EQ(U32(file, 14 + 40), 0x00FF0000u);
    EXPECT_EQ(U32(file, 14 + 44), 0x0000FF00u);
    EXPECT_EQ(U32(file, 14 + 48), 0x000000FFu);
    EXPECT_EQ(U32(file, 14 + 52), 0xFF000000u);
    EXPECT_EQ(U32(file, 14 + 56), 0x73524742u);  // sRGB
    // Rows bottom-up; straight alpha; a transparent pixel is stored white.
    const int bits = 14 + 124;
    EXPECT_EQ(U32(file, bits), 0xFFFF0000u);
    EXPECT_EQ(U32(file, bits + 4 * 15), 0x800000FFu);
    EXPECT_EQ(U32(file, bits + 4 * 25), 0x00FFFFFFu);

    const BmpFile back = BmpFile::FromBytes(file);
    EXPECT_TRUE(back.HasAlpha());
    EXPECT_EQ(back.BitCount(), 32);
    EXPECT_EQ(back.Image().pixel(2, 2), qRgba(255, 0, 0, 255));
    EXPECT_EQ(back.Image().pixel(15, 2), qRgba(0, 0, 255, 128));
    EXPECT_EQ(qAlpha(back.Image().pixel(25, 2)), 0);
    // The bytes are kept, so a document writes them back as they came.
    EXPECT_EQ(back.Bytes(), file);
    EXPECT_EQ(BmpFile::FromBytes(back.Bytes()).Bytes(), file);

    // A reader that ignores alpha (the 24-bit view of the same bits) sees
    // the transparent part white.
    QImage opaqueView = back.Image().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(opaqueView.pixel(25, 2), qRgb(255, 255, 255));
}

TEST(AlphaBitmap, OnlyPicturesWithTransparencyTakeThirtyTwoBits)
{
    QImage opaque(8, 8, QImage::Format_ARGB32);
    opaque.fill(qRgba(10, 20, 30, 255));
    const BmpFile a = BmpFile::FromImageKeepingAlpha(opaque);
    EXPECT_EQ(a.BitCount(), 24);
    EXPECT_FALSE(a.HasAlpha());
    const BmpFile b = BmpFile::FromImageKeepingAlpha(PartlyTransparent());
    EXPECT_EQ(b.BitCount(), 32);
    EXPECT_TRUE(b.HasAlpha());
    // The 24-bit writer still composes transparency onto white.
    const BmpFile c = BmpFile::FromImage(PartlyTransparent());
    EXPECT_EQ(c.Image().pixel(25, 2), qRgb(255, 255, 255));
    EXPECT_EQ(c.Image().pixel(15, 2), qRgb(127, 127, 255));
}

TEST(PngPictures, FullAndPartialTransparencyKept)
{
    // Fully transparent background with an opaque disc (clip art's usual
    // shape), and the three-band picture with partial alpha.
    QImage disc(40, 40, QImage::Format_ARGB32);
    disc.fill(Qt::transparent);
    {
        QPainter p(&disc);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(200, 30, 30));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(4, 4, 32, 32));
    }
    for (const QImage& source : {disc, PartlyTransparent()}) {
        const LoadedPicture pic = ImageLoader::Load(Encode(source, "png"), ImageLoader::Kind::Png);
        ASSERT_EQ(pic.Type, LoadedPicture::Bitmap);
        EXPECT_TRUE(pic.BitmapValue.HasAlpha());
        EXPECT_EQ(pic.Size(), source.size());
        const QImage got = pic.BitmapValue.Image();
        for (int y = 0; y < source.height(); ++y)
            for (int x = 0; x < source.width(); ++x) {
                const QRgb s = source.pixel(x, y), g = got.pixel(x, y);
                ASSERT_EQ(qAlpha(g), qAlpha(s)) << x << "," << y;
                if (qAlpha(s) > 0) {
                    ASSERT_EQ(qRgb(qRed(g), qGreen(g), qBlue(g)), qRgb(qRed(s), qGreen(s), qBlue(s)))
                        << x << "," << y;
                }
            }
    }
    // An opaque PNG is an ordinary 24-bit bitmap.
    QImage opaque(12, 9, QImage::Format_RGB32);
    opaque.fill(qRgb(1, 2, 3));
    const LoadedPicture plain = ImageLoader::Load(Encode(opaque, "png"), ImageLoader::Kind::Png);
    EXPECT_EQ(plain.BitmapValue.BitCount(), 24);
}

TEST(GifPictures, FirstFrameOfAnAnimationWithItsTransparency)
{
    // Two frames (see tests/data/imaging/README.md): a red square on
    // transparency, then solid blue.
    const QByteArray gif = test::ReadFile(test::DataPath("imaging/animated.gif"));
    ASSERT_FALSE(gif.isEmpty());
    EXPECT_EQ(RasterReader::ClaimedSize(gif, RasterReader::Format::Gif), QSize(24, 16));
    const LoadedPicture pic = ImageLoader::Load(gif, ImageLoader::Kind::Gif);
    ASSERT_EQ(pic.Type, LoadedPicture::Bitmap);
    EXPECT_EQ(pic.Size(), QSize(24, 16));
    EXPECT_TRUE(pic.BitmapValue.HasAlpha());
    const QImage img = pic.BitmapValue.Image();
    EXPECT_EQ(img.pixel(6, 6), qRgba(255, 0, 0, 255));
    EXPECT_EQ(qAlpha(img.pixel(20, 2)), 0);
    EXPECT_NE(img.pixel(20, 2) & 0xFFFFFF, 0x0000FFu) << "the second frame was taken";
}

TEST(GifPictures, TruncatedFilesAreRefusedOrKeepWhatIsWhole)
{
    const QByteArray gif = test::ReadFile(test::DataPath("imaging/animated.gif"));
    ASSERT_FALSE(gif.isEmpty());
    for (qsizetype cut = 0; cut < gif.size(); ++cut) {
        try {
            const LoadedPicture pic = ImageLoader::Load(gif.left(cut), ImageLoader::Kind::Gif);
            // Whatever came back is a whole picture of the size the file says.
            ASSERT_EQ(pic.Type, LoadedPicture::Bitmap) << cut;
            EXPECT_EQ(pic.Size(), QSize(24, 16)) << cut;
        } catch (const ReadError& e) {
            EXPECT_STREQ(e.what(), "Error loading file!");
        }
    }
}

TEST(PngPictures, HugeClaimsAndDamageAreRefusedBeforeDecoding)
{
    QImage small(4, 4, QImage::Format_ARGB32);
    small.fill(Qt::red);
    QByteArray png = Encode(small, "png");
    // 100000 x 100000 in the header (its CRC does not matter: the size is
    // checked first).
    QByteArray huge = png;
    qToBigEndian<quint32>(100000, huge.data() + 16);
    qToBigEndian<quint32>(100000, huge.data() + 20);
    EXPECT_GT(RasterReader::ClaimedSize(huge, RasterReader::Format::Png).width(),
              RasterReader::kMaxSide);
    QElapsedTimer timer;
    timer.start();
    EXPECT_THROW(ImageLoader::Load(huge, ImageLoader::Kind::Png), ReadError);
    // 16000 x 16000 is within the side limit but not the pixel limit.
    qToBigEndian<quint32>(16000, huge.data() + 16);
    qToBigEndian<quint32>(16000, huge.data() + 20);
    EXPECT_THROW(ImageLoader::Load(huge, ImageLoader::Kind::Png), ReadError);
    EXPECT_LT(timer.elapsed(), 1000);
    // A GIF that claims a screen of 65535 x 65535.
    QByteArray gif = test::ReadFile(test::DataPath("imaging/animated.gif"));
    ASSERT_GT(gif.size(), 13);
    QByteArray bigGif = gif;
    qToLittleEndian<quint16>(65535, bigGif.data() + 6);
    qToLittleEndian<quint16>(65535, bigGif.data() + 8);
    EXPECT_THROW(ImageLoader::Load(bigGif, ImageLoader::Kind::Gif), ReadError);

    for (qsizetype cut : {qsizetype(0), qsizetype(8), qsizetype(20), png.size() / 2, png.size() - 13})
        EXPECT_THROW(ImageLoader::Load(png.left(cut), ImageLoader::Kind::Png), ReadError) << cut;
    QByteArray damaged = png;
    damaged[40] = char(damaged[40] ^ 0x55);
    EXPECT_THROW(ImageLoader::Load(damaged, ImageLoader::Kind::Png), ReadError);
    // A GIF named .png is not read as a GIF.
    EXPECT_THROW(ImageLoader::Load(gif, ImageLoader::Kind::Png), ReadError);
}

TEST(PlacedSize, BitmapsOverTheLimitAreScaledKeepingShapeAndAlpha)
{
    QImage big(4000, 3000, QImage::Format_ARGB32);
    big.fill(qRgba(0, 128, 0, 100));
    LoadedPicture pic;
    pic.Type = LoadedPicture::Bitmap;
    pic.BitmapValue = BmpFile::FromImageKeepingAlpha(big);
    EXPECT_TRUE(ImageLoader::LimitSize(pic));
    EXPECT_EQ(pic.Size(), QSize(2400, 1800));
    EXPECT_TRUE(pic.BitmapValue.HasAlpha());
    EXPECT_NEAR(qAlpha(pic.BitmapValue.Image().pixel(1200, 900)), 100, 1);
    EXPECT_FALSE(ImageLoader::LimitSize(pic));
    EXPECT_EQ(ImageLoader::LimitedSize(QSize(1000, 5000)), QSize(480, 2400));
    EXPECT_EQ(ImageLoader::LimitedSize(QSize(2400, 2400)), QSize(2400, 2400));
}
