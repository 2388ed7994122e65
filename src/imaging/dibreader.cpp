#include "imaging/dibreader.h"

#include <algorithm>
#include <array>
#include <vector>

#include "core/bytereader.h"
#include "imaging/imagingerror.h"

namespace dayloom {

namespace {

constexpr quint32 kBiRgb = 0;
constexpr quint32 kBiRle8 = 1;
constexpr quint32 kBiRle4 = 2;
constexpr quint32 kBiBitFields = 3;
constexpr quint32 kBiAlphaBitFields = 6;

// Largest side accepted, and the most pixels a compressed picture may claim
// per byte of its bits (a run of 255 pixels costs two bytes).
constexpr int kMaxSide = 32768;
constexpr qint64 kRlePixelsPerByte = 128;

struct Mask {
    quint32 Bits = 0;
    int Shift = 0;
    int Width = 0;

    void Set(quint32 mask)
    {
        Bits = mask;
        Shift = 0;
        Width = 0;
        if (!mask)
            return;
        while (!(mask & 1)) {
            mask >>= 1;
            ++Shift;
        }
        while (mask & 1) {
            mask >>= 1;
            ++Width;
        }
    }
    int Value(quint32 px) const
    {
        if (!Width)
            return 0;
        quint32 v = (px & Bits) >> Shift;
        if (Width >= 8)
            return int(v >> (Width - 8)) & 0xFF;
        quint32 max = (1u << Width) - 1;
        return int((v * 255 + max / 2) / max);
    }
};

struct Header {
    DibInfo Info;
    std::array<quint32, 4> Masks{};
    bool HasMasks = false;
    bool AlphaMask = false;
    // A 32-bit bitmap without masks whose fourth byte is premultiplied
    // alpha, as alpha-blend records hold them.
    bool PremultipliedAlpha = false;
    std::vector<QRgb> Palette;
};

Header ParseHeader(const char* data, qsizetype size)
{
    ByteReader r(data, size, kImageReadError);
    Header h;
    DibInfo& info = h.Info;
    const quint32 headerSize = r.U32();
    int planes = 0;
    qint64 height = 0;
    quint32 clrUsed = 0;
    if (headerSize == 12) {
        info.Width = r.U16();
        height = r.U16();
        planes = r.U16();
        info.BitCount = r.U16();
    } else if (headerSize == 16 || headerSize == 40 || headerSize == 52 || headerSize == 56
               || headerSize == 64 || headerSize == 108 || headerSize == 124) {
        r.Need(qsizetype(headerSize) - 4);
        info.Width = r.S32();
        height = r.S32();
        planes = r.U16();
        info.BitCount = r.U16();
        if (headerSize >= 20)
            info.Compression = r.U32();
        if (headerSize >= 36) {
            r.Seek(32);
            clrUsed = r.U32();
        }
        if (headerSize >= 52) {
            r.Seek(40);
            for (int i = 0; i < 3; ++i)
                h.Masks[size_t(i)] = r.U32();
            h.HasMasks = true;
            if (headerSize >= 56) {
                h.Masks[3] = r.U32();
                h.AlphaMask = h.Masks[3] != 0;
            }
        }
    } else {
        ThrowImageError();
    }
    info.HeaderSize = int(headerSize);
    if (planes != 1 && planes != 0)
        ThrowImageError();
    if (height < 0) {
        info.TopDown = true;
        height = -height;
    }
    if (info.Width <= 0 || height <= 0 || info.Width > kMaxSide || height > kMaxSide)
        ThrowImageError();
    info.Height = int(height);

    switch (info.BitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32:
        break;
    default:
        ThrowImageError();
    }
    switch (info.Compression) {
    case kBiRgb:
        break;
    case kBiRle8:
        if (info.BitCount != 8 || info.TopDown)
            ThrowImageError();
        break;
    case kBiRle4:
        if (info.BitCount != 4 || info.TopDown)
            ThrowImageError();
        break;
    case kBiBitFields:
    case kBiAlphaBitFields:
        if (info.BitCount != 16 && info.BitCount != 32)
            ThrowImageError();
        break;
    default:
        ThrowImageError();
    }

    r.Seek(qsizetype(headerSize));
    const qsizetype tableStart = r.Pos();
    // Masks of a 40-byte header follow it.
    if ((info.Compression == kBiBitFields || info.Compression == kBiAlphaBitFields)
        && headerSize < 52) {
        const int n = info.Compression == kBiAlphaBitFields ? 4 : 3;
        for (int i = 0; i < n; ++i)
            h.Masks[size_t(i)] = r.U32();
        h.HasMasks = true;
        h.AlphaMask = n == 4 && h.Masks[3] != 0;
    }
    if (info.Compression != kBiBitFields && info.Compression != kBiAlphaBitFields) {
        h.HasMasks = false;
        h.AlphaMask = false;
    }

    if (info.BitCount <= 8) {
        const quint32 maxColors = 1u << info.BitCount;
        quint32 n = clrUsed == 0 ? maxColors : clrUsed;
        if (n > maxColors)
            n = maxColors;
        info.ColorCount = int(n);
    } else {
        // A colour table of a true-colour bitmap is only a hint; skip it.
        info.ColorCount = int(std::min<quint32>(clrUsed, 256));
    }
    const int entry = headerSize == 12 ? 3 : 4;
    // A palette may be shorter than announced when the file ends early only
    // if the bits are elsewhere; insist on the whole table.
    r.Need(qsizetype(info.ColorCount) * entry);
    if (info.BitCount <= 8) {
        h.Palette.resize(size_t(1) << info.BitCount, qRgb(0, 0, 0));
        for (int i = 0; i < info.ColorCount; ++i) {
            const uchar b = r.U8(), g = r.U8(), rr = r.U8();
            if (entry == 4)
                r.U8();
            h.Palette[size_t(i)] = qRgb(rr, g, b);
        }
    } else {
        r.Skip(qsizetype(info.ColorCount) * entry);
    }
    info.TableSize = r.Pos() - tableStart;
    return h;
}

QImage NewImage(const DibInfo& info, bool alpha, bool premultiplied = false)
{
    QImage img(info.Width, info.Height,
               premultiplied ? QImage::Format_ARGB32_Premultiplied
                             : alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (img.isNull())
        ThrowImageError();
    return img;
}

inline QRgb* Row(QImage& img, const DibInfo& info, int y)
{
    // y counts rows as they are stored.
    const int line = info.TopDown ? y : info.Height - 1 - y;
    return reinterpret_cast<QRgb*>(img.scanLine(line));
}

QImage DecodeRle(const Header& h, const uchar* bits, qsizetype size, qsizetype* used)
{
    const DibInfo& info = h.Info;
    if (qint64(info.Width) * info.Height > size * kRlePixelsPerByte + 65536)
        ThrowImageError();
    QImage img = NewImage(info, false);
    img.fill(h.Palette[0]);
    const bool four = info.Compression == kBiRle4;
    int x = 0, y = 0;
    qsizetype p = 0;
    auto put = [&](int index) {
        if (x < info.Width && y < info.Height)
            Row(img, info, y)[x] = h.Palette[size_t(index) & (h.Palette.size() - 1)];
        ++x;
    };
    while (true) {
        if (p + 2 > size) {
            // Bits that end without an end-of-bitmap mark are accepted only
            // when every line but the last has arrived.
            if (y < info.Height - 1)
                ThrowImageError();
            break;
        }
        const uchar count = bits[p], value = bits[p + 1];
        p += 2;
        if (count) {
            for (int i = 0; i < count && x < info.Width; ++i)
                put(four ? ((i & 1) ? (value & 0x0F) : (value >> 4)) : value);
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++y;
            if (y >= info.Height)
                break;
        } else if (value == 1) {  // end of bitmap
            break;
        } else if (value == 2) {  // delta
            if (p + 2 > size)
                ThrowImageError();
            x += bits[p];
            y += bits[p + 1];
            p += 2;
            if (y >= info.Height)
                break;
        } else {  // absolute run of `value` pixels, padded to a 16-bit boundary
            const int n = value;
            const qsizetype bytes = four ? (n + 1) / 2 : n;
            const qsizetype padded = (bytes + 1) & ~qsizetype(1);
            if (p + padded > size)
                ThrowImageError();
            for (int i = 0; i < n; ++i) {
                const uchar b = bits[p + (four ? i / 2 : i)];
                put(four ? ((i & 1) ? (b & 0x0F) : (b >> 4)) : b);
            }
            p += padded;
        }
    }
    *used = p;
    return img;
}

QImage DecodeRaw(const Header& h, const uchar* bits, qsizetype size, qsizetype* used)
{
    const DibInfo& info = h.Info;
    const qsizetype stride = DibReader::RowBytes(info.Width, info.BitCount);
    const qsizetype need = stride * info.Height;
    if (need > size)
        ThrowImageError();
    *used = need;

    std::array<Mask, 4> masks;
    if (info.BitCount == 16 || info.BitCount == 32) {
        if (h.HasMasks) {
            for (size_t i = 0; i < 4; ++i)
                masks[i].Set(h.Masks[i]);
        } else if (info.BitCount == 16) {
            masks[0].Set(0x7C00);
            masks[1].Set(0x03E0);
            masks[2].Set(0x001F);
        } else {
            masks[0].Set(0x00FF0000);
            masks[1].Set(0x0000FF00);
            masks[2].Set(0x000000FF);
        }
    }
    const bool alpha = h.AlphaMask && info.BitCount == 32;
    const bool premultiplied = h.PremultipliedAlpha && info.BitCount == 32 && !h.HasMasks;
    QImage img = NewImage(info, alpha, premultiplied);
    const size_t palMask = h.Palette.empty() ? 0 : h.Palette.size() - 1;
    for (int y = 0; y < info.Height; ++y) {
        const uchar* s = bits + stride * y;
        QRgb* d = Row(img, info, y);
        switch (info.BitCount) {
        case 1:
            for (int x = 0; x < info.Width; ++x)
                d[x] = h.Palette[size_t((s[x >> 3] >> (7 - (x & 7))) & 1) & palMask];
            break;
        case 4:
            for (int x = 0; x < info.Width; ++x)
                d[x] = h.Palette[size_t((x & 1) ? (s[x >> 1] & 0x0F) : (s[x >> 1] >> 4)) & palMask];
            break;
        case 8:
            for (int x = 0; x < info.Width; ++x)
                d[x] = h.Palette[size_t(s[x]) & palMask];
            break;
        case 16:
            for (int x = 0; x < info.Width; ++x) {
                const quint32 px = quint32(s[2 * x]) | (quint32(s[2 * x + 1]) << 8);
                d[x] = qRgb(masks[0].Value(px), masks[1].Value(px), masks[2].Value(px));
            }
            break;
        case 24:
            for (int x = 0; x < info.Width; ++x)
                d[x] = qRgb(s[3 * x + 2], s[3 * x + 1], s[3 * x]);
            break;
        case 32:
            if (premultiplied) {
                // A colour above its alpha cannot be premultiplied; clamp it.
                for (int x = 0; x < info.Width; ++x) {
                    const uchar a = s[4 * x + 3];
                    d[x] = qRgba(std::min(s[4 * x + 2], a), std::min(s[4 * x + 1], a),
                                 std::min(s[4 * x], a), a);
                }
            } else if (!h.HasMasks) {
                for (int x = 0; x < info.Width; ++x)
                    d[x] = qRgb(s[4 * x + 2], s[4 * x + 1], s[4 * x]);
            } else {
                for (int x = 0; x < info.Width; ++x) {
                    const quint32 px = quint32(s[4 * x]) | (quint32(s[4 * x + 1]) << 8)
                        | (quint32(s[4 * x + 2]) << 16) | (quint32(s[4 * x + 3]) << 24);
                    const int a = alpha ? masks[3].Value(px) : 255;
                    d[x] = qRgba(masks[0].Value(px), masks[1].Value(px), masks[2].Value(px), a);
                }
            }
            break;
        }
    }
    return img;
}

}  // namespace

qsizetype DibReader::RowBytes(int width, int bitCount)
{
    return ((qsizetype(width) * bitCount + 31) / 32) * 4;
}

DibInfo DibReader::ReadInfo(const char* header, qsizetype headerSize)
{
    return ParseHeader(header, headerSize).Info;
}

QImage DibReader::Read(const char* header, qsizetype headerSize, const char* bits,
                       qsizetype bitsSize, DibInfo* info)
{
    return ReadBits(header, headerSize, bits, bitsSize, info, false);
}

QImage DibReader::ReadPremultiplied(const char* header, qsizetype headerSize, const char* bits,
                                    qsizetype bitsSize, DibInfo* info)
{
    QImage img = ReadBits(header, headerSize, bits, bitsSize, info, true);
    if (img.format() != QImage::Format_ARGB32_Premultiplied)
        img = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return img;
}

QImage DibReader::ReadBits(const char* header, qsizetype headerSize, const char* bits,
                           qsizetype bitsSize, DibInfo* info, bool premultipliedAlpha)
{
    if (!header || !bits || bitsSize < 0)
        ThrowImageError();
    Header h = ParseHeader(header, headerSize);
    h.PremultipliedAlpha = premultipliedAlpha;
    qsizetype used = 0;
    const auto* b = reinterpret_cast<const uchar*>(bits);
    QImage img = (h.Info.Compression == kBiRle4 || h.Info.Compression == kBiRle8)
        ? DecodeRle(h, b, bitsSize, &used)
        : DecodeRaw(h, b, bitsSize, &used);
    h.Info.BitsSize = used;
    if (info)
        *info = h.Info;
    return img;
}

QImage DibReader::Read(const char* data, qsizetype size, qsizetype bitsOffset, DibInfo* info)
{
    if (!data || size < 4)
        ThrowImageError();
    const DibInfo head = ReadInfo(data, size);
    if (bitsOffset < 0)
        bitsOffset = head.HeaderSize + head.TableSize;
    if (bitsOffset > size)
        ThrowImageError();
    return Read(data, size, data + bitsOffset, size - bitsOffset, info);
}

}  // namespace dayloom
