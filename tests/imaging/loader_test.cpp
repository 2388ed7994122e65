#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "core/fileaccess.h"
#include "core/readerror.h"
#include "imaging/bmpfile.h"
#include "imaging/iconlibrary.h"
#include "imaging/imageloader.h"
#include "imaging/jpegcodec.h"
#include "common/testutil.h"

using namespace dayloom;

namespace {

void Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QImage Sample()
{
    QImage img(24, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x)
            img.setPixel(x, y, qRgb(x * 10, y * 15, 200 - x * 5));
    return img;
}

}  // namespace

// The browser recognises extensions in any letter case; JPEG and icons
// arrive as bitmaps; other files load nothing.
TEST(ImageLoader, PicksByExtensionIgnoringCase)
{
    QTemporaryDir dir;
    const QByteArray jpeg = JpegCodec::Encode(Sample(), 95);
    Write(dir.filePath("a.jpeg"), jpeg);
    Write(dir.filePath("b.JiF"), jpeg);
    Write(dir.filePath("c.Bmp"), BmpFile::Encode24(Sample()));
    Write(dir.filePath("d.tif"), jpeg);
    Write(dir.filePath("e.png"), jpeg);

    for (const char* name : {"a.jpeg", "b.JiF", "c.Bmp"}) {
        const LoadedPicture p = ImageLoader::Load(dir.filePath(name));
        EXPECT_EQ(p.Type, LoadedPicture::Bitmap) << name;
        EXPECT_EQ(p.BitmapValue.Image().size(), QSize(24, 16)) << name;
        EXPECT_TRUE(p.BitmapValue.Bytes().startsWith("BM")) << name;
    }
    EXPECT_EQ(ImageLoader::Load(dir.filePath("d.tif")).Type, LoadedPicture::None);
    // A PNG name is read as PNG whatever the file holds.
    EXPECT_THROW(ImageLoader::Load(dir.filePath("e.png")), ReadError);
    EXPECT_EQ(ImageLoader::KindOf("x.Svg"), ImageLoader::Kind::Svg);
    EXPECT_EQ(ImageLoader::KindOf("x.GIF"), ImageLoader::Kind::Gif);
    EXPECT_EQ(ImageLoader::KindOf("X.WMF"), ImageLoader::Kind::Wmf);
    EXPECT_EQ(ImageLoader::KindOf("x.ico"), ImageLoader::Kind::Ico);

    // A file that does not hold what its name says fails with the message
    // the browser shows; so does a missing file.
    Write(dir.filePath("bad.bmp"), jpeg);
    try {
        ImageLoader::Load(dir.filePath("bad.bmp"));
        ADD_FAILURE() << "loaded";
    } catch (const ReadError& e) {
        EXPECT_EQ(e.message(), "Error loading file!");
    }
    EXPECT_THROW(ImageLoader::Load(dir.filePath("missing.wmf")), ReadError);

    // Pictures are regular files: a pipe, a folder or a device by a picture's
    // name is refused at once with the same message, as is a giant.
    const QString zero = dir.filePath("zero.jpg");
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zero));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.wmf"));
    const QStringList refused{
        test::MakeFifo(dir.filePath("pipe.bmp")), zero, dir.filePath("folder.wmf"),
        test::MakeSparseFile(dir.filePath("big.emf"), InputSizeLimit(InputKind::Picture) + 1)};
    for (const QString& path : refused) {
        try {
            ImageLoader::Load(path);
            ADD_FAILURE() << "loaded " << path.toStdString();
        } catch (const ReadError& e) {
            EXPECT_EQ(e.message(), "Error loading file!");
        }
    }
    EXPECT_THROW(TMetafile::FromFile(refused[0], InputKind::BorderPicture), ReadError);
    EXPECT_THROW(ImageLoader::LoadTexture(refused[0]), ReadError);
    EXPECT_THROW(ImageLoader::Thumbnail(refused[1], QSize(32, 32)), ReadError);
    EXPECT_EQ(IconLibrary::FromFile(test::MakeFifo(dir.filePath("pipe.icl"))).Count(), 0);
    EXPECT_EQ(IconLibrary::FromFile(zero).Count(), 0);
}

// Bitmaps of every depth and compression written by ImageMagick decode to
// the same pixels as Qt's own bitmap reader gives.
TEST(ImageLoader, AgreesWithAnotherBmpReader)
{
    const QString convert = QStandardPaths::findExecutable("convert");
    if (convert.isEmpty())
        GTEST_SKIP() << "ImageMagick not installed";
    QTemporaryDir dir;
    const QString src = dir.filePath("src.png");
    Sample().save(src);
    const std::vector<QStringList> variants = {
        {"-type", "bilevel", "BMP3:%1"},
        {"-colors", "16", "-type", "palette", "BMP3:%1"},
        {"-colors", "16", "-type", "palette", "-compress", "RLE", "BMP3:%1"},
        {"-colors", "200", "-type", "palette", "BMP3:%1"},
        {"-colors", "200", "-type", "palette", "-compress", "RLE", "BMP3:%1"},
        {"-define", "bmp:subtype=RGB565", "BMP:%1"},
        {"-define", "bmp:subtype=RGB555", "BMP:%1"},
        {"BMP3:%1"},
        {"-type", "TrueColorAlpha", "BMP:%1"},
        {"BMP2:%1"},
    };
    int n = 0;
    for (QStringList args : variants) {
        const QString out = dir.filePath(QString("v%1.bmp").arg(n++));
        args.last() = args.last().arg(out);
        args.prepend(src);
        QProcess p;
        p.start(convert, args);
        ASSERT_TRUE(p.waitForFinished(30000));
        if (p.exitCode() != 0)
            continue;
        const QByteArray bytes = test::ReadFile(out);
        SCOPED_TRACE(args.join(' ').toStdString());
        QImage theirs;
        ASSERT_TRUE(theirs.loadFromData(bytes, "BMP"));
        const BmpFile ours = BmpFile::FromBytes(bytes);
        const QImage a = ours.Image().convertToFormat(QImage::Format_ARGB32);
        const QImage b = theirs.convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(a.size(), b.size());
        int worst = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
                worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                  std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            }
        // Qt widens 5- and 6-bit channels by shifting alone (31 -> 248); we
        // scale them so that full intensity stays 255.
        EXPECT_LE(worst, ours.BitCount() == 16 ? 7 : 0) << "bits " << ours.BitCount();
    }
}
