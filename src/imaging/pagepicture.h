#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

namespace dayloom {

// The large pictures of whole pages an export paints.

// A white-to-be 32-bit picture of the given size whose memory is asked for
// in huge pages where the system gives them (a page picture at print
// resolution is tens of megabytes; touching it page by page costs more than
// painting it). Null when the memory cannot be had.
QImage NewPagePicture(QSize size, QImage::Format format = QImage::Format_RGB32);

// Scales the part `source` of a 32-bit picture down to `size` by nearest
// neighbour, pixel for pixel as QImage::scaled(..., Qt::FastTransformation)
// does, and returns the result as a picture of `size` that shares the
// picture's memory (its top-left corner; nothing is copied). Returns a null
// picture when source does not lie inside the picture, size is empty or
// larger than source, or the picture is not 32-bit.
QImage ScaleDownInPlace(QImage& picture, const QRect& source, QSize size);

}  // namespace dayloom
