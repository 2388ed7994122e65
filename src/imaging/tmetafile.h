#pragma once

#include <QByteArray>
#include <QRect>
#include <QRectF>
#include <QString>

#include "core/fileaccess.h"

class QPainter;

namespace dayloom {

// A picture held as a metafile: either an enhanced metafile or a Windows
// metafile (with or without its placeable header). Keeps the bytes it was
// loaded from and the picture's size.
class TMetafile {
public:
    TMetafile() = default;

    // Loads an enhanced metafile, a placeable Windows metafile or a plain
    // one, telling them apart by their headers; throws the image read error.
    static TMetafile FromBytes(const QByteArray& bytes);
    // A file read as `kind` (clip art, or a border picture); a file that is
    // not a regular one or is beyond the kind's size fails the same way.
    static TMetafile FromFile(const QString& path, InputKind kind = InputKind::Picture);

    // The bytes a picture stores for a metafile: the enhanced-metafile bits,
    // or a placeable header (key, handle 0, box 0, 0, width, height, units
    // per inch, reserved 0, checksum) followed by the Windows-metafile bits.
    QByteArray PictureData() const;
    // Reads those bytes back (the same as FromBytes).
    static TMetafile FromPictureData(const QByteArray& data) { return FromBytes(data); }

    bool IsEmpty() const { return FBytes.isEmpty(); }
    bool Enhanced() const { return FEnhanced; }
    // Recorded from vector art by our own writer (an SVG picture): its
    // background is transparent and its edges are drawn smoothed.
    bool VectorArt() const { return FVectorArt; }
    // Size in pixels at the screen's pixels per inch.
    int Width() const;
    int Height() const;
    // Size in 0.01 mm.
    int MMWidth() const { return FMMWidth; }
    int MMHeight() const { return FMMHeight; }
    // Units per inch of a placeable Windows metafile's box (0 when not set).
    int Inch() const { return FInch; }
    const QByteArray& Bytes() const { return FBytes; }

    // Plays the picture stretched into the target rectangle.
    void Play(QPainter& painter, const QRectF& target) const;
    void Clear() { *this = TMetafile(); }

private:
    QByteArray FBytes;      // as loaded
    bool FEnhanced = false;
    bool FVectorArt = false;
    int FMMWidth = 0;
    int FMMHeight = 0;
    int FInch = 0;
    QRect FBox;             // placeable box in Inch units
    qsizetype FBitsOffset = 0;
    qsizetype FBitsSize = 0;
};

}  // namespace dayloom
