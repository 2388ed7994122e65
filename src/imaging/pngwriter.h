#pragma once

#include <QByteArray>
#include <QImage>

namespace dayloom {

// Writes pictures of the page as PNG files: 8-bit RGB, no row filter and
// zlib's fastest level, which keeps the flat colours of a calendar page
// small and is several times faster than choosing a filter per row.
// The picture's resolution goes into a pHYs chunk. Alpha is dropped (the
// page is opaque).
class PngWriter {
public:
    // ppi: the resolution written into the file; 0 takes the image's own.
    static QByteArray Encode(const QImage& image, int ppi = 0);
};

}  // namespace dayloom
