#include "imaging/bytereader.h"

#include <cstring>

#include "imaging/imagingerror.h"

namespace dayloom {

void ByteReader::Seek(qsizetype pos)
{
    if (pos < 0 || pos > FSize)
        ThrowImageError();
    FPos = pos;
}

void ByteReader::Skip(qsizetype count)
{
    Need(count);
    FPos += count;
}

void ByteReader::Need(qsizetype count) const
{
    if (count < 0 || count > FSize - FPos)
        ThrowImageError();
}

quint8 ByteReader::U8()
{
    Need(1);
    return quint8(FData[FPos++]);
}

quint16 ByteReader::U16()
{
    quint16 v = U16At(FPos);
    FPos += 2;
    return v;
}

qint16 ByteReader::S16() { return qint16(U16()); }

quint32 ByteReader::U32()
{
    quint32 v = U32At(FPos);
    FPos += 4;
    return v;
}

qint32 ByteReader::S32() { return qint32(U32()); }

float ByteReader::F32()
{
    quint32 v = U32();
    float f;
    std::memcpy(&f, &v, 4);
    return f;
}

QByteArray ByteReader::Bytes(qsizetype count)
{
    Need(count);
    QByteArray b(FData + FPos, count);
    FPos += count;
    return b;
}

quint16 ByteReader::U16At(qsizetype pos) const
{
    if (pos < 0 || pos > FSize - 2)
        ThrowImageError();
    const auto* p = reinterpret_cast<const uchar*>(FData + pos);
    return quint16(p[0] | (p[1] << 8));
}

quint32 ByteReader::U32At(qsizetype pos) const
{
    if (pos < 0 || pos > FSize - 4)
        ThrowImageError();
    const auto* p = reinterpret_cast<const uchar*>(FData + pos);
    return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
}

}  // namespace dayloom
