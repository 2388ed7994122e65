#include "objects/tbitmap.h"

#include <QtEndian>

#include "core/readerror.h"
#include "stream/valuereader.h"
#include "stream/valuetag.h"
#include "stream/valuewriter.h"

namespace dayloom {

TBitmap::TBitmap(QObject* parent) : QObject(parent) {}

void TBitmap::Assign(const TBitmap& other)
{
    if (&other == this)
        return;
    SetValue(other.m_bitmap);
}

void TBitmap::SetValue(const BmpFile& bitmap)
{
    m_bitmap = bitmap;
    Q_EMIT Changed();
}

void TBitmap::Clear()
{
    if (m_bitmap.IsEmpty())
        return;
    m_bitmap = BmpFile();
    Q_EMIT Changed();
}

QByteArray TBitmap::Data() const
{
    if (m_bitmap.IsEmpty())
        return {};
    const QByteArray& bytes = m_bitmap.Bytes();
    QByteArray data(4, '\0');
    qToLittleEndian<qint32>(qint32(bytes.size()), data.data());
    data.append(bytes);
    return data;
}

void TBitmap::SetData(const QByteArray& data)
{
    if (data.size() < 4)
        throw ReadError(streamerror::StreamReadError);
    const qint32 length = qFromLittleEndian<qint32>(data.constData());
    if (length < 0 || length > data.size() - 4)
        throw ReadError(streamerror::StreamReadError);
    if (length != data.size() - 4)
        throw ReadError(streamerror::InvalidPropertyValue);
    // An empty bitmap is stored as a zero length.
    SetValue(length == 0 ? BmpFile() : BmpFile::FromBytes(data.mid(4)));
}

void TBitmap::WriteExtraProperties(ValueWriter& writer) const
{
    if (m_bitmap.IsEmpty())
        return;
    writer.WritePropName(QStringLiteral("Data"));
    writer.WriteBinary(Data());
}

bool TBitmap::ReadExtraProperty(const QString& name, ValueReader& reader)
{
    if (name.compare(QLatin1String("Data"), Qt::CaseInsensitive) != 0)
        return false;
    SetData(reader.ReadBinary());
    return true;
}

}  // namespace dayloom
