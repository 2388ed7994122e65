#include "imaging/pngwriter.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <system_error>
#include <thread>
#include <vector>

#include <zlib.h>

namespace dayloom {

namespace {

// Raw row bytes per compressed piece (rounded to whole rows, at least one).
// Small pieces share the work out evenly, and on page pictures zlib's
// fastest level is even a little quicker and smaller on them than on long
// runs of rows.
constexpr qsizetype kPieceBytes = 64 * 1024;

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

// One run of rows compressed as raw deflate data. All but the last piece end
// with a sync flush (an empty stored block), so the pieces can be joined.
struct Piece {
    int firstRow = 0;
    int rows = 0;
    bool last = false;
    QByteArray deflated;
    uLong adler = 1;  // of the piece's raw bytes
    bool ok = false;
};

// A compressor for raw deflate data, reset for each piece a thread takes.
class Compressor {
public:
    Compressor() { m_ok = deflateInit2(&m_zs, Z_BEST_SPEED, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) == Z_OK; }
    ~Compressor()
    {
        if (m_ok)
            deflateEnd(&m_zs);
    }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;

    z_stream* Start()
    {
        if (!m_ok || deflateReset(&m_zs) != Z_OK)
            return nullptr;
        return &m_zs;
    }
    QByteArray& Row() { return m_row; }

private:
    z_stream m_zs{};
    bool m_ok = false;
    QByteArray m_row;
};

void compressPiece(const QImage& image, Piece& piece, Compressor& compressor)
{
    const int w = image.width();
    const qsizetype rowBytes = 1 + qsizetype(3) * w;
    z_stream* stream = compressor.Start();
    if (!stream)
        return;
    z_stream& zs = *stream;
    QByteArray& row = compressor.Row();
    if (row.size() != rowBytes)
        row = QByteArray(rowBytes, '\0');  // filter byte 0: none
    QByteArray& out = piece.deflated;
    out.resize(qsizetype(deflateBound(&zs, uLong(rowBytes))) + 1024);
    qsizetype used = 0;
    uLong adler = adler32(0, nullptr, 0);
    bool ok = true;
    for (int i = 0; i <= piece.rows && ok; ++i) {
        const bool end = i == piece.rows;
        if (!end) {
            const QRgb* src = reinterpret_cast<const QRgb*>(image.constScanLine(piece.firstRow + i));
            char* dst = row.data() + 1;
            for (int x = 0; x < w; ++x) {
                *dst++ = char(qRed(src[x]));
                *dst++ = char(qGreen(src[x]));
                *dst++ = char(qBlue(src[x]));
            }
            adler = adler32_z(adler, reinterpret_cast<const Bytef*>(row.constData()), z_size_t(rowBytes));
            zs.next_in = reinterpret_cast<Bytef*>(row.data());
            zs.avail_in = uInt(rowBytes);
        } else {
            zs.next_in = nullptr;
            zs.avail_in = 0;
        }
        const int flush = !end ? Z_NO_FLUSH : piece.last ? Z_FINISH : Z_SYNC_FLUSH;
        for (;;) {
            if (out.size() - used < 65536)
                out.resize(out.size() * 2 + 65536);
            zs.next_out = reinterpret_cast<Bytef*>(out.data() + used);
            zs.avail_out = uInt(out.size() - used);
            const int r = deflate(&zs, flush);
            used = out.size() - zs.avail_out;
            if (r == Z_STREAM_ERROR) {
                ok = false;
                break;
            }
            if (flush == Z_FINISH ? r == Z_STREAM_END : zs.avail_out != 0)
                break;
        }
    }
    out.truncate(used);
    piece.adler = adler;
    piece.ok = ok;
}

}  // namespace

QByteArray PngWriter::Encode(const QImage& source, int ppi, int threads)
{
    if (source.isNull())
        return {};
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width();
    const int h = image.height();
    const qsizetype rowBytes = 1 + qsizetype(3) * w;
    if (image.isNull() || qsizetype(h) > (qsizetype(1) << 40) / rowBytes)
        return {};

    const int rowsPerPiece = int(std::clamp<qsizetype>(kPieceBytes / rowBytes, 1, h));
    std::vector<Piece> pieces;
    for (int y = 0; y < h; y += rowsPerPiece) {
        Piece p;
        p.firstRow = y;
        p.rows = std::min(rowsPerPiece, h - y);
        pieces.push_back(std::move(p));
    }
    pieces.back().last = true;

    std::atomic<std::size_t> next{0};
    auto work = [&] {
        Compressor compressor;
        for (std::size_t i = next++; i < pieces.size(); i = next++)
            compressPiece(image, pieces[i], compressor);
    };
    const int machine = int(std::max(1u, std::thread::hardware_concurrency()));
    const int workers =
        std::clamp(threads > 0 ? threads : machine, 1, int(std::min<std::size_t>(pieces.size(), 16)));
    std::vector<std::thread> helpers;
    try {
        for (int i = 1; i < workers; ++i)
            helpers.emplace_back(work);
    } catch (const std::system_error&) {
        // Fewer threads only make it slower.
    }
    work();
    for (std::thread& t : helpers)
        t.join();

    // zlib's header (deflate, 32 KB window, fastest), the pieces, and the
    // Adler-32 of all the raw bytes.
    QByteArray compressed("\x78\x01", 2);
    uLong adler = adler32(0, nullptr, 0);
    for (const Piece& p : pieces) {
        if (!p.ok)
            return {};
        compressed.append(p.deflated);
        adler = adler32_combine(adler, p.adler, z_off_t(rowBytes * p.rows));
    }
    put32(compressed, quint32(adler));

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
