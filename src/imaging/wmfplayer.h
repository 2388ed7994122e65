#pragma once

#include <QByteArray>
#include <QRect>
#include <QRectF>

class QPainter;

namespace dayloom {

// What the headers of a Windows metafile say.
struct WmfHeader {
    bool Placeable = false;
    QRect Box;               // placeable bounding box, in Inch units
    int Inch = 0;            // units per inch of the bounding box
    qsizetype BitsOffset = 0;  // where the metafile proper starts (22 when placeable)
    qsizetype BitsSize = 0;    // its size in bytes
    int Objects = 0;
    // The first window origin and extent the records set (zero when none).
    QPoint WindowOrg;
    QSize WindowExt;
    bool HasWindowExt = false;
};

// Plays a Windows metafile (with or without the 22-byte placeable header)
// onto a painter; the window the records set is stretched onto the target.
class WmfPlayer {
public:
    static constexpr quint32 kPlaceableKey = 0x9AC6CDD7;

    static bool IsPlaceable(const QByteArray& bytes);
    // Checks the headers and the record chain (each record inside the bytes,
    // ending in the end-of-file record); throws the image read error.
    static WmfHeader ReadHeader(const QByteArray& bytes);
    static void Play(const QByteArray& bytes, QPainter& painter, const QRectF& target);
    // The 16-bit XOR of the first ten words of a placeable header.
    static quint16 Checksum(const char* header);
};

}  // namespace dayloom
