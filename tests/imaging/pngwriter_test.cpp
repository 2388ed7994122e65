// Page pictures as PNG: what is read back is what was written, with its
// resolution, at every width (row lengths that are not a multiple of four,
// one pixel, rows longer than the compressor's buffer) and whether its rows
// are compressed in one piece or several; the bytes do not depend on the
// number of threads.
#include <gtest/gtest.h>

#include <QImage>
#include <QRandomGenerator>

#include "imaging/pngwriter.h"

using namespace dayloom;

TEST(PngWriter, ReadsBackPixelForPixelWithItsResolution)
{
    for (const QSize size : {QSize(1, 1), QSize(7, 3), QSize(767, 1007), QSize(30000, 2), QSize(1, 300000)}) {
        SCOPED_TRACE(size.width());
        QImage image(size, QImage::Format_RGB32);
        QRandomGenerator random(size.width());
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, (x / 50 + y / 40) % 3 ? qRgb(255, 255, 255) : random.generate() | 0xFF000000u);
        const QByteArray png = PngWriter::Encode(image, 300);
        EXPECT_EQ(PngWriter::Encode(image, 300, 1), png);
        EXPECT_EQ(PngWriter::Encode(image, 300, 3), png);
        const QImage back = QImage::fromData(png, "PNG");
        ASSERT_FALSE(back.isNull());
        EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), image);
        EXPECT_EQ(qRound(back.dotsPerMeterX() * 0.0254), 300);
        EXPECT_EQ(qRound(back.dotsPerMeterY() * 0.0254), 300);
    }
    EXPECT_TRUE(PngWriter::Encode(QImage()).isEmpty());
    // Without a resolution of its own the image's is written.
    QImage plain(4, 4, QImage::Format_ARGB32);
    plain.fill(qRgba(10, 20, 30, 255));
    plain.setDotsPerMeterX(5906);
    plain.setDotsPerMeterY(5906);
    const QImage back = QImage::fromData(PngWriter::Encode(plain), "PNG");
    EXPECT_EQ(back.pixel(2, 2), qRgb(10, 20, 30));
    EXPECT_EQ(qRound(back.dotsPerMeterX() * 0.0254), 150);
}
