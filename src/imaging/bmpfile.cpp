#include "imaging/bmpfile.h"

#include <QIODevice>
#include <QPainter>

#include "core/bytereader.h"
#include "core/fileaccess.h"
#include "core/screen.h"
#include "imaging/dibreader.h"
#include "imaging/imagingerror.h"

namespace dayloom {

namespace {

constexpr quint16 kBmSignature = 0x4D42;  // "BM"
constexpr int kFileHeaderSize = 14;

void Put16(char* p, quint16 v)
{
    p[0] = char(v & 0xFF);
    p[1] = char(v >> 8);
}

void Put32(char* p, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = char((v >> (8 * i)) & 0xFF);
}

}  // namespace

BmpFile BmpFile::FromBytes(const QByteArray& file)
{
    ByteReader r(file, kImageReadError);
    if (r.U16() != kBmSignature)
        ThrowImageError();
    r.U32();  // file size: often wrong in the wild, the byte count rules
    r.U32();  // reserved
    const quint32 offBits = r.U32();
    const char* dib = file.constData() + kFileHeaderSize;
    const qsizetype dibSize = file.size() - kFileHeaderSize;
    const DibInfo head = DibReader::ReadInfo(dib, dibSize);
    qsizetype bits = qsizetype(offBits) - kFileHeaderSize;
    // An offset that points into the header or past the end is repaired to
    // the place right after the colour table.
    if (offBits < quint32(kFileHeaderSize) + quint32(head.HeaderSize) || bits > dibSize)
        bits = head.HeaderSize + head.TableSize;
    DibInfo info;
    BmpFile out;
    out.FImage = DibReader::Read(dib, dibSize, bits, &info);
    out.FBitCount = info.BitCount;
    out.FBytes = file;
    if (quint32(file.size()) != r.U32At(2))
        Put32(out.FBytes.data() + 2, quint32(file.size()));
    return out;
}

BmpFile BmpFile::FromDib(const QByteArray& dib)
{
    const DibInfo head = DibReader::ReadInfo(dib.constData(), dib.size());
    QByteArray file(kFileHeaderSize, '\0');
    Put16(file.data(), kBmSignature);
    Put32(file.data() + 2, quint32(kFileHeaderSize + dib.size()));
    Put32(file.data() + 10, quint32(kFileHeaderSize + head.HeaderSize + head.TableSize));
    file += dib;
    return FromBytes(file);
}

QByteArray BmpFile::Encode24(const QImage& source, int ppi)
{
    if (source.isNull())
        return {};
    QImage img = source.convertToFormat(QImage::Format_RGB32);
    if (source.hasAlphaChannel()) {
        img = QImage(source.size(), QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        p.drawImage(0, 0, source);
    }
    const int w = img.width(), h = img.height();
    const qsizetype stride = DibReader::RowBytes(w, 24);
    const qsizetype bitsSize = stride * h;
    const int offBits = kFileHeaderSize + 40;
    QByteArray out(offBits + bitsSize, '\0');
    char* p = out.data();
    Put16(p, kBmSignature);
    Put32(p + 2, quint32(out.size()));
    Put32(p + 10, quint32(offBits));
    char* ih = p + kFileHeaderSize;
    Put32(ih, 40);
    Put32(ih + 4, quint32(w));
    Put32(ih + 8, quint32(h));
    Put16(ih + 12, 1);
    Put16(ih + 14, 24);
    Put32(ih + 16, 0);
    Put32(ih + 20, quint32(bitsSize));
    const quint32 ppm = quint32(((ppi > 0 ? ppi : ScreenPPI()) * 10000 + 127) / 254);
    Put32(ih + 24, ppm);
    Put32(ih + 28, ppm);
    for (int y = 0; y < h; ++y) {
        const auto* s = reinterpret_cast<const QRgb*>(img.constScanLine(h - 1 - y));
        auto* d = reinterpret_cast<uchar*>(p + offBits + stride * y);
        for (int x = 0; x < w; ++x) {
            d[3 * x] = uchar(qBlue(s[x]));
            d[3 * x + 1] = uchar(qGreen(s[x]));
            d[3 * x + 2] = uchar(qRed(s[x]));
        }
    }
    return out;
}

QByteArray BmpFile::Encode32(const QImage& source)
{
    if (source.isNull())
        return {};
    const QImage img = source.convertToFormat(QImage::Format_ARGB32);
    constexpr int kV5Size = 124;
    constexpr quint32 kBiBitFields = 3;
    constexpr quint32 kLcsSRgb = 0x73524742;  // 'sRGB'
    constexpr quint32 kLcsGmImages = 4;
    const int w = img.width(), h = img.height();
    const qsizetype bitsSize = qsizetype(w) * h * 4;
    const int offBits = kFileHeaderSize + kV5Size;
    QByteArray out(offBits + bitsSize, '\0');
    char* p = out.data();
    Put16(p, kBmSignature);
    Put32(p + 2, quint32(out.size()));
    Put32(p + 10, quint32(offBits));
    char* ih = p + kFileHeaderSize;
    Put32(ih, kV5Size);
    Put32(ih + 4, quint32(w));
    Put32(ih + 8, quint32(h));
    Put16(ih + 12, 1);
    Put16(ih + 14, 32);
    Put32(ih + 16, kBiBitFields);
    Put32(ih + 20, quint32(bitsSize));
    const quint32 ppm = quint32((ScreenPPI() * 10000 + 127) / 254);
    Put32(ih + 24, ppm);
    Put32(ih + 28, ppm);
    Put32(ih + 40, 0x00FF0000);
    Put32(ih + 44, 0x0000FF00);
    Put32(ih + 48, 0x000000FF);
    Put32(ih + 52, 0xFF000000);
    Put32(ih + 56, kLcsSRgb);
    // 36 bytes of end points and three gamma values stay 0 for sRGB.
    Put32(ih + 108, kLcsGmImages);
    for (int y = 0; y < h; ++y) {
        const auto* s = reinterpret_cast<const QRgb*>(img.constScanLine(h - 1 - y));
        char* d = p + offBits + qsizetype(4) * w * y;
        for (int x = 0; x < w; ++x) {
            const QRgb c = qAlpha(s[x]) == 0 ? 0x00FFFFFF : s[x];
            Put32(d + 4 * x, c);
        }
    }
    return out;
}

BmpFile BmpFile::FromImageKeepingAlpha(const QImage& image)
{
    if (image.isNull())
        return {};
    bool opaque = true;
    if (image.hasAlphaChannel()) {
        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < argb.height() && opaque; ++y) {
            const auto* s = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
            for (int x = 0; x < argb.width(); ++x)
                if (qAlpha(s[x]) != 255) {
                    opaque = false;
                    break;
                }
        }
    }
    return FromBytes(opaque ? Encode24(image) : Encode32(image));
}

BmpFile BmpFile::FromImage(const QImage& image)
{
    if (image.isNull())
        return {};
    // Read back what was written so that image and bytes always agree.
    return FromBytes(Encode24(image));
}

bool BmpFile::Save(QIODevice& device) const
{
    if (FBytes.isEmpty())
        return false;
    return device.write(FBytes) == FBytes.size();
}

bool BmpFile::Save(const QString& path) const
{
    return !FBytes.isEmpty() && SaveFileContents(path, FBytes);
}

}  // namespace dayloom
