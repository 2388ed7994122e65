#pragma once

#include <cstdint>

#include <QByteArray>

namespace dayloom {

// Little-endian reader over a byte range. Every read is checked against the
// bytes that remain; running past the end throws the image read error.
class ByteReader {
public:
    ByteReader(const char* data, qsizetype size) : FData(data), FSize(size < 0 ? 0 : size) {}
    explicit ByteReader(const QByteArray& bytes) : ByteReader(bytes.constData(), bytes.size()) {}

    qsizetype Pos() const { return FPos; }
    qsizetype Size() const { return FSize; }
    qsizetype Remaining() const { return FSize - FPos; }
    const char* Data() const { return FData; }
    const char* Here() const { return FData + FPos; }

    void Seek(qsizetype pos);
    void Skip(qsizetype count);
    // Throws unless count bytes remain.
    void Need(qsizetype count) const;

    quint8 U8();
    quint16 U16();
    qint16 S16();
    quint32 U32();
    qint32 S32();
    float F32();
    QByteArray Bytes(qsizetype count);

    // Reads without moving, at an absolute position.
    quint16 U16At(qsizetype pos) const;
    quint32 U32At(qsizetype pos) const;

private:
    const char* FData;
    qsizetype FSize;
    qsizetype FPos = 0;
};

}  // namespace dayloom
