#include "imaging/imageloader.h"

#include <QFileInfo>
#include <QPainter>

#include "core/fileaccess.h"
#include "imaging/iconfile.h"
#include "imaging/imagingerror.h"
#include "imaging/jpegcodec.h"
#include "imaging/rasterreader.h"
#include "imaging/svgimport.h"

namespace dayloom {

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
    if (ext == QLatin1String("PNG"))
        return Kind::Png;
    if (ext == QLatin1String("GIF"))
        return Kind::Gif;
    if (ext == QLatin1String("SVG"))
        return Kind::Svg;
    return Kind::Unknown;
}

QByteArray ImageLoader::ReadFile(const QString& path, InputKind kind)
{
    QByteArray bytes;
    if (ReadInputFile(path, kind, &bytes) != InputFault::None)
        ThrowImageError();
    return bytes;
}

LoadedPicture ImageLoader::Load(const QString& path)
{
    const Kind kind = KindOf(path);
    if (kind == Kind::Unknown)
        return {};
    return Load(ReadFile(path), kind);
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
    case Kind::Png:
    case Kind::Gif:
        out.BitmapValue = BmpFile::FromImageKeepingAlpha(RasterReader::Read(
            bytes, kind == Kind::Png ? RasterReader::Format::Png : RasterReader::Format::Gif));
        out.Type = LoadedPicture::Bitmap;
        break;
    case Kind::Svg:
        out.MetafileValue = SvgImport::ToMetafile(bytes);
        out.Type = LoadedPicture::Metafile;
        break;
    case Kind::Unknown:
        break;
    }
    return out;
}

QSize ImageLoader::LimitedSize(const QSize& size, int maxSide)
{
    if (size.width() <= maxSide && size.height() <= maxSide)
        return size;
    return size.scaled(maxSide, maxSide, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

bool ImageLoader::LimitSize(LoadedPicture& picture, int maxSide)
{
    if (picture.Type != LoadedPicture::Bitmap)
        return false;
    const QImage& image = picture.BitmapValue.Image();
    const QSize size = LimitedSize(image.size(), maxSide);
    if (size == image.size())
        return false;
    const QImage smaller = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    picture.BitmapValue = picture.BitmapValue.HasAlpha() ? BmpFile::FromImageKeepingAlpha(smaller)
                                                         : BmpFile::FromImage(smaller);
    return true;
}

QStringList ImageLoader::TextureSuffixes()
{
    return {QStringLiteral("BMP"), QStringLiteral("JPG"), QStringLiteral("JIF"),
            QStringLiteral("ICO"), QStringLiteral("PNG"), QStringLiteral("GIF"),
            QStringLiteral("SVG")};
}

BmpFile ImageLoader::LoadTexture(const QString& path)
{
    const Kind kind = KindOf(path);
    if (!TextureSuffixes().contains(QFileInfo(path).suffix().toUpper()))
        return {};
    return LoadTexture(ReadFile(path, InputKind::Texture), kind);
}

BmpFile ImageLoader::LoadTexture(const QByteArray& bytes, Kind kind)
{
    switch (kind) {
    case Kind::Bmp:
    case Kind::Ico:
    case Kind::Jpeg:
    case Kind::Png:
    case Kind::Gif:
        return Load(bytes, kind).BitmapValue;
    case Kind::Svg:
        return BmpFile::FromImageKeepingAlpha(SvgImport::Rasterise(bytes, kPlacedMaxSide));
    default:
        return {};
    }
}

QImage ImageLoader::Thumbnail(const QString& path, const QSize& bound)
{
    const Kind kind = KindOf(path);
    if (kind == Kind::Unknown)
        return {};
    const QByteArray bytes = ReadFile(path);
    QImage img;
    switch (kind) {
    case Kind::Png:
    case Kind::Gif:
        img = RasterReader::ReadScaled(
            bytes, kind == Kind::Png ? RasterReader::Format::Png : RasterReader::Format::Gif, bound);
        break;
    case Kind::Svg:
        img = SvgImport::RasteriseToFit(bytes, bound);
        break;
    case Kind::Jpeg:
        img = JpegCodec::Decode(bytes);
        break;
    default: {
        const LoadedPicture picture = Load(bytes, kind);
        if (picture.Type == LoadedPicture::Bitmap) {
            img = picture.BitmapValue.Image();
        } else if (picture.Type == LoadedPicture::Metafile) {
            const QSize size = LimitedSize(picture.Size().expandedTo(QSize(1, 1)),
                                           std::max(bound.width(), bound.height()));
            img = QImage(size, QImage::Format_ARGB32_Premultiplied);
            img.fill(picture.MetafileValue.VectorArt() ? Qt::transparent : Qt::white);
            QPainter p(&img);
            picture.MetafileValue.Play(p, QRectF(QPointF(0, 0), QSizeF(size)));
        }
        break;
    }
    }
    if (img.isNull())
        return img;
    if (img.width() > bound.width() || img.height() > bound.height())
        img = img.scaled(bound, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return img;
}

}  // namespace dayloom
