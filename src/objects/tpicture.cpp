#include "objects/tpicture.h"

#include <QtEndian>

#include "core/bytereader.h"
#include "core/readerror.h"
#include "imaging/imageloader.h"
#include "stream/valuereader.h"
#include "stream/valuetag.h"
#include "stream/valuewriter.h"

namespace dayloom {

namespace {

const QByteArray kBitmapClass = QByteArrayLiteral("TBitmap");
const QByteArray kMetafileClass = QByteArrayLiteral("TMetafile");

}  // namespace

TPicture::TPicture(QObject* parent) : QObject(parent) {}

QSize TPicture::Size() const
{
    switch (m_kind) {
    case Bitmap:
        return QSize(m_bitmap.Width(), m_bitmap.Height());
    case Metafile:
        return QSize(m_metafile.Width(), m_metafile.Height());
    case None:
        break;
    }
    return QSize(0, 0);
}

void TPicture::Assign(const TPicture& other)
{
    if (&other == this)
        return;
    m_kind = other.m_kind;
    m_bitmap = other.m_bitmap;
    m_metafile = other.m_metafile;
    Q_EMIT Changed();
}

void TPicture::Assign(const LoadedPicture& loaded)
{
    switch (loaded.Type) {
    case LoadedPicture::Bitmap:
        SetBitmap(loaded.BitmapValue);
        break;
    case LoadedPicture::Metafile:
        SetMetafile(loaded.MetafileValue);
        break;
    case LoadedPicture::None:
        Clear();
        break;
    }
}

void TPicture::SetBitmap(const BmpFile& bitmap)
{
    m_bitmap = bitmap;
    m_metafile.Clear();
    m_kind = bitmap.IsEmpty() ? None : Bitmap;
    Q_EMIT Changed();
}

void TPicture::SetMetafile(const TMetafile& metafile)
{
    m_metafile = metafile;
    m_bitmap = BmpFile();
    m_kind = metafile.IsEmpty() ? None : Metafile;
    Q_EMIT Changed();
}

void TPicture::Clear()
{
    m_kind = None;
    m_bitmap = BmpFile();
    m_metafile.Clear();
    Q_EMIT Changed();
}

QByteArray TPicture::Data() const
{
    if (m_kind == None)
        return {};
    const QByteArray& name = m_kind == Bitmap ? kBitmapClass : kMetafileClass;
    const QByteArray bytes = m_kind == Bitmap ? m_bitmap.Bytes() : m_metafile.PictureData();
    QByteArray data;
    data.reserve(1 + name.size() + 4 + bytes.size());
    data.append(char(name.size()));
    data.append(name);
    char length[4];
    qToLittleEndian<qint32>(qint32(bytes.size()), length);
    data.append(length, 4);
    data.append(bytes);
    return data;
}

void TPicture::SetData(const QByteArray& data)
{
    // The class name as a short string, a 32-bit length, the picture.
    ByteReader r(data, streamerror::StreamReadError);
    const QByteArray name = r.Bytes(r.U8());
    const QByteArray bytes = r.Bytes(r.S32());
    // Class names are compared as the stream compares identifiers.
    if (name.compare(kBitmapClass, Qt::CaseInsensitive) == 0) {
        // An empty bitmap is stored as its class name and a zero length.
        SetBitmap(bytes.isEmpty() ? BmpFile() : BmpFile::FromBytes(bytes));
    } else if (name.compare(kMetafileClass, Qt::CaseInsensitive) == 0) {
        SetMetafile(bytes.isEmpty() ? TMetafile() : TMetafile::FromPictureData(bytes));
    } else {
        throw ReadError(QString::fromLatin1(streamerror::ClassNotFound).arg(QString::fromLatin1(name)));
    }
}

void TPicture::WriteExtraProperties(ValueWriter& writer) const
{
    if (m_kind == None)
        return;
    writer.WritePropName(QStringLiteral("Data"));
    writer.WriteBinary(Data());
}

bool TPicture::ReadExtraProperty(const QString& name, ValueReader& reader)
{
    if (name.compare(QLatin1String("Data"), Qt::CaseInsensitive) != 0)
        return false;
    SetData(reader.ReadBinary());
    return true;
}

}  // namespace dayloom
