#include "core/bytereader.h"

#include <cstring>

#include "core/readerror.h"

namespace dayloom {

void ByteReader::Fail() const { throw ReadError(FFailure); }

void ByteReader::Seek(qsizetype pos)
{
    if (pos < 0 || pos > FSize)
        Fail();
    FPos = pos;
}

quint16 ByteReader::U16()
{
    quint16 v = U16At(FPos);
    FPos += 2;
    return v;
}

quint32 ByteReader::U32()
{
    quint32 v = U32At(FPos);
    FPos += 4;
    return v;
}

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
        Fail();
    const auto* p = reinterpret_cast<const uchar*>(FData + pos);
    return quint16(p[0] | (p[1] << 8));
}

quint32 ByteReader::U32At(qsizetype pos) const
{
    if (pos < 0 || pos > FSize - 4)
        Fail();
    const auto* p = reinterpret_cast<const uchar*>(FData + pos);
    return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
}

}  // namespace dayloom
