#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace dayloom {

// The picture kinds an RTF \pict group can hold.
enum class RtfPictureKind { Unknown, Png, Jpeg, Dib, DeviceBitmap, Wmf, Emf };

struct RtfPicture {
    QImage image;  // null when the data could not be decoded
    // Png or Jpeg when the original bytes can be written back unchanged.
    RtfPictureKind keepBytes = RtfPictureKind::Unknown;
};

// Decodes the data of a \pict group. Pictures larger than maxPixels, broken
// data and kinds without a decoder give a null image. Metafiles are drawn
// into a bitmap of goalTwips (their own size when that is empty).
RtfPicture DecodeRtfPicture(RtfPictureKind kind, const QByteArray& data, QSize goalTwips,
                            qint64 maxPixels);
// A blank picture standing in for one that could not be decoded; shown at
// its goal size (its own pixels are capped, the display size is not).
RtfPicture PlaceholderPicture(QSize goalTwips);

}  // namespace dayloom
