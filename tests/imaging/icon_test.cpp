#include <random>

#include <gtest/gtest.h>

#include <QBuffer>

#include "core/readerror.h"
#include "imaging/iconfile.h"
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

// A BMP-encoded icon image: 4-bit XOR bitmap of one colour, AND mask making
// the left half (x < size/2) transparent.
QByteArray BmpIconImage(int size, QRgb colour)
{
    QByteArray b;
    Put32(b, 40);
    Put32(b, size);
    Put32(b, size * 2);
    Put16(b, 1);
    Put16(b, 4);
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, 16);
    Put32(b, 0);
    for (int i = 0; i < 16; ++i) {
        const QRgb c = i == 1 ? colour : 0;
        b.append(char(qBlue(c)));
        b.append(char(qGreen(c)));
        b.append(char(qRed(c)));
        b.append('\0');
    }
    const int xorStride = ((size * 4 + 31) / 32) * 4;
    for (int y = 0; y < size; ++y) {
        QByteArray row(xorStride, '\0');
        for (int x = 0; x < size; ++x)
            row[x / 2] = char(row[x / 2] | (x & 1 ? 0x01 : 0x10));
        b += row;
    }
    const int andStride = ((size + 31) / 32) * 4;
    for (int y = 0; y < size; ++y) {
        QByteArray row(andStride, '\0');
        for (int x = 0; x < size / 2; ++x)
            row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        b += row;
    }
    return b;
}

QByteArray PngImage(int size)
{
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(qRgba(0, 0, 255, 128));
    QByteArray png;
    QBuffer buf(&png);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return png;
}

QByteArray IconOf(const std::vector<std::pair<int, QByteArray>>& images)
{
    QByteArray b;
    Put16(b, 0);
    Put16(b, 1);
    Put16(b, int(images.size()));
    int offset = 6 + 16 * int(images.size());
    for (const auto& [size, data] : images) {
        b.append(char(size >= 256 ? 0 : size));
        b.append(char(size >= 256 ? 0 : size));
        b.append('\0');
        b.append('\0');
        Put16(b, 1);
        Put16(b, data.startsWith("\x89PNG") ? 32 : 4);
        Put32(b, data.size());
        Put32(b, offset);
        offset += int(data.size());
    }
    for (const auto& image : images)
        b += image.second;
    return b;
}

}  // namespace

TEST(IconFile, ChoosesStandardSizeAndAppliesMask)
{
    const QByteArray ico = IconOf({{16, BmpIconImage(16, 0xFFFF0000)},
                                   {32, BmpIconImage(32, 0xFF00FF00)},
                                   {48, PngImage(48)}});
    const IconFile icon = IconFile::FromBytes(ico);
    ASSERT_EQ(icon.ImageCount(), 3);
    EXPECT_EQ(icon.BestIndex(), 1);
    EXPECT_EQ(icon.BestIndex(48), 2);
    EXPECT_EQ(icon.BestIndex(20), 0);

    const QImage img = icon.StandardImage();
    ASSERT_EQ(img.size(), QSize(32, 32));
    EXPECT_EQ(qAlpha(img.pixel(3, 5)), 0);            // masked half
    EXPECT_EQ(img.pixel(20, 5), 0xFF00FF00u);         // drawn half

    // Drawn onto a bitmap at its own size, the transparent part shows white.
    const QImage drawn = IconFile::DrawOnBitmap(img);
    EXPECT_EQ(drawn.size(), QSize(32, 32));
    EXPECT_EQ(drawn.pixel(3, 5), 0xFFFFFFFFu);
    EXPECT_EQ(drawn.pixel(20, 5), 0xFF00FF00u);

    // PNG entries keep their alpha.
    const QImage png = icon.Image(2);
    EXPECT_EQ(png.size(), QSize(48, 48));
    EXPECT_NEAR(qAlpha(png.pixel(10, 10)), 128, 1);
}

TEST(IconFile, GroupDirectoryTakesResourcesById)
{
    QByteArray group;
    Put16(group, 0);
    Put16(group, 1);
    Put16(group, 2);
    for (const auto& [size, id] : {std::pair{16, 7}, std::pair{32, 9}}) {
        group.append(char(size));
        group.append(char(size));
        group.append('\0');
        group.append('\0');
        Put16(group, 1);
        Put16(group, 4);
        Put32(group, 0);
        Put16(group, id);
    }
    const IconFile icon = IconFile::FromGroup(group, [](quint16 id) {
        return id == 7 ? BmpIconImage(16, 0xFFFF0000)
             : id == 9 ? BmpIconImage(32, 0xFF0000FF) : QByteArray();
    });
    ASSERT_EQ(icon.ImageCount(), 2);
    EXPECT_EQ(icon.StandardImage().pixel(30, 30), 0xFF0000FFu);
    EXPECT_THROW(IconFile::FromGroup(group, [](quint16) { return QByteArray(); }), ReadError);
}

TEST(IconFile, DamagedFilesFail)
{
    const QByteArray ico = IconOf({{32, BmpIconImage(32, 0xFF00FF00)}, {16, PngImage(16)}});
    // Truncated directories and images.
    for (int n = 0; n < ico.size(); n += 3) {
        try {
            const IconFile icon = IconFile::FromBytes(ico.left(n));
            for (int i = 0; i < icon.ImageCount(); ++i)
                icon.Image(i);
            ADD_FAILURE() << "truncated icon of " << n << " bytes loaded";
        } catch (const ReadError&) {
        }
    }
    QByteArray zero = ico;
    zero[4] = 0;  // no images
    EXPECT_THROW(IconFile::FromBytes(zero), ReadError);
    QByteArray far = ico;
    far[18] = char(0xFF);  // image offset beyond the end
    far[19] = char(0x7F);
    EXPECT_THROW(IconFile::FromBytes(far), ReadError);

    std::mt19937 rng(5);
    for (int i = 0; i < 1000; ++i) {
        QByteArray bad = ico;
        for (int f = 0; f < 3; ++f)
            bad[int(rng() % bad.size())] = char(rng());
        try {
            const IconFile icon = IconFile::FromBytes(bad);
            for (int k = 0; k < icon.ImageCount(); ++k)
                IconFile::DrawOnBitmap(icon.Image(k));
        } catch (const ReadError&) {
        }
    }
}
