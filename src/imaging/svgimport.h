#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

#include "imaging/tmetafile.h"

namespace dayloom {

// SVG pictures through QtSvg. QtSvg loads pictures named by <image> from
// the disk without asking, and expands whatever entities a document type
// declares, so every file is scanned before QtSvg sees it and refused (the
// image read error) when:
// - any reference (an href, a url() in an attribute or a style sheet, an
//   @import, an xml-stylesheet instruction) names anything other than a part
//   of the same file ("#...") or data inside it ("data:...");
// - its document type declares external entities, entities that use other
//   entities, or more expanded text than a small limit;
// - <use> references form a cycle or multiply into more than two million
//   drawn elements, or elements nest deeper than QtSvg can safely recurse;
// - a picture inside it claims more than 16 million pixels;
// - it is not well-formed, or larger than 32 MB.
class SvgImport {
public:
    static constexpr qint64 kMaxFileSize = 32LL * 1024 * 1024;

    // Throws the image read error for a file that must not be loaded.
    static void CheckSafe(const QByteArray& svg);
    static bool IsSafe(const QByteArray& svg);

    // The picture's own size in pixels (its width and height, else its view
    // box, else 256 x 256). Throws for an unsafe or unreadable file.
    static QSize NaturalSize(const QByteArray& svg);
    // The picture recorded as an enhanced metafile of its natural size.
    static TMetafile ToMetafile(const QByteArray& svg);
    // The picture as ARGB32 at its natural size, made smaller to fit
    // maxSide on its long side when larger.
    static QImage Rasterise(const QByteArray& svg, int maxSide);
    // The picture scaled to fit bound (thumbnails).
    static QImage RasteriseToFit(const QByteArray& svg, const QSize& bound);
};

}  // namespace dayloom
