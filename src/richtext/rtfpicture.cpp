#include "rtfpicture.h"

#include <QBuffer>
#include <QImageReader>

#include <cmath>

#include <QPainter>

#include "core/readerror.h"
#include "imaging/dibreader.h"
#include "imaging/tmetafile.h"
#include "richtextformat.h"

namespace dayloom {

namespace {

// A metafile becomes at most a 2048 x 2048 bitmap.
constexpr qreal kMaxMetafilePixels = 2048.0 * 2048.0;

QImage ReadImage(const QByteArray& data, const char* format, qint64 maxPixels)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() || qint64(size.width()) * size.height() > maxPixels)
        return QImage();
    QImage image;
    if (!reader.read(&image))
        return QImage();
    return image;
}

// A DIB: header, colour table and bits in one block.
QImage ReadDib(const QByteArray& dib, qint64 maxPixels)
{
    try {
        const DibInfo info = DibReader::ReadInfo(dib.constData(), dib.size());
        if (info.Width <= 0 || info.Height <= 0 || qint64(info.Width) * info.Height > maxPixels)
            return QImage();
        return DibReader::Read(dib);
    } catch (const ReadError&) {
        return QImage();
    }
}

// A metafile drawn once into a bitmap of its goal size at the screen's
// resolution (capped in pixels); the document shows that bitmap.
QImage ReadMetafile(const QByteArray& bytes, QSize goalTwips, qint64 maxPixels)
{
    try {
        const TMetafile metafile = TMetafile::FromBytes(bytes);
        if (metafile.IsEmpty())
            return QImage();
        QSizeF size(TwipsToPixels(goalTwips.width()), TwipsToPixels(goalTwips.height()));
        if (size.isEmpty())
            size = QSizeF(metafile.Width(), metafile.Height());
        const qreal cap = qMin<qreal>(qreal(maxPixels), kMaxMetafilePixels);
        if (size.width() * size.height() > cap)
            size *= std::sqrt(cap / (size.width() * size.height()));
        const QSize pixels(qMax(1, qRound(size.width())), qMax(1, qRound(size.height())));
        QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
        if (image.isNull())
            return QImage();
        image.fill(Qt::transparent);
        QPainter painter(&image);
        metafile.Play(painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
        painter.end();
        return image;
    } catch (const ReadError&) {
        return QImage();
    }
}

}  // namespace

RtfPicture DecodeRtfPicture(RtfPictureKind kind, const QByteArray& data, QSize goalTwips,
                            qint64 maxPixels)
{
    RtfPicture picture;
    switch (kind) {
    case RtfPictureKind::Png:
        picture.image = ReadImage(data, "PNG", maxPixels);
        break;
    case RtfPictureKind::Jpeg:
        picture.image = ReadImage(data, "JPEG", maxPixels);
        break;
    case RtfPictureKind::Dib:
        picture.image = ReadDib(data, maxPixels);
        break;
    case RtfPictureKind::Wmf:
    case RtfPictureKind::Emf:
        picture.image = ReadMetafile(data, goalTwips, maxPixels);
        break;
    default:
        // Device-dependent bitmaps and unknown kinds have no decoder.
        break;
    }
    if (!picture.image.isNull() && (kind == RtfPictureKind::Png || kind == RtfPictureKind::Jpeg))
        picture.keepBytes = kind;
    return picture;
}

RtfPicture PlaceholderPicture(QSize goalTwips)
{
    const int w = qBound(1, qRound(TwipsToPixels(goalTwips.width())), 512);
    const int h = qBound(1, qRound(TwipsToPixels(goalTwips.height())), 512);
    RtfPicture picture;
    picture.image = QImage(w, h, QImage::Format_RGB32);
    picture.image.fill(Qt::white);
    return picture;
}

}  // namespace dayloom
