#pragma once

#include <QByteArray>
#include <QImage>

class QIODevice;

namespace dayloom {

// JPEG decoding and encoding through libjpeg. Corrupt or truncated data
// throws the image read error; libjpeg's own warnings are not printed.
class JpegCodec {
public:
    // The clip-art browser's settings: integer DCT, colour output quantised
    // to 256 colours with Floyd-Steinberg dithering in two passes, smoothed
    // upsampling. Gives an 8-bit indexed image.
    static QImage DecodePalette(const QByteArray& data);
    // Plain 24-bit decoding (textures, export checks): RGB32.
    static QImage Decode(const QByteArray& data);

    // Colour, integer DCT, the given quality (the export writes 100).
    // ppi: the resolution written into the file; 0 takes the screen's.
    static QByteArray Encode(const QImage& image, int quality = 100, int ppi = 0);
    static bool Encode(const QImage& image, QIODevice& device, int quality = 100);

    // True when the bytes start like a JPEG stream.
    static bool CanRead(const QByteArray& data);
};

}  // namespace dayloom
