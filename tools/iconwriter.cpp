#include "iconwriter.h"

#include <limits>
#include <vector>

namespace iconwriter {

namespace {

void put8(QByteArray& b, int v) { b.append(char(v & 0xFF)); }
void put16(QByteArray& b, int v)
{
    put8(b, v);
    put8(b, v >> 8);
}
void put32(QByteArray& b, qint64 v)
{
    put16(b, int(v & 0xFFFF));
    put16(b, int((v >> 16) & 0xFFFF));
}
void set16(QByteArray& b, qsizetype at, int v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char((v >> 8) & 0xFF);
}
void pad(QByteArray& b, int alignment)
{
    while (b.size() % alignment)
        b.append('\0');
}
int rowBytes(int width, int bits) { return ((width * bits + 31) / 32) * 4; }

std::vector<QRgb> paletteFor(int bitCount)
{
    if (bitCount == 1)
        return {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    if (bitCount == 4)
        return {qRgb(0, 0, 0),       qRgb(128, 0, 0),     qRgb(0, 128, 0),   qRgb(128, 128, 0),
                qRgb(0, 0, 128),     qRgb(128, 0, 128),   qRgb(0, 128, 128), qRgb(192, 192, 192),
                qRgb(128, 128, 128), qRgb(255, 0, 0),     qRgb(0, 255, 0),   qRgb(255, 255, 0),
                qRgb(0, 0, 255),     qRgb(255, 0, 255),   qRgb(0, 255, 255), qRgb(255, 255, 255)};
    std::vector<QRgb> cube;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                cube.push_back(qRgb(r * 51, g * 51, b * 51));
    for (int i = 1; cube.size() < 256; ++i)
        cube.push_back(qRgb(i * 6, i * 6, i * 6));
    return cube;
}

int nearest(const std::vector<QRgb>& palette, QRgb c)
{
    int best = 0;
    int bestDist = std::numeric_limits<int>::max();
    for (size_t i = 0; i < palette.size(); ++i) {
        const int dr = qRed(c) - qRed(palette[i]);
        const int dg = qGreen(c) - qGreen(palette[i]);
        const int db = qBlue(c) - qBlue(palette[i]);
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDist) {
            bestDist = d;
            best = int(i);
        }
    }
    return best;
}

}  // namespace

IconImage EncodeImage(const QImage& source, int bitCount)
{
    const QImage img = source.convertToFormat(QImage::Format_ARGB32);
    const int w = img.width(), h = img.height();
    const std::vector<QRgb> palette = bitCount <= 8 ? paletteFor(bitCount) : std::vector<QRgb>();
    IconImage out;
    out.Width = w;
    out.Height = h;
    out.BitCount = bitCount;
    out.ColorCount = bitCount < 8 ? 1 << bitCount : 0;

    QByteArray& b = out.Data;
    const int xorStride = rowBytes(w, bitCount);
    const int andStride = rowBytes(w, 1);
    put32(b, 40);
    put32(b, w);
    put32(b, 2 * h);  // the XOR bitmap and the AND mask
    put16(b, 1);
    put16(b, bitCount);
    put32(b, 0);
    put32(b, qint64(xorStride + andStride) * h);
    put32(b, 0);
    put32(b, 0);
    put32(b, qint64(palette.size()));
    put32(b, 0);
    for (QRgb c : palette) {
        put8(b, qBlue(c));
        put8(b, qGreen(c));
        put8(b, qRed(c));
        put8(b, 0);
    }
    // Rows bottom-up.
    for (int y = h - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        QByteArray row(xorStride, '\0');
        for (int x = 0; x < w; ++x) {
            const QRgb c = line[x];
            if (bitCount == 32) {
                row[4 * x] = char(qBlue(c));
                row[4 * x + 1] = char(qGreen(c));
                row[4 * x + 2] = char(qRed(c));
                row[4 * x + 3] = char(qAlpha(c));
                continue;
            }
            // Transparent pixels are black in the XOR bitmap.
            const int index = qAlpha(c) < 128 ? 0 : nearest(palette, c);
            if (bitCount == 8) {
                row[x] = char(index);
            } else if (bitCount == 4) {
                row[x / 2] = char(uchar(row[x / 2]) | (x & 1 ? index : index << 4));
            } else {
                if (index)
                    row[x / 8] = char(uchar(row[x / 8]) | (0x80 >> (x % 8)));
            }
        }
        b += row;
    }
    for (int y = h - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        QByteArray row(andStride, '\0');
        for (int x = 0; x < w; ++x)
            if (qAlpha(line[x]) < 128)
                row[x / 8] = char(uchar(row[x / 8]) | (0x80 >> (x % 8)));
        b += row;
    }
    return out;
}

QByteArray WriteIcoFile(const QList<IconImage>& images)
{
    QByteArray b;
    put16(b, 0);
    put16(b, 1);
    put16(b, int(images.size()));
    qint64 offset = 6 + 16 * qint64(images.size());
    for (const IconImage& i : images) {
        put8(b, i.Width >= 256 ? 0 : i.Width);
        put8(b, i.Height >= 256 ? 0 : i.Height);
        put8(b, i.ColorCount);
        put8(b, 0);
        put16(b, 1);
        put16(b, i.BitCount);
        put32(b, i.Data.size());
        put32(b, offset);
        offset += i.Data.size();
    }
    for (const IconImage& i : images)
        b += i.Data;
    return b;
}

QByteArray WriteNeLibrary(const QList<IconGroup>& groups, const QByteArray& moduleName,
                          const QByteArray& description)
{
    constexpr int kHeader = 0x80;  // where the NE header starts
    constexpr int kIconFlags = 0x1010;   // moveable, discardable
    constexpr int kGroupFlags = 0x1030;  // moveable, pure, discardable

    // The DOS part: a header and a stub that says what this file is.
    QByteArray file;
    put16(file, 0x5A4D);  // "MZ"
    put16(file, 0x90);    // bytes in the last page
    put16(file, 3);       // pages
    put16(file, 0);       // relocations
    put16(file, 4);       // header paragraphs
    put16(file, 0);
    put16(file, 0xFFFF);
    put16(file, 0);       // SS
    put16(file, 0xB8);    // SP
    put16(file, 0);
    put16(file, 0);       // IP
    put16(file, 0);       // CS
    put16(file, 0x40);    // relocation table
    put16(file, 0);
    file.append(QByteArray(0x3C - file.size(), '\0'));
    put32(file, kHeader);
    // push cs; pop ds; mov dx, 0Eh; mov ah, 9; int 21h; mov ax, 4C01h; int 21h
    file += QByteArray::fromHex("0e1fba0e00b409cd21b8014ccd21");
    file += "This file is a Windows icon library.\r\n$";
    file.append(QByteArray(kHeader - file.size(), '\0'));

    // The tables after the 64-byte NE header; offsets relative to it.
    int imageCount = 0;
    for (const IconGroup& g : groups)
        imageCount += int(g.Images.size());
    QByteArray resources;  // the resource table, its offsets filled in later
    put16(resources, 0);   // the alignment shift
    // RT_ICON: the images, numbered 1, 2, ... across all groups.
    put16(resources, 0x8003);
    put16(resources, imageCount);
    put32(resources, 0);
    std::vector<qsizetype> entrySlots;
    for (int i = 0; i < imageCount; ++i) {
        entrySlots.push_back(resources.size());
        put16(resources, 0);
        put16(resources, 0);
        put16(resources, kIconFlags);
        put16(resources, 0x8000 | (i + 1));
        put32(resources, 0);
    }
    put16(resources, 0x800E);
    put16(resources, int(groups.size()));
    put32(resources, 0);
    std::vector<qsizetype> nameSlots;
    int numbered = 0;
    for (const IconGroup& g : groups) {
        entrySlots.push_back(resources.size());
        put16(resources, 0);
        put16(resources, 0);
        put16(resources, kGroupFlags);
        nameSlots.push_back(resources.size());
        put16(resources, g.Name.isEmpty() ? 0x8000 | ++numbered : 0);
        put32(resources, 0);
    }
    put16(resources, 0);
    for (size_t i = 0; i < size_t(groups.size()); ++i) {
        const QByteArray& name = groups[qsizetype(i)].Name;
        if (name.isEmpty())
            continue;
        set16(resources, nameSlots[i], int(resources.size()));
        put8(resources, int(name.size()));
        resources += name;
    }
    put8(resources, 0);

    QByteArray resident;
    put8(resident, int(moduleName.size()));
    resident += moduleName;
    put16(resident, 0);
    put8(resident, 0);
    const QByteArray imported(1, '\0');
    const QByteArray entries(2, '\0');
    QByteArray nonResident;
    put8(nonResident, int(description.size()));
    nonResident += description;
    put16(nonResident, 0);
    put8(nonResident, 0);

    const int resourceTable = 0x40;
    const int residentTable = resourceTable + int(resources.size());
    const int importedTable = residentTable + int(resident.size());
    const int entryTable = importedTable + int(imported.size());
    const int nonResidentTable = kHeader + entryTable + int(entries.size());

    QByteArray ne;
    put16(ne, 0x454E);  // "NE"
    put8(ne, 5);        // linker version
    put8(ne, 10);
    put16(ne, entryTable);
    put16(ne, int(entries.size()));
    put32(ne, 0);       // CRC
    put16(ne, 0x8000);  // a library without data
    put16(ne, 0);       // automatic data segment
    put16(ne, 0);       // heap
    put16(ne, 0);       // stack
    put32(ne, 0);       // CS:IP
    put32(ne, 0);       // SS:SP
    put16(ne, 0);       // segments
    put16(ne, 0);       // module references
    put16(ne, int(nonResident.size()));
    put16(ne, resourceTable);  // the (empty) segment table
    put16(ne, resourceTable);
    put16(ne, residentTable);
    put16(ne, importedTable);  // the (empty) module reference table
    put16(ne, importedTable);
    put32(ne, nonResidentTable);
    put16(ne, 0);       // movable entry points
    put16(ne, 0);       // segment alignment shift
    put16(ne, 0);       // resource segments
    put8(ne, 2);        // Windows
    put8(ne, 0);
    put16(ne, 0);
    put16(ne, 0);
    put16(ne, 0);
    put16(ne, 0x030A);  // Windows 3.10
    file += ne + resources + resident + imported + entries + nonResident;

    // The resources' data, each aligned to 1 << shift; the smallest shift
    // from 3 up whose units can reach the end of the file. Icon images are
    // multiples of 8 bytes long, so their lengths come out exact.
    std::vector<QByteArray> data;
    for (const IconGroup& g : groups)
        for (const IconImage& i : g.Images)
            data.push_back(i.Data);
    int imageId = 0;
    for (const IconGroup& g : groups) {
        QByteArray dir;
        put16(dir, 0);
        put16(dir, 1);
        put16(dir, int(g.Images.size()));
        for (const IconImage& i : g.Images) {
            put8(dir, i.Width >= 256 ? 0 : i.Width);
            put8(dir, i.Height >= 256 ? 0 : i.Height);
            put8(dir, i.ColorCount);
            put8(dir, 0);
            put16(dir, 1);
            put16(dir, i.BitCount);
            put32(dir, i.Data.size());
            put16(dir, ++imageId);
        }
        data.push_back(dir);
    }
    qint64 total = file.size();
    for (const QByteArray& d : data)
        total += d.size() + 512;
    int shift = 3;
    while ((total >> shift) > 0xFFFF)
        ++shift;
    const qsizetype table = kHeader + resourceTable;
    set16(file, table, shift);
    const int alignment = 1 << shift;
    for (size_t i = 0; i < data.size(); ++i) {
        pad(file, alignment);
        set16(file, table + entrySlots[i], int(file.size() >> shift));
        set16(file, table + entrySlots[i] + 2, int((data[i].size() + alignment - 1) >> shift));
        file += data[i];
    }
    pad(file, alignment);
    return file;
}

}  // namespace iconwriter
