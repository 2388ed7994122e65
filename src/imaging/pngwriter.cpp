#include "imaging/pngwriter.h"

#include <cmath>

#include <zlib.h>

namespace dayloom {

namespace {

void put32(QByteArray& out, quint32 v)
{
    const char b[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    out.append(b, 4);
}

void chunk(QByteArray& out, const char* type, const QByteArray& data)
{
    put32(out, quint32(data.size()));
    const qsizetype start = out.size();
    out.append(type, 4);
    out.append(data);
    put32(out, quint32(crc32(0, reinterpret_cast<const Bytef*>(out.constData() + start),
                             uInt(out.size() - start))));
}

}  // namespace

QByteArray PngWriter::Encode(const QImage& source, int ppi)
{
    if (source.isNull())
        return {};
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width();
    const int h = image.height();
    const qsizetype rowBytes = 1 + qsizetype(3) * w;
    if (image.isNull() || qsizetype(h) > (qsizetype(1) << 40) / rowBytes)
        return {};

    z_stream zs{};
    if (deflateInit(&zs, Z_BEST_SPEED) != Z_OK)
        return {};
    QByteArray row(rowBytes, '\0');  // filter byte 0: none
    QByteArray compressed;
    compressed.resize(qsizetype(deflateBound(&zs, uLong(rowBytes))) + 1024);
    qsizetype used = 0;
    bool ok = true;
    for (int y = 0; y <= h && ok; ++y) {
        const bool last = y == h;
        if (!last) {
            const QRgb* src = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            char* dst = row.data() + 1;
            for (int x = 0; x < w; ++x) {
                *dst++ = char(qRed(src[x]));
                *dst++ = char(qGreen(src[x]));
                *dst++ = char(qBlue(src[x]));
            }
            zs.next_in = reinterpret_cast<Bytef*>(row.data());
            zs.avail_in = uInt(rowBytes);
        } else {
            zs.next_in = nullptr;
            zs.avail_in = 0;
        }
        do {
            if (compressed.size() - used < 65536)
                compressed.resize(compressed.size() * 2 + 65536);
            zs.next_out = reinterpret_cast<Bytef*>(compressed.data() + used);
            zs.avail_out = uInt(compressed.size() - used);
            const int r = deflate(&zs, last ? Z_FINISH : Z_NO_FLUSH);
            used = compressed.size() - zs.avail_out;
            if (r == Z_STREAM_ERROR) {
                ok = false;
                break;
            }
            if (last && r == Z_STREAM_END)
                break;
        } while (zs.avail_out == 0 || (last && ok));
    }
    deflateEnd(&zs);
    if (!ok)
        return {};
    compressed.truncate(used);

    QByteArray out("\x89PNG\r\n\x1a\n", 8);
    QByteArray header;
    put32(header, quint32(w));
    put32(header, quint32(h));
    header.append(char(8));  // bits per sample
    header.append(char(2));  // RGB
    header.append(3, '\0');  // deflate, adaptive filtering, no interlace
    chunk(out, "IHDR", header);
    const double dpm = ppi > 0 ? double(ppi) / 0.0254 : double(image.dotsPerMeterX());
    if (dpm > 0) {
        QByteArray phys;
        put32(phys, quint32(std::lround(dpm)));
        put32(phys, quint32(std::lround(ppi > 0 ? dpm : double(image.dotsPerMeterY()))));
        phys.append(char(1));  // metres
        chunk(out, "pHYs", phys);
    }
    chunk(out, "IDAT", compressed);
    chunk(out, "IEND", QByteArray());
    return out;
}

}  // namespace dayloom
