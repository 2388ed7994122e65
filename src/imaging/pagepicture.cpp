#include "imaging/pagepicture.h"

#include <sys/mman.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace dayloom {

namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;

bool is32Bit(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

void freePicture(void* memory) { std::free(memory); }

void releaseShared(void* holder) { delete static_cast<QImage*>(holder); }

}  // namespace

QImage NewPagePicture(QSize size, QImage::Format format)
{
    if (size.isEmpty() || !is32Bit(format))
        return {};
    const qsizetype bpl = qsizetype(size.width()) * 4;
    if (qsizetype(size.height()) > std::numeric_limits<qsizetype>::max() / 4 / bpl)
        return {};
    const std::size_t bytes = std::size_t(bpl) * std::size_t(size.height());
    if (bytes < kHugePage)
        return QImage(size, format);
    void* memory = nullptr;
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    if (posix_memalign(&memory, kHugePage, rounded) != 0)
        return QImage(size, format);
    // A hint only: where huge pages are off, the memory stays as it is.
    madvise(memory, rounded, MADV_HUGEPAGE);
    QImage picture(static_cast<uchar*>(memory), size.width(), size.height(), bpl, format, freePicture, memory);
    if (picture.isNull())
        std::free(memory);
    return picture;
}

QImage ScaleDownInPlace(QImage& picture, const QRect& source, QSize size)
{
    if (picture.isNull() || !is32Bit(picture.format()) || size.isEmpty() || source.isEmpty() ||
        !picture.rect().contains(source) || size.width() > source.width() || size.height() > source.height())
        return {};
    const int sw = source.width();
    const int sh = source.height();
    const int w = size.width();
    const int h = size.height();
    const qsizetype bpl = picture.bytesPerLine();
    uchar* const bits = picture.bits();

    if (w != sw || h != sh) {
        // QImage::scaled draws the picture through a scaling matrix; the
        // raster engine steps through the source in 16.16 fixed point from
        // the centre of the first target pixel, with these roundings.
        const double targetW = double(w) / sw * sw;
        const double targetH = double(h) / sh * sh;
        const double stepX = sw / targetW;
        const double stepY = sh / targetH;
        const int ix = int(65536 * stepX);
        const int iy = int(65536 * stepY);
        const quint32 basex = quint32(int(std::ceil(0.5 * stepX * 65536)) - 1);
        quint32 srcy = quint32(int(std::ceil(0.5 * stepY * 65536)) - 1);
        int cols = std::min(int(std::lround(targetW)), w);
        int rows = std::min(int(std::lround(targetH)), h);
        const int xend = int((basex + quint32(ix) * quint32(cols - 1)) >> 16);
        if (xend < 0 || xend >= sw)
            --cols;
        const int yend = int((srcy + quint32(iy) * quint32(rows - 1)) >> 16);
        if (yend < 0 || yend >= sh)
            --rows;
        // Every source pixel read lies at or after the target pixel written
        // (the picture only shrinks), so the rows are rewritten in place from
        // the top. What the engine leaves unpainted stays black, as in its
        // cleared target.
        for (int y = 0; y < h; ++y) {
            quint32* dst = reinterpret_cast<quint32*>(bits + y * bpl);
            int x = 0;
            if (y < rows) {
                const quint32* src = reinterpret_cast<const quint32*>(bits + (source.top() + int(srcy >> 16)) * bpl) +
                                     source.left();
                quint32 srcx = basex;
                for (; x < cols; ++x) {
                    dst[x] = src[srcx >> 16];
                    srcx += quint32(ix);
                }
                srcy += quint32(iy);
            }
            for (; x < w; ++x)
                dst[x] = 0;
        }
    } else if (source.topLeft() != QPoint(0, 0)) {
        for (int y = 0; y < h; ++y)
            std::memmove(bits + y * bpl, bits + (source.top() + y) * bpl + qsizetype(source.left()) * 4,
                         std::size_t(w) * 4);
    }

    // The result holds the picture's memory through a shallow copy.
    auto* holder = new QImage(picture);
    QImage result(bits, w, h, bpl, picture.format(), releaseShared, holder);
    if (result.isNull()) {
        delete holder;
        return {};
    }
    result.setDotsPerMeterX(picture.dotsPerMeterX());
    result.setDotsPerMeterY(picture.dotsPerMeterY());
    return result;
}

}  // namespace dayloom
