#pragma once

#include <QByteArray>
#include <QImage>

namespace dayloom {

// What a device-independent bitmap's header says about it.
struct DibInfo {
    int HeaderSize = 0;     // 12 for a core header, 40 and longer for info headers
    int Width = 0;
    int Height = 0;         // always positive; see TopDown
    int BitCount = 0;       // 1, 4, 8, 16, 24 or 32
    quint32 Compression = 0;
    bool TopDown = false;
    int ColorCount = 0;     // entries in the colour table
    qsizetype TableSize = 0;   // bytes of masks and colour table after the header
    qsizetype BitsSize = 0;    // bytes of pixel bits the picture used
};

// Decodes device-independent bitmaps: 1, 4, 8, 16, 24 and 32 bits per pixel,
// RLE4 and RLE8, bit-field masks, 12-byte core headers and 40-byte or longer
// info headers, bottom-up and top-down. Every length is checked against the
// bytes given; failures throw the image read error. The result is RGB32, or
// ARGB32 when a 32-bit bitmap carries an alpha mask.
class DibReader {
public:
    // Header, colour table and bits in one block; bitsOffset < 0 means the
    // bits follow the colour table directly.
    static QImage Read(const char* data, qsizetype size, qsizetype bitsOffset = -1,
                       DibInfo* info = nullptr);
    static QImage Read(const QByteArray& dib, DibInfo* info = nullptr)
    {
        return Read(dib.constData(), dib.size(), -1, info);
    }
    // Header (with its colour table) and bits held apart, as in metafile records.
    static QImage Read(const char* header, qsizetype headerSize, const char* bits,
                       qsizetype bitsSize, DibInfo* info = nullptr);

    // As Read, for the bitmap of an alpha-blend record: a 32-bit bitmap
    // without masks takes its fourth byte as premultiplied alpha. The
    // result is always ARGB32_Premultiplied.
    static QImage ReadPremultiplied(const char* header, qsizetype headerSize, const char* bits,
                                    qsizetype bitsSize, DibInfo* info = nullptr);

    // Reads only the header and the size of the colour table.
    static DibInfo ReadInfo(const char* header, qsizetype headerSize);

    // Bytes of one row of uncompressed bits.
    static qsizetype RowBytes(int width, int bitCount);

private:
    static QImage ReadBits(const char* header, qsizetype headerSize, const char* bits,
                           qsizetype bitsSize, DibInfo* info, bool premultipliedAlpha);
};

}  // namespace dayloom
