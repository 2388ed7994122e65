// Page pictures: the in-place scaling gives, pixel for pixel, what
// QImage::scaled gives for the same part of the picture (the export used to
// copy the part out and scale the copy), for the export's one-pixel-smaller
// pictures, arbitrary smaller sizes, parts away from the corner and pictures
// made in huge pages; what it refuses it refuses without touching memory.
#include <gtest/gtest.h>

#include <QPainter>
#include <QRandomGenerator>

#include "imaging/pagepicture.h"

using namespace dayloom;

namespace {

QImage patterned(QSize size, quint32 seed)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* p = reinterpret_cast<quint32*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            p[x] = 0xFF000000u | (quint32(x) * 7919u + quint32(y) * 104729u + seed);
    }
    return image;
}

}  // namespace

TEST(PagePicture, ScalingInPlaceMatchesQtsNearestNeighbour)
{
    QRandomGenerator random(17);
    for (int round = 0; round < 400; ++round) {
        const QSize whole(2 + int(random.bounded(900)), 2 + int(random.bounded(900)));
        QRect part(int(random.bounded(whole.width() - 1)), int(random.bounded(whole.height() - 1)), 0, 0);
        part.setWidth(1 + int(random.bounded(whole.width() - part.left())));
        part.setHeight(1 + int(random.bounded(whole.height() - part.top())));
        if (round % 4 == 0)
            part = QRect(QPoint(0, 0), whole);
        if (part.width() < 2 || part.height() < 2)
            continue;
        // Every other round the export's case: one pixel less each way.
        const QSize size = round % 2 ? QSize(part.width() - 1, part.height() - 1)
                                     : QSize(1 + int(random.bounded(part.width())),
                                             1 + int(random.bounded(part.height())));
        SCOPED_TRACE(testing::Message() << whole.width() << "x" << whole.height() << " part " << part.x() << ","
                                        << part.y() << " " << part.width() << "x" << part.height() << " to "
                                        << size.width() << "x" << size.height());
        QImage picture = patterned(whole, round);
        const QImage expected = picture.copy(part).scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        const QImage scaled = ScaleDownInPlace(picture, part, size);
        ASSERT_EQ(scaled.size(), size);
        ASSERT_EQ(scaled, expected);
    }
}

TEST(PagePicture, ScaledPictureOwnsItsMemoryAndRefusesWhatItCannotDo)
{
    // The result stays valid when the picture it came from is gone or
    // changed, and a change to the result does not reach the old picture.
    QImage scaled;
    QImage kept;
    {
        QImage picture = patterned(QSize(300, 200), 1);
        kept = picture.copy();
        scaled = ScaleDownInPlace(picture, QRect(10, 20, 250, 150), QSize(249, 149));
        const QImage expected = kept.copy(10, 20, 250, 150).scaled(249, 149);
        ASSERT_EQ(scaled, expected);
        picture.fill(Qt::red);
        EXPECT_EQ(scaled, expected);
    }
    scaled.setPixel(0, 0, qRgb(1, 2, 3));
    EXPECT_EQ(scaled.pixel(0, 0), qRgb(1, 2, 3));

    // A part that is the whole size moves to the corner unchanged.
    QImage picture = patterned(QSize(50, 40), 2);
    const QImage original = picture.copy();
    EXPECT_EQ(ScaleDownInPlace(picture, QRect(5, 6, 30, 20), QSize(30, 20)), original.copy(5, 6, 30, 20));

    // Refused: larger sizes, parts outside, empty sizes, other formats.
    QImage other = patterned(QSize(50, 40), 3);
    const QImage before = other.copy();
    EXPECT_TRUE(ScaleDownInPlace(other, QRect(0, 0, 20, 20), QSize(21, 20)).isNull());
    EXPECT_TRUE(ScaleDownInPlace(other, QRect(40, 30, 20, 20), QSize(10, 10)).isNull());
    EXPECT_TRUE(ScaleDownInPlace(other, QRect(0, 0, 20, 20), QSize(0, 10)).isNull());
    QImage gray = other.convertToFormat(QImage::Format_Grayscale8);
    EXPECT_TRUE(ScaleDownInPlace(gray, QRect(0, 0, 20, 20), QSize(10, 10)).isNull());
    EXPECT_EQ(other, before);
}

TEST(PagePicture, LargePicturesPaintLikeOrdinaryOnes)
{
    for (const QSize size : {QSize(40, 30), QSize(2550, 3300)}) {
        QImage large = NewPagePicture(size);
        ASSERT_EQ(large.size(), size);
        ASSERT_EQ(large.format(), QImage::Format_RGB32);
        QImage ordinary(size, QImage::Format_RGB32);
        EXPECT_EQ(large.dotsPerMeterX(), ordinary.dotsPerMeterX());
        for (QImage* image : {&large, &ordinary}) {
            image->fill(Qt::white);
            QPainter p(image);
            p.setPen(Qt::black);
            p.drawLine(0, 0, size.width() - 1, size.height() - 1);
            p.fillRect(QRect(3, 5, 17, 11), Qt::blue);
        }
        EXPECT_EQ(large, ordinary);
    }
    EXPECT_TRUE(NewPagePicture(QSize(0, 10)).isNull());
    EXPECT_TRUE(NewPagePicture(QSize(10, 10), QImage::Format_Grayscale8).isNull());
}
