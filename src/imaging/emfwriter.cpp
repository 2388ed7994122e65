#include "imaging/emfwriter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <vector>

#include <QPaintEngine>
#include <QPainter>
#include <QPainterPathStroker>
#include <QPixmap>
#include <QtEndian>

extern "C" {
#include <uemf.h>
}

namespace dayloom {

namespace {

constexpr double kUnits = EmfPaintDevice::kUnitsPerPixel;
constexpr quint32 kBrushSlot = 1;
constexpr quint32 kNullBrush = 0x80000005;
constexpr quint32 kNullPen = 0x80000008;
constexpr int kHalftone = 4;
constexpr int kTransparentBk = 1;
// A small shape drawn in a translucent colour is rendered into a bitmap
// with smoothed edges at the picture's resolution, while that bitmap holds
// at most kMaxItemPixels and the metafile's budget lasts. Larger ones, and
// translucent gradients and patterns, are drawn as a small bitmap of their
// colours stretched over the shape under a clip to it. Pictures inside the
// drawing are kept up to kMaxImagePixels.
constexpr double kMaxItemPixels = 16'384;
constexpr double kMaxBitmapScale = 1.0;
constexpr double kMaxImagePixels = 1'000'000;
// Longest side of the stretched bitmap of a brush.
constexpr int kBrushBitmapSide = 96;
// Samples of a linear gradient's colour ramp.
constexpr int kRampSamples = 256;
// Bands of a gradient: at most this many per gradient length, and in all.
constexpr int kBandsPerRun = 256;
constexpr int kMaxBands = 1024;

// Bands per unit of a gradient that is this many device pixels long: about
// one a pixel, from 2 to kBandsPerRun (huge and undefined lengths included).
int bandsPerUnit(double pixels)
{
    if (!(pixels > 2))
        return 2;
    return pixels >= kBandsPerRun ? kBandsPerRun : int(std::ceil(pixels));
}

// How many bands cover `units` of a gradient at perUnit bands each: at
// least one, at most kMaxBands.
int bandCount(double units, int perUnit)
{
    const double n = std::ceil(units * perUnit);
    if (!(n > 1))
        return 1;
    return n >= kMaxBands ? kMaxBands : int(n);
}
// Coordinates beyond this many device units are not drawn.
constexpr double kFarUnits = 1e9;

const char kCommentId[4] = {'D', 'L', 'V', 'A'};
constexpr quint32 kCommentVersion = 1;

U_COLORREF ColorRef(QRgb c)
{
    return colorref3_set(uint8_t(qRed(c)), uint8_t(qGreen(c)), uint8_t(qBlue(c)));
}

bool Finite(const QRectF& r)
{
    return std::isfinite(r.x()) && std::isfinite(r.y()) && std::isfinite(r.width())
        && std::isfinite(r.height());
}

bool Usable(const QTransform& t)
{
    const double d = t.determinant();
    return std::isfinite(t.m11()) && std::isfinite(t.m12()) && std::isfinite(t.m21())
        && std::isfinite(t.m22()) && std::isfinite(t.dx()) && std::isfinite(t.dy())
        && std::isfinite(d) && std::abs(d) > 1e-18 && t.type() != QTransform::TxProject;
}

qint32 Unit(double px)
{
    return qint32(std::lround(std::clamp(px * kUnits, -kFarUnits, kFarUnits)));
}

U_POINTL PointL(const QPointF& px)
{
    return point32_set(Unit(px.x()), Unit(px.y()));
}

U_RECTL RectL(const QRectF& px)
{
    return rectl_set(PointL(px.topLeft()), PointL(px.bottomRight()));
}

QRgb Opaque(const QColor& c)
{
    return qRgb(c.red(), c.green(), c.blue());
}

// The colour of a gradient at t, its spread applied.
QColor ColorAt(const QGradientStops& stops, QGradient::Spread spread, double t)
{
    if (stops.isEmpty())
        return Qt::black;
    if (spread == QGradient::RepeatSpread) {
        t -= std::floor(t);
    } else if (spread == QGradient::ReflectSpread) {
        t = std::fmod(std::abs(t), 2.0);
        if (t > 1)
            t = 2 - t;
    }
    if (t <= stops.first().first)
        return stops.first().second;
    if (t >= stops.last().first)
        return stops.last().second;
    for (qsizetype i = 1; i < stops.size(); ++i) {
        const auto& a = stops.at(i - 1);
        const auto& b = stops.at(i);
        if (t <= b.first) {
            const double span = b.first - a.first;
            const double f = span > 0 ? (t - a.first) / span : 1.0;
            auto mix = [f](int x, int y) { return int(std::lround(x + (y - x) * f)); };
            return QColor(mix(a.second.red(), b.second.red()), mix(a.second.green(), b.second.green()),
                          mix(a.second.blue(), b.second.blue()),
                          mix(a.second.alpha(), b.second.alpha()));
        }
    }
    return stops.last().second;
}

bool StopsOpaque(const QGradient& g)
{
    for (const auto& stop : g.stops())
        if (stop.second.alpha() != 255)
            return false;
    return true;
}

}  // namespace

class EmfPaintEngine : public QPaintEngine {
public:
    explicit EmfPaintEngine(const QSize& size)
        : QPaintEngine(AllFeatures), FSize(size), FFrame(0, 0, size.width(), size.height())
    {
    }

    QByteArray Bytes() const { return FBytes; }
    void SetBudget(qint64 pixels) { FBudget = std::max<qint64>(0, pixels); }

    bool begin(QPaintDevice*) override;
    bool end() override;
    void updateState(const QPaintEngineState&) override {}
    Type type() const override { return QPaintEngine::User; }

    void drawPath(const QPainterPath& path) override;
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
    void drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) override;
    void drawRects(const QRectF* rects, int count) override;
    void drawRects(const QRect* rects, int count) override;
    void drawLines(const QLineF* lines, int count) override;
    void drawLines(const QLine* lines, int count) override;
    void drawEllipse(const QRectF& r) override;
    void drawEllipse(const QRect& r) override { drawEllipse(QRectF(r)); }
    void drawPoints(const QPointF* points, int count) override;
    void drawPoints(const QPoint* points, int count) override;
    void drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr) override;
    void drawImage(const QRectF& r, const QImage& image, const QRectF& sr,
                   Qt::ImageConversionFlags flags) override;
    void drawTiledPixmap(const QRectF& r, const QPixmap& pixmap, const QPointF& s) override;

private:
    // Records
    void Add(char* record);
    void AddComment(const QByteArray& data);
    void EmitPath(const QPainterPath& px);
    void SetFillMode(Qt::FillRule rule);
    void SelectBrush(QRgb color);
    void ReleaseBrush();
    void SaveDC();
    void RestoreDC();
    void EnsureClip(const std::optional<QPainterPath>& clip);

    // Drawing
    bool CurrentClip(const QTransform& t, std::optional<QPainterPath>* clip) const;
    void DrawShape(const QPainterPath& logical, bool fill, bool stroke);
    void Fill(const QPainterPath& logical, const QBrush& brush, const QTransform& t);
    void SolidFill(const QPainterPath& px, QRgb color);
    void ClippedAlphaFill(const QPainterPath& px, const QColor& color, double opacity);
    bool GradientFill(const QPainterPath& px, const QBrush& brush, const QTransform& t,
                      const QRectF& logicalBox);
    void StretchedBrushFill(const QPainterPath& px, const QBrush& brush, const QTransform& t,
                            const QRectF& logicalBox, const std::optional<QPainterPath>& clip);
    bool GradientToPixels(const QBrush& brush, const QTransform& t, const QRectF& logicalBox,
                          QTransform* toPx) const;
    bool RasterFill(const QPainterPath& logical, const QBrush& brush, const QTransform& t,
                    const std::optional<QPainterPath>& clip);
    void AlphaBitmap(const QImage& premultiplied, const QRectF& px, double opacity);
    void Image(const QRectF& r, const QImage& image, const QRectF& sr);

    QSize FSize;
    QRectF FFrame;
    QByteArray FBytes;
    quint32 FRecords = 0;
    qint64 FBudget = 1'000'000;
    bool FBrushSelected = false;
    QRgb FBrushColor = 0;
    int FFillMode = -1;
    int FSaveDepth = 0;
    std::optional<QPainterPath> FClip;  // the clip the records have selected
};

// ----- records ----------------------------------------------------------------

void EmfPaintEngine::Add(char* record)
{
    if (!record)
        return;
    const auto* emr = reinterpret_cast<const U_EMR*>(record);
    FBytes.append(record, qsizetype(emr->nSize));
    ++FRecords;
    std::free(record);
}

void EmfPaintEngine::AddComment(const QByteArray& data)
{
    Add(U_EMRCOMMENT_set(U_CBDATA(data.size()), data.constData()));
}

void EmfPaintEngine::SetFillMode(Qt::FillRule rule)
{
    const int mode = rule == Qt::WindingFill ? U_WINDING : U_ALTERNATE;
    if (mode == FFillMode)
        return;
    Add(U_EMRSETPOLYFILLMODE_set(uint32_t(mode)));
    FFillMode = mode;
}

void EmfPaintEngine::SelectBrush(QRgb color)
{
    if (FBrushSelected && FBrushColor == color)
        return;
    ReleaseBrush();
    const U_LOGBRUSH lb = logbrush_set(U_BS_SOLID, ColorRef(color), 0);
    Add(U_EMRCREATEBRUSHINDIRECT_set(kBrushSlot, lb));
    Add(U_EMRSELECTOBJECT_set(kBrushSlot));
    FBrushSelected = true;
    FBrushColor = color;
}

void EmfPaintEngine::ReleaseBrush()
{
    if (!FBrushSelected)
        return;
    Add(U_EMRSELECTOBJECT_set(kNullBrush));
    Add(U_EMRDELETEOBJECT_set(kBrushSlot));
    FBrushSelected = false;
}

// A saved state holds the selected objects; a brush is never selected
// across a save or a restore, so that no restore selects a deleted one.
void EmfPaintEngine::SaveDC()
{
    ReleaseBrush();
    Add(U_EMRSAVEDC_set());
    ++FSaveDepth;
}

void EmfPaintEngine::RestoreDC()
{
    ReleaseBrush();
    Add(U_EMRRESTOREDC_set(-1));
    --FSaveDepth;
    FFillMode = -1;  // the restore brings back the mode of the save
}

void EmfPaintEngine::EmitPath(const QPainterPath& px)
{
    Add(U_EMRBEGINPATH_set());
    std::vector<U_POINTL> run;
    enum class Run { None, Line, Curve } kind = Run::None;
    QPointF start, last;
    bool figure = false;
    auto flush = [&] {
        if (run.empty())
            return;
        qint32 l = run[0].x, t = run[0].y, r = l, b = t;
        for (const U_POINTL& p : run) {
            l = std::min(l, p.x);
            r = std::max(r, p.x);
            t = std::min(t, p.y);
            b = std::max(b, p.y);
        }
        const U_RECTL bounds = rectl_set(point32_set(l, t), point32_set(r, b));
        const auto count = uint32_t(run.size());
        Add(kind == Run::Line ? U_EMRPOLYLINETO_set(bounds, count, run.data())
                              : U_EMRPOLYBEZIERTO_set(bounds, count, run.data()));
        run.clear();
    };
    auto endFigure = [&] {
        flush();
        if (figure && last == start)
            Add(U_EMRCLOSEFIGURE_set());
        figure = false;
    };
    const int n = px.elementCount();
    for (int i = 0; i < n; ++i) {
        const QPainterPath::Element e = px.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            endFigure();
            Add(U_EMRMOVETOEX_set(PointL(e)));
            start = last = e;
            figure = true;
            break;
        case QPainterPath::LineToElement:
            if (kind != Run::Line)
                flush();
            kind = Run::Line;
            run.push_back(PointL(e));
            last = e;
            break;
        case QPainterPath::CurveToElement:
            if (kind != Run::Curve)
                flush();
            kind = Run::Curve;
            run.push_back(PointL(e));
            for (int k = 1; k <= 2 && i + 1 < n; ++k) {
                const QPainterPath::Element d = px.elementAt(++i);
                run.push_back(PointL(d));
                last = d;
            }
            // A curve cut short by a damaged path ends with its last point.
            while (run.size() % 3)
                run.push_back(run.back());
            break;
        case QPainterPath::CurveToDataElement:
            break;
        }
    }
    endFigure();
    Add(U_EMRENDPATH_set());
}

void EmfPaintEngine::EnsureClip(const std::optional<QPainterPath>& clip)
{
    if (clip.has_value() == FClip.has_value() && (!clip || *clip == *FClip))
        return;
    if (FClip)
        RestoreDC();
    FClip.reset();
    if (!clip)
        return;
    SaveDC();
    SetFillMode(clip->fillRule());
    EmitPath(*clip);
    Add(U_EMRSELECTCLIPPATH_set(U_RGN_COPY));
    FClip = clip;
}

// ----- begin and end -----------------------------------------------------------

bool EmfPaintEngine::begin(QPaintDevice*)
{
    FBytes.clear();
    FRecords = 0;
    FBrushSelected = false;
    FFillMode = -1;
    FSaveDepth = 0;
    FClip.reset();
    const int w = std::max(1, FSize.width()), h = std::max(1, FSize.height());
    const U_RECTL bounds = rectl_set(point32_set(0, 0),
                                     point32_set(Unit(w) - 1, Unit(h) - 1));
    const U_RECTL frame = rectl_set(point32_set(0, 0),
                                    point32_set(qint32(std::lround(w * 2540.0 / 96)),
                                                qint32(std::lround(h * 2540.0 / 96))));
    // A reference device of 12000 x 12000 pixels on 254 mm: 1200 per inch.
    Add(U_EMRHEADER_set(bounds, frame, nullptr, 0, nullptr, sizel_set(12000, 12000),
                        sizel_set(254, 254), 0));
    QByteArray comment(kCommentId, 4);
    char version[4];
    qToLittleEndian<quint32>(kCommentVersion, version);
    comment.append(version, 4);
    AddComment(comment);
    Add(U_EMRSETBKMODE_set(kTransparentBk));
    Add(U_EMRSETSTRETCHBLTMODE_set(kHalftone));
    Add(U_EMRSELECTOBJECT_set(kNullPen));
    Add(U_EMRSELECTOBJECT_set(kNullBrush));
    return true;
}

bool EmfPaintEngine::end()
{
    EnsureClip(std::nullopt);
    ReleaseBrush();
    while (FSaveDepth > 0)
        RestoreDC();
    // The end-of-file record: no palette, its own size repeated at the end.
    QByteArray eof(20, '\0');
    qToLittleEndian<quint32>(U_EMR_EOF, eof.data());
    qToLittleEndian<quint32>(20, eof.data() + 4);
    qToLittleEndian<quint32>(0, eof.data() + 8);
    qToLittleEndian<quint32>(16, eof.data() + 12);
    qToLittleEndian<quint32>(20, eof.data() + 16);
    FBytes.append(eof);
    ++FRecords;
    // Header: total bytes, records, handles (slot 0 is reserved).
    qToLittleEndian<quint32>(quint32(FBytes.size()), FBytes.data() + 48);
    qToLittleEndian<quint32>(FRecords, FBytes.data() + 52);
    qToLittleEndian<quint16>(quint16(kBrushSlot + 1), FBytes.data() + 56);
    return true;
}

// ----- what is drawn -----------------------------------------------------------

bool EmfPaintEngine::CurrentClip(const QTransform& t, std::optional<QPainterPath>* clip) const
{
    clip->reset();
    QPainter* p = painter();
    if (!p || !p->hasClipping())
        return true;
    QPainterPath path = t.map(p->clipPath());
    if (path.isEmpty() || !Finite(path.boundingRect()))
        return false;  // clipped away
    path = path.intersected([this] {
        QPainterPath frame;
        frame.addRect(FFrame);
        return frame;
    }());
    if (path.isEmpty())
        return false;
    *clip = path;
    return true;
}

void EmfPaintEngine::drawPath(const QPainterPath& path)
{
    DrawShape(path, true, true);
}

void EmfPaintEngine::DrawShape(const QPainterPath& logical, bool fill, bool stroke)
{
    QPainter* p = painter();
    if (!p || logical.isEmpty())
        return;
    const QTransform t = p->combinedTransform();
    if (!Usable(t) || p->opacity() <= 0)
        return;
    if (fill && p->brush().style() != Qt::NoBrush)
        Fill(logical, p->brush(), t);
    const QPen pen = p->pen();
    if (!stroke || pen.style() == Qt::NoPen || pen.brush().style() == Qt::NoBrush)
        return;
    QPainterPathStroker stroker;
    stroker.setCapStyle(pen.capStyle());
    stroker.setJoinStyle(pen.joinStyle());
    stroker.setMiterLimit(pen.miterLimit());
    if (pen.style() != Qt::SolidLine) {
        stroker.setDashPattern(pen.dashPattern());
        stroker.setDashOffset(pen.dashOffset());
    }
    if (pen.isCosmetic() || pen.widthF() <= 0) {
        // A cosmetic pen is as wide in pixels whatever the transform.
        stroker.setWidth(pen.widthF() > 0 ? pen.widthF() : 1.0);
        const QPainterPath outline = stroker.createStroke(t.map(logical));
        Fill(outline, pen.brush(), QTransform());
    } else {
        stroker.setWidth(pen.widthF());
        QPainterPath outline = stroker.createStroke(logical);
        outline.setFillRule(Qt::WindingFill);
        Fill(outline, pen.brush(), t);
    }
}

void EmfPaintEngine::Fill(const QPainterPath& logical, const QBrush& brush, const QTransform& t)
{
    QPainter* p = painter();
    const double opacity = p ? std::clamp(p->opacity(), 0.0, 1.0) : 1.0;
    QPainterPath px = t.map(logical);
    px.setFillRule(logical.fillRule());
    const QRectF box = px.boundingRect();
    if (!Finite(box) || !box.intersects(FFrame) || std::abs(box.left()) * kUnits > kFarUnits
        || std::abs(box.right()) * kUnits > kFarUnits || std::abs(box.top()) * kUnits > kFarUnits
        || std::abs(box.bottom()) * kUnits > kFarUnits)
        return;
    std::optional<QPainterPath> clip;
    // The clip lives in the painter's coordinates whatever t maps.
    if (!CurrentClip(p ? p->combinedTransform() : QTransform(), &clip))
        return;
    if (clip && !clip->boundingRect().intersects(box))
        return;

    switch (brush.style()) {
    case Qt::NoBrush:
        return;
    case Qt::SolidPattern: {
        const double alpha = brush.color().alphaF() * opacity;
        if (alpha <= 0)
            return;
        EnsureClip(clip);
        if (alpha >= 0.999) {
            SolidFill(px, Opaque(brush.color()));
        } else if (!RasterFill(logical, brush, t, clip)) {
            ClippedAlphaFill(px, brush.color(), opacity);
        }
        return;
    }
    case Qt::LinearGradientPattern:
    case Qt::RadialGradientPattern:
        EnsureClip(clip);
        if (opacity >= 0.999 && StopsOpaque(*brush.gradient())
            && GradientFill(px, brush, t, logical.boundingRect()))
            return;
        StretchedBrushFill(px, brush, t, logical.boundingRect(), clip);
        return;
    default:
        EnsureClip(clip);
        if (!RasterFill(logical, brush, t, clip))
            StretchedBrushFill(px, brush, t, logical.boundingRect(), clip);
        return;
    }
}

void EmfPaintEngine::SolidFill(const QPainterPath& px, QRgb color)
{
    SetFillMode(px.fillRule());
    SelectBrush(color);
    EmitPath(px);
    Add(U_EMRFILLPATH_set(RectL(px.boundingRect())));
}

void EmfPaintEngine::ClippedAlphaFill(const QPainterPath& px, const QColor& color, double opacity)
{
    QImage dot(1, 1, QImage::Format_ARGB32_Premultiplied);
    QColor c = color;
    c.setAlphaF(float(color.alphaF() * opacity));
    dot.fill(c);
    SaveDC();
    SetFillMode(px.fillRule());
    EmitPath(px);
    Add(U_EMRSELECTCLIPPATH_set(U_RGN_AND));
    AlphaBitmap(dot, px.boundingRect(), 1.0);
    RestoreDC();
}

bool EmfPaintEngine::GradientFill(const QPainterPath& px, const QBrush& brush, const QTransform& t,
                                  const QRectF& logicalBox)
{
    const QGradient* g = brush.gradient();
    if (!g || (g->type() != QGradient::LinearGradient && g->type() != QGradient::RadialGradient))
        return false;
    QTransform toPx;
    if (!GradientToPixels(brush, t, logicalBox, &toPx))
        return false;
    const QTransform box(logicalBox.width(), 0, 0, logicalBox.height(), logicalBox.x(),
                         logicalBox.y());
    const QTransform fromPx = toPx.inverted();
    const QGradientStops stops = g->stops();
    const QGradient::Spread spread = g->spread();
    const QRectF area = px.boundingRect().adjusted(-1, -1, 1, 1);
    const QPolygonF corners = fromPx.map(QPolygonF(area));

    SaveDC();
    SetFillMode(px.fillRule());
    EmitPath(px);
    Add(U_EMRSELECTCLIPPATH_set(U_RGN_AND));

    if (g->type() == QGradient::LinearGradient) {
        const auto* lg = static_cast<const QLinearGradient*>(g);
        const QPointF s = lg->start(), f = lg->finalStop();
        const QPointF d = f - s;
        const double len2 = QPointF::dotProduct(d, d);
        const double len = std::sqrt(len2);
        const QPointF n(-d.y() / len, d.x() / len);
        double t0 = 1e300, t1 = -1e300, v0 = 1e300, v1 = -1e300;
        for (const QPointF& c : corners) {
            const double tc = QPointF::dotProduct(c - s, d) / len2;
            const double vc = QPointF::dotProduct(c - s, n);
            t0 = std::min(t0, tc);
            t1 = std::max(t1, tc);
            v0 = std::min(v0, vc);
            v1 = std::max(v1, vc);
        }
        // A gradient without a direction, or one whose bands cannot be
        // measured, shows one colour.
        if (len2 < 1e-18 || !std::isfinite(t0) || !std::isfinite(t1) || !std::isfinite(v0) ||
            !std::isfinite(v1)) {
            SolidFill(px, Opaque(ColorAt(stops, spread, 1.0)));
        } else {
            // Bands about one pixel wide along the gradient, 256 at most per
            // run of the colours and 1024 in all.
            const double pxLength = QLineF(toPx.map(s), toPx.map(f)).length();
            int perUnit = bandsPerUnit(pxLength);
            double a = t0, b = t1;
            if (spread == QGradient::PadSpread) {
                a = std::max(t0, 0.0);
                b = std::min(t1, 1.0);
            }
            if (b > a && (b - a) * perUnit > kMaxBands)
                perUnit = std::max(1, int(kMaxBands / (b - a)));
            auto band = [&](double ta, double tb, const QColor& color) {
                const QPolygonF quad{s + d * ta + n * v0, s + d * tb + n * v0,
                                     s + d * tb + n * v1, s + d * ta + n * v1};
                QPainterPath q;
                q.addPolygon(toPx.map(quad));
                q.closeSubpath();
                SelectBrush(Opaque(color));
                EmitPath(q);
                Add(U_EMRFILLPATH_set(RectL(q.boundingRect())));
            };
            if (spread == QGradient::PadSpread) {
                if (t0 < 0)
                    band(t0, std::min(0.0, t1), ColorAt(stops, spread, 0));
                if (t1 > 1)
                    band(std::max(1.0, t0), t1, ColorAt(stops, spread, 1));
            }
            if (b > a) {
                const int count = bandCount(b - a, perUnit);
                // Each band reaches a pixel into the next, which covers it,
                // so that smoothed edges leave no seams.
                const double overlap = pxLength > 0 ? 1.0 / pxLength : 0;
                for (int i = 0; i < count; ++i) {
                    const double ta = a + (b - a) * i / count;
                    const double tb = a + (b - a) * (i + 1) / count;
                    band(ta, i + 1 < count ? tb + overlap : tb,
                         ColorAt(stops, spread, (ta + tb) / 2));
                }
            }
        }
    } else {
        const auto* rg = static_cast<const QRadialGradient*>(g);
        const QPointF c = rg->center(), f = rg->focalPoint();
        const double r = rg->radius();
        double farthest = 0;
        for (const QPointF& corner : corners)
            farthest = std::max(farthest, QLineF(f, corner).length());
        if (!(r > 0) || !std::isfinite(r) || !std::isfinite(farthest)) {
            SolidFill(px, Opaque(ColorAt(stops, spread, 1.0)));
        } else {
            // The circle of t has its centre on the line from the focal point
            // to the centre and radius r t; larger circles go first.
            double tMax = 1.0;
            if (spread != QGradient::PadSpread)
                tMax = std::max(1.0, (farthest + QLineF(f, c).length()) / r + 0.01);
            if (!std::isfinite(tMax))
                tMax = 1.0;  // a radius too small to repeat over the shape
            const double pxRadius = std::max(QLineF(toPx.map(c), toPx.map(c + QPointF(r, 0))).length(),
                                             QLineF(toPx.map(c), toPx.map(c + QPointF(0, r))).length());
            int perUnit = bandsPerUnit(pxRadius);
            if (tMax * perUnit > kMaxBands)
                perUnit = std::max(1, int(kMaxBands / tMax));
            QPainterPath all;
            all.addRect(area);
            SolidFill(all, Opaque(ColorAt(stops, spread, tMax)));
            SetFillMode(Qt::OddEvenFill);
            const int count = bandCount(tMax, perUnit);
            for (int i = count; i >= 1; --i) {
                const double tb = tMax * i / count;
                const double ta = tMax * (i - 1) / count;
                const QPointF centre = f + (c - f) * tb;
                QPainterPath circle;
                circle.addEllipse(centre, r * tb, r * tb);
                const QPainterPath mapped = toPx.map(circle);
                SelectBrush(Opaque(ColorAt(stops, spread, (ta + tb) / 2)));
                EmitPath(mapped);
                Add(U_EMRFILLPATH_set(RectL(mapped.boundingRect())));
            }
        }
    }
    RestoreDC();
    return true;
}

// Gradient space -> logical -> pixels, as QPainter maps a gradient brush.
bool EmfPaintEngine::GradientToPixels(const QBrush& brush, const QTransform& t,
                                      const QRectF& logicalBox, QTransform* toPx) const
{
    const QGradient* g = brush.gradient();
    if (!g)
        return false;
    QTransform toLogical = brush.transform();
    const QTransform box(logicalBox.width(), 0, 0, logicalBox.height(), logicalBox.x(),
                         logicalBox.y());
    switch (g->coordinateMode()) {
    case QGradient::ObjectMode:
        toLogical = brush.transform() * box;
        break;
    case QGradient::ObjectBoundingMode:
        toLogical = box * brush.transform();
        break;
    case QGradient::StretchToDeviceMode:
        toLogical = brush.transform() * QTransform(FFrame.width(), 0, 0, FFrame.height(), 0, 0)
            * t.inverted();
        break;
    case QGradient::LogicalMode:
        break;
    }
    if (QPainter* p = painter())
        toLogical *= QTransform::fromTranslate(p->brushOrigin().x(), p->brushOrigin().y());
    *toPx = toLogical * t;
    return Usable(*toPx);
}

// The brush's colours as a small bitmap stretched over the shape, under a
// clip to the shape: a linear gradient as a ramp of colours along its
// direction, anything else as a bitmap of the shape's box at low resolution.
void EmfPaintEngine::StretchedBrushFill(const QPainterPath& px, const QBrush& brush,
                                        const QTransform& t, const QRectF& logicalBox,
                                        const std::optional<QPainterPath>& clip)
{
    QPainter* source = painter();
    const double opacity = source ? std::clamp(source->opacity(), 0.0, 1.0) : 1.0;
    QRectF area = px.boundingRect() & FFrame;
    if (clip)
        area &= clip->boundingRect();
    if (area.isEmpty())
        return;
    SaveDC();
    SetFillMode(px.fillRule());
    EmitPath(px);
    Add(U_EMRSELECTCLIPPATH_set(U_RGN_AND));
    QTransform toPx;
    const QGradient* g = brush.gradient();
    if (g && g->type() == QGradient::LinearGradient
        && GradientToPixels(brush, t, logicalBox, &toPx)) {
        const auto* lg = static_cast<const QLinearGradient*>(g);
        const QPointF s = lg->start(), d = lg->finalStop() - lg->start();
        const double len2 = QPointF::dotProduct(d, d);
        const QPolygonF corners = toPx.inverted().map(QPolygonF(area.adjusted(-1, -1, 1, 1)));
        if (len2 > 1e-18) {
            const double len = std::sqrt(len2);
            const QPointF n(-d.y() / len, d.x() / len);
            double t0 = 1e300, t1 = -1e300, v0 = 1e300, v1 = -1e300;
            for (const QPointF& c : corners) {
                t0 = std::min(t0, QPointF::dotProduct(c - s, d) / len2);
                t1 = std::max(t1, QPointF::dotProduct(c - s, d) / len2);
                v0 = std::min(v0, QPointF::dotProduct(c - s, n));
                v1 = std::max(v1, QPointF::dotProduct(c - s, n));
            }
            const int samples = kRampSamples;
            QImage ramp(samples, 1, QImage::Format_ARGB32_Premultiplied);
            for (int i = 0; i < samples; ++i)
                ramp.setPixel(i, 0, qPremultiply(ColorAt(g->stops(), g->spread(),
                                                         t0 + (t1 - t0) * (i + 0.5) / samples)
                                                     .rgba()));
            // Logical units: the ramp's pixels sixteen wide along the
            // gradient and one row sixteen high across it.
            const double a = (t1 - t0) / (samples * 16.0), b = (v1 - v0) / 16.0;
            const QPointF o = s + d * t0 + n * v0;
            const QTransform world = QTransform(d.x() * a, d.y() * a, n.x() * b, n.y() * b, o.x(),
                                                o.y())
                * toPx * QTransform::fromScale(kUnits, kUnits);
            if (Usable(world)) {
                Add(U_EMRSETWORLDTRANSFORM_set(
                    xform_set(float(world.m11()), float(world.m12()), float(world.m21()),
                              float(world.m22()), float(world.dx()), float(world.dy()))));
                AlphaBitmap(ramp, QRectF(0, 0, samples * 16 / kUnits, 16 / kUnits), opacity);
                Add(U_EMRMODIFYWORLDTRANSFORM_set(xform_set(1, 0, 0, 1, 0, 0), U_MWT_IDENTITY));
            }
        }
    } else {
        const QRect cells = area.toAlignedRect();
        const QSize size = cells.size().scaled(kBrushBitmapSide, kBrushBitmapSide,
                                               Qt::KeepAspectRatio).boundedTo(cells.size())
                               .expandedTo(QSize(1, 1));
        QImage img(size, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QBrush logicalBrush = brush;
        if (g && GradientToPixels(brush, t, logicalBox, &toPx)) {
            // The gradient in the painter's logical space, whatever box it
            // was relative to.
            QGradient copy = *g;
            copy.setCoordinateMode(QGradient::LogicalMode);
            logicalBrush = QBrush(copy);
            logicalBrush.setTransform(toPx * t.inverted());
        }
        {
            QPainter p(&img);
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            const QTransform toImage = QTransform::fromTranslate(-cells.left(), -cells.top())
                * QTransform::fromScale(double(size.width()) / cells.width(),
                                        double(size.height()) / cells.height());
            const QTransform all = t * toImage;
            p.setTransform(all);
            if (!g && source)
                p.setBrushOrigin(source->brushOrigin());
            QPainterPath cover;
            cover.addRect(QRectF(img.rect()));
            p.fillPath(all.inverted().map(cover), logicalBrush);
        }
        AlphaBitmap(img, QRectF(cells), opacity);
    }
    RestoreDC();
}

bool EmfPaintEngine::RasterFill(const QPainterPath& logical, const QBrush& brush,
                                const QTransform& t, const std::optional<QPainterPath>& clip)
{
    QRectF box = t.map(logical).boundingRect().adjusted(-1, -1, 1, 1) & FFrame;
    if (clip)
        box &= clip->boundingRect();
    if (box.isEmpty())
        return true;
    const QRect cells(QPoint(int(std::floor(box.left())), int(std::floor(box.top()))),
                      QPoint(int(std::ceil(box.right())) - 1, int(std::ceil(box.bottom())) - 1));
    const double area = double(cells.width()) * cells.height();
    const double scale = kMaxBitmapScale;
    if (area * scale * scale > kMaxItemPixels)
        return false;
    const int w = std::max(1, int(std::ceil(cells.width() * scale)));
    const int h = std::max(1, int(std::ceil(cells.height() * scale)));
    if (qint64(w) * h > FBudget)
        return false;
    FBudget -= qint64(w) * h;
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    if (img.isNull())
        return false;
    img.fill(Qt::transparent);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const QTransform toImage = QTransform::fromTranslate(-cells.left(), -cells.top())
            * QTransform::fromScale(double(w) / cells.width(), double(h) / cells.height());
        if (clip) {
            p.setTransform(toImage);
            p.setClipPath(*clip);
        }
        p.setTransform(t * toImage);
        if (QPainter* source = painter()) {
            p.setOpacity(source->opacity());
            p.setBrushOrigin(source->brushOrigin());
        }
        p.fillPath(logical, brush);
    }
    AlphaBitmap(img, QRectF(cells), 1.0);
    return true;
}

void EmfPaintEngine::AlphaBitmap(const QImage& source, const QRectF& px, double opacity)
{
    const QImage img = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = img.width(), h = img.height();
    if (w < 1 || h < 1)
        return;
    const uint32_t cbPx = uint32_t(w) * uint32_t(h) * 4;
    std::vector<char> bits(cbPx);
    for (int y = 0; y < h; ++y) {
        // Bottom-up rows of blue, green, red and alpha.
        const auto* s = reinterpret_cast<const QRgb*>(img.constScanLine(h - 1 - y));
        char* d = bits.data() + qsizetype(4) * w * y;
        for (int x = 0; x < w; ++x)
            qToLittleEndian<quint32>(s[x], d + 4 * x);
    }
    const U_BITMAPINFOHEADER bih =
        bitmapinfoheader_set(w, h, 1, 32, U_BI_RGB, cbPx, 0, 0, 0, 0);
    PU_BITMAPINFO bmi = bitmapinfo_set(bih, nullptr);
    const U_POINTL dest = PointL(px.topLeft());
    const U_POINTL size = point32_set(Unit(px.right()) - dest.x, Unit(px.bottom()) - dest.y);
    U_BLEND blend;
    blend.Operation = 0;
    blend.Flags = 0;
    blend.Global = uint8_t(std::clamp(std::lround(opacity * 255), 0L, 255L));
    blend.Op = U_AC_SRC_ALPHA;
    Add(U_EMRALPHABLEND_set(RectL(px), dest, size, point32_set(0, 0), point32_set(w, h),
                            xform_set(1, 0, 0, 1, 0, 0), ColorRef(0), U_DIB_RGB_COLORS, blend, bmi, cbPx,
                            bits.data()));
    std::free(bmi);
}

void EmfPaintEngine::Image(const QRectF& r, const QImage& image, const QRectF& srIn)
{
    QPainter* p = painter();
    if (!p || image.isNull() || r.isEmpty() || p->opacity() <= 0)
        return;
    const QTransform t = p->combinedTransform();
    if (!Usable(t))
        return;
    std::optional<QPainterPath> clip;
    if (!CurrentClip(t, &clip))
        return;
    const QRect sr = srIn.toAlignedRect() & image.rect();
    if (sr.isEmpty())
        return;
    QImage img = image.copy(sr);
    // Pictures beyond the budget of one bitmap are stored smaller.
    const double pixels = double(img.width()) * img.height();
    if (pixels > kMaxImagePixels) {
        const double f = std::sqrt(kMaxImagePixels / pixels);
        img = img.scaled(std::max(1, int(img.width() * f)), std::max(1, int(img.height() * f)),
                         Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    const QRectF px = t.mapRect(r);
    if (!Finite(px) || !px.intersects(FFrame))
        return;
    EnsureClip(clip);
    if (t.type() <= QTransform::TxScale && t.m11() > 0 && t.m22() > 0) {
        AlphaBitmap(img, px, p->opacity());
        return;
    }
    // Turned or mirrored: the picture is drawn into a box of its own
    // pixels, sixteen units each, mapped by a world transform.
    const int w = img.width() * 16, h = img.height() * 16;
    const QTransform world = QTransform::fromScale(r.width() / w, r.height() / h)
        * QTransform::fromTranslate(r.x(), r.y()) * t * QTransform::fromScale(kUnits, kUnits);
    Add(U_EMRSETWORLDTRANSFORM_set(xform_set(float(world.m11()), float(world.m12()),
                                             float(world.m21()), float(world.m22()),
                                             float(world.dx()), float(world.dy()))));
    const QRectF logical(0, 0, w / kUnits, h / kUnits);
    AlphaBitmap(img, logical, p->opacity());
    Add(U_EMRMODIFYWORLDTRANSFORM_set(xform_set(1, 0, 0, 1, 0, 0), U_MWT_IDENTITY));
}

void EmfPaintEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode)
{
    if (count < 2)
        return;
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points, points + count)));
    if (mode != PolylineMode)
        path.closeSubpath();
    path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
    DrawShape(path, mode != PolylineMode, true);
}

void EmfPaintEngine::drawPolygon(const QPoint* points, int count, PolygonDrawMode mode)
{
    QList<QPointF> f;
    f.reserve(count);
    for (int i = 0; i < count; ++i)
        f << QPointF(points[i]);
    drawPolygon(f.constData(), count, mode);
}

void EmfPaintEngine::drawRects(const QRectF* rects, int count)
{
    for (int i = 0; i < count; ++i) {
        QPainterPath path;
        path.addRect(rects[i]);
        DrawShape(path, true, true);
    }
}

void EmfPaintEngine::drawRects(const QRect* rects, int count)
{
    for (int i = 0; i < count; ++i) {
        const QRectF r(rects[i]);
        drawRects(&r, 1);
    }
}

void EmfPaintEngine::drawLines(const QLineF* lines, int count)
{
    for (int i = 0; i < count; ++i) {
        QPainterPath path(lines[i].p1());
        path.lineTo(lines[i].p2());
        DrawShape(path, false, true);
    }
}

void EmfPaintEngine::drawLines(const QLine* lines, int count)
{
    for (int i = 0; i < count; ++i) {
        const QLineF l(lines[i]);
        drawLines(&l, 1);
    }
}

void EmfPaintEngine::drawEllipse(const QRectF& r)
{
    QPainterPath path;
    path.addEllipse(r);
    DrawShape(path, true, true);
}

void EmfPaintEngine::drawPoints(const QPointF* points, int count)
{
    // A point is a line of no length: the pen's cap makes it visible.
    for (int i = 0; i < count; ++i) {
        QPainterPath path(points[i]);
        path.lineTo(points[i] + QPointF(1e-3, 0));
        DrawShape(path, false, true);
    }
}

void EmfPaintEngine::drawPoints(const QPoint* points, int count)
{
    for (int i = 0; i < count; ++i) {
        const QPointF pt(points[i]);
        drawPoints(&pt, 1);
    }
}

void EmfPaintEngine::drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr)
{
    Image(r, pm.toImage(), sr);
}

void EmfPaintEngine::drawImage(const QRectF& r, const QImage& image, const QRectF& sr,
                               Qt::ImageConversionFlags)
{
    Image(r, image, sr);
}

void EmfPaintEngine::drawTiledPixmap(const QRectF& r, const QPixmap& pixmap, const QPointF& s)
{
    QPainter* p = painter();
    if (!p || pixmap.isNull())
        return;
    QBrush brush(pixmap.toImage());
    brush.setTransform(QTransform::fromTranslate(r.x() - s.x(), r.y() - s.y()));
    QPainterPath path;
    path.addRect(r);
    std::optional<QPainterPath> clip;
    const QTransform t = p->combinedTransform();
    if (!Usable(t) || !CurrentClip(t, &clip))
        return;
    EnsureClip(clip);
    RasterFill(path, brush, t, clip);
}

// ----- the device ----------------------------------------------------------------

EmfPaintDevice::EmfPaintDevice(const QSize& size)
    : FSize(size.expandedTo(QSize(1, 1))), FEngine(std::make_unique<EmfPaintEngine>(FSize))
{
}

EmfPaintDevice::~EmfPaintDevice() = default;

QPaintEngine* EmfPaintDevice::paintEngine() const
{
    return FEngine.get();
}

QByteArray EmfPaintDevice::Bytes() const
{
    return FEngine->Bytes();
}

void EmfPaintDevice::SetBitmapBudget(qint64 pixels)
{
    FEngine->SetBudget(pixels);
}

int EmfPaintDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth: return FSize.width();
    case PdmHeight: return FSize.height();
    case PdmWidthMM: return int(std::lround(FSize.width() * 25.4 / 96));
    case PdmHeightMM: return int(std::lround(FSize.height() * 25.4 / 96));
    case PdmNumColors: return INT_MAX;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return 96;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
    }
    return 0;
}

QByteArray EmfPaintDevice::VectorArtComment()
{
    QByteArray comment(kCommentId, 4);
    char version[4];
    qToLittleEndian<quint32>(kCommentVersion, version);
    comment.append(version, 4);
    return comment;
}

bool EmfPaintDevice::IsVectorArt(const QByteArray& emf)
{
    // The header, then the comment: type 70, size, data length, data.
    if (emf.size() < 8)
        return false;
    const quint32 headerSize = qFromLittleEndian<quint32>(emf.constData() + 4);
    if (headerSize < 88 || headerSize > quint32(emf.size()) || emf.size() - headerSize < 20)
        return false;
    const char* c = emf.constData() + headerSize;
    return qFromLittleEndian<quint32>(c) == U_EMR_COMMENT
        && qFromLittleEndian<quint32>(c + 8) >= 8
        && QByteArray(c + 12, 8) == VectorArtComment();
}

}  // namespace dayloom
