#pragma once

#include <QByteArray>
#include <QImage>

namespace dayloom {

// Writes pictures of the page as PNG files: 8-bit RGB, no row filter and
// zlib's fastest level, which keeps the flat colours of a calendar page
// small and is several times faster than choosing a filter per row.
// The picture's resolution goes into a pHYs chunk. Alpha is dropped (the
// page is opaque).
//
// The rows are compressed in pieces of about 64 KB of row bytes, each
// ending on a byte boundary, on as many threads as there are processors; the
// pieces join into one zlib stream. Where a piece starts depends on the picture
// alone, so the file is the same however many threads made it.
class PngWriter {
public:
    // ppi: the resolution written into the file; 0 takes the image's own.
    // threads: 0 for one per processor.
    static QByteArray Encode(const QImage& image, int ppi = 0, int threads = 0);
};

}  // namespace dayloom
