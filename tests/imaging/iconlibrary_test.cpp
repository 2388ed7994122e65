#include <random>
#include <set>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>

#include "common/testutil.h"
#include "iconwriter.h"
#include "imaging/iconlibrary.h"

using namespace dayloom;
using iconwriter::EncodeImage;
using iconwriter::IconGroup;

namespace {

// A square of one colour inside a transparent frame `frame` pixels wide.
QImage Square(int size, QRgb colour, int frame = 4)
{
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    for (int y = frame; y < size - frame; ++y)
        for (int x = frame; x < size - frame; ++x)
            img.setPixel(x, y, colour);
    return img;
}

IconGroup Group(const QByteArray& name, const QList<iconwriter::IconImage>& images)
{
    return IconGroup{name, images};
}

void Put16(QByteArray& b, qsizetype at, int v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char((v >> 8) & 0xFF);
}
void Put32(QByteArray& b, qsizetype at, quint32 v)
{
    Put16(b, at, int(v & 0xFFFF));
    Put16(b, at + 2, int(v >> 16));
}
quint16 Get16(const QByteArray& b, qsizetype at)
{
    return quint16(uchar(b[at]) | (uchar(b[at + 1]) << 8));
}
quint32 Get32(const QByteArray& b, qsizetype at)
{
    return Get16(b, at) | (quint32(Get16(b, at + 2)) << 16);
}

// Where things are in a PE file, found by walking its headers the plain way.
struct PeLayout {
    qsizetype ResourceBase = 0;   // file offset of the resource directory
    qsizetype GroupDir = 0;       // the RT_GROUP_ICON name directory
};
PeLayout LayoutOf(const QByteArray& pe)
{
    PeLayout l;
    const qsizetype h = Get32(pe, 0x3C);
    const int sections = Get16(pe, h + 6);
    const qsizetype opt = h + 24;
    const qsizetype dirs = opt + (Get16(pe, opt) == 0x20B ? 112 : 96);
    const quint32 rva = Get32(pe, dirs + 16);
    for (int i = 0; i < sections; ++i) {
        const qsizetype s = opt + Get16(pe, h + 20) + 40 * i;
        const quint32 va = Get32(pe, s + 12);
        if (rva >= va && rva < va + Get32(pe, s + 16))
            l.ResourceBase = Get32(pe, s + 20) + (rva - va);
    }
    const int types = Get16(pe, l.ResourceBase + 12) + Get16(pe, l.ResourceBase + 14);
    for (int i = 0; i < types; ++i) {
        const qsizetype e = l.ResourceBase + 16 + 8 * i;
        if (Get32(pe, e) == 14)
            l.GroupDir = l.ResourceBase + (Get32(pe, e + 4) & 0x7FFFFFFF);
    }
    return l;
}

QByteArray PeFixture(const char* name)
{
    return test::ReadFile(test::DataPath(QStringLiteral("imaging/pe/") + QLatin1String(name)));
}

QStringList NamesOf(const IconLibrary& lib)
{
    QStringList names;
    for (int i = 0; i < lib.Count(); ++i)
        names << lib.GroupName(i);
    return names;
}

// A damaged copy reads without failing; what it yields is 32 x 32.
void ExpectReadable(const IconLibrary& damaged)
{
    for (int i = 0; i < damaged.Count(); ++i) {
        const QImage icon = damaged.Icon(i);
        if (!icon.isNull()) {
            EXPECT_EQ(icon.size(), QSize(32, 32));
        }
    }
}

}  // namespace

TEST(IconLibrary, PeLibrariesListNamedGroupsByNameThenNumberedAscending)
{
    for (const char* file : {"icons32.dll", "icons64.dll"}) {
        SCOPED_TRACE(file);
        const IconLibrary lib = IconLibrary::FromBytes(PeFixture(file));
        EXPECT_EQ(lib.Format(), IconLibrary::PeFile);
        ASSERT_EQ(NamesOf(lib), (QStringList{QStringLiteral("APPLE"), QStringLiteral("ZEBRA"),
                                             QStringLiteral("#2"), QStringLiteral("#7"),
                                             QStringLiteral("#300")}));
        // One colour each inside a transparent frame; every icon 32 x 32.
        const QRgb inside[] = {qRgb(0, 160, 0), qRgb(255, 0, 0), qRgb(0, 255, 255),
                               qRgb(255, 0, 255), qRgb(255, 255, 0)};
        for (int i = 0; i < lib.Count(); ++i) {
            SCOPED_TRACE(i);
            const QImage icon = lib.Icon(i);
            ASSERT_EQ(icon.size(), QSize(32, 32));
            EXPECT_EQ(icon.format(), QImage::Format_ARGB32);
            EXPECT_EQ(icon.pixel(16, 16), inside[i]);
            EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
            EXPECT_EQ(qAlpha(icon.pixel(31, 20)), 0);
        }
        // #7 holds a 16 x 16 image and two 32 x 32 ones (16 colours and 32
        // bits): the 32-bit one is shown.
        EXPECT_EQ(lib.Group(3).ImageCount(), 3);
    }
}

TEST(IconLibrary, NeLibrariesKeepTheirOrderAndPickTheBestImage)
{
    QImage soft = Square(32, qRgba(0, 0, 255, 255));
    soft.setPixel(10, 10, qRgba(0, 0, 255, 128));  // half transparent: only 32 bits keep it
    const QList<IconGroup> groups = {
        Group("ZED", {EncodeImage(Square(32, qRgb(255, 0, 0)), 4)}),
        Group({}, {EncodeImage(Square(16, qRgb(0, 255, 0), 2), 4),
                   EncodeImage(soft, 4), EncodeImage(soft, 32),
                   EncodeImage(Square(48, qRgb(255, 255, 0)), 8)}),
        Group("ALPHA", {EncodeImage(Square(48, qRgb(0, 255, 0), 6), 8)}),
        Group({}, {EncodeImage(Square(16, qRgb(255, 0, 255), 2), 1)}),
    };
    const QByteArray ne = iconwriter::WriteNeLibrary(groups, "TEST", "test library");
    const IconLibrary lib = IconLibrary::FromBytes(ne);
    EXPECT_EQ(lib.Format(), IconLibrary::NeFile);
    // The file's order, names or not.
    EXPECT_EQ(NamesOf(lib), (QStringList{QStringLiteral("ZED"), QStringLiteral("#1"),
                                         QStringLiteral("ALPHA"), QStringLiteral("#2")}));

    const QImage red = lib.Icon(0);
    EXPECT_EQ(red.pixel(16, 16), qRgb(255, 0, 0));
    EXPECT_EQ(red.pixel(2, 2), 0u);  // masked: transparent, no colour
    const QImage blue = lib.Icon(1);
    EXPECT_EQ(blue.pixel(16, 16), qRgb(0, 0, 255));
    EXPECT_EQ(qAlpha(blue.pixel(10, 10)), 128);
    // 48 x 48 shrinks to 32 x 32: the 6-pixel frame becomes 4.
    const QImage green = lib.Icon(2);
    ASSERT_EQ(green.size(), QSize(32, 32));
    EXPECT_EQ(green.pixel(16, 16), qRgb(0, 255, 0));
    EXPECT_EQ(qAlpha(green.pixel(2, 16)), 0);
    // A two-colour 16 x 16 icon grows: its colours are black and white only.
    const QImage mono = lib.Icon(3);
    ASSERT_EQ(mono.size(), QSize(32, 32));
    EXPECT_EQ(mono.pixel(16, 16), qRgb(255, 255, 255));
    EXPECT_EQ(qAlpha(mono.pixel(1, 1)), 0);

    // Icon numbers outside the library give nothing.
    EXPECT_TRUE(lib.Icon(-1).isNull());
    EXPECT_TRUE(lib.Icon(4).isNull());
}

TEST(IconLibrary, IconFilesAreOneIconAndOtherFilesNone)
{
    const QByteArray ico = iconwriter::WriteIcoFile(
        {EncodeImage(Square(16, qRgb(255, 0, 0), 2), 4), EncodeImage(Square(32, qRgb(0, 0, 255)), 32)});
    const IconLibrary lib = IconLibrary::FromBytes(ico);
    EXPECT_EQ(lib.Format(), IconLibrary::IcoFile);
    ASSERT_EQ(lib.Count(), 1);
    EXPECT_EQ(lib.Icon(0).pixel(16, 16), qRgb(0, 0, 255));

    // Neither a picture nor an empty or missing file holds icons.
    QImage bmp(8, 8, QImage::Format_RGB32);
    QByteArray bmpBytes;
    {
        QBuffer buf(&bmpBytes);
        buf.open(QIODevice::WriteOnly);
        bmp.save(&buf, "BMP");
    }
    EXPECT_EQ(IconLibrary::FromBytes(bmpBytes).Count(), 0);
    EXPECT_EQ(IconLibrary::FromBytes(QByteArray()).Count(), 0);
    EXPECT_EQ(IconLibrary::FromBytes(QByteArray("MZ")).Count(), 0);
    EXPECT_EQ(IconLibrary::FromFile(QStringLiteral("/no/such/library.icl")).Count(), 0);
    EXPECT_EQ(IconLibrary::FromFile(QDir::tempPath()).Count(), 0);  // a folder
    // A module whose resource table is empty (it starts where the resident
    // names do).
    QByteArray bare = iconwriter::WriteNeLibrary(
        {Group("A", {EncodeImage(Square(32, qRgb(1, 2, 3)), 4)})}, "BARE", "bare");
    Put16(bare, 0x80 + 0x24, Get16(bare, 0x80 + 0x26));
    EXPECT_EQ(IconLibrary::FromBytes(bare).Count(), 0);
    // A library of icons that cannot be read still counts them.
    QList<IconGroup> broken = {Group("A", {EncodeImage(Square(32, qRgb(1, 2, 3)), 4)})};
    broken[0].Images[0].Data.truncate(20);
    const IconLibrary damaged =
        IconLibrary::FromBytes(iconwriter::WriteNeLibrary(broken, "X", "x"));
    EXPECT_EQ(damaged.Count(), 1);
    EXPECT_TRUE(damaged.Icon(0).isNull());
}

TEST(IconLibrary, ShippedLibrariesHoldTwentyDistinctIconsEach)
{
    QStringList files;
    for (const char* name : {"activity.icl", "events.icl", "holiday.icl", "misc1.icl", "misc2.icl"})
        files << test::SourcePath(QStringLiteral("data/") + QLatin1String(name));
    const QDir bonus(test::SourcePath(QStringLiteral("data/BonusIcons")));
    const QStringList bonusFiles = bonus.entryList({QStringLiteral("*.icl")}, QDir::Files);
    ASSERT_GE(bonusFiles.size(), 1);
    for (const QString& f : bonusFiles)
        files << bonus.filePath(f);

    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        const IconLibrary lib = IconLibrary::FromFile(file);
        EXPECT_EQ(lib.Format(), IconLibrary::NeFile);
        ASSERT_GE(lib.Count(), 20);
        std::set<QByteArray> seen;
        for (int i = 0; i < lib.Count(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_FALSE(lib.GroupName(i).isEmpty());
            const QImage icon = lib.Icon(i);
            ASSERT_EQ(icon.size(), QSize(32, 32));
            // Drawn on a transparent ground, with soft edges.
            int clear = 0, solid = 0, soft = 0;
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x) {
                    const int a = qAlpha(icon.pixel(x, y));
                    if (a == 0)
                        ++clear;
                    else if (a == 255)
                        ++solid;
                    else
                        ++soft;
                }
            EXPECT_GT(clear, 20);
            EXPECT_GT(solid, 0);
            EXPECT_GT(solid + soft, 60);
            EXPECT_GT(soft, 0);
            seen.insert(QByteArray(reinterpret_cast<const char*>(icon.constBits()),
                                   icon.sizeInBytes()));
            // Each group also holds a 16-colour image for old readers.
            EXPECT_EQ(lib.Group(i).ImageCount(), 2);
        }
        EXPECT_EQ(int(seen.size()), lib.Count());
    }
}

TEST(IconLibrary, TruncatedAndCorruptedFilesGiveOnlyWholeIcons)
{
    const QList<IconGroup> groups = {
        Group("ONE", {EncodeImage(Square(32, qRgb(255, 0, 0)), 4), EncodeImage(Square(32, qRgb(0, 0, 255)), 32)}),
        Group({}, {EncodeImage(Square(16, qRgb(0, 255, 0), 2), 8)}),
        Group("THREE", {EncodeImage(Square(32, qRgb(255, 255, 0)), 4)}),
    };
    const QByteArray ne = iconwriter::WriteNeLibrary(groups, "CUT", "cut");
    const QByteArray pe = PeFixture("icons32.dll");
    for (const QByteArray* file : {&ne, &pe}) {
        const IconLibrary whole = IconLibrary::FromBytes(*file);
        std::vector<QImage> icons;
        for (int i = 0; i < whole.Count(); ++i)
            icons.push_back(whole.Icon(i));
        // Cut anywhere: a prefix yields the icons whose bytes are all there,
        // each exactly as the whole file has it.
        for (qsizetype n = 0; n < file->size(); n += file == &ne ? 5 : 37) {
            const IconLibrary cut = IconLibrary::FromBytes(file->left(n));
            ASSERT_LE(cut.Count(), whole.Count());
            for (int i = 0; i < cut.Count(); ++i) {
                const QImage icon = cut.Icon(i);
                if (!icon.isNull() && cut.GroupName(i) == whole.GroupName(i)) {
                    EXPECT_EQ(icon, icons[size_t(i)]) << n;
                }
            }
        }
        std::mt19937 rng(17);
        for (int round = 0; round < 400; ++round) {
            QByteArray bad = *file;
            for (int f = 0; f < 4; ++f)
                bad[qsizetype(rng() % quint32(bad.size()))] = char(rng());
            ExpectReadable(IconLibrary::FromBytes(bad));
        }
    }
}

TEST(IconLibrary, LyingResourceTablesNeitherHangNorAllocate)
{
    const QList<IconGroup> groups = {
        Group("ONE", {EncodeImage(Square(32, qRgb(255, 0, 0)), 4)}),
        Group("TWO", {EncodeImage(Square(32, qRgb(0, 255, 0)), 4)}),
    };
    const QByteArray ne = iconwriter::WriteNeLibrary(groups, "LIE", "lies");
    const qsizetype table = 0x80 + Get16(ne, 0x80 + 0x24);
    QElapsedTimer clock;
    clock.start();

    // NE: a type claiming 65535 resources, a shift no file reaches, a group
    // name past the end, an icon running past the end.
    {
        QByteArray lie = ne;
        Put16(lie, table + 4, 0xFFFF);  // the RT_ICON type record's count
        const IconLibrary lib = IconLibrary::FromBytes(lie);
        EXPECT_LE(lib.Count(), 2);
    }
    {
        QByteArray lie = ne;
        Put16(lie, table, 40);
        EXPECT_EQ(IconLibrary::FromBytes(lie).Count(), 0);
    }
    {
        // The RT_ICON record (2 images) comes first, then the group record.
        const qsizetype group0 = table + 2 + 8 + 2 * 12 + 8;
        QByteArray lie = ne;
        Put16(lie, group0 + 6, 0x7FF0);  // the name's offset in the table
        const IconLibrary lib = IconLibrary::FromBytes(lie);
        ASSERT_EQ(lib.Count(), 2);
        EXPECT_TRUE(lib.GroupName(0).isEmpty());
        EXPECT_EQ(lib.Icon(0).pixel(16, 16), qRgb(255, 0, 0));
        // A group claiming 2 GB for its image: the claim is not believed.
        QByteArray claim = ne;
        const qsizetype dir = claim.indexOf(QByteArray("\0\0\1\0\1\0\x20\x20", 8));
        ASSERT_GT(dir, 0);
        Put32(claim, dir + 6 + 8, 0x80000000u);
        EXPECT_EQ(IconLibrary::FromBytes(claim).Icon(0).pixel(16, 16), qRgb(255, 0, 0));
        QByteArray longIcon = ne;
        Put16(longIcon, table + 2 + 8 + 2, 0x7FFF);  // icon 1's length in units
        EXPECT_EQ(IconLibrary::FromBytes(longIcon).Icon(0).pixel(16, 16), qRgb(255, 0, 0));
    }

    // PE: a data entry claiming 2 GB, a directory claiming 65535 entries,
    // a language directory that leads back to the root, entries out of order.
    const QByteArray pe = PeFixture("icons64.dll");
    const PeLayout layout = LayoutOf(pe);
    ASSERT_GT(layout.GroupDir, 0);
    auto languageDirOf = [&](const QByteArray& b, int entry) {
        return layout.ResourceBase + (Get32(b, layout.GroupDir + 16 + 8 * entry + 4) & 0x7FFFFFFF);
    };
    auto dataEntryOf = [&](const QByteArray& b, int entry) {
        return layout.ResourceBase + Get32(b, languageDirOf(b, entry) + 16 + 4);
    };
    {
        QByteArray lie = pe;
        Put32(lie, dataEntryOf(lie, 0) + 4, 0x80000000u);  // APPLE's group: 2 GB
        const IconLibrary lib = IconLibrary::FromBytes(lie);
        EXPECT_EQ(lib.Count(), 4);  // APPLE is gone, the rest stay
        EXPECT_EQ(lib.GroupName(0), QStringLiteral("ZEBRA"));
        EXPECT_EQ(lib.Icon(0).pixel(16, 16), qRgb(255, 0, 0));
    }
    {
        QByteArray lie = pe;
        Put16(lie, layout.GroupDir + 14, 0xFFFF);  // numbered entries
        const IconLibrary lib = IconLibrary::FromBytes(lie);
        const int apple = int(NamesOf(lib).indexOf(QStringLiteral("APPLE")));
        ASSERT_GE(apple, 0);
        EXPECT_EQ(lib.Icon(apple).pixel(16, 16), qRgb(0, 160, 0));
    }
    {
        QByteArray lie = pe;
        // APPLE's language entry now names the root as a subdirectory.
        Put32(lie, languageDirOf(lie, 0) + 16 + 4, 0x80000000u);
        const IconLibrary lib = IconLibrary::FromBytes(lie);
        EXPECT_EQ(lib.Count(), 4);
    }
    {
        QByteArray lie = pe;
        // APPLE and ZEBRA swapped, 7 before 2.
        const QByteArray apple = lie.mid(layout.GroupDir + 16, 8);
        lie.replace(layout.GroupDir + 16, 8, lie.mid(layout.GroupDir + 24, 8));
        lie.replace(layout.GroupDir + 24, 8, apple);
        const QByteArray two = lie.mid(layout.GroupDir + 32, 8);
        lie.replace(layout.GroupDir + 32, 8, lie.mid(layout.GroupDir + 40, 8));
        lie.replace(layout.GroupDir + 40, 8, two);
        EXPECT_EQ(NamesOf(IconLibrary::FromBytes(lie)),
                  (QStringList{QStringLiteral("APPLE"), QStringLiteral("ZEBRA"), QStringLiteral("#2"),
                               QStringLiteral("#7"), QStringLiteral("#300")}));
    }
    {
        // An icon image whose header claims 2 billion pixels across.
        QList<IconGroup> huge = {Group("BIG", {EncodeImage(Square(32, qRgb(9, 9, 9)), 4)})};
        Put32(huge[0].Images[0].Data, 4, 0x7FFFFFFF);
        Put32(huge[0].Images[0].Data, 8, 0x7FFFFFFE);
        const IconLibrary lib = IconLibrary::FromBytes(iconwriter::WriteNeLibrary(huge, "B", "b"));
        ASSERT_EQ(lib.Count(), 1);
        EXPECT_TRUE(lib.Icon(0).isNull());
    }
    EXPECT_LT(clock.elapsed(), 3000);
}
