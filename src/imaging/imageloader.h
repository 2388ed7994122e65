#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include "core/fileaccess.h"
#include "imaging/bmpfile.h"
#include "imaging/tmetafile.h"

namespace dayloom {

// A picture as the clip-art browser loads it: a bitmap or a metafile.
struct LoadedPicture {
    enum Kind { None, Bitmap, Metafile };
    Kind Type = None;
    BmpFile BitmapValue;
    TMetafile MetafileValue;

    // The picture's size in screen pixels; empty when there is none.
    QSize Size() const
    {
        switch (Type) {
        case Bitmap:
            return QSize(BitmapValue.Width(), BitmapValue.Height());
        case Metafile:
            return QSize(MetafileValue.Width(), MetafileValue.Height());
        case None:
            break;
        }
        return {};
    }
};

// Loads clip art by file extension (compared ignoring letter case): .BMP
// and .WMF/.EMF as they are, icons and JPEG pictures converted to bitmaps
// (icons drawn at their own size onto white, JPEG with the browser's 256
// colour settings), PNG and GIF pictures (a GIF's first frame) as bitmaps
// that keep their transparency, SVG pictures recorded as enhanced
// metafiles. Other extensions load nothing. Failures throw the image read
// error. Only regular files are read, and none larger than the limit of
// their kind (InputSizeLimit).
class ImageLoader {
public:
    enum class Kind { Unknown, Bmp, Wmf, Emf, Ico, Jpeg, Png, Gif, Svg };

    // Bitmaps larger than this on their long side are made smaller when
    // they are placed on the page.
    static constexpr int kPlacedMaxSide = 2400;

    static Kind KindOf(const QString& path);
    static LoadedPicture Load(const QString& path);
    static LoadedPicture Load(const QByteArray& bytes, Kind kind);

    // A bitmap picture larger than maxSide on its long side, scaled down
    // (keeping its shape and its transparency) to fit; other pictures as
    // they are. Returns whether it changed the picture.
    static bool LimitSize(LoadedPicture& picture, int maxSide = kPlacedMaxSide);
    // The size LimitSize would give a picture of that size.
    static QSize LimitedSize(const QSize& size, int maxSide = kPlacedMaxSide);

    // The texture of the special-effects text: .BMP as it is, .ICO drawn on
    // white at its own size, .JPG/.JIF decoded as for clip art, PNG and GIF
    // with their transparency, SVG rasterised at its natural size (up to
    // kPlacedMaxSide on the long side), since textures are bitmaps. An empty
    // bitmap for any other extension; failures throw the image read error.
    static BmpFile LoadTexture(const QString& path);
    static BmpFile LoadTexture(const QByteArray& bytes, Kind kind);
    // The extensions the texture browser lists, upper case without the dot.
    static QStringList TextureSuffixes();

    // A small picture of the file, at most bound in size, with transparency
    // (thumbnails). Throws like Load; a null image for unknown extensions.
    static QImage Thumbnail(const QString& path, const QSize& bound);

    // The file's bytes, read as `kind`: only regular files within the kind's
    // size limit; throws the image read error otherwise.
    static QByteArray ReadFile(const QString& path, InputKind kind = InputKind::Picture);
};

}  // namespace dayloom
