// The special-effects text: setter rules, the layout step, fitting and
// cutting the text, the gradient bands, the layers it paints on the screen
// and on paper, its record in documents and the limits on damaged values.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPicture>
#include <QtEndian>

#include "common/testutil.h"
#include "core/readerror.h"
#include "core/tfont.h"
#include "objects/objectdialogs.h"
#include "objects/symbolfonts.h"
#include "objects/tbitmap.h"
#include "objects/tgsupertext.h"
#include "objecttestutil.h"

using namespace dayloom;
using namespace dayloom::test;

namespace {

constexpr TColor Bgr(int r, int g, int b) { return TColor((b << 16) | (g << 8) | r); }

// A 2 x 2 checker of 4-pixel squares in two colours.
BmpFile Checker(QColor a, QColor b, int cell = 4)
{
    QImage image(2 * cell, 2 * cell, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixelColor(x, y, ((x / cell) + (y / cell)) % 2 ? b : a);
    return BmpFile::FromImage(image);
}

// The object as the screen shows it at a zoom, at its size there.
QImage Render(const TGSuperText& text, float zoom = 1.0f)
{
    const QSize size = text.DeviceRect(At(zoom)).size();
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    text.PaintLayers(p, size, At(zoom));
    return image;
}

// Pixels whose neighbours up to `depth` pixels away are all not white:
// inside a letter, away from its smoothed edge.
QList<QPoint> Interior(const QImage& image, int depth = 1)
{
    QList<QPoint> out;
    auto ink = [&](int x, int y) { return image.pixel(x, y) != qRgb(255, 255, 255); };
    for (int y = depth; y + depth < image.height(); ++y)
        for (int x = depth; x + depth < image.width(); ++x) {
            bool inside = true;
            for (int dy = -depth; dy <= depth && inside; ++dy)
                for (int dx = -depth; dx <= depth && inside; ++dx)
                    inside = ink(x + dx, y + dy);
            if (inside)
                out << QPoint(x, y);
        }
    return out;
}

int Distance(QRgb a, QColor b)
{
    return std::abs(qRed(a) - b.red()) + std::abs(qGreen(a) - b.green()) + std::abs(qBlue(a) - b.blue());
}

// Counts what a painter sends to a device.
class CountingEngine : public QPaintEngine {
public:
    CountingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& state) override
    {
        if ((state.state() & DirtyClipPath) && state.clipOperation() != Qt::NoClip)
            ++clipPaths;
    }
    void drawPath(const QPainterPath&) override { ++paths; }
    void drawRects(const QRectF* r, int count) override
    {
        rects += count;
        for (int i = 0; i < count; ++i)
            rectList << r[i];
    }
    void drawRects(const QRect* r, int count) override
    {
        rects += count;
        for (int i = 0; i < count; ++i)
            rectList << QRectF(r[i]);
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { ++bitmaps; }
    void drawImage(const QRectF& r, const QImage&, const QRectF&, Qt::ImageConversionFlags) override
    {
        ++bitmaps;
        imageRects << r;
    }
    void drawTextItem(const QPointF&, const QTextItem&) override { ++texts; }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override { ++polygons; }
    Type type() const override { return QPaintEngine::User; }

    int clipPaths = 0, paths = 0, rects = 0, bitmaps = 0, texts = 0, polygons = 0;
    QList<QRectF> rectList, imageRects;
};

class CountingDevice : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &engine; }
    mutable CountingEngine engine;

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth: return 5000;
        case PdmHeight: return 5000;
        case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return 600;
        case PdmDepth: return 32;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
        default: return 1;
        }
    }
};


bool HasWineSymbolFonts()
{
    return QFileInfo::exists(QStringLiteral("/usr/share/wine/fonts/wingding.ttf"));
}

}  // namespace

TEST(SuperText, ConstructorsGiveTheDefaults)
{
    TGSuperText text;
    EXPECT_EQ(text.Caption(), QStringLiteral("Text"));
    EXPECT_EQ(text.Font()->Name(), QStringLiteral("Arial"));
    EXPECT_EQ(text.Font()->Size(), 48);
    EXPECT_EQ(text.Font()->Style(), fsBold);
    EXPECT_EQ(text.Font()->Color(), clBlack);
    EXPECT_EQ(text.Bounds().size(), QSize(142, 33));
    EXPECT_EQ(text.ShadowDepth(), 0);
    EXPECT_EQ(text.ShadowOrientation(), sdDownRight);
    EXPECT_EQ(text.Shadowcolor(), 0x808080);
    EXPECT_EQ(text.GradientFromColor(), 0xFF0000);
    EXPECT_EQ(text.GradientToColor(), 0x00FFFF);
    EXPECT_EQ(text.FillDirection(), gdRight);
    EXPECT_EQ(text.SurfaceType(), stGradientFill);
    EXPECT_TRUE(text.Image()->IsEmpty());
    EXPECT_EQ(text.OutlineColor(), clBlack);
    EXPECT_EQ(text.OutlineStyle(), psSolid);
    EXPECT_EQ(text.OutlineWidth(), 1);
    EXPECT_EQ(text.BorderStyle(), bsNone);
    EXPECT_TRUE(text.ControlTransparent());
    EXPECT_EQ(text.BGColor(), 0xFFFFFF);
    EXPECT_TRUE(text.LayoutDirty());

    TGSuperText framed(nullptr, TGSuperText::FramedOnWhite);
    EXPECT_EQ(framed.BorderStyle(), bsSingle);
    EXPECT_FALSE(framed.ControlTransparent());
    EXPECT_EQ(framed.BGColor(), clWhite);
    EXPECT_EQ(framed.SurfaceType(), stGradientFill);
}

TEST(SuperText, SurfaceRulesDiscardTheTextureAndKeepHollowTextOutlined)
{
    TGSuperText text;
    TBitmap texture;
    texture.SetValue(Checker(Qt::red, Qt::blue));
    text.SetSurfaceType(stBrushImage);
    text.SetImage(&texture);
    EXPECT_EQ(text.Image()->Width(), 8);
    text.SetSurfaceType(stBrushImage);  // unchanged: nothing happens
    EXPECT_FALSE(text.Image()->IsEmpty());
    text.SetSurfaceType(stGradientFill);
    EXPECT_TRUE(text.Image()->IsEmpty());
    text.SetImage(&texture);
    text.SetSurfaceType(stNormal);
    EXPECT_TRUE(text.Image()->IsEmpty());
    text.SetImage(nullptr);
    EXPECT_EQ(text.Image()->Width(), 0);

    text.SetOutlineStyle(psClear);
    text.SetSurfaceType(stBrushTransparent);
    EXPECT_EQ(text.OutlineStyle(), psSolid);
    text.SetOutlineStyle(psDot);
    text.SetSurfaceType(stNormal);
    text.SetSurfaceType(stBrushTransparent);
    EXPECT_EQ(text.OutlineStyle(), psDot);  // only psClear is turned

    // Out-of-range ordinals are refused.
    text.SetSurfaceType(TSurfaceType(9));
    text.SetFillDirection(TFillDirection(-1));
    text.SetOutlineStyle(TPenStyle(7));
    EXPECT_EQ(text.SurfaceType(), stBrushTransparent);
    EXPECT_EQ(text.FillDirection(), gdRight);
    EXPECT_EQ(text.OutlineStyle(), psDot);
}

TEST(SuperText, OnlyUserEditsOfLookAndTextReportChanges)
{
    ObjectRegistry();
    TGBasePanel panel;
    auto* text = new TGSuperText;
    panel.AddObject(text);
    int changes = 0;
    QObject::connect(&panel, &TGBasePanel::LabelChangedEvent, [&] { ++changes; });
    text->SetBGColor(0x123456);
    text->SetBGColor(0x123456);
    EXPECT_EQ(changes, 1);
    text->SetBorderStyle(bsSingle);
    text->SetGradientFromColor(0x00FF00);
    text->SetCaption(QStringLiteral("New"));
    EXPECT_EQ(changes, 4);
    // These only repaint; the dialog reports its OK as one change.
    text->SetShadowcolor(0x010101);
    text->SetGradientToColor(0x020202);
    text->SetOutlineWidth(3);
    text->SetShadowDepth(2);
    EXPECT_EQ(changes, 4);
}

TEST(SuperText, ShadowOffsetsAndSizeRules)
{
    TGSuperText text;
    text.SetShadowOrientation(sdLeft);
    text.SetShadowDepth(4);
    text.SetBounds(QRect(0, 0, 300, 300));
    text.RecalcLayout();
    const SuperTextLayout& l = text.Layout();
    EXPECT_EQ(l.ShadowOffset, QPoint(-4, 0));
    EXPECT_EQ(l.MainOrigin, QPoint(4 + 5, 0));  // moved right so the shadow stays inside
    EXPECT_EQ(l.ShadowOrigin, QPoint(5, 0));
    EXPECT_EQ(l.TextLeft, 9);
    // Transparent and borderless: the height is cut to 1.2 x the text.
    EXPECT_EQ(text.Height(), int(1.2 * l.TextHeight));
    EXPECT_EQ(text.Width(), 300);

    const SuperTextLayout zoomed = text.LayoutFor(QSize(600, 600), At(2.0f));
    EXPECT_EQ(zoomed.ShadowOffset, QPoint(-8, 0));

    text.SetShadowOrientation(sdDownLeft);
    text.SetShadowDepth(6);
    text.SetBounds(QRect(0, 0, 300, 300));
    text.RecalcLayout();
    EXPECT_EQ(text.Height(), int(1.2 * (text.Layout().TextHeight + 6)));

    // Opaque or framed: any larger height stays.
    for (int framed = 0; framed < 2; ++framed) {
        TGSuperText other;
        if (framed)
            other.SetBorderStyle(bsSingle);
        else
            other.SetControlTransparent(false);
        other.SetBounds(QRect(0, 0, 300, 300));
        other.RecalcLayout();
        EXPECT_EQ(other.Height(), 300);
    }

    // Never below the text; a width of 5 or less takes the text's width.
    TGSuperText small;
    small.SetBounds(QRect(0, 0, 5, 3));
    small.RecalcLayout();
    EXPECT_EQ(small.Width(), small.Layout().TextWidth);
    EXPECT_EQ(small.Height(), small.Layout().TextHeight);
}

// The size rules apply to what a view shows; the page bounds stay, and the
// shown size, the hit test and the paint all follow the view's zoom.
TEST(SuperText, ViewShowsTheSizeRulesWithoutTouchingTheBounds)
{
    TGBasePanel panel;
    auto* text = new TGSuperText;
    panel.AddObject(text);
    text->SetShadowOrientation(sdDownLeft);
    text->SetShadowDepth(6);
    text->SetBounds(QRect(100, 200, 261, 301));
    for (float zoom : {0.601f, 1.0f, 2.0f}) {
        SCOPED_TRACE(zoom);
        panel.SetView(At(zoom));
        const SuperTextLayout zoomed = text->LayoutFor(QSize(400, 400), At(zoom));
        EXPECT_EQ(zoomed.ShadowOffset, QPoint(int(-6 * zoom), int(6 * zoom)));
        const QRect mapped = At(zoom).MapObject(text->Bounds());
        const QRect shown = text->ViewRect();
        EXPECT_EQ(shown.topLeft(), mapped.topLeft());
        EXPECT_EQ(shown.width(), mapped.width());
        EXPECT_EQ(shown.height(), int(1.2 * (zoomed.TextHeight + zoomed.ShadowOffset.y())));
        EXPECT_EQ(panel.TopObjectAt(shown.topLeft() + QPoint(2, shown.height() - 2)), text);
        EXPECT_EQ(panel.TopObjectAt(shown.topLeft() + QPoint(2, shown.height() + 2)), nullptr);
        EXPECT_EQ(text->Bounds(), QRect(100, 200, 261, 301));
        // The picture has the shown size and the shadow inside it.
        QImage image(shown.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter p(&image);
            text->PaintObject(p, At(zoom), shown.size());
        }
        const QList<QPoint> ink = Interior(image, 0);
        ASSERT_FALSE(ink.isEmpty());
        int bottom = 0;
        for (QPoint q : ink)
            bottom = std::max(bottom, q.y());
        EXPECT_GT(bottom, shown.height() / 2);
    }
    // A frame lets the whole height show again, at once.
    panel.SetView(At(0.601f));
    text->SetBorderStyle(bsSingle);
    EXPECT_EQ(text->ViewRect(), At(0.601f).MapObject(text->Bounds()));
    text->SetBorderStyle(bsNone);
    text->SetControlTransparent(false);
    EXPECT_EQ(text->ViewRect(), At(0.601f).MapObject(text->Bounds()));
    text->SetControlTransparent(true);
    EXPECT_LT(text->ViewRect().height(), 100);
    // A larger font shows a larger height at once.
    const int before = text->ViewRect().height();
    text->Font()->SetSize(72);
    EXPECT_GT(text->ViewRect().height(), before);
}

TEST(SuperText, TextIsCutAtTheLastWholeCharacter)
{
    TGSuperText text;
    text.SetCaption(QStringLiteral("Happy Holidays"));
    text.SetBounds(QRect(0, 0, 142, 100));
    text.RecalcLayout();
    const QFont font = text.DeviceFont(At(1.0f));
    const QFontMetrics fm(font);
    const int avail = 142 - text.Layout().TextLeft;
    const QString shown = TGSuperText::FitText(text.Caption(), font, avail);
    ASSERT_FALSE(shown.isEmpty());
    ASSERT_LT(shown.size(), text.Caption().size());
    EXPECT_LE(fm.horizontalAdvance(shown), avail);
    EXPECT_GT(fm.horizontalAdvance(text.Caption().left(shown.size() + 1)), avail);
    EXPECT_TRUE(text.Caption().startsWith(shown));

    // The same as dropping the last character one at a time.
    const QString samples[] = {QStringLiteral("iiiiWWWWiiii"), QStringLiteral("A"), QStringLiteral("Mmmmmm mmm"),
                               QString(300, u'x')};
    for (const QString& s : samples)
        for (int a : {0, 1, 17, 60, 200, 5000}) {
            QString linear = s;
            while (!linear.isEmpty() && fm.horizontalAdvance(linear) > a)
                linear.chop(1);
            EXPECT_EQ(TGSuperText::FitText(s, font, a), linear) << s.toStdString() << " " << a;
        }
}

TEST(SuperText, GradientBandsUseRoundingMulDiv)
{
    EXPECT_EQ(MulDiv(1, 1, 2), 1);
    EXPECT_EQ(MulDiv(-1, 1, 2), -1);
    EXPECT_EQ(MulDiv(3, -5, 2), -8);
    EXPECT_EQ(MulDiv(255, 200, 255), 200);
    EXPECT_EQ(MulDiv(7, 9, 0), -1);

    TGSuperText text;
    text.SetGradientFromColor(Bgr(10, 20, 30));
    text.SetGradientToColor(Bgr(250, 0, 129));
    const QList<GradientBand> bands = text.GradientBands(QSize(100, 40));
    ASSERT_EQ(bands.size(), 256);
    EXPECT_EQ(bands.first().Color, QColor(10, 20, 30));
    EXPECT_EQ(bands.last().Color, QColor(250, 0, 129));
    int covered = 0;
    for (int i = 0; i < 256; ++i) {
        const GradientBand& b = bands[i];
        EXPECT_TRUE(b.Rect.width() == 0 || b.Rect.width() == 1) << i;
        EXPECT_EQ(b.Rect.left(), MulDiv(i, 100, 256));
        covered += b.Rect.width();
    }
    EXPECT_EQ(covered, 100);
    // Up and left swap start and end; up and down run along the height.
    text.SetFillDirection(gdUp);
    const QList<GradientBand> up = text.GradientBands(QSize(100, 40));
    EXPECT_EQ(up.first().Color, QColor(250, 0, 129));
    EXPECT_EQ(up.first().Rect.width(), 100);
    EXPECT_EQ(up.last().Rect.bottom(), 39);
}

TEST(SuperText, GradientStartColourLiesOnTheStartSide)
{
    const QColor from(0, 0, 255), to(255, 255, 0);
    struct Case {
        TFillDirection direction;
        bool alongX;
        bool fromAtLowEnd;
    };
    for (const Case c : {Case{gdRight, true, true}, Case{gdLeft, true, false}, Case{gdDown, false, true},
                         Case{gdUp, false, false}}) {
        SCOPED_TRACE(int(c.direction));
        TGSuperText text;
        text.SetCaption(QStringLiteral("MMM"));
        text.SetOutlineStyle(psClear);
        text.SetFillDirection(c.direction);
        text.SetBounds(QRect(0, 0, 260, 100));
        text.RecalcLayout();
        const QImage image = Render(text);
        const QList<QPoint> inside = Interior(image);
        ASSERT_GT(inside.size(), 500);
        auto key = [&](QPoint p) { return c.alongX ? p.x() : p.y(); };
        QPoint low = inside.first(), high = inside.first();
        for (QPoint p : inside) {
            if (key(p) < key(low))
                low = p;
            if (key(p) > key(high))
                high = p;
        }
        const QPoint fromEnd = c.fromAtLowEnd ? low : high;
        const QPoint toEnd = c.fromAtLowEnd ? high : low;
        EXPECT_LT(Distance(image.pixel(fromEnd), from), Distance(image.pixel(fromEnd), to));
        EXPECT_LT(Distance(image.pixel(toEnd), to), Distance(image.pixel(toEnd), from));
    }
}

TEST(SuperText, TextureColoursFillTheLettersAtEveryZoom)
{
    const QColor red(220, 0, 0), green(0, 160, 0);
    TGSuperText text;
    text.SetCaption(QStringLiteral("IHI"));
    text.SetSurfaceType(stBrushImage);
    TBitmap texture;
    texture.SetValue(Checker(red, green));
    text.SetImage(&texture);
    text.SetOutlineStyle(psClear);
    text.SetBounds(QRect(0, 0, 300, 100));
    text.RecalcLayout();
    for (float zoom : {1.0f, 0.5f, 2.0f}) {
        SCOPED_TRACE(zoom);
        const QSize size(int(300 * zoom), int(text.Height() * zoom));
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter p(&image);
            text.PaintLayers(p, size, At(zoom));
        }
        const QList<QPoint> inside = Interior(image, 2);
        ASSERT_GT(inside.size(), 50);
        int reds = 0, greens = 0;
        for (QPoint p : inside) {
            const QColor c = image.pixelColor(p);
            // Where two letters' smoothed edges meet a pixel may blend a little.
            const bool isRed = Distance(c.rgb(), red) <= 6, isGreen = Distance(c.rgb(), green) <= 6;
            ASSERT_TRUE(isRed || isGreen) << p.x() << "," << p.y() << " " << c.name().toStdString();
            (isRed ? reds : greens)++;
        }
        EXPECT_GT(reds, 10);
        EXPECT_GT(greens, 10);
    }
    // An empty texture fills nothing: the letters stay white.
    text.SetImage(nullptr);
    EXPECT_TRUE(Interior(Render(text)).isEmpty());
}

TEST(SuperText, ShadowFillOutlineAndBackgroundLayers)
{
    const QColor blue(0, 0, 200), grey(128, 128, 128), red(255, 0, 0), back(250, 240, 200);
    TGSuperText text;
    text.SetCaption(QStringLiteral("I"));
    text.SetSurfaceType(stNormal);
    text.Font()->SetColor(Bgr(0, 0, 200));
    text.SetOutlineStyle(psClear);
    text.SetShadowOrientation(sdRight);
    text.SetShadowDepth(8);
    text.SetBounds(QRect(0, 0, 80, 90));
    text.RecalcLayout();
    QImage image = Render(text);
    int blues = 0, greys = 0;
    for (QPoint p : Interior(image)) {
        blues += image.pixelColor(p) == blue;
        greys += image.pixelColor(p) == grey;
    }
    EXPECT_GT(blues, 100);
    EXPECT_GT(greys, 50);  // the shadow shows right of the letter

    // Depth 0 or no orientation: no shadow.
    text.SetShadowDepth(0);
    image = Render(text);
    for (QPoint p : Interior(image))
        ASSERT_EQ(image.pixelColor(p), blue);

    // Hollow text: only the outline, in its colour; opaque background with a frame.
    text.SetSurfaceType(stBrushTransparent);
    text.SetOutlineColor(Bgr(255, 0, 0));
    text.SetOutlineWidth(2);
    text.SetControlTransparent(false);
    text.SetBGColor(Bgr(250, 240, 200));
    text.SetBorderStyle(bsSingle);
    image = Render(text);
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(79, 40), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(70, 40), back);
    int reds = 0, blueInside = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            reds += image.pixelColor(x, y) == red;
            blueInside += image.pixelColor(x, y) == blue;
        }
    EXPECT_GT(reds, 40);
    EXPECT_EQ(blueInside, 0);
}

TEST(SuperText, EmptyCaptionOrNoRoomPaintsTheCrossedBox)
{
    TGSuperText text;
    text.SetCaption(QString());
    text.SetBounds(QRect(0, 0, 60, 80));
    text.RecalcLayout();
    const QImage image = Render(text);
    const int w = image.width(), h = image.height();
    const QColor black(Qt::black);
    EXPECT_EQ(image.pixelColor(0, 0), black);
    EXPECT_EQ(image.pixelColor(w - 1, h - 1), black);
    EXPECT_EQ(image.pixelColor(w - 1, 0), black);
    EXPECT_EQ(image.pixelColor(0, h / 2), black);  // the box's side
    EXPECT_EQ(image.pixelColor((w - 1) / 2, (h - 1) / 2), black);  // where the diagonals cross
    EXPECT_EQ(image.pixelColor(w / 4, h / 2), QColor(Qt::white));

    // A caption whose first letter does not fit shows the same box.
    TGSuperText narrow;
    narrow.SetCaption(QStringLiteral("W"));
    narrow.SetBounds(QRect(0, 0, 20, 80));
    narrow.RecalcLayout();
    EXPECT_EQ(Render(narrow).pixelColor(0, 40), black);
    EXPECT_EQ(Render(narrow).pixelColor(19, 40), black);
}

TEST(SuperText, AbsurdStoredValuesAreDrawnAtTheLimitsAndKept)
{
    TGSuperText text;
    text.Font()->SetHeight(-2000000000);
    text.SetShadowDepth(2000000000);
    text.SetShadowOrientation(sdDownLeft);
    text.SetOutlineWidth(2000000000);
    text.SetCaption(QString(100000, u'W'));
    text.SetControlTransparent(false);
    text.SetBounds(QRect(0, 0, 400, 300));
    QElapsedTimer clock;
    clock.start();
    const QFont font = text.DeviceFont(At(1.0f));
    EXPECT_EQ(font.pixelSize(), int(std::lround(TGSuperText::kMaxDrawnPoints * 96 / 72.0)));
    const SuperTextLayout l = text.LayoutFor(QSize(400, 300), At(1.0f));
    EXPECT_EQ(l.ShadowOffset, QPoint(-TGSuperText::kMaxDrawnShadowDepth, TGSuperText::kMaxDrawnShadowDepth));
    QImage image(400, 300, QImage::Format_RGB32);
    {
        QPainter p(&image);
        text.PaintLayers(p, QSize(400, 300), At(1.0f));
        // A size beyond any page is drawn at the limit.
        text.PaintLayers(p, QSize(2000000000, 2000000000), At(1.0f));
    }
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(text.DrawnText().size(), TGSuperText::kMaxDrawnCharacters);
    EXPECT_EQ(text.Caption().size(), 100000);
    EXPECT_EQ(text.Font()->Height(), -2000000000);
    EXPECT_EQ(text.ShadowDepth(), 2000000000);
    EXPECT_EQ(text.OutlineWidth(), 2000000000);
}

TEST(SuperText, PaperGetsEveryLayerAsVectorPaths)
{
    for (TSurfaceType surface : {stNormal, stGradientFill, stBrushImage, stBrushTransparent}) {
        SCOPED_TRACE(int(surface));
        TGSuperText text;
        text.SetSurfaceType(surface);
        if (surface == stBrushImage) {
            TBitmap texture;
            texture.SetValue(Checker(Qt::red, Qt::blue, 16));
            text.SetImage(&texture);
        }
        text.SetShadowDepth(3);
        text.SetOutlineWidth(2);
        text.SetBounds(QRect(40, 50, 200, 90));
        // On paper of 600 dots per inch, the page's corner half an inch
        // right and a quarter inch down from the paper's.
        CountingDevice device;
        {
            QPainter p(&device);
            text.Paint(p, PageMapping::Paper(96, 600, 0.5, 0.25));
        }
        // What the paper shows, at 300 pixels per inch, the object's corner
        // on the picture's.
        QImage paper(200 * 300 / 96, 90 * 300 / 96, QImage::Format_RGB32);
        paper.fill(Qt::white);
        {
            QPainter p(&paper);
            text.Paint(p, PageMapping::Paper(96, 300, -40 / 96.0, -50 / 96.0));
        }
        // The object's rectangle lands at its place in inches.
        QImage placed(int(8.5 * 96), int(11 * 96), QImage::Format_RGB32);
        placed.fill(Qt::white);
        {
            QPainter p(&placed);
            text.Paint(p, PageMapping::Paper(96, 96, 0.5, 0.25));
        }
        QRect inked;
        for (int y = 0; y < placed.height(); ++y)
            for (int x = 0; x < placed.width(); ++x)
                if ((placed.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                    inked |= QRect(x, y, 1, 1);
        EXPECT_GE(inked.left(), 48 + 40 - 3);
        EXPECT_GE(inked.top(), 24 + 50 - 3);
        EXPECT_LE(inked.right(), 48 + 40 + 200 + 3);
        SaveShot(paper, QStringLiteral("supertext_paper_%1").arg(int(surface)));
        const CountingEngine& e = device.engine;
        EXPECT_EQ(e.texts, 0);  // no glyphs left to the printer's fonts
        // The shadow and (unless hollow) the fill are clipped by the letters.
        EXPECT_EQ(e.clipPaths, surface == stBrushTransparent ? 1 : 2);
        EXPECT_GE(e.paths, 1);  // the outline
        // Each band is a solid rectangle (a path once the picture is scaled).
        if (surface == stGradientFill) {
            EXPECT_GE(e.rects + e.paths, 256 + 1);
        }
        if (surface == stBrushImage) {
            EXPECT_GE(e.bitmaps, 2);  // tile by tile
        } else {
            EXPECT_EQ(e.bitmaps, 0);
        }
    }
}

TEST(SuperText, PaperTilesOverlapAndGradientRunsBeyondTheObject)
{
    const double margin = 0.03 * 96, overlap = 0.01 * 96, extra = 0.25 * 96;
    TGSuperText text;
    text.SetSurfaceType(stBrushImage);
    TBitmap texture;
    texture.SetValue(Checker(Qt::red, Qt::blue, 24));
    text.SetImage(&texture);
    text.SetBounds(QRect(0, 0, 200, 90));
    CountingDevice device;
    {
        QPainter p(&device);
        text.PaintPaper(p, 96, 1.0);
    }
    ASSERT_FALSE(device.engine.imageRects.isEmpty());
    for (const QRectF& r : device.engine.imageRects) {
        EXPECT_NEAR(r.width(), 48 + overlap, 1e-9);
        EXPECT_NEAR(r.height(), 48 + overlap, 1e-9);
        // Laid from the fill's corner, 0.03 inch out from the object's.
        EXPECT_NEAR(std::fmod(r.left() + margin, 48.0), 0.0, 1e-9);
        EXPECT_NEAR(std::fmod(r.top() + margin, 48.0), 0.0, 1e-9);
    }

    // On paper of 300 dots per inch a 14-pixel tile is 44 device pixels
    // (43.75 rounded), laid at that step.
    TBitmap odd;
    odd.SetValue(Checker(Qt::red, Qt::blue, 7));
    text.SetImage(&odd);
    const double scale = 300 / 96.0, step = 44 / scale;
    CountingDevice fine;
    {
        QPainter p(&fine);
        p.scale(scale, scale);
        text.PaintPaper(p, 96, scale);
    }
    ASSERT_FALSE(fine.engine.imageRects.isEmpty());
    for (const QRectF& r : fine.engine.imageRects) {
        EXPECT_NEAR(r.width(), step + overlap, 1e-9);
        EXPECT_NEAR(std::remainder(r.left() + margin, step), 0.0, 1e-9);
    }

    text.SetSurfaceType(stGradientFill);
    CountingDevice bands;
    {
        QPainter p(&bands);
        text.PaintPaper(p, 96, 1.0);
    }
    QRectF all;
    for (const QRectF& r : bands.engine.rectList)
        all = all.united(r);
    EXPECT_NEAR(all.left(), -margin, 1e-9);
    EXPECT_NEAR(all.top(), -margin, 1e-9);
    EXPECT_NEAR(all.right(), 200 + extra, 1e-9);
    EXPECT_NEAR(all.bottom(), text.DeviceRect(At(1.0f)).height() + extra, 1e-9);

    // A PDF page takes it too.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        QPainter p(&writer);
        text.PaintPaper(p, 96, 1.0);
    }
    EXPECT_TRUE(pdf.data().startsWith("%PDF"));
}

namespace {

// An object with every property away from its default.
TGSuperText* Everything(const QString& name)
{
    auto* text = new TGSuperText;
    text->setObjectName(name);
    text->SetBounds(QRect(33, 44, 250, 120));
    text->SetShadowDepth(5);
    text->SetShadowOrientation(sdDownLeft);
    text->SetShadowcolor(Bgr(1, 2, 3));
    text->SetBorderStyle(bsSingle);
    text->SetControlTransparent(false);
    text->SetBGColor(Bgr(240, 230, 220));
    text->SetCaption(QStringLiteral("Fête"));
    text->Font()->SetName(QStringLiteral("Times New Roman"));
    text->Font()->SetSize(36);
    text->Font()->SetStyle(fsItalic | fsUnderline);
    text->Font()->SetColor(Bgr(0, 90, 0));
    text->SetFillDirection(gdUp);
    text->SetGradientToColor(Bgr(7, 8, 9));
    text->SetGradientFromColor(Bgr(200, 100, 50));
    text->SetSurfaceType(stBrushImage);
    TBitmap texture;
    texture.SetValue(Checker(QColor(10, 20, 30), QColor(200, 210, 220)));
    text->SetImage(&texture);
    text->SetOutlineColor(Bgr(9, 9, 250));
    text->SetOutlineStyle(psDashDot);
    text->SetOutlineWidth(3);
    text->SetLastBitmapFileNameandPath(QStringLiteral("/home/user/Textures/checks.bmp"));
    text->SetLocked(true);
    text->SetTag(5);
    return text;
}

}  // namespace

TEST(SuperText, RecordHoldsThePropertiesInOrderAndRoundTrips)
{
    ObjectRegistry();
    TGBasePanel first;
    TGSuperText* text = Everything(QStringLiteral("Component0"));
    first.AddObject(text);
    const QByteArray bytes = WriteObjectList({text});
    const char* order[] = {"Tag", "Left", "Top", "Width", "Height", "Locked", "ShadowDepth", "ShadowOrientation",
                           "Shadowcolor", "BorderStyle", "ControlTransparent", "BGColor", "Caption", "Font.Color",
                           "Font.Height", "Font.Name", "Font.Style", "FillDirection", "GradientToColor",
                           "GradientFromColor", "Image.Data", "OutlineColor", "OutlineStyle", "OutlineWidth",
                           "SurfaceType", "LastBitmapFileNameandPath"};
    qsizetype at = 0;
    for (const char* name : order) {
        QByteArray key;
        key.append(char(qstrlen(name)));
        key.append(name);
        const qsizetype found = bytes.indexOf(key, at);
        ASSERT_GE(found, at) << name << " in " << bytes.toHex(' ').constData();
        at = found + key.size();
    }
    // Image.Data: a binary value holding a 32-bit length and a bitmap file.
    const qsizetype data = bytes.indexOf("\x0AImage.Data") + 11;
    ASSERT_EQ(bytes.at(data), char(10));
    const quint32 outer = qFromLittleEndian<quint32>(bytes.constData() + data + 1);
    const quint32 inner = qFromLittleEndian<quint32>(bytes.constData() + data + 5);
    EXPECT_EQ(outer, inner + 4);
    EXPECT_EQ(bytes.mid(data + 9, 2), QByteArray("BM"));
    EXPECT_EQ(bytes.mid(data + 9, int(inner)), text->Image()->Value().Bytes());

    TGBasePanel second;
    const QList<TGGraphicControl*> read = ReadObjectList(bytes, second);
    ASSERT_EQ(read.size(), 1);
    auto* back = qobject_cast<TGSuperText*>(read.first());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Caption(), QStringLiteral("Fête"));
    EXPECT_EQ(back->SurfaceType(), stBrushImage);
    EXPECT_EQ(back->Image()->Image(), text->Image()->Image());
    EXPECT_EQ(back->OutlineStyle(), psDashDot);
    EXPECT_EQ(back->Bounds(), QRect(33, 44, 250, 120));
    EXPECT_EQ(WriteObjectList(read), bytes);

    // Defaults with declared values are left out; the others are written.
    TGSuperText plain;
    const QByteArray defaults = WriteObjectList({&plain});
    EXPECT_EQ(defaults.indexOf("ShadowDepth"), -1);
    EXPECT_EQ(defaults.indexOf("ShadowOrientation"), -1);
    EXPECT_EQ(defaults.indexOf("Shadowcolor"), -1);
    EXPECT_EQ(defaults.indexOf("Image.Data"), -1);
    EXPECT_EQ(defaults.indexOf("LastBitmapFileNameandPath"), -1);
    EXPECT_GE(defaults.indexOf("ControlTransparent"), 0);
    EXPECT_GE(defaults.indexOf("OutlineWidth"), 0);
    EXPECT_GE(defaults.indexOf("\x0BSurfaceType\x07\x0EstGradientFill"), 0);

    // An emptied caption is left out and reads back empty, not as "Text".
    TGBasePanel panel;
    auto* emptied = new TGSuperText;
    panel.AddObject(emptied);
    emptied->SetCaption(QString());
    const QByteArray withoutCaption = WriteObjectList({emptied});
    EXPECT_EQ(withoutCaption.indexOf("Caption"), -1);
    TGBasePanel again;
    auto* reread = qobject_cast<TGSuperText*>(ReadObjectList(withoutCaption, again).value(0));
    ASSERT_TRUE(reread);
    EXPECT_EQ(reread->Caption(), QString());
    EXPECT_EQ(WriteObjectList({reread}), withoutCaption);
}

TEST(SuperText, SymbolCharsetIsReadKeptAndWritten)
{
    ObjectRegistry();
    TGBasePanel panel;
    auto* text = new TGSuperText;
    panel.AddObject(text);
    text->Font()->SetName(QStringLiteral("Wingdings"));
    text->Font()->SetCharset(SYMBOL_CHARSET);
    text->SetCaption(SymbolFonts::CharacterOf(0x6E));
    const QByteArray bytes = WriteObjectList({text});
    const qsizetype charset = bytes.indexOf("\x0C" "Font.Charset\x07\x0ESYMBOL_CHARSET");
    ASSERT_GE(charset, 0);
    EXPECT_LT(charset, bytes.indexOf("Font.Color"));
    TGBasePanel again;
    auto* back = qobject_cast<TGSuperText*>(ReadObjectList(bytes, again).value(0));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Font()->Charset(), SYMBOL_CHARSET);
    EXPECT_EQ(back->Caption(), QStringLiteral("n"));
    EXPECT_EQ(WriteObjectList({back}), bytes);
}

TEST(SuperText, DamagedTextureDataFailsWithTheReadersError)
{
    TBitmap bitmap;
    auto expectError = [&](const QByteArray& data, const char* message) {
        try {
            bitmap.SetData(data);
            ADD_FAILURE() << "no error for " << data.toHex().left(40).constData();
        } catch (const ReadError& e) {
            EXPECT_EQ(e.message(), QString::fromLatin1(message));
        }
        EXPECT_TRUE(bitmap.IsEmpty());
    };
    const QByteArray good = [] {
        TBitmap b;
        b.SetValue(Checker(Qt::red, Qt::blue));
        return b.Data();
    }();
    expectError(good.left(3), "Stream read error");
    expectError(good.left(good.size() - 1), "Stream read error");                   // length past the end
    expectError(good + QByteArray("xx"), "Invalid property value");                 // bytes left over
    QByteArray negative = good;
    qToLittleEndian<qint32>(-5, negative.data());
    expectError(negative, "Stream read error");
    QByteArray notBitmap = good;
    notBitmap[4] = 'X';
    expectError(notBitmap, "Error loading file!");
    bitmap.SetData(good);
    EXPECT_EQ(bitmap.Width(), 8);

    // In a record the error ends the read and nothing is left behind.
    ObjectRegistry();
    TGBasePanel panel;
    TGSuperText* text = Everything(QStringLiteral("Component0"));
    panel.AddObject(text);
    QByteArray bytes = WriteObjectList({text});
    const qsizetype bm = bytes.indexOf("BM", bytes.indexOf("Image.Data"));
    ASSERT_GT(bm, 0);
    bytes[bm] = 'Q';
    TGBasePanel target;
    try {
        ReadObjectList(bytes, target);
        ADD_FAILURE() << "the damaged texture was read";
    } catch (const ReadError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("Error loading file!"))) << e.message().toStdString();
    }
    EXPECT_TRUE(target.Objects().isEmpty());
}

TEST(SuperText, MenuTicksAndCommands)
{
    ObjectRegistry();
    TGBasePanel panel;
    auto* text = new TGSuperText;
    panel.AddObject(text);
    MenuEntryList menu = text->PopupMenu();
    const QStringList captions = MenuCaptions(menu);
    const int base = captions.indexOf(QStringLiteral("Center Horizontally"));
    ASSERT_GE(base, 0);
    EXPECT_EQ(captions.mid(base + 1), (QStringList{"-", "Font", "Transparent", "Background Color", "Border",
                                                   "Properties"}));
    EXPECT_TRUE(FindMenuItem(menu, QStringLiteral("Transparent"))->checked);
    EXPECT_FALSE(FindMenuItem(menu, QStringLiteral("Border"))->checked);
    FindMenuItem(menu, QStringLiteral("Border"))->action();
    FindMenuItem(menu, QStringLiteral("Transparent"))->action();
    menu = text->PopupMenu();
    EXPECT_TRUE(FindMenuItem(menu, QStringLiteral("Border"))->checked);
    EXPECT_FALSE(FindMenuItem(menu, QStringLiteral("Transparent"))->checked);

    ObjectDialogHooks saved = ObjectDialogs();
    ObjectDialogs().chooseColor = [](TColor& c) {
        c = Bgr(10, 20, 30);
        return true;
    };
    text->SetControlTransparent(true);
    FindMenuItem(menu, QStringLiteral("Background Color"))->action();
    EXPECT_EQ(text->BGColor(), Bgr(10, 20, 30));
    EXPECT_FALSE(text->ControlTransparent());
    ObjectDialogs().chooseScalableFont = [](TFont& f) {
        f.SetName(QStringLiteral("Times New Roman"));
        f.SetSize(20);
        return true;
    };
    FindMenuItem(menu, QStringLiteral("Font"))->action();
    EXPECT_EQ(text->Font()->Name(), QStringLiteral("Times New Roman"));
    EXPECT_TRUE(text->LayoutDirty());
    // The character set follows the face a font dialog gives.
    text->Font()->SetCharset(SYMBOL_CHARSET);
    FindMenuItem(menu, QStringLiteral("Font"))->action();
    EXPECT_EQ(text->Font()->Charset(), DEFAULT_CHARSET);
    ObjectDialogs() = saved;

    // A width or height of 0 becomes 1.
    text->SetBounds(QRect(10, 10, 0, -4));
    EXPECT_EQ(text->Bounds(), QRect(10, 10, 1, 1));
}

TEST(SuperText, PropertiesDialogCopiesInAndTakesBackTheLook)
{
    TGSuperText* source = Everything(QStringLiteral("x"));
    TGSuperText copy;
    copy.CopyFrom(*source);
    EXPECT_EQ(copy.Caption(), source->Caption());
    EXPECT_TRUE(*copy.Font() == *source->Font());
    EXPECT_EQ(copy.Bounds().size(), source->Bounds().size());
    EXPECT_EQ(copy.Image()->Image(), source->Image()->Image());
    EXPECT_EQ(copy.OutlineStyle(), psDashDot);
    EXPECT_EQ(copy.BGColor(), source->BGColor());
    EXPECT_FALSE(copy.ControlTransparent());

    ObjectRegistry();
    TGBasePanel panel;
    auto* target = new TGSuperText;
    panel.AddObject(target);
    target->SetBounds(QRect(5, 5, 300, 200));
    int changes = 0;
    QObject::connect(&panel, &TGBasePanel::LabelChangedEvent, [&] { ++changes; });
    ObjectDialogHooks saved = ObjectDialogs();
    QString seenPath;
    ObjectDialogs().editSuperText = [&](const TGSuperText& object, TGSuperText& edited, QString& path) {
        EXPECT_EQ(&object, target);
        seenPath = path;
        edited.CopyFrom(*source);
        path = QStringLiteral("/tmp/new.bmp");
        return true;
    };
    target->SetLastBitmapFileNameandPath(QStringLiteral("/tmp/old.bmp"));
    target->EditProperties();
    EXPECT_EQ(seenPath, QStringLiteral("/tmp/old.bmp"));
    EXPECT_EQ(target->LastBitmapFileNameandPath(), QStringLiteral("/tmp/new.bmp"));
    EXPECT_EQ(target->Caption(), source->Caption());
    EXPECT_EQ(target->SurfaceType(), stBrushImage);
    EXPECT_FALSE(target->Image()->IsEmpty());
    EXPECT_EQ(target->ShadowDepth(), 5);
    EXPECT_TRUE(*target->Font() == *source->Font());
    // Background, transparency, frame and size are not taken back.
    EXPECT_TRUE(target->ControlTransparent());
    EXPECT_EQ(target->BorderStyle(), bsNone);
    EXPECT_EQ(target->BGColor(), 0xFFFFFF);
    EXPECT_GT(changes, 0);

    // Cancel leaves the object alone.
    ObjectDialogs().editSuperText = [&](const TGSuperText&, TGSuperText& edited, QString&) {
        edited.SetCaption(QStringLiteral("never"));
        return false;
    };
    target->EditProperties();
    EXPECT_EQ(target->Caption(), source->Caption());
    ObjectDialogs() = saved;
    delete source;
}

TEST(SuperText, FitToTextSizesAroundTheText)
{
    TGSuperText text;
    text.SetBounds(QRect(0, 0, 100, 100));
    text.SetShadowOrientation(sdDownRight);
    text.SetShadowDepth(4);
    EXPECT_TRUE(text.FitToText());
    const QFontMetrics fm(text.DeviceFont(At(1.0f)));
    const int a = fm.horizontalAdvance(QStringLiteral("Text")), b = fm.height();
    EXPECT_EQ(text.Layout().TextLeft, 9);  // the shadow starts 4 pixels right of the text
    EXPECT_EQ(text.Width(), int(9 + 1.2 * a));
    // Transparent and borderless: the layout step has the last word.
    text.MarkDirty();
    text.RecalcLayout();
    EXPECT_EQ(text.Height(), int(1.2 * (b + 4)));
    // A fitted object shows its whole caption.
    EXPECT_EQ(TGSuperText::FitText(text.DrawnText(), text.DeviceFont(At(1.0f)),
                                   text.Width() - text.Layout().TextLeft),
              QStringLiteral("Text"));
}

TEST(SuperText, SymbolFontsAreFoundByTheirCharacterMap)
{
    // cmap with a Unicode (3, 1) and a symbol (3, 0) table record.
    QByteArray cmap(4 + 16, '\0');
    qToBigEndian<quint16>(2, cmap.data() + 2);
    qToBigEndian<quint16>(3, cmap.data() + 4);
    qToBigEndian<quint16>(1, cmap.data() + 6);
    EXPECT_FALSE(SymbolFonts::HasSymbolCharacterMap(cmap));
    qToBigEndian<quint16>(3, cmap.data() + 12);
    qToBigEndian<quint16>(0, cmap.data() + 14);
    EXPECT_TRUE(SymbolFonts::HasSymbolCharacterMap(cmap));
    EXPECT_FALSE(SymbolFonts::HasSymbolCharacterMap(cmap.left(13)));  // the record is cut off
    qToBigEndian<quint16>(60000, cmap.data() + 2);                     // a count past the table
    EXPECT_TRUE(SymbolFonts::HasSymbolCharacterMap(cmap));

    EXPECT_EQ(SymbolFonts::DrawnText(QStringLiteral("n ")), QString(QChar(0xF06E)) + QChar(0xF020));
    EXPECT_EQ(SymbolFonts::DrawnText(QString(QChar(0x20AC))), QString(QChar(0xF080)));  // the euro is 0x80
    EXPECT_EQ(SymbolFonts::CharacterOf(0x80), QString(QChar(0x20AC)));
    EXPECT_FALSE(SymbolFonts::IsSymbolFont(QStringLiteral("Arial")));

    if (!HasWineSymbolFonts())
        GTEST_SKIP() << "fonts-wine is not installed";
    const QStringList families = SymbolFonts::Families();
    EXPECT_TRUE(families.contains(QStringLiteral("Wingdings")));
    EXPECT_TRUE(families.contains(QStringLiteral("Webdings")));
    EXPECT_FALSE(families.contains(QStringLiteral("Liberation Sans")));

    // A filled square of Wingdings (code 0x6E) filled with the gradient.
    TGSuperText text;
    text.Font()->SetName(QStringLiteral("Wingdings"));
    text.SetCaption(SymbolFonts::CharacterOf(0x6E));
    text.SetOutlineStyle(psClear);
    text.SetBounds(QRect(0, 0, 120, 100));
    text.RecalcLayout();
    EXPECT_EQ(text.DrawnText(), QString(QChar(0xF06E)));
    const QImage image = Render(text);
    EXPECT_GT(Interior(image).size(), 900);
}

TEST(SuperText, CloneKeepsTheTextureAndTheLook)
{
    ObjectRegistry();
    QObject owner;
    auto* panel = new TGBasePanel(&owner);
    TGSuperText* text = Everything(QStringLiteral("Special1"));
    panel->AddObject(text);
    auto* clone = qobject_cast<TGSuperText*>(panel->Clone(text));
    ASSERT_TRUE(clone);
    ASSERT_NE(clone, text);
    EXPECT_EQ(clone->Top(), text->Top() + 25);
    EXPECT_EQ(clone->Image()->Image(), text->Image()->Image());
    EXPECT_EQ(clone->Caption(), text->Caption());
    EXPECT_EQ(clone->OutlineStyle(), text->OutlineStyle());
    EXPECT_TRUE(*clone->Font() == *text->Font());
}
