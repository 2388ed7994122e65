#pragma once

#include <QByteArray>
#include <QImage>

class QIODevice;

namespace dayloom {

// A Windows bitmap file: the 14-byte file header ("BM", file size, two
// reserved words, offset of the bits) followed by a device-independent
// bitmap. Keeps the bytes it was read from so that an unchanged picture is
// written back with its own bit depth; new pictures are written at 24 bits.
class BmpFile {
public:
    BmpFile() = default;

    // Parses a whole bitmap file; throws the image read error.
    static BmpFile FromBytes(const QByteArray& file);
    // A DIB without file header, as a clipboard or a metafile record holds it.
    static BmpFile FromDib(const QByteArray& dib);
    // Encodes an image as a 24-bit bitmap (alpha is composed onto white).
    static BmpFile FromImage(const QImage& image);
    // ppi: the resolution written into the header; 0 takes the screen's.
    static QByteArray Encode24(const QImage& image, int ppi = 0);
    // Encodes an image with transparency as a 32-bit bitmap with a 124-byte
    // (version 5) header: BI_BITFIELDS with the masks 0x00FF0000, 0x0000FF00,
    // 0x000000FF and the alpha mask 0xFF000000, straight (not premultiplied)
    // alpha, sRGB. Fully transparent pixels are stored white, so that a
    // reader which ignores alpha shows the picture on white.
    static QByteArray Encode32(const QImage& image);
    // 32 bits when any pixel is not opaque, else 24 bits.
    static BmpFile FromImageKeepingAlpha(const QImage& image);

    bool IsEmpty() const { return FImage.isNull(); }
    const QImage& Image() const { return FImage; }
    int Width() const { return FImage.width(); }
    int Height() const { return FImage.height(); }
    int BitCount() const { return FBitCount; }
    // True when the bitmap carries an alpha channel (a 32-bit bitmap with an
    // alpha mask): it is drawn blended and never covers what lies below.
    bool HasAlpha() const { return FImage.hasAlphaChannel(); }
    // The file bytes: file header and DIB. These are the bytes a picture
    // stores for a bitmap.
    const QByteArray& Bytes() const { return FBytes; }

    bool Save(QIODevice& device) const;
    // Through a temporary file; a target that is not a regular file is refused.
    bool Save(const QString& path) const;

private:
    QImage FImage;
    QByteArray FBytes;
    int FBitCount = 0;
};

}  // namespace dayloom
