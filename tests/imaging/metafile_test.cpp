#include <random>

#include <gtest/gtest.h>

#include <QPainter>
#include <QtEndian>

#include "core/readerror.h"
#include "imaging/emfplayer.h"
#include "imaging/gdiplayback.h"
#include "imaging/tmetafile.h"
#include "imaging/wmfplayer.h"
#include "common/testutil.h"
#include "metafilewriter.h"

using namespace dayloom;
using dayloom::test::Rgb;

namespace {

QImage Render(const TMetafile& m, QSize size, QRgb background = 0xFFFFFFFF)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(background);
    QPainter p(&img);
    m.Play(p, QRectF(QPointF(0, 0), QSizeF(size)));
    return img;
}

// Colour check with a stated tolerance of 8 per channel (scaling and
// antialiased edges never reach the sampled interiors).
::testing::AssertionResult Near(const QImage& img, int x, int y, QRgb want)
{
    const QRgb got = img.pixel(x, y);
    if (std::abs(qRed(got) - qRed(want)) <= 8 && std::abs(qGreen(got) - qGreen(want)) <= 8
        && std::abs(qBlue(got) - qBlue(want)) <= 8)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << x << "," << y << ") is "
                                         << QString::number(got, 16).toStdString() << ", want "
                                         << QString::number(want, 16).toStdString();
}

int DarkPixels(const QImage& img, const QRect& r)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(img.pixel(x, y)) < 100)
                ++n;
    return n;
}

// 200 x 120 pixels: shapes, clipping with saved states, text, a path, a
// stretched bitmap and a world transform.
QByteArray SceneEmf()
{
    test::EmfWriter w(200, 120);
    w.Add(U_EMRSETBKMODE_set(U_TRANSPARENT));
    w.Add(selectobject_set(U_NULL_PEN, w.Handles()));
    w.SolidBrush(Rgb(255, 0, 0));
    w.Rect(10, 10, 60, 50);

    w.Pen(Rgb(0, 0, 255), 0);
    w.Add(U_EMRMOVETOEX_set(pointl_set(0, 80)));
    w.Add(U_EMRLINETO_set(pointl_set(199, 80)));

    w.Add(U_EMRSAVEDC_set());
    w.Add(U_EMRINTERSECTCLIPRECT_set(rectl_set(pointl_set(100, 0), pointl_set(150, 120))));
    w.Add(selectobject_set(U_NULL_PEN, w.Handles()));
    w.SolidBrush(Rgb(0, 255, 0));
    w.Rect(80, 10, 190, 50);
    w.Add(U_EMRRESTOREDC_set(-1));
    w.SolidBrush(Rgb(255, 255, 0));
    w.Rect(160, 60, 190, 75);

    w.Add(U_EMRSETTEXTCOLOR_set(colorref3_set(0, 0, 0)));
    w.Add(U_EMRSETTEXTALIGN_set(U_TA_TOP));
    w.Font(-20, "DejaVu Sans", 700);
    w.Text(10, 85, "Hello");

    // A filled path: a triangle in magenta.
    w.SolidBrush(Rgb(255, 0, 255));
    w.Add(U_EMRBEGINPATH_set());
    const U_POINT16 tri[] = {point16_set(100, 90), point16_set(140, 90), point16_set(120, 115)};
    const U_RECTL any = rectl_set(pointl_set(0, 0), pointl_set(200, 120));
    w.Add(U_EMRPOLYGON16_set(any, 3, tri));
    w.Add(U_EMRENDPATH_set());
    w.Add(U_EMRFILLPATH_set(any));

    // A 2 x 2 bitmap stretched to 20 x 20: top row red, green; bottom row
    // blue, white (stored bottom-up).
    U_BITMAPINFOHEADER bih = bitmapinfoheader_set(2, 2, 1, 24, U_BI_RGB, 16, 3780, 3780, 0, 0);
    PU_BITMAPINFO bmi = bitmapinfo_set(bih, nullptr);
    char px[16] = {char(255), 0, 0, char(255), char(255), char(255), 0, 0,
                   0, 0, char(255), 0, char(255), 0, 0, 0};
    w.Add(U_EMRSTRETCHDIBITS_set(any, pointl_set(170, 5), pointl_set(20, 20), pointl_set(0, 0),
                                 pointl_set(2, 2), U_DIB_RGB_COLORS, U_SRCCOPY, bmi, 16, px));
    std::free(bmi);

    // World transform: a 10 x 10 cyan square scaled by 2 and moved to (70, 10).
    w.Add(U_EMRMODIFYWORLDTRANSFORM_set(xform_set(2, 0, 0, 2, 70, 10), U_MWT_LEFTMULTIPLY));
    w.SolidBrush(Rgb(0, 255, 255));
    w.Rect(0, 0, 10, 10);
    return w.Finish();
}

QByteArray SceneWmf()
{
    // 1000 x 500 twips-like units at 1440 per inch: 66 x 33 pixels.
    test::WmfWriter w(1000, 500, 1440);
    w.Add(U_WMRSETBKMODE_set(U_TRANSPARENT));
    w.Pen(Rgb(0, 0, 0), 0, 5);  // null pen
    w.SolidBrush(Rgb(0, 0, 255));
    w.Add(U_WMRRECTANGLE_set(U_RECT16_set(point16_set(100, 100), point16_set(400, 300))));
    w.SolidBrush(Rgb(255, 0, 0));
    w.Add(U_WMRELLIPSE_set(U_RECT16_set(point16_set(600, 100), point16_set(900, 400))));
    w.Pen(Rgb(0, 128, 0), 0);
    const U_POINT16 line[] = {point16_set(0, 450), point16_set(999, 450)};
    w.Add(U_WMRPOLYLINE_set(2, line));
    return w.Finish();
}

}  // namespace

TEST(EnhancedMetafile, SizeAndPlayback)
{
    const QByteArray bytes = SceneEmf();
    const TMetafile m = TMetafile::FromBytes(bytes);
    EXPECT_TRUE(m.Enhanced());
    EXPECT_EQ(m.Width(), 200);
    EXPECT_EQ(m.Height(), 120);

    const QImage img = Render(m, QSize(200, 120));
    test::SaveShot(img, "emf_scene");
    EXPECT_TRUE(Near(img, 35, 30, 0xFF0000));          // rectangle
    EXPECT_TRUE(Near(img, 100, 80, 0x0000FF));         // line
    EXPECT_TRUE(Near(img, 100, 78, 0xFFFFFF));
    EXPECT_TRUE(Near(img, 120, 30, 0x00FF00));         // inside the clip
    EXPECT_TRUE(Near(img, 90, 30, 0xFFFFFF));          // clipped away
    EXPECT_TRUE(Near(img, 170, 30, 0xFFFFFF));
    EXPECT_TRUE(Near(img, 175, 67, 0xFFFF00));         // clip gone after RestoreDC
    EXPECT_GT(DarkPixels(img, QRect(10, 85, 70, 22)), 40);  // text
    EXPECT_EQ(DarkPixels(img, QRect(10, 60, 60, 18)), 0);
    EXPECT_TRUE(Near(img, 120, 98, 0xFF00FF));         // filled path
    EXPECT_TRUE(Near(img, 102, 112, 0xFFFFFF));
    EXPECT_TRUE(Near(img, 174, 9, 0xFF0000));          // bitmap, upright
    EXPECT_TRUE(Near(img, 186, 9, 0x00FF00));
    EXPECT_TRUE(Near(img, 174, 21, 0x0000FF));
    EXPECT_TRUE(Near(img, 186, 21, 0xFFFFFF));
    EXPECT_TRUE(Near(img, 80, 20, 0x00FFFF));          // world transform
    EXPECT_TRUE(Near(img, 88, 28, 0x00FFFF));
    EXPECT_TRUE(Near(img, 93, 33, 0xFFFFFF));

    // Stretched to twice the size into an offset rectangle.
    QImage big(440, 260, QImage::Format_RGB32);
    big.fill(Qt::white);
    {
        QPainter p(&big);
        m.Play(p, QRectF(40, 20, 400, 240));
    }
    EXPECT_TRUE(Near(big, 40 + 70, 20 + 60, 0xFF0000));
    EXPECT_TRUE(Near(big, 40 + 18, 20 + 18, 0xFFFFFF));  // outside the red square
    EXPECT_TRUE(Near(big, 40 + 240, 20 + 60, 0x00FF00));
    EXPECT_TRUE(Near(big, 40 + 190, 20 + 60, 0xFFFFFF));

    // The picture bytes of an enhanced metafile are its own bits.
    EXPECT_EQ(m.PictureData(), bytes);
    EXPECT_EQ(Render(TMetafile::FromPictureData(m.PictureData()), QSize(200, 120)), img);
}

TEST(EnhancedMetafile, MappingModesAndPainterState)
{
    // Anisotropic mapping: window 0..1000 x 0..1000 onto the 100 x 50 device,
    // then a rectangle in the lower right quarter of the window.
    test::EmfWriter w(100, 50);
    w.Add(U_EMRSETMAPMODE_set(U_MM_ANISOTROPIC));
    w.Add(U_EMRSETWINDOWEXTEX_set(sizel_set(1000, 1000)));
    w.Add(U_EMRSETVIEWPORTEXTEX_set(sizel_set(100, 50)));
    w.Add(selectobject_set(U_NULL_PEN, w.Handles()));
    w.SolidBrush(Rgb(0, 0, 0));
    w.Rect(500, 500, 1000, 1000);
    // Exclude a hole, then fill everything grey: the hole stays as it was.
    w.Add(U_EMREXCLUDECLIPRECT_set(rectl_set(pointl_set(0, 0), pointl_set(200, 200))));
    w.SolidBrush(Rgb(128, 128, 128));
    w.Rect(0, 0, 400, 400);
    const TMetafile m = TMetafile::FromBytes(w.Finish());

    // The player leaves the painter as it found it, and keeps to a clip the
    // caller had set.
    QImage img(100, 50, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setClipRect(QRect(0, 0, 100, 45));
    p.setPen(QPen(Qt::red, 3));
    m.Play(p, QRectF(0, 0, 100, 50));
    EXPECT_EQ(p.pen().color(), QColor(Qt::red));
    EXPECT_EQ(p.clipBoundingRect().toRect(), QRect(0, 0, 100, 45));
    p.end();
    EXPECT_TRUE(Near(img, 75, 37, 0x000000));
    EXPECT_TRUE(Near(img, 75, 47, 0xFFFFFF));  // caller's clip
    EXPECT_TRUE(Near(img, 45, 12, 0xFFFFFF));
    EXPECT_TRUE(Near(img, 10, 5, 0xFFFFFF));   // excluded hole
    EXPECT_TRUE(Near(img, 30, 15, 0x808080));
}

TEST(WindowsMetafile, PlaceableHeaderSizeAndPictureData)
{
    const QByteArray bytes = SceneWmf();
    ASSERT_TRUE(WmfPlayer::IsPlaceable(bytes));
    const TMetafile m = TMetafile::FromBytes(bytes);
    EXPECT_FALSE(m.Enhanced());
    EXPECT_EQ(m.Width(), 67);   // 1000 / 1440 inch at 96 PPI
    EXPECT_EQ(m.Height(), 33);

    const QImage img = Render(m, QSize(200, 100));
    test::SaveShot(img, "wmf_scene");
    EXPECT_TRUE(Near(img, 50, 40, 0x0000FF));
    EXPECT_TRUE(Near(img, 15, 15, 0xFFFFFF));
    EXPECT_TRUE(Near(img, 150, 50, 0xFF0000));
    EXPECT_TRUE(Near(img, 122, 22, 0xFFFFFF));  // outside the ellipse's curve
    EXPECT_TRUE(Near(img, 100, 90, 0x008000));

    // The picture bytes: a placeable header with box 0, 0, w, h, its
    // units per inch, a zero reserved word and the checksum; then the bits.
    const QByteArray data = m.PictureData();
    ASSERT_GT(data.size(), 22);
    EXPECT_EQ(qFromLittleEndian<quint32>(data.constData()), 0x9AC6CDD7u);
    EXPECT_EQ(qFromLittleEndian<qint16>(data.constData() + 6), 0);
    EXPECT_EQ(qFromLittleEndian<qint16>(data.constData() + 8), 0);
    EXPECT_EQ(qFromLittleEndian<qint16>(data.constData() + 10), 1000);
    EXPECT_EQ(qFromLittleEndian<qint16>(data.constData() + 12), 500);
    EXPECT_EQ(qFromLittleEndian<quint16>(data.constData() + 14), 1440);
    EXPECT_EQ(qFromLittleEndian<quint32>(data.constData() + 16), 0u);
    EXPECT_EQ(qFromLittleEndian<quint16>(data.constData() + 20),
              WmfPlayer::Checksum(data.constData()));
    EXPECT_EQ(data.mid(22), bytes.mid(22));
    const TMetafile back = TMetafile::FromPictureData(data);
    EXPECT_EQ(Render(back, QSize(200, 100)), img);

    // Without its placeable header the window extent gives the size (as
    // pixels) and the picture, 2540 units per inch in its picture bytes.
    const TMetafile plain = TMetafile::FromBytes(bytes.mid(22));
    EXPECT_EQ(plain.Width(), 1000);
    EXPECT_TRUE(Near(Render(plain, QSize(200, 100)), 50, 40, 0x0000FF));
    const QByteArray plainData = plain.PictureData();
    EXPECT_EQ(qFromLittleEndian<quint16>(plainData.constData() + 14), 2540);
    EXPECT_EQ(TMetafile::FromPictureData(plainData).Width(), 1000);
}

TEST(Metafile, DamagedFilesFailOrPlaySafely)
{
    const QByteArray emf = SceneEmf();
    const QByteArray wmf = SceneWmf();
    for (const QByteArray& good : {emf, wmf}) {
        for (int n = 0; n < good.size(); n += 2)
            EXPECT_THROW(TMetafile::FromBytes(good.left(n)), ReadError) << n;
    }
    EXPECT_THROW(TMetafile::FromBytes(QByteArray(100, '\0')), ReadError);
    EXPECT_THROW(TMetafile::FromBytes(QByteArray("garbage")), ReadError);

    // Any damage inside: the load fails with the read error, or the
    // picture plays without crashing.
    std::mt19937 rng(17);
    QImage img(50, 30, QImage::Format_RGB32);
    for (int i = 0; i < 600; ++i) {
        QByteArray bad = (i & 1) ? emf : wmf;
        const int flips = 1 + int(rng() % 6);
        for (int f = 0; f < flips; ++f)
            bad[int(rng() % bad.size())] = char(rng());
        try {
            const TMetafile m = TMetafile::FromBytes(bad);
            QPainter p(&img);
            m.Play(p, QRectF(0, 0, 50, 30));
        } catch (const ReadError& e) {
            EXPECT_EQ(e.message(), "Error loading file!");
        }
    }
}

// Pies run counter-clockwise from the start radial to the end radial unless
// the arc direction says otherwise; a y-up mapping mode keeps that on paper.
TEST(EnhancedMetafile, ArcsFollowDirectionAndMapping)
{
    auto render = [](bool clockwise, bool yUp) {
        test::EmfWriter w(100, 100);
        if (yUp) {
            // 0.1 mm units, y up; the device is 96 PPI so 100 px = 264.6 units.
            w.Add(U_EMRSETMAPMODE_set(2));
            w.Add(U_EMRSETWINDOWORGEX_set(pointl_set(0, 0)));
            w.Add(U_EMRSETVIEWPORTORGEX_set(pointl_set(0, 100)));
        }
        if (clockwise)
            w.Add(U_EMRSETARCDIRECTION_set(2));
        w.Add(selectobject_set(U_NULL_PEN, w.Handles()));
        w.SolidBrush(Rgb(0, 0, 0));
        const int s = yUp ? 265 : 100;
        const int top = yUp ? s : 0, bottom = yUp ? 0 : s;
        // Start on the right, end at the top of the page.
        w.Add(U_EMRPIE_set(rectl_set(pointl_set(0, top), pointl_set(s, bottom)),
                           pointl_set(s, s / 2), pointl_set(s / 2, top)));
        return Render(TMetafile::FromBytes(w.Finish()), QSize(100, 100));
    };
    const QImage ccw = render(false, false);
    EXPECT_TRUE(Near(ccw, 75, 25, 0x000000));
    EXPECT_TRUE(Near(ccw, 25, 75, 0xFFFFFF));
    const QImage cw = render(true, false);
    EXPECT_TRUE(Near(cw, 75, 25, 0xFFFFFF));
    EXPECT_TRUE(Near(cw, 25, 75, 0x000000));
    const QImage up = render(false, true);
    EXPECT_TRUE(Near(up, 75, 25, 0x000000));
    EXPECT_TRUE(Near(up, 25, 75, 0xFFFFFF));
}

// Windows metafiles number their objects by the lowest free slot, so a
// deleted object's slot is taken by the next one; text, clipping and saved
// states play as in enhanced metafiles.
TEST(WindowsMetafile, ObjectSlotsTextAndClipping)
{
    test::WmfWriter w(200, 100, 96);
    w.Add(U_WMRSETBKMODE_set(U_TRANSPARENT));
    uint32_t pen = 0, red = 0, blue = 0;
    w.Add(wcreatepenindirect_set(&pen, w.Handles(), U_PEN_set(U_PS_NULL, 0, colorref3_set(0, 0, 0))));
    w.Add(wselectobject_set(pen, w.Handles()));
    w.Add(wcreatebrushindirect_set(&red, w.Handles(),
                                   U_WLOGBRUSH_set(U_BS_SOLID, colorref3_set(255, 0, 0), 0)));
    w.Add(wselectobject_set(red, w.Handles()));
    w.Add(U_WMRRECTANGLE_set(U_RECT16_set(point16_set(0, 0), point16_set(50, 50))));
    w.Add(wdeleteobject_set(&red, w.Handles()));
    w.Add(wcreatebrushindirect_set(&blue, w.Handles(),
                                   U_WLOGBRUSH_set(U_BS_SOLID, colorref3_set(0, 0, 255), 0)));
    w.Add(wselectobject_set(blue, w.Handles()));
    w.Add(U_WMRSAVEDC_set());
    w.Add(U_WMRINTERSECTCLIPRECT_set(U_RECT16_set(point16_set(60, 0), point16_set(100, 50))));
    w.Add(U_WMRRECTANGLE_set(U_RECT16_set(point16_set(50, 0), point16_set(150, 50))));
    w.Add(U_WMRRESTOREDC_set(-1));
    w.Add(U_WMRRECTANGLE_set(U_RECT16_set(point16_set(160, 0), point16_set(200, 50))));
    w.Add(U_WMRSETTEXTCOLOR_set(colorref3_set(0, 0, 0)));
    uint32_t font = 0;
    U_FONT* uf = U_FONT_set(-24, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, (char*)"DejaVu Sans");
    w.Add(wcreatefontindirect_set(&font, w.Handles(), uf));
    std::free(uf);
    w.Add(wselectobject_set(font, w.Handles()));
    w.Add(U_WMRTEXTOUT_set(point16_set(10, 60), (char*)"Wmf"));
    const TMetafile m = TMetafile::FromBytes(w.Finish());
    EXPECT_EQ(m.Width(), 200);

    const QImage img = Render(m, QSize(200, 100));
    test::SaveShot(img, "wmf_slots");
    EXPECT_TRUE(Near(img, 25, 25, 0xFF0000));
    EXPECT_TRUE(Near(img, 80, 25, 0x0000FF));   // inside the clip
    EXPECT_TRUE(Near(img, 120, 25, 0xFFFFFF));  // clipped
    EXPECT_TRUE(Near(img, 180, 25, 0x0000FF));  // after RestoreDC
    EXPECT_GT(DarkPixels(img, QRect(10, 60, 60, 30)), 40);
}

// Text stretched far out of shape once crashed inside Qt's glyph cache.
TEST(Metafile, StretchedTextPlays)
{
    const TMetafile m = TMetafile::FromBytes(test::ReadFile(test::DataPath("imaging/stretched-text.emf")));
    const QImage img = Render(m, QSize(64, 48));
    EXPECT_EQ(img.size(), QSize(64, 48));
}

// Shapes of damaged clip art can reach millions of pixels past the picture;
// they are cut to the device before filling, and what shows stays the same.
TEST(MetafilePlayback, FarReachingAreasAreCutWithoutChangingWhatShows)
{
    QImage whole(120, 90, QImage::Format_RGB32);
    QImage cut = whole;
    QPainterPath area;
    area.moveTo(-30000, 40);
    area.cubicTo(40, 20000, 90, -15000, 100, 60);
    area.lineTo(20, 80);
    area.closeSubpath();
    area.setFillRule(Qt::WindingFill);
    for (QImage* img : {&whole, &cut}) {
        img->fill(Qt::white);
        QPainter p(img);
        p.translate(7, -3);
        p.scale(1.5, 0.75);
        p.fillPath(img == &whole ? area : dayloom::CutToDevice(area, p), Qt::darkBlue);
    }
    EXPECT_EQ(whole, cut);

    QImage small(64, 48, QImage::Format_RGB32);
    QPainter p(&small);
    QPainterPath huge;
    huge.moveTo(0, 16666660);
    huge.cubicTo(60, 135, 120, 175, 240, 150);
    huge.lineTo(0, 200);
    huge.closeSubpath();
    const QRectF reach = dayloom::CutToDevice(huge, p).controlPointRect();
    EXPECT_LT(reach.height(), 1000);
    // Areas within reach are passed on as they are.
    QPainterPath near;
    near.addEllipse(QRectF(-20, -20, 100, 80));
    EXPECT_EQ(dayloom::CutToDevice(near, p), near);
}
