#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

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
// colour settings). Other extensions load nothing. Failures throw the image
// read error.
class ImageLoader {
public:
    enum class Kind { Unknown, Bmp, Wmf, Emf, Ico, Jpeg };

    static Kind KindOf(const QString& path);
    static LoadedPicture Load(const QString& path);
    static LoadedPicture Load(const QByteArray& bytes, Kind kind);
};

}  // namespace dayloom
