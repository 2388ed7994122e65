#include "imaging/imageloader.h"

#include <QFile>
#include <QFileInfo>

#include "imaging/iconfile.h"
#include "imaging/imagingerror.h"
#include "imaging/jpegcodec.h"

namespace dayloom {

namespace {

constexpr qint64 kMaxFileSize = 256LL * 1024 * 1024;

}  // namespace

ImageLoader::Kind ImageLoader::KindOf(const QString& path)
{
    const QString ext = QFileInfo(path).suffix().toUpper();
    if (ext == QLatin1String("BMP"))
        return Kind::Bmp;
    if (ext == QLatin1String("WMF"))
        return Kind::Wmf;
    if (ext == QLatin1String("EMF"))
        return Kind::Emf;
    if (ext == QLatin1String("ICO"))
        return Kind::Ico;
    if (ext == QLatin1String("JPG") || ext == QLatin1String("JIF") || ext == QLatin1String("JPEG"))
        return Kind::Jpeg;
    return Kind::Unknown;
}

LoadedPicture ImageLoader::Load(const QString& path)
{
    const Kind kind = KindOf(path);
    if (kind == Kind::Unknown)
        return {};
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > kMaxFileSize)
        ThrowImageError();
    return Load(f.readAll(), kind);
}

LoadedPicture ImageLoader::Load(const QByteArray& bytes, Kind kind)
{
    LoadedPicture out;
    switch (kind) {
    case Kind::Bmp:
        out.BitmapValue = BmpFile::FromBytes(bytes);
        out.Type = LoadedPicture::Bitmap;
        break;
    case Kind::Wmf:
    case Kind::Emf:
        // The headers decide; a .WMF holding an enhanced metafile loads too.
        out.MetafileValue = TMetafile::FromBytes(bytes);
        out.Type = LoadedPicture::Metafile;
        break;
    case Kind::Ico: {
        const IconFile icon = IconFile::FromBytes(bytes);
        out.BitmapValue = BmpFile::FromImage(IconFile::DrawOnBitmap(icon.StandardImage()));
        out.Type = LoadedPicture::Bitmap;
        break;
    }
    case Kind::Jpeg:
        out.BitmapValue = BmpFile::FromImage(JpegCodec::DecodePalette(bytes));
        out.Type = LoadedPicture::Bitmap;
        break;
    case Kind::Unknown:
        break;
    }
    return out;
}

}  // namespace dayloom
