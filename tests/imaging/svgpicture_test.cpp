// SVG clip art: the scan that keeps QtSvg away from outside files and
// entity bombs, the enhanced metafile recorded from the drawing (played
// back by our player and compared with QtSvg's own rendering), the alpha-
// blend records it relies on, and the texture and thumbnail entry points.
#include <cmath>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QSignalSpy>
#include <QSvgGenerator>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtEndian>

#include "common/testutil.h"
#include "core/readerror.h"
#include "imaging/emfplayer.h"
#include "imaging/emfwriter.h"
#include "imaging/imageloader.h"
#include "imaging/svgimport.h"
#include "imaging/thumbnailloader.h"
#include "metafilewriter.h"

using namespace dayloom;

namespace {

QByteArray Svg(const QString& body, int w = 100, int h = 80)
{
    return QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" "
                          "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"%1\" height=\"%2\">%3</svg>")
        .arg(w)
        .arg(h)
        .arg(body)
        .toUtf8();
}

QByteArray PngBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "png").write(image);
    return bytes;
}

QImage Average4(const QImage& in)
{
    QImage out(in.width() / 4, in.height() / 4, QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            int r = 0, g = 0, b = 0;
            for (int j = 0; j < 4; ++j)
                for (int i = 0; i < 4; ++i) {
                    const QRgb c = in.pixel(4 * x + i, 4 * y + j);
                    r += qRed(c);
                    g += qGreen(c);
                    b += qBlue(c);
                }
            out.setPixel(x, y, qRgb(r / 16, g / 16, b / 16));
        }
    return out;
}

// Mean difference per channel after 4 x 4 averaging.
double MeanDifference(const QImage& a, const QImage& b)
{
    const QImage x = Average4(a), y = Average4(b);
    double sum = 0;
    for (int j = 0; j < x.height(); ++j)
        for (int i = 0; i < x.width(); ++i) {
            const QRgb c = x.pixel(i, j), d = y.pixel(i, j);
            sum += std::abs(qRed(c) - qRed(d)) + std::abs(qGreen(c) - qGreen(d))
                + std::abs(qBlue(c) - qBlue(d));
        }
    return sum / (3.0 * x.width() * x.height());
}

QImage QtSvgOnWhite(const QByteArray& svg, const QSize& size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QSvgRenderer(svg).render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
    return img;
}

QImage PlayedOnWhite(const TMetafile& m, const QSize& size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    m.Play(p, QRectF(QPointF(0, 0), QSizeF(size)));
    return img;
}

// Record types in an enhanced metafile, in order.
std::vector<quint32> Records(const QByteArray& emf)
{
    std::vector<quint32> out;
    qsizetype pos = 0;
    while (pos + 8 <= emf.size()) {
        const quint32 type = qFromLittleEndian<quint32>(emf.constData() + pos);
        const quint32 size = qFromLittleEndian<quint32>(emf.constData() + pos + 4);
        out.push_back(type);
        if (size < 8 || type == 14)
            break;
        pos += size;
    }
    return out;
}

size_t Count(const std::vector<quint32>& records, quint32 type)
{
    return size_t(std::count(records.begin(), records.end(), type));
}

void ExpectRefused(const QByteArray& svg, const char* why)
{
    EXPECT_FALSE(SvgImport::IsSafe(svg)) << why;
    EXPECT_THROW(ImageLoader::Load(svg, ImageLoader::Kind::Svg), ReadError) << why;
}

}  // namespace

TEST(SvgScan, RefusesEverythingThatReachesOutside)
{
    QTemporaryDir dir;
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    const QString outside = dir.filePath("secret.png");
    red.save(outside);
    const QString file = QUrl::fromLocalFile(outside).toString();

    ExpectRefused(Svg(QStringLiteral("<image width='10' height='10' xlink:href='%1'/>").arg(outside)),
                  "image from a path");
    ExpectRefused(Svg(QStringLiteral("<image width='10' height='10' href='%1'/>").arg(file)),
                  "image from a file URL");
    ExpectRefused(Svg("<image width='10' height='10' xlink:href='secret.png'/>"),
                  "image relative to the file");
    ExpectRefused(Svg("<image width='10' height='10' xlink:href='http://example.invalid/a.png'/>"),
                  "image from the web");
    ExpectRefused(Svg("<use xlink:href='other.svg#shape'/>"), "use of another file");
    ExpectRefused(Svg("<rect width='10' height='10' fill='url(pattern.svg#p)'/>"), "paint server elsewhere");
    ExpectRefused(Svg("<rect width='10' height='10' style='fill:url( \"x.svg#p\" )'/>"),
                  "paint server in a style");
    ExpectRefused(Svg("<style>@import url(#a);</style>"), "style sheet import");
    ExpectRefused(Svg("<style>rect { fill: url(http://example.invalid/#g) }</style>"),
                  "style sheet reference");
    ExpectRefused("<?xml-stylesheet href='s.css' type='text/css'?>" + Svg(""), "style sheet instruction");
    ExpectRefused(Svg("<rect width='10' height='10'"), "not well-formed");
    ExpectRefused("", "empty");
    ExpectRefused("<svg/><svg/>", "two roots");

    // What stays inside the file is fine.
    const QByteArray inside = Svg(
        "<defs><linearGradient id='g'><stop offset='0' stop-color='red'/></linearGradient>"
        "<rect id='r' width='10' height='10'/></defs>"
        "<rect width='10' height='10' fill='url(#g)' style='stroke:url( \"#g\" )'/>"
        "<use xlink:href='#r' x='20'/><a href=''><rect width='1' height='1'/></a>"
        "<image width='10' height='10' xlink:href='data:image/png;base64,"
        + QString::fromLatin1(PngBytes(red).toBase64()) + "'/>");
    EXPECT_TRUE(SvgImport::IsSafe(inside));
    EXPECT_NO_THROW(SvgImport::ToMetafile(inside));
}

TEST(SvgScan, RefusesEntityBombsUseBombsAndHugeEmbeddedPictures)
{
    // Billion laughs.
    QByteArray laughs = "<?xml version='1.0'?><!DOCTYPE svg [<!ENTITY lol 'lol'>";
    for (int i = 1; i <= 9; ++i)
        laughs += QStringLiteral("<!ENTITY lol%1 '%2'>")
                      .arg(i)
                      .arg(QStringLiteral("&lol%1;").arg(i == 1 ? QString() : QString::number(i - 1)).repeated(10))
                      .toUtf8();
    laughs += "]>" + Svg("<text y='10'>&lol9;</text>");
    QElapsedTimer timer;
    timer.start();
    ExpectRefused(laughs, "billion laughs");
    EXPECT_LT(timer.elapsed(), 2000);
    // Many uses of one plain entity add up too.
    QByteArray wide = "<!DOCTYPE svg [<!ENTITY w '" + QByteArray(1000, 'w') + "'>]>";
    wide += Svg("<text y='10'>" + QString("&w;").repeated(2000) + "</text>");
    ExpectRefused(wide, "entity used two thousand times");
    ExpectRefused("<!DOCTYPE svg [<!ENTITY x SYSTEM 'file:///etc/passwd'>]>" + Svg("<text>&x;</text>"),
                  "external entity");
    ExpectRefused("<!DOCTYPE svg [<!ENTITY % p SYSTEM 'x.dtd'> %p;]>" + Svg(""),
                  "parameter entity");
    // Adobe Illustrator declares its namespaces as entities: allowed.
    EXPECT_TRUE(SvgImport::IsSafe(
        "<!DOCTYPE svg [<!ENTITY ns_svg 'http://www.w3.org/2000/svg'>]>"
        "<svg xmlns='&ns_svg;' width='10' height='10'><rect width='5' height='5'/></svg>"));

    // <use> that multiplies: ten uses of ten uses of ... seven levels deep.
    QString bomb = QStringLiteral("<defs><rect id='l0' width='1' height='1'/>");
    for (int i = 1; i <= 7; ++i) {
        bomb += QStringLiteral("<g id='l%1'>").arg(i);
        for (int k = 0; k < 10; ++k)
            bomb += QStringLiteral("<use xlink:href='#l%1'/>").arg(i - 1);
        bomb += QStringLiteral("</g>");
    }
    bomb += QStringLiteral("</defs><use xlink:href='#l7'/>");
    ExpectRefused(Svg(bomb), "use bomb");
    ExpectRefused(Svg("<g id='a'><use xlink:href='#b'/></g><g id='b'><use xlink:href='#a'/></g>"),
                  "use cycle");
    ExpectRefused(Svg(QString("<g>").repeated(300) + QString("</g>").repeated(300)), "deep nesting");

    // An embedded PNG that claims 100000 x 100000 pixels.
    QImage tiny(2, 2, QImage::Format_RGB32);
    tiny.fill(Qt::blue);
    QByteArray png = PngBytes(tiny);
    qToBigEndian<quint32>(100000, png.data() + 16);
    qToBigEndian<quint32>(100000, png.data() + 20);
    ExpectRefused(Svg("<image width='10' height='10' xlink:href='data:image/png;base64,"
                      + QString::fromLatin1(png.toBase64()) + "'/>"),
                  "huge embedded picture");
}

// Drawings written by Inkscape (1.2 and 0.4x), Sodipodi, Adobe Illustrator
// and cairo, and by QtSvg's own generator: the metafile recorded from each,
// played back, looks like QtSvg's rendering of the SVG.
TEST(SvgMetafile, PlaybackMatchesQtSvg)
{
    struct Case {
        QString name;
        QByteArray svg;
    };
    std::vector<Case> cases;
    for (const char* name : {"winter.svg", "winter.inkscape.svg", "winter.inkscape-plain.svg",
                             "winter.cairo.svg", "openclipart-heart-inkscape04.svg",
                             "openclipart-gift-sodipodi.svg", "openclipart-floppy-illustrator.svg"}) {
        cases.push_back({QString::fromLatin1(name),
                         test::ReadFile(test::DataPath(QStringLiteral("imaging/svg/") + name))});
        ASSERT_FALSE(cases.back().svg.isEmpty()) << name;
    }
    {
        // QSvgGenerator: a gradient, translucent shapes, a dashed curve, text.
        QByteArray generated;
        QBuffer buffer(&generated);
        QSvgGenerator gen;
        gen.setOutputDevice(&buffer);
        gen.setSize(QSize(160, 120));
        gen.setViewBox(QRect(0, 0, 160, 120));
        QPainter p(&gen);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient g(0, 0, 160, 0);
        g.setColorAt(0, QColor(220, 40, 40));
        g.setColorAt(1, QColor(40, 40, 220));
        p.fillRect(QRect(0, 0, 160, 120), g);
        p.setBrush(QColor(255, 255, 0, 140));
        p.setPen(QPen(Qt::black, 3));
        p.drawEllipse(QRectF(30, 20, 90, 70));
        QPainterPath curve(QPointF(10, 110));
        curve.cubicTo(60, 40, 100, 140, 150, 60);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::white, 4, Qt::DashLine, Qt::RoundCap));
        p.drawPath(curve);
        p.setFont(QFont(QStringLiteral("Liberation Serif"), 18));
        p.setPen(Qt::black);
        p.drawText(QRectF(0, 40, 160, 40), Qt::AlignCenter, QStringLiteral("Holiday"));
        p.end();
        cases.push_back({QStringLiteral("QSvgGenerator"), generated});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const LoadedPicture pic = ImageLoader::Load(c.svg, ImageLoader::Kind::Svg);
        ASSERT_EQ(pic.Type, LoadedPicture::Metafile);
        const TMetafile& m = pic.MetafileValue;
        EXPECT_TRUE(m.Enhanced());
        EXPECT_TRUE(m.VectorArt());
        EXPECT_EQ(pic.Size(), SvgImport::NaturalSize(c.svg));
        // Played at its size and at twice its size.
        for (const double scale : {1.0, 2.0}) {
            QSize size = (QSizeF(pic.Size()) * scale).toSize();
            size = QSize(size.width() / 4 * 4, size.height() / 4 * 4);
            const double diff = MeanDifference(QtSvgOnWhite(c.svg, size), PlayedOnWhite(m, size));
            EXPECT_LT(diff, 6.0) << "at " << scale;
            if (scale == 1.0)
                test::SaveShot(PlayedOnWhite(m, size), QStringLiteral("svg-") + c.name);
        }
        // The picture's bytes read back as the same metafile.
        EXPECT_EQ(TMetafile::FromPictureData(m.PictureData()).Bytes(), m.Bytes());
    }
}

TEST(SvgMetafile, GradientsAreBandsAndTransparencyIsAlphaBlended)
{
    // An opaque gradient: solid bands, no bitmap.
    const QByteArray bands = Svg(
        "<defs><linearGradient id='g' x1='0' x2='1'><stop offset='0' stop-color='#ff0000'/>"
        "<stop offset='1' stop-color='#0000ff'/></linearGradient>"
        "<radialGradient id='r' cx='0.5' cy='0.5' r='0.5'><stop offset='0' stop-color='#ffffff'/>"
        "<stop offset='1' stop-color='#008000'/></radialGradient></defs>"
        "<rect width='100' height='40' fill='url(#g)'/><circle cx='50' cy='60' r='20' fill='url(#r)'/>");
    const TMetafile a = SvgImport::ToMetafile(bands);
    const auto ra = Records(a.Bytes());
    EXPECT_EQ(Count(ra, U_EMR_ALPHABLEND), 0u);
    EXPECT_GT(Count(ra, U_EMR_CREATEBRUSHINDIRECT), 50u);
    EXPECT_GT(Count(ra, U_EMR_SELECTCLIPPATH), 1u);
    const QImage played = PlayedOnWhite(a, QSize(100, 80));
    EXPECT_GT(qRed(played.pixel(3, 20)), 230);
    EXPECT_GT(qBlue(played.pixel(96, 20)), 230);
    EXPECT_LT(std::abs(qRed(played.pixel(50, 20)) - qBlue(played.pixel(50, 20))), 20);

    // Opacity, translucent colours and gradient stops with alpha: blended
    // over what lies below.
    const QByteArray seeThrough = Svg(
        "<defs><linearGradient id='fade'><stop offset='0' stop-color='#000' stop-opacity='1'/>"
        "<stop offset='1' stop-color='#000' stop-opacity='0'/></linearGradient></defs>"
        "<rect width='100' height='80' fill='#0000ff'/>"
        "<rect x='0' y='0' width='50' height='40' fill='#ff0000' opacity='0.5'/>"
        "<rect x='50' y='0' width='50' height='40' fill='rgba(255,0,0,0.5)' fill-opacity='0.5'/>"
        "<rect x='0' y='40' width='100' height='40' fill='url(#fade)'/>");
    const TMetafile b = SvgImport::ToMetafile(seeThrough);
    EXPECT_GE(Count(Records(b.Bytes()), U_EMR_ALPHABLEND), 3u);
    const QImage pb = PlayedOnWhite(b, QSize(100, 80));
    EXPECT_NEAR(qRed(pb.pixel(25, 20)), 128, 8);
    EXPECT_NEAR(qBlue(pb.pixel(25, 20)), 127, 8);
    EXPECT_LT(qRed(pb.pixel(5, 60)) + qBlue(pb.pixel(5, 60)), 40);   // black end
    EXPECT_GT(qBlue(pb.pixel(95, 60)), 215);                          // transparent end
    EXPECT_LT(MeanDifference(QtSvgOnWhite(seeThrough, QSize(100, 80)), pb), 6.0);
}

// Gradients billions of pixels long, with a vanishing radius or reaching far
// past the shape become a bounded number of bands (a fuzzer found a length
// that overflowed the band count); the picture still draws.
TEST(SvgMetafile, AbsurdGradientGeometryStaysBounded)
{
    const char* shapes[] = {
        "<defs><linearGradient id='g' gradientUnits='userSpaceOnUse' x1='0' x2='3000000000' "
        "spreadMethod='repeat'><stop offset='0' stop-color='#ff0000'/><stop offset='1' stop-color='#0000ff'/>"
        "</linearGradient></defs><rect width='100' height='80' fill='url(#g)'/>",
        "<defs><linearGradient id='g' gradientUnits='userSpaceOnUse' x1='0' x2='0.000000001' "
        "spreadMethod='reflect'><stop offset='0' stop-color='#ff0000'/><stop offset='1' stop-color='#0000ff'/>"
        "</linearGradient></defs><rect width='100' height='80' fill='url(#g)'/>",
        "<defs><radialGradient id='r' gradientUnits='userSpaceOnUse' cx='50' cy='40' r='1e-300' "
        "spreadMethod='repeat'><stop offset='0' stop-color='#ffffff'/><stop offset='1' stop-color='#008000'/>"
        "</radialGradient></defs><rect width='100' height='80' fill='url(#r)'/>",
        "<defs><radialGradient id='r' gradientUnits='userSpaceOnUse' cx='50' cy='40' r='4000000000' "
        "spreadMethod='reflect'><stop offset='0' stop-color='#ffffff'/><stop offset='1' stop-color='#008000'/>"
        "</radialGradient></defs><rect width='100' height='80' fill='url(#r)'/>",
    };
    for (const char* body : shapes) {
        SCOPED_TRACE(body);
        const TMetafile m = SvgImport::ToMetafile(Svg(body));
        ASSERT_FALSE(m.Bytes().isEmpty());
        EXPECT_LE(Count(Records(m.Bytes()), U_EMR_FILLPATH), 1100u);
        const QImage played = PlayedOnWhite(m, QSize(100, 80));
        EXPECT_FALSE(played.isNull());
    }
}

TEST(SvgMetafile, TransparentShapesStayWithinTheBitmapBudget)
{
    // Two hundred large translucent circles: the metafile stays small, and
    // still draws them blended.
    QString body = QStringLiteral("<rect width='800' height='600' fill='#ffffff'/>");
    for (int i = 0; i < 200; ++i)
        body += QStringLiteral("<circle cx='%1' cy='%2' r='250' fill='#ff0000' fill-opacity='0.02'/>")
                    .arg(200 + i * 2)
                    .arg(300);
    const QByteArray svg = Svg(body, 800, 600);
    const TMetafile m = SvgImport::ToMetafile(svg);
    EXPECT_LT(m.Bytes().size(), 8 * 1024 * 1024);
    const QImage played = PlayedOnWhite(m, QSize(200, 152));
    const QImage ref = QtSvgOnWhite(svg, QSize(200, 152));
    EXPECT_LT(MeanDifference(ref, played), 6.0);
    EXPECT_LT(qGreen(played.pixel(100, 76)), 200) << "the circles were drawn";
}

TEST(AlphaBlendRecords, OurPlayerDrawsThemFromAnotherWriter)
{
    // libuemf's writer: a blue background, then a 2 x 1 bitmap (opaque red,
    // transparent) with premultiplied alpha stretched over the left half at
    // a constant alpha of one half.
    test::EmfWriter w(100, 50);
    w.SolidBrush(test::Rgb(0, 0, 255));
    w.Rect(0, 0, 100, 50);
    const uint32_t cb = 8;
    char px[8] = {0, 0, char(255), char(255), 0, 0, 0, 0};  // BGRA, BGRA
    const U_BITMAPINFOHEADER bih = bitmapinfoheader_set(2, 1, 1, 32, U_BI_RGB, cb, 0, 0, 0, 0);
    PU_BITMAPINFO bmi = bitmapinfo_set(bih, nullptr);
    U_BLEND blend{0, 0, 128, U_AC_SRC_ALPHA};
    w.Add(U_EMRALPHABLEND_set(rectl_set(pointl_set(0, 0), pointl_set(49, 49)), pointl_set(0, 0),
                              pointl_set(50, 50), pointl_set(0, 0), pointl_set(2, 1),
                              xform_set(1, 0, 0, 1, 0, 0), colorref3_set(0, 0, 0), U_DIB_RGB_COLORS,
                              blend, bmi, cb, px));
    free(bmi);
    const TMetafile m = TMetafile::FromBytes(w.Finish());
    EXPECT_FALSE(m.VectorArt());
    QImage img(100, 50, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    m.Play(p, QRectF(0, 0, 100, 50));
    p.end();
    const QRgb left = img.pixel(5, 25), right = img.pixel(40, 25), outside = img.pixel(75, 25);
    EXPECT_NEAR(qRed(left), 128, 6);
    EXPECT_NEAR(qBlue(left), 127, 6);
    EXPECT_EQ(right, qRgb(0, 0, 255));
    EXPECT_EQ(outside, qRgb(0, 0, 255));
}

TEST(Textures, EveryFormatThroughOneEntryPoint)
{
    QTemporaryDir dir;
    auto write = [&dir](const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return dir.filePath(name);
    };
    QImage tile(8, 6, QImage::Format_ARGB32);
    tile.fill(qRgba(0, 0, 255, 128));
    EXPECT_EQ(ImageLoader::LoadTexture(write("t.Png", PngBytes(tile))).Image().pixel(1, 1),
              qRgba(0, 0, 255, 128));
    EXPECT_EQ(ImageLoader::LoadTexture(write("t.bmp", BmpFile::Encode24(tile))).Image().size(),
              QSize(8, 6));
    EXPECT_EQ(ImageLoader::LoadTexture(test::DataPath("imaging/animated.gif")).Image().size(),
              QSize(24, 16));
    // An SVG texture is a bitmap of its natural size.
    const BmpFile svg = ImageLoader::LoadTexture(
        write("t.SVG", Svg("<circle cx='30' cy='20' r='20' fill='#00ff00'/>", 60, 40)));
    EXPECT_EQ(svg.Image().size(), QSize(60, 40));
    EXPECT_TRUE(svg.HasAlpha());
    EXPECT_EQ(svg.Image().pixel(30, 20), qRgba(0, 255, 0, 255));
    EXPECT_EQ(qAlpha(svg.Image().pixel(1, 1)), 0);
    // Huge drawings are rasterised no larger than a placed picture.
    EXPECT_EQ(ImageLoader::LoadTexture(write("big.svg", Svg("<rect width='9000' height='3000'/>", 9000, 3000)))
                  .Image()
                  .size(),
              QSize(2400, 800));
    // Not a texture: nothing; damaged: the read error.
    EXPECT_TRUE(ImageLoader::LoadTexture(write("t.wmf", "whatever")).IsEmpty());
    EXPECT_TRUE(ImageLoader::LoadTexture(write("t.txt", "whatever")).IsEmpty());
    EXPECT_THROW(ImageLoader::LoadTexture(write("bad.png", "\x89PNG\r\n\x1a\n")), ReadError);
    EXPECT_THROW(ImageLoader::LoadTexture(write("bad.svg", Svg("<image href='/etc/x.png'/>"))), ReadError);
    EXPECT_THROW(ImageLoader::LoadTexture(dir.path() + "/missing.bmp"), ReadError);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.png"));
    EXPECT_THROW(ImageLoader::LoadTexture(dir.filePath("folder.png")), ReadError);
    const QStringList suffixes = ImageLoader::TextureSuffixes();
    for (const char* s : {"BMP", "JPG", "JIF", "ICO", "PNG", "GIF", "SVG"})
        EXPECT_TRUE(suffixes.contains(QLatin1String(s))) << s;
}

TEST(Thumbnails, AFolderIsMadeInTheBackgroundAndBadFilesComeBackEmpty)
{
    QTemporaryDir dir;
    QStringList paths;
    QImage img(300, 100, QImage::Format_ARGB32);
    img.fill(qRgba(200, 0, 0, 255));
    for (int i = 0; i < 40; ++i) {
        const QString path = dir.filePath(QStringLiteral("p%1.png").arg(i));
        img.save(path);
        paths << path;
    }
    const QString svg = dir.filePath("d.svg");
    {
        QFile f(svg);
        f.open(QIODevice::WriteOnly);
        f.write(Svg("<rect width='100' height='80' fill='#00f'/>"));
    }
    const QString bad = dir.filePath("bad.gif");
    {
        QFile f(bad);
        f.open(QIODevice::WriteOnly);
        f.write("GIF89a");
    }
    paths << svg << bad;
    ThumbnailLoader loader;
    QSignalSpy ready(&loader, &ThumbnailLoader::Ready);
    QSignalSpy finished(&loader, &ThumbnailLoader::Finished);
    loader.Start(paths, QSize(48, 48));
    EXPECT_TRUE(finished.wait(10000));
    ASSERT_EQ(ready.size(), paths.size());
    for (const QList<QVariant>& r : ready) {
        const QString path = r.at(0).toString();
        const QImage thumb = r.at(1).value<QImage>();
        if (path == bad) {
            EXPECT_TRUE(thumb.isNull());
            continue;
        }
        ASSERT_FALSE(thumb.isNull()) << path.toStdString();
        EXPECT_LE(thumb.width(), 48);
        EXPECT_LE(thumb.height(), 48);
    }
    EXPECT_EQ(loader.Pending(), 0);
    // A second start drops what the first one still had to do.
    ready.clear();
    loader.Start(paths, QSize(48, 48));
    loader.Start({svg}, QSize(16, 16));
    EXPECT_TRUE(finished.wait(10000));
    QCoreApplication::processEvents();
    for (const QList<QVariant>& r : ready)
        if (r.at(0).toString() != svg)
            ADD_FAILURE() << "a thumbnail of the abandoned folder arrived";
}

// The clip art the program ships: every drawing is there as SVG and as the
// metafile recorded from it, and the two look alike.
TEST(ShippedClipArt, EverySvgHasItsMetafileAndTheyMatch)
{
    const QDir folder(test::SourcePath(QStringLiteral("data/Clipart")));
    const QStringList svgs = folder.entryList({QStringLiteral("*.svg")}, QDir::Files, QDir::Name);
    EXPECT_GE(svgs.size(), 30);
    for (const QString& name : svgs) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray svg = test::ReadFile(folder.filePath(name));
        const LoadedPicture emf =
            ImageLoader::Load(folder.filePath(QFileInfo(name).completeBaseName() + ".emf"));
        ASSERT_EQ(emf.Type, LoadedPicture::Metafile);
        EXPECT_TRUE(emf.MetafileValue.VectorArt());
        EXPECT_EQ(emf.Size(), QSize(200, 200));
        EXPECT_LT(MeanDifference(QtSvgOnWhite(svg, QSize(200, 200)),
                                 PlayedOnWhite(emf.MetafileValue, QSize(200, 200))),
                  6.0);
    }
}

// The metafile device as any QPainter user sees it: the same drawing code
// painted onto a bitmap and recorded into a metafile looks alike, with
// clips, turned pictures, cosmetic and dashed pens, text and transforms.
TEST(EmfPaintDevice, RecordsWhatQPainterDraws)
{
    const QSize size(160, 120);
    QImage picture(16, 12, QImage::Format_ARGB32);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x)
            picture.setPixel(x, y, x < 8 ? qRgba(255, 128, 0, 255) : qRgba(0, 0, 0, y * 20));
    auto draw = [&picture](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(QRectF(0, 0, 160, 120), QColor(240, 240, 200));
        p.save();
        p.setClipRect(QRectF(10, 10, 70, 50));
        p.setBrush(QColor(30, 90, 200));
        p.setPen(QPen(QColor(200, 0, 0), 6, Qt::DashLine, Qt::FlatCap, Qt::MiterJoin));
        p.drawEllipse(QPointF(50, 40), 45, 35);
        p.restore();
        p.save();
        QPainterPath star;
        star.addPolygon(QPolygonF({QPointF(120, 5), QPointF(135, 50), QPointF(95, 22),
                                   QPointF(145, 22), QPointF(105, 50)}));
        star.closeSubpath();
        p.setClipPath(star);
        QLinearGradient g(95, 0, 145, 0);
        g.setColorAt(0, Qt::red);
        g.setColorAt(1, Qt::blue);
        p.fillRect(QRectF(90, 0, 60, 60), g);
        p.restore();
        p.save();
        p.translate(40, 90);
        p.rotate(30);
        p.drawImage(QRectF(-16, -12, 32, 24), picture);
        p.restore();
        p.setPen(QPen(Qt::black, 0));
        p.drawLine(QPointF(90, 70), QPointF(150, 110));
        p.setPen(QColor(0, 100, 0));
        p.setFont(QFont(QStringLiteral("Liberation Sans"), 14, QFont::Bold));
        p.drawText(QPointF(80, 100), QStringLiteral("Noel"));
        p.setOpacity(0.5);
        p.fillRect(QRectF(60, 60, 40, 40), Qt::magenta);
    };
    QImage direct(size, QImage::Format_RGB32);
    direct.fill(Qt::white);
    {
        QPainter p(&direct);
        draw(p);
    }
    EmfPaintDevice device(size);
    {
        QPainter p(&device);
        draw(p);
    }
    const TMetafile m = TMetafile::FromBytes(device.Bytes());
    EXPECT_TRUE(m.VectorArt());
    EXPECT_EQ(QSize(m.Width(), m.Height()), size);
    const QImage played = PlayedOnWhite(m, size);
    test::SaveShot(played, QStringLiteral("emf-device"));
    EXPECT_LT(MeanDifference(direct, played), 6.0);
    // Outside the clip nothing of the ellipse shows; inside the star the
    // gradient does.
    EXPECT_EQ(played.pixel(85, 40), qRgb(240, 240, 200));
    EXPECT_GT(qRed(played.pixel(110, 25)) + qBlue(played.pixel(110, 25)), 200);
}
