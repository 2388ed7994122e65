#pragma once

#include <cstdint>

#include <QByteArray>

namespace dayloom {

// Little-endian reader over a byte range, shared by the value stream and the
// picture parsers. Every read is checked against the bytes that remain;
// running past the end (or a negative count) throws ReadError with the text
// the reader was made with ("Stream read error" for the value stream, the
// picture readers' own for pictures). The bytes are not copied: they must
// outlive the reader.
class ByteReader {
public:
    ByteReader(const char* data, qsizetype size, const char* failure)
        : FData(data), FSize(size < 0 ? 0 : size), FFailure(failure)
    {
    }
    ByteReader(const QByteArray& bytes, const char* failure)
        : ByteReader(bytes.constData(), bytes.size(), failure)
    {
    }

    qsizetype Pos() const { return FPos; }
    qsizetype Size() const { return FSize; }
    qsizetype Remaining() const { return FSize - FPos; }
    bool AtEnd() const { return FPos >= FSize; }
    const char* Data() const { return FData; }
    const char* Here() const { return FData + FPos; }
    // The text of the error an overrun throws.
    const char* Failure() const { return FFailure; }

    void Seek(qsizetype pos);
    void Skip(qsizetype count)
    {
        Need(count);
        FPos += count;
    }
    // Throws unless count bytes remain.
    void Need(qsizetype count) const
    {
        if (count < 0 || count > FSize - FPos)
            Fail();
    }
    [[noreturn]] void Fail() const;

    quint8 U8()
    {
        Need(1);
        return quint8(FData[FPos++]);
    }
    // The next byte without moving.
    quint8 PeekU8() const
    {
        Need(1);
        return quint8(FData[FPos]);
    }
    quint16 U16();
    qint16 S16() { return qint16(U16()); }
    quint32 U32();
    qint32 S32() { return qint32(U32()); }
    float F32();
    QByteArray Bytes(qsizetype count);

    // Reads without moving, at an absolute position.
    quint16 U16At(qsizetype pos) const;
    quint32 U32At(qsizetype pos) const;

private:
    const char* FData;
    qsizetype FSize;
    const char* FFailure;
    qsizetype FPos = 0;
};

}  // namespace dayloom
