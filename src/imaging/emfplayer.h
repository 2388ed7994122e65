#pragma once

#include <QByteArray>
#include <QRect>
#include <QRectF>
#include <QSize>

class QPainter;

namespace dayloom {

// What the header record of an enhanced metafile says.
struct EmfHeader {
    QRect Bounds;        // reference-device pixels, inclusive
    QRect Frame;         // 0.01 mm, inclusive
    QSize Device;        // reference device in pixels
    QSize Millimeters;   // reference device in millimetres
    quint32 Bytes = 0;
    quint32 Records = 0;
    int Handles = 0;
};

// Plays an enhanced metafile onto a painter, scaled so that its frame fills
// the target rectangle. Records are checked one by one (libuemf's record
// checks plus our own bounds checks); damaged or unknown records are skipped.
class EmfPlayer {
public:
    // True when the bytes start with an enhanced-metafile header record.
    static bool IsEnhanced(const QByteArray& bytes);
    // Reads and checks the header and the record chain (every size within
    // the bytes, ending in an EOF record); throws the image read error.
    static EmfHeader ReadHeader(const QByteArray& bytes);
    static void Play(const QByteArray& bytes, QPainter& painter, const QRectF& target);
};

}  // namespace dayloom
