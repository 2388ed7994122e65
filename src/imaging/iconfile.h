#pragma once

#include <functional>
#include <vector>

#include <QByteArray>
#include <QImage>

namespace dayloom {

// One image of an icon as its directory describes it, with its bytes (a DIB
// with XOR and AND bitmaps, or a PNG stream).
struct IconEntry {
    int Width = 0;
    int Height = 0;
    int ColorCount = 0;
    int BitCount = 0;
    QByteArray Data;
};

// An icon: an .ICO file, or an icon group of a program's resources (a
// GRPICONDIR whose entries name RT_ICON resources). A .ICO file holds one
// icon made of several images of different sizes and depths.
class IconFile {
public:
    static constexpr int kStandardSize = 32;

    // Parses an .ICO (or .CUR) file; throws the image read error.
    static IconFile FromBytes(const QByteArray& file);
    // Parses a group directory; resource(id) returns the bytes of RT_ICON id
    // (empty when missing).
    static IconFile FromGroup(const QByteArray& group,
                              const std::function<QByteArray(quint16)>& resource);

    int ImageCount() const { return int(FEntries.size()); }
    const IconEntry& Entry(int index) const { return FEntries.at(size_t(index)); }

    // Index of the image closest to size x size, preferring more colours.
    int BestIndex(int size = kStandardSize) const;
    // Decodes an image into ARGB32 with the AND mask applied as transparency.
    QImage Image(int index) const;
    QImage StandardImage() const { return Image(BestIndex()); }

    // Decodes the bytes of one icon image (a RT_ICON resource or the image
    // an .ICO entry points at).
    static QImage DecodeImage(const QByteArray& data);
    // Draws an icon at its own size at (0, 0) of a new bitmap filled with
    // the background colour.
    static QImage DrawOnBitmap(const QImage& icon, QRgb background = 0xFFFFFFFF);

private:
    std::vector<IconEntry> FEntries;
};

}  // namespace dayloom
