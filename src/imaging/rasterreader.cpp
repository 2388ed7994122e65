#include "imaging/rasterreader.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include "imaging/imagingerror.h"

namespace dayloom {

namespace {

const QByteArray kPngSignature("\x89PNG\r\n\x1a\n", 8);

const char* FormatName(RasterReader::Format format)
{
    return format == RasterReader::Format::Png ? "png" : "gif";
}

QSize GifSize(const QByteArray& b)
{
    if (!RasterReader::IsGif(b) || b.size() < 13)
        return {};
    const uchar* p = reinterpret_cast<const uchar*>(b.constData());
    int w = qFromLittleEndian<quint16>(p + 6);
    int h = qFromLittleEndian<quint16>(p + 8);
    // Walk to the first image descriptor: global colour table, extensions.
    qsizetype pos = 13;
    if (p[10] & 0x80)
        pos += 3 * (qsizetype(1) << ((p[10] & 7) + 1));
    while (pos < b.size()) {
        const uchar block = p[pos];
        if (block == 0x2C) {  // image descriptor
            if (pos + 10 > b.size())
                break;
            const int left = qFromLittleEndian<quint16>(p + pos + 1);
            const int top = qFromLittleEndian<quint16>(p + pos + 3);
            w = std::max(w, left + qFromLittleEndian<quint16>(p + pos + 5));
            h = std::max(h, top + qFromLittleEndian<quint16>(p + pos + 7));
            break;
        }
        if (block != 0x21 || pos + 2 > b.size())  // only extensions come before it
            break;
        pos += 2;
        while (pos < b.size() && p[pos] != 0)
            pos += 1 + p[pos];
        ++pos;
    }
    return QSize(w, h);
}

void CheckSize(const QSize& size)
{
    if (size.width() <= 0 || size.height() <= 0 || size.width() > RasterReader::kMaxSide
        || size.height() > RasterReader::kMaxSide
        || qint64(size.width()) * size.height() > RasterReader::kMaxPixels)
        ThrowImageError();
}

QImage Decode(const QByteArray& bytes, RasterReader::Format format, const QSize& bound)
{
    const QSize claimed = RasterReader::ClaimedSize(bytes, format);
    CheckSize(claimed);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, FormatName(format));
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(false);
    if (bound.isValid()) {
        const QSize scaled = claimed.scaled(bound, Qt::KeepAspectRatio);
        if (scaled.width() < claimed.width())
            reader.setScaledSize(scaled.expandedTo(QSize(1, 1)));
    }
    QImage image;
    const bool ok = reader.read(&image);
    if (image.isNull())
        ThrowImageError();
    // Qt's GIF reader hands over what it decoded of a frame cut short; a PNG
    // that fails is refused.
    if (!ok && format == RasterReader::Format::Png)
        ThrowImageError();
    if (image.width() > RasterReader::kMaxSide || image.height() > RasterReader::kMaxSide)
        ThrowImageError();
    return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

bool RasterReader::IsPng(const QByteArray& bytes)
{
    return bytes.startsWith(kPngSignature);
}

bool RasterReader::IsGif(const QByteArray& bytes)
{
    return bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a");
}

QSize RasterReader::ClaimedSize(const QByteArray& bytes, Format format)
{
    if (format == Format::Gif)
        return GifSize(bytes);
    // Signature, then the IHDR chunk: length 13, "IHDR", width, height.
    if (!IsPng(bytes) || bytes.size() < 24 || bytes.mid(12, 4) != "IHDR")
        return {};
    const uchar* p = reinterpret_cast<const uchar*>(bytes.constData());
    const quint32 w = qFromBigEndian<quint32>(p + 16);
    const quint32 h = qFromBigEndian<quint32>(p + 20);
    if (w > quint32(kMaxSide) * 16 || h > quint32(kMaxSide) * 16)
        return QSize(kMaxSide + 1, kMaxSide + 1);
    return QSize(int(w), int(h));
}

QImage RasterReader::Read(const QByteArray& bytes, Format format)
{
    return Decode(bytes, format, QSize());
}

QImage RasterReader::ReadScaled(const QByteArray& bytes, Format format, const QSize& bound)
{
    QImage img = Decode(bytes, format, bound);
    if (bound.isValid() && (img.width() > bound.width() || img.height() > bound.height()))
        img = img.scaled(bound, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return img;
}

}  // namespace dayloom
