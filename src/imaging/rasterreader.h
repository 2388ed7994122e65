#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace dayloom {

// PNG and GIF pictures, decoded by Qt's image readers (a GIF gives its
// first frame). The size a file claims is read from its header and
// checked before anything is decoded, so that a small file cannot make the
// decoder allocate gigabytes.
class RasterReader {
public:
    enum class Format { Png, Gif };

    // Largest side and largest number of pixels accepted (40 million pixels
    // take 160 MB decoded).
    static constexpr int kMaxSide = 20000;
    static constexpr qint64 kMaxPixels = 40'000'000;

    // The size the header claims (of a GIF: its screen, and its first
    // image when that is larger); invalid when the bytes are not such a file.
    static QSize ClaimedSize(const QByteArray& bytes, Format format);
    // True when the bytes start like a PNG (GIF) file.
    static bool IsPng(const QByteArray& bytes);
    static bool IsGif(const QByteArray& bytes);

    // The picture as ARGB32 with straight alpha. A damaged or truncated file
    // throws the image read error, except that a GIF whose first frame ends
    // early keeps the rows it has (the rest is transparent).
    static QImage Read(const QByteArray& bytes, Format format);
    // The same, scaled down on reading to fit bound (thumbnails).
    static QImage ReadScaled(const QByteArray& bytes, Format format, const QSize& bound);
};

}  // namespace dayloom
