#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "core/readerror.h"
#include "imaging/bmpfile.h"
#include "imaging/jpegcodec.h"
#include "common/testutil.h"

using namespace dayloom;

namespace {

// Smooth colour gradients with a few soft shapes: the kind of picture JPEG
// keeps well.
QImage Photo(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(40 + 160 * x / w, 60 + 150 * y / h,
                                    int(128 + 90 * std::sin((x + y) / 37.0))));
    return img;
}

// Colourful, with hard edges, to give the quantiser and dithering work.
QImage Busy(int w, int h)
{
    QImage img = Photo(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    std::mt19937 rng(3);
    for (int i = 0; i < 40; ++i) {
        p.setBrush(QColor::fromRgb(rng() & 0xFFFFFF));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(rng() % w, rng() % h), 5 + rng() % 30, 5 + rng() % 30);
    }
    return img;
}

int MaxDiff(const QImage& a, const QImage& b)
{
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)),
                              std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    return worst;
}

}  // namespace

TEST(JpegCodec, QualityHundredRoundTrip)
{
    const QImage img = Photo(160, 96);
    const QByteArray jpeg = JpegCodec::Encode(img, 100);
    ASSERT_TRUE(JpegCodec::CanRead(jpeg));
    const QImage back = JpegCodec::Decode(jpeg);
    ASSERT_EQ(back.size(), img.size());
    // Quality 100 with full-resolution colour: the only loss left is the
    // rounding of the colour conversion, a step or three at worst.
    EXPECT_LE(MaxDiff(img, back), 3);

    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    ASSERT_TRUE(JpegCodec::Encode(img, buf));
    EXPECT_EQ(buf.data(), jpeg);

    // Greyscale pictures decode too, and the palette decoding keeps within
    // the dithering's reach of the picture.
    const QImage grey = img.convertToFormat(QImage::Format_Grayscale8);
    const QImage greyBack = JpegCodec::Decode(JpegCodec::Encode(grey));
    EXPECT_LE(MaxDiff(grey.convertToFormat(QImage::Format_RGB32), greyBack), 2);
    const QImage pal = JpegCodec::DecodePalette(jpeg);
    EXPECT_EQ(pal.format(), QImage::Format_Indexed8);
    EXPECT_LE(pal.colorCount(), 256);
    EXPECT_LE(MaxDiff(img, pal.convertToFormat(QImage::Format_RGB32)), 48);
}

// The browser's decoding settings give the very pixels of djpeg's 256-colour
// Floyd-Steinberg output.
TEST(JpegCodec, PaletteDecodingMatchesDjpeg)
{
    const QString djpeg = QStandardPaths::findExecutable("djpeg");
    if (djpeg.isEmpty())
        GTEST_SKIP() << "djpeg not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    int n = 0;
    for (const QImage& img : {Busy(200, 120), Photo(64, 64),
                              Busy(33, 17).convertToFormat(QImage::Format_Grayscale8)}) {
        const QByteArray jpeg = JpegCodec::Encode(img, 85);
        const QString in = dir.filePath(QString("in%1.jpg").arg(n));
        const QString out = dir.filePath(QString("out%1.bmp").arg(n));
        ++n;
        QFile f(in);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(jpeg);
        f.close();
        QProcess p;
        p.start(djpeg, {"-colors", "256", "-dither", "fs", "-bmp", "-outfile", out, in});
        ASSERT_TRUE(p.waitForFinished(30000));
        ASSERT_EQ(p.exitCode(), 0);
        const BmpFile ref = BmpFile::FromBytes(test::ReadFile(out));
        const QImage ours = JpegCodec::DecodePalette(jpeg).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(ours.size(), ref.Image().size());
        EXPECT_EQ(MaxDiff(ours, ref.Image()), 0) << "picture " << n;
    }
}

TEST(JpegCodec, CorruptDataFailsCleanly)
{
    const QByteArray jpeg = JpegCodec::Encode(Busy(48, 40), 90);
    // Every truncation: the header or the scan data ends early.
    for (int n = 0; n < jpeg.size() - 2; n += 7) {
        EXPECT_THROW(JpegCodec::Decode(jpeg.left(n)), ReadError) << n;
        EXPECT_THROW(JpegCodec::DecodePalette(jpeg.left(n)), ReadError) << n;
    }
    EXPECT_THROW(JpegCodec::Decode(QByteArray("not a jpeg at all")), ReadError);
    EXPECT_THROW(JpegCodec::Decode(QByteArray()), ReadError);
    std::mt19937 rng(9);
    for (int i = 0; i < 500; ++i) {
        QByteArray bad = jpeg;
        for (int f = 0; f < 4; ++f)
            bad[2 + int(rng() % (bad.size() - 2))] = char(rng());
        try {
            JpegCodec::DecodePalette(bad);
        } catch (const ReadError& e) {
            EXPECT_EQ(e.message(), "Error loading file!");
        }
    }
}
