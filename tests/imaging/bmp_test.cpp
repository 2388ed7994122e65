#include <random>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QtEndian>

#include "core/readerror.h"
#include "imaging/bmpfile.h"
#include "imaging/dibreader.h"
#include "common/testutil.h"

using namespace dayloom;

namespace {

void Put16(QByteArray& b, int v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}
void Put32(QByteArray& b, qint64 v)
{
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xFF));
}

// Info header of the given size; masks are written inside headers of 52
// bytes and more.
QByteArray InfoHeader(int size, int w, int h, int bpp, int compression, int colors,
                      const std::vector<quint32>& masks = {})
{
    QByteArray b;
    Put32(b, size);
    Put32(b, w);
    Put32(b, h);
    Put16(b, 1);
    Put16(b, bpp);
    Put32(b, compression);
    Put32(b, 0);
    Put32(b, 3780);
    Put32(b, 3780);
    Put32(b, colors);
    Put32(b, 0);
    for (size_t i = 0; b.size() < size; ++i)
        Put32(b, i < masks.size() && size >= 52 ? masks[i] : 0);
    return b;
}

QByteArray Palette(const std::vector<QRgb>& colors, int entry = 4)
{
    QByteArray b;
    for (QRgb c : colors) {
        b.append(char(qBlue(c)));
        b.append(char(qGreen(c)));
        b.append(char(qRed(c)));
        if (entry == 4)
            b.append('\0');
    }
    return b;
}

QByteArray FileOf(const QByteArray& dib, int bitsOffsetInDib)
{
    QByteArray f("BM");
    Put32(f, 14 + dib.size());
    Put32(f, 0);
    Put32(f, 14 + bitsOffsetInDib);
    return f + dib;
}

QRgb At(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFFFF; }

constexpr QRgb kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF,
               kWhite = 0xFFFFFFFF, kBlack = 0xFF000000;

}  // namespace

// Palette depths, bottom-up and top-down, with rows padded to 32 bits.
TEST(DibReader, PaletteDepthsAndRowOrder)
{
    // 1 bit, 3 x 2, bottom-up: the stored first row is the lower one.
    {
        QByteArray dib = InfoHeader(40, 3, 2, 1, 0, 2) + Palette({kRed, kBlue});
        dib += QByteArray("\xA0\0\0\0", 4);  // bottom row: 1 0 1
        dib += QByteArray("\x40\0\0\0", 4);  // top row:    0 1 0
        DibInfo info;
        const QImage img = DibReader::Read(dib, &info);
        EXPECT_EQ(info.BitCount, 1);
        ASSERT_EQ(img.size(), QSize(3, 2));
        EXPECT_EQ(At(img, 0, 0), kRed);
        EXPECT_EQ(At(img, 1, 0), kBlue);
        EXPECT_EQ(At(img, 0, 1), kBlue);
        EXPECT_EQ(At(img, 1, 1), kRed);
        EXPECT_EQ(At(img, 2, 1), kBlue);
    }
    // 4 bits, 3 x 1, top-down (negative height).
    {
        QByteArray dib = InfoHeader(40, 3, -1, 4, 0, 3) + Palette({kBlack, kGreen, kWhite});
        dib += QByteArray("\x12\x00\0\0", 4);
        DibInfo info;
        const QImage img = DibReader::Read(dib, &info);
        EXPECT_TRUE(info.TopDown);
        EXPECT_EQ(At(img, 0, 0), kGreen);
        EXPECT_EQ(At(img, 1, 0), kWhite);
        EXPECT_EQ(At(img, 2, 0), kBlack);
    }
    // 8 bits with a 12-byte core header and its 3-byte palette entries.
    {
        QByteArray dib;
        Put32(dib, 12);
        Put16(dib, 2);
        Put16(dib, 2);
        Put16(dib, 1);
        Put16(dib, 8);
        dib += Palette(std::vector<QRgb>(256, kBlack), 3);
        dib[12 + 3 * 7 + 2] = char(0xFF);  // entry 7 red
        dib[12 + 3 * 9 + 1] = char(0xFF);  // entry 9 green
        dib += QByteArray("\x07\x09\0\0\x09\x07\0\0", 8);
        const QImage img = DibReader::Read(dib);
        EXPECT_EQ(At(img, 0, 1), kRed);
        EXPECT_EQ(At(img, 1, 1), kGreen);
        EXPECT_EQ(At(img, 0, 0), kGreen);
    }
    // An index beyond the colours used reads as black instead of running off
    // the table.
    {
        QByteArray dib = InfoHeader(40, 1, 1, 8, 0, 2) + Palette({kRed, kBlue});
        dib += QByteArray("\xC8\0\0\0", 4);
        EXPECT_EQ(At(DibReader::Read(dib), 0, 0), kBlack);
    }
}

TEST(DibReader, TrueColourDepthsAndBitFields)
{
    // 24 bits: BGR triples, 2 x 1 padded to 8 bytes.
    {
        QByteArray dib = InfoHeader(40, 2, 1, 24, 0, 0);
        dib += QByteArray("\x00\x00\xFF\xFF\x00\x00\0\0", 8);
        const QImage img = DibReader::Read(dib);
        EXPECT_EQ(At(img, 0, 0), kRed);
        EXPECT_EQ(At(img, 1, 0), kBlue);
    }
    // 16 bits without masks is 5-5-5.
    {
        QByteArray dib = InfoHeader(40, 2, 1, 16, 0, 0);
        Put16(dib, 0x7C00);
        Put16(dib, 0x001F);
        const QImage img = DibReader::Read(dib);
        EXPECT_EQ(At(img, 0, 0), kRed);
        EXPECT_EQ(At(img, 1, 0), kBlue);
    }
    // 16 bits 5-6-5 with the masks after a 40-byte header.
    {
        QByteArray dib = InfoHeader(40, 2, 1, 16, 3, 0);
        Put32(dib, 0xF800);
        Put32(dib, 0x07E0);
        Put32(dib, 0x001F);
        Put16(dib, 0x07E0);
        Put16(dib, 0x8410);  // half of each channel
        const QImage img = DibReader::Read(dib);
        EXPECT_EQ(At(img, 0, 0), kGreen);
        EXPECT_NEAR(qRed(At(img, 1, 0)), 132, 2);
        EXPECT_NEAR(qGreen(At(img, 1, 0)), 130, 2);
    }
    // 32 bits with masks inside a 124-byte header, alpha included.
    {
        QByteArray dib = InfoHeader(124, 1, 1, 32, 3, 0,
                                    {0x0000FF00, 0x00FF0000, 0xFF000000, 0x000000FF});
        Put32(dib, 0x11FF2280);  // B=0x11 G=0xFF R=0x22 A=0x80 by these masks
        const QImage img = DibReader::Read(dib);
        EXPECT_TRUE(img.hasAlphaChannel());
        const QRgb p = At(img, 0, 0);
        EXPECT_EQ(qRed(p), 0x22);
        EXPECT_EQ(qGreen(p), 0xFF);
        EXPECT_EQ(qBlue(p), 0x11);
        EXPECT_EQ(qAlpha(p), 0x80);
    }
    // 32 bits plain: the fourth byte is ignored.
    {
        QByteArray dib = InfoHeader(108, 1, 1, 32, 0, 0);
        Put32(dib, 0x00FF0000);
        const QImage img = DibReader::Read(dib);
        EXPECT_FALSE(img.hasAlphaChannel());
        EXPECT_EQ(At(img, 0, 0), kRed);
    }
}

TEST(DibReader, RunLengthEncodings)
{
    // RLE8: run of 3 x index 1, end of line, absolute run of 3 (padded), end.
    {
        QByteArray dib = InfoHeader(40, 4, 2, 8, 1, 3) + Palette({kWhite, kRed, kBlue});
        dib += QByteArray("\x03\x01\x00\x00" "\x00\x03\x02\x01\x02\x00" "\x00\x01", 12);
        const QImage img = DibReader::Read(dib);
        // bottom row (stored first): R R R, then untouched = colour 0
        EXPECT_EQ(At(img, 0, 1), kRed);
        EXPECT_EQ(At(img, 2, 1), kRed);
        EXPECT_EQ(At(img, 3, 1), kWhite);
        EXPECT_EQ(At(img, 0, 0), kBlue);
        EXPECT_EQ(At(img, 1, 0), kRed);
        EXPECT_EQ(At(img, 2, 0), kBlue);
    }
    // RLE8 delta moves the pen right and up.
    {
        QByteArray dib = InfoHeader(40, 4, 3, 8, 1, 2) + Palette({kWhite, kRed});
        dib += QByteArray("\x00\x02\x02\x01" "\x01\x01" "\x00\x01", 8);
        const QImage img = DibReader::Read(dib);
        EXPECT_EQ(At(img, 2, 1), kRed);
        EXPECT_EQ(At(img, 1, 1), kWhite);
    }
    // RLE4: alternating nibbles in a run, an absolute run of 3 nibbles.
    {
        QByteArray dib = InfoHeader(40, 4, 2, 4, 2, 3) + Palette({kWhite, kRed, kBlue});
        dib += QByteArray("\x04\x12\x00\x00" "\x00\x03\x21\x20\x00\x01", 10);
        const QImage img = DibReader::Read(dib);
        EXPECT_EQ(At(img, 0, 1), kRed);
        EXPECT_EQ(At(img, 1, 1), kBlue);
        EXPECT_EQ(At(img, 2, 1), kRed);
        EXPECT_EQ(At(img, 3, 1), kBlue);
        EXPECT_EQ(At(img, 0, 0), kBlue);
        EXPECT_EQ(At(img, 1, 0), kRed);
        EXPECT_EQ(At(img, 2, 0), kBlue);
    }
}

// Unchanged bitmaps keep their bytes; new ones are written at 24 bits and
// read back exactly, whatever the row padding.
TEST(BmpFile, WriteReadRoundTripAndKeptBytes)
{
    std::mt19937 rng(7);
    for (const QSize size : {QSize(1, 1), QSize(3, 5), QSize(17, 4), QSize(64, 33)}) {
        QImage img(size, QImage::Format_RGB32);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                img.setPixel(x, y, 0xFF000000 | (rng() & 0xFFFFFF));
        const BmpFile bmp = BmpFile::FromImage(img);
        const QByteArray& bytes = bmp.Bytes();
        ASSERT_GE(bytes.size(), 54);
        EXPECT_TRUE(bytes.startsWith("BM"));
        EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 2), quint32(bytes.size()));
        EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 10), 54u);
        EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 28), 24);
        const BmpFile back = BmpFile::FromBytes(bytes);
        EXPECT_EQ(back.BitCount(), 24);
        EXPECT_EQ(back.Image(), img) << size.width() << "x" << size.height();
    }

    // An 8-bit file read and written again is the same bytes.
    QByteArray dib = InfoHeader(40, 2, 2, 8, 0, 2) + Palette({kRed, kBlue});
    dib += QByteArray("\x00\x01\0\0\x01\x00\0\0", 8);
    const QByteArray file = FileOf(dib, 40 + 8);
    const BmpFile kept = BmpFile::FromBytes(file);
    EXPECT_EQ(kept.BitCount(), 8);
    EXPECT_EQ(kept.Bytes(), file);
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    ASSERT_TRUE(kept.Save(buf));
    EXPECT_EQ(buf.data(), file);

    // A DIB given without its file header gains one pointing at its bits.
    const BmpFile fromDib = BmpFile::FromDib(dib);
    EXPECT_EQ(fromDib.Bytes(), file);

    // Transparent pixels are written over white.
    QImage alpha(1, 1, QImage::Format_ARGB32);
    alpha.fill(0);
    EXPECT_EQ(At(BmpFile::FromImage(alpha).Image(), 0, 0), kWhite);
}

// Damaged files fail with the read error and never crash or allocate wildly.
TEST(BmpFile, TruncatedAndCorruptInputFails)
{
    QImage img(13, 7, QImage::Format_RGB32);
    img.fill(0xFF336699);
    const QByteArray good = BmpFile::FromImage(img).Bytes();
    for (int n = 0; n < good.size(); ++n)
        EXPECT_THROW(BmpFile::FromBytes(good.left(n)), ReadError) << n;

    QByteArray rle = InfoHeader(40, 4, 2, 8, 1, 2) + Palette({kWhite, kRed});
    rle += QByteArray("\x03\x01\x00\x00\x00\x03\x01\x01\x01\x00\x00\x01", 12);
    const QByteArray rleFile = FileOf(rle, 48);
    ASSERT_NO_THROW(BmpFile::FromBytes(rleFile));
    // Cut inside the pixel runs: not enough lines arrived.
    for (int n = 0; n < 14 + 48 + 4; ++n)
        EXPECT_THROW(BmpFile::FromBytes(rleFile.left(n)), ReadError) << n;

    auto expectFails = [](QByteArray dib) {
        SCOPED_TRACE(dib.left(16).toHex().toStdString());
        EXPECT_THROW(DibReader::Read(dib), ReadError);
    };
    expectFails(InfoHeader(40, 0, 1, 24, 0, 0) + QByteArray(4, '\0'));       // no width
    expectFails(InfoHeader(40, 1, 1, 7, 0, 0) + QByteArray(4, '\0'));        // odd depth
    expectFails(InfoHeader(40, 1, 1, 24, 9, 0) + QByteArray(4, '\0'));       // compression
    expectFails(InfoHeader(40, 1, 1, 24, 1, 0) + QByteArray(4, '\0'));       // RLE8 on 24 bits
    expectFails(InfoHeader(40, 1, -1, 8, 1, 0) + QByteArray(1024 + 4, '\0')); // top-down RLE
    expectFails(InfoHeader(20, 1, 1, 24, 0, 0));                             // odd header
    // A huge picture claimed by a few bytes is refused before allocating.
    expectFails(InfoHeader(40, 30000, 30000, 24, 0, 0) + QByteArray(64, '\0'));
    expectFails(InfoHeader(40, 30000, 30000, 8, 1, 0) + QByteArray(1024 + 8, '\0'));
    EXPECT_THROW(BmpFile::FromBytes(QByteArray("BA") + good.mid(2)), ReadError);

    // Random damage anywhere: either a picture or the read error.
    std::mt19937 rng(11);
    for (int i = 0; i < 2000; ++i) {
        QByteArray bad = (i & 1) ? good : rleFile;
        const int flips = 1 + int(rng() % 4);
        for (int f = 0; f < flips; ++f)
            bad[int(rng() % bad.size())] = char(rng());
        try {
            const BmpFile b = BmpFile::FromBytes(bad);
            EXPECT_FALSE(b.Image().isNull());
        } catch (const ReadError& e) {
            EXPECT_EQ(e.message(), "Error loading file!");
        }
    }
}
