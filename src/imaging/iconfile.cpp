#include "imaging/iconfile.h"

#include <utility>

#include <QPainter>

#include "core/bytereader.h"
#include "imaging/dibreader.h"
#include "imaging/imagingerror.h"

namespace dayloom {

namespace {

// An icon directory lists at most this many images; more is not an icon.
constexpr int kMaxImages = 512;

bool IsPng(const QByteArray& data)
{
    return data.startsWith("\x89PNG\r\n\x1a\n");
}

void Put32(char* p, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = char((v >> (8 * i)) & 0xFF);
}

// Fills in the sizes the directory leaves open (0 means 256) from the image.
void CompleteEntry(IconEntry& e)
{
    if (IsPng(e.Data)) {
        if (e.BitCount == 0)
            e.BitCount = 32;
        return;
    }
    if (e.Data.size() >= 40) {
        try {
            ByteReader r(e.Data, kImageReadError);
            const quint32 hs = r.U32();
            if (hs >= 40) {
                const int w = r.S32();
                const int h = r.S32() / 2;
                r.U16();
                const int bpp = r.U16();
                if (w > 0 && w <= 1024 && h > 0 && h <= 1024) {
                    e.Width = w;
                    e.Height = h;
                }
                if (bpp)
                    e.BitCount = bpp;
            }
        } catch (const ReadError&) {
        }
    }
    if (e.BitCount == 0 && e.ColorCount > 0) {
        int bits = 1;
        while ((1 << bits) < e.ColorCount && bits < 8)
            ++bits;
        e.BitCount = bits;
    }
}

// The header shared by icon files and icon groups: reserved 0, type 1 (icon)
// or 2 (cursor), and an image count whose entries of entrySize bytes must
// all be there.
std::pair<quint16, int> readDirectoryHeader(ByteReader& r, int entrySize)
{
    if (r.U16() != 0)
        ThrowImageError();
    const quint16 type = r.U16();
    if (type != 1 && type != 2)
        ThrowImageError();
    const int count = r.U16();
    if (count == 0 || count > kMaxImages)
        ThrowImageError();
    r.Need(qsizetype(count) * entrySize);
    return {type, count};
}

// A width or height of 0 in a directory entry means 256.
void widenZeroSizes(IconEntry& e)
{
    if (e.Width == 0)
        e.Width = 256;
    if (e.Height == 0)
        e.Height = 256;
}

// The start of a directory entry, the same in files and in resources:
// width, height, colour count, a reserved byte and the planes (the hot
// spot's x for cursors).
IconEntry readEntryStart(ByteReader& r)
{
    IconEntry e;
    e.Width = r.U8();
    e.Height = r.U8();
    e.ColorCount = r.U8();
    r.U8();
    r.U16();
    return e;
}

}  // namespace

IconFile IconFile::FromBytes(const QByteArray& file)
{
    ByteReader r(file, kImageReadError);
    const auto [type, count] = readDirectoryHeader(r, 16);
    IconFile icon;
    for (int i = 0; i < count; ++i) {
        IconEntry e = readEntryStart(r);
        const quint16 bits = r.U16();
        e.BitCount = type == 1 ? bits : 0;
        const quint32 size = r.U32();
        const quint32 offset = r.U32();
        if (offset > quint32(file.size()) || size > quint32(file.size()) - offset || size == 0)
            ThrowImageError();
        widenZeroSizes(e);
        e.Data = file.mid(offset, size);
        CompleteEntry(e);
        icon.FEntries.push_back(std::move(e));
    }
    return icon;
}

IconFile IconFile::FromGroup(const QByteArray& group,
                             const std::function<QByteArray(quint16)>& resource)
{
    ByteReader r(group, kImageReadError);
    const auto [type, count] = readDirectoryHeader(r, 14);
    IconFile icon;
    for (int i = 0; i < count; ++i) {
        IconEntry e = readEntryStart(r);
        e.BitCount = r.U16();
        r.U32();  // bytes in resource: the resource itself tells
        const quint16 id = r.U16();
        widenZeroSizes(e);
        e.Data = resource ? resource(id) : QByteArray();
        if (e.Data.isEmpty())
            continue;
        CompleteEntry(e);
        icon.FEntries.push_back(std::move(e));
    }
    if (icon.FEntries.empty())
        ThrowImageError();
    return icon;
}

int IconFile::BestIndex(int size) const
{
    int best = -1;
    long bestDist = 0;
    int bestBits = 0;
    for (int i = 0; i < ImageCount(); ++i) {
        const IconEntry& e = FEntries[size_t(i)];
        const long dist = std::labs(long(e.Width) - size) + std::labs(long(e.Height) - size);
        if (best < 0 || dist < bestDist || (dist == bestDist && e.BitCount > bestBits)) {
            best = i;
            bestDist = dist;
            bestBits = e.BitCount;
        }
    }
    return best;
}

QImage IconFile::Image(int index) const
{
    if (index < 0 || index >= ImageCount())
        ThrowImageError();
    return DecodeImage(FEntries[size_t(index)].Data);
}

QImage IconFile::DecodeImage(const QByteArray& data)
{
    if (IsPng(data)) {
        QImage img;
        // Bound what a PNG may expand to before letting Qt decode it.
        if (data.size() >= 24) {
            ByteReader r(data, kImageReadError);
            r.Seek(16);
            const quint32 w = (quint32(uchar(data[16])) << 24) | (quint32(uchar(data[17])) << 16)
                | (quint32(uchar(data[18])) << 8) | quint32(uchar(data[19]));
            const quint32 h = (quint32(uchar(data[20])) << 24) | (quint32(uchar(data[21])) << 16)
                | (quint32(uchar(data[22])) << 8) | quint32(uchar(data[23]));
            if (w == 0 || h == 0 || w > 1024 || h > 1024)
                ThrowImageError();
        }
        if (!img.loadFromData(data, "PNG") || img.isNull())
            ThrowImageError();
        return img.convertToFormat(QImage::Format_ARGB32);
    }

    // The header's height counts the XOR and the AND bitmap together.
    ByteReader r(data, kImageReadError);
    const quint32 hs = r.U32();
    if (hs < 40 || hs > quint32(data.size()))
        ThrowImageError();
    const qint32 doubled = qint32(r.U32At(8));
    if (doubled < 2)
        ThrowImageError();
    const int height = doubled / 2;
    QByteArray dib = data;
    Put32(dib.data() + 8, quint32(height));
    DibInfo info;
    QImage xorImage = DibReader::Read(dib.constData(), dib.size(), -1, &info);
    if (info.Compression != 0)
        ThrowImageError();
    QImage img = xorImage.convertToFormat(QImage::Format_ARGB32);

    bool hasAlpha = false;
    if (info.BitCount == 32) {
        // The alpha byte of 32-bit icons sits in the fourth byte of each pixel.
        const qsizetype stride = DibReader::RowBytes(info.Width, 32);
        const char* bits = dib.constData() + info.HeaderSize + info.TableSize;
        for (int y = 0; y < info.Height && !hasAlpha; ++y)
            for (int x = 0; x < info.Width; ++x)
                if (bits[stride * y + 4 * x + 3]) {
                    hasAlpha = true;
                    break;
                }
        if (hasAlpha) {
            for (int y = 0; y < info.Height; ++y) {
                const auto* s = reinterpret_cast<const uchar*>(bits + stride * y);
                auto* d = reinterpret_cast<QRgb*>(img.scanLine(info.Height - 1 - y));
                for (int x = 0; x < info.Width; ++x)
                    d[x] = qRgba(qRed(d[x]), qGreen(d[x]), qBlue(d[x]), s[4 * x + 3]);
            }
        }
    }
    if (!hasAlpha) {
        // The AND mask: 1 = transparent. An icon without one is opaque.
        const qsizetype maskStart = info.HeaderSize + info.TableSize + info.BitsSize;
        const qsizetype maskStride = DibReader::RowBytes(info.Width, 1);
        if (maskStart + maskStride * info.Height <= data.size()) {
            const auto* m = reinterpret_cast<const uchar*>(data.constData() + maskStart);
            for (int y = 0; y < info.Height; ++y) {
                auto* d = reinterpret_cast<QRgb*>(img.scanLine(info.Height - 1 - y));
                const uchar* row = m + maskStride * y;
                for (int x = 0; x < info.Width; ++x)
                    if ((row[x >> 3] >> (7 - (x & 7))) & 1)
                        d[x] = qRgba(qRed(d[x]), qGreen(d[x]), qBlue(d[x]), 0);
            }
        }
    }
    // Transparent pixels carry no colour.
    for (int y = 0; y < img.height(); ++y) {
        auto* d = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(d[x]) == 0)
                d[x] = 0;
    }
    return img;
}

QImage IconFile::DrawOnBitmap(const QImage& icon, QRgb background)
{
    QImage out(icon.size(), QImage::Format_RGB32);
    if (out.isNull())
        return out;
    out.fill(background);
    QPainter p(&out);
    p.drawImage(0, 0, icon);
    return out;
}

}  // namespace dayloom
