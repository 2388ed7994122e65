#include "imaging/gdiplayback.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>

namespace dayloom {

namespace {

// GDI numbers used here.
constexpr int kMmText = 1, kMmLoMetric = 2, kMmHiMetric = 3, kMmLoEnglish = 4,
              kMmHiEnglish = 5, kMmTwips = 6, kMmIsotropic = 7, kMmAnisotropic = 8;
constexpr quint32 kPsNull = 5, kPsUserStyle = 7, kPsAlternate = 8, kPsStyleMask = 0x0F,
                  kPsEndCapMask = 0x0F00, kPsJoinMask = 0xF000;
constexpr quint32 kBsSolid = 0, kBsNull = 1, kBsHatched = 2;
constexpr int kTransparent = 1;
constexpr quint32 kTaUpdateCp = 1, kTaRight = 2, kTaCenter = 6, kTaBottom = 8, kTaBaseline = 24;
constexpr quint32 kEtoOpaque = 2, kEtoClipped = 4;
constexpr int kRgnAnd = 1, kRgnOr = 2, kRgnXor = 3, kRgnDiff = 4, kRgnCopy = 5;
constexpr quint32 kStockBase = 0x80000000;
// Saved states and objects are bounded so that a hostile file cannot make
// playback hold more than a few megabytes.
constexpr size_t kMaxSaved = 1024;
constexpr size_t kMaxObjects = 65536;
constexpr double kHuge = 1e7;

double Sign(double v) { return v < 0 ? -1 : 1; }

bool Finite(const QTransform& t)
{
    return std::isfinite(t.m11()) && std::isfinite(t.m12()) && std::isfinite(t.m21())
        && std::isfinite(t.m22()) && std::isfinite(t.dx()) && std::isfinite(t.dy())
        && std::isfinite(t.m13()) && std::isfinite(t.m23()) && std::isfinite(t.m33());
}

// Painting with absurd coordinates or scales costs time without showing
// anything; such transforms are treated as empty.
bool Usable(const QTransform& t)
{
    if (!Finite(t) || t.type() == QTransform::TxProject)
        return false;
    const double d = std::abs(t.determinant());
    return d > 1e-12 && d < 1e12 && std::abs(t.dx()) < 1e9 && std::abs(t.dy()) < 1e9;
}

// A user-styled pen's dashes as a Qt dash pattern, which counts in pen
// widths (pixels for a cosmetic pen). A geometric pen's dashes are logical
// lengths, a cosmetic pen's device pixels. An odd count repeats, so that
// the second time round dashes become gaps as on the original device.
// Patterns that are empty or shorter than a pixel draw solid lines.
QList<qreal> UserDashPattern(const GdiPen& gp, double qtWidth, double scale)
{
    constexpr quint32 kPsGeometric = 0x10000;
    const double toDevice = (gp.Style & kPsGeometric) ? scale : 1.0;
    const double unit = qtWidth > 0 ? qtWidth * scale : 1.0;  // device pixels
    double total = 0;
    for (const double d : gp.Dashes) {
        if (!std::isfinite(d) || d < 0)
            return {};
        total += d * toDevice;
    }
    if (gp.Dashes.empty() || !(total >= 1.0) || !(total < 1e9))
        return {};
    QList<qreal> pattern;
    const int rounds = gp.Dashes.size() % 2 ? 2 : 1;
    for (int i = 0; i < rounds; ++i)
        for (const double d : gp.Dashes)
            pattern << std::max(d * toDevice / unit, 1e-3);
    return pattern;
}

}  // namespace

// Qt's rasteriser walks a filled outline over its whole extent, so a shape
// reaching millions of pixels past the picture (damaged or hostile clip art)
// would take seconds to fill.
QPainterPath CutToDevice(const QPainterPath& area, const QPainter& painter)
{
    const QPaintDevice* device = painter.device();
    if (!device)
        return area;
    const QTransform toDevice = painter.combinedTransform();
    const QRectF shown(0, 0, device->width(), device->height());
    const qreal margin = 64 + std::max(shown.width(), shown.height());
    const QRectF room = shown.adjusted(-margin, -margin, margin, margin);
    if (room.contains(toDevice.mapRect(area.controlPointRect())))
        return area;
    bool invertible = false;
    const QTransform toLogical = toDevice.inverted(&invertible);
    if (!invertible)
        return area;
    QPainterPath window;
    window.addPolygon(toLogical.map(QPolygonF(room)));
    window.closeSubpath();
    QPainterPath cut = area.intersected(window);
    cut.setFillRule(area.fillRule());
    return cut;
}

GdiPlayback::GdiPlayback(QPainter& painter, bool windowsMetafile)
    : FPainter(painter), FWmf(windowsMetafile)
{
    FPainter.save();
    FBase = FPainter.worldTransform();
    if (FPainter.hasClipping())
        FOuterClip = FPainter.clipPath();
    FRaster = FPainter.paintEngine() && FPainter.paintEngine()->type() == QPaintEngine::Raster;
    FPainter.setRenderHint(QPainter::Antialiasing, false);
    FPainter.setRenderHint(QPainter::TextAntialiasing, true);
    FPainter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    FState.Pen = GdiPen{0, 0, 0, {}, false};
    FState.Brush = GdiBrush{kBsSolid, 0xFFFFFF, 0, {}};
    UpdateTransform();
}

GdiPlayback::~GdiPlayback()
{
    FPainter.restore();
}

void GdiPlayback::SetDeviceMapping(const QTransform& deviceToTarget, double pxPerMmX,
                                   double pxPerMmY)
{
    FDeviceToTarget = deviceToTarget;
    if (pxPerMmX > 0 && std::isfinite(pxPerMmX))
        FPxPerMmX = pxPerMmX;
    if (pxPerMmY > 0 && std::isfinite(pxPerMmY))
        FPxPerMmY = pxPerMmY;
    UpdateTransform();
}

void GdiPlayback::SetWindowTarget(const QRectF& target, const QRectF& initialWindow)
{
    FWmfTarget = target;
    FState.WinOrg = initialWindow.topLeft();
    FState.WinExt = QPointF(initialWindow.width(), initialWindow.height());
    UpdateTransform();
}

void GdiPlayback::UpdateTransform()
{
    QTransform page;
    const DcState& s = FState;
    if (FWmf) {
        // The window is stretched onto the playback rectangle whatever the
        // mapping mode; this is how a placed Windows metafile plays.
        const double sx = s.WinExt.x() ? FWmfTarget.width() / s.WinExt.x() : 1;
        const double sy = s.WinExt.y() ? FWmfTarget.height() / s.WinExt.y() : 1;
        page = QTransform(sx, 0, 0, sy, FWmfTarget.left() - s.WinOrg.x() * sx,
                          FWmfTarget.top() - s.WinOrg.y() * sy);
    } else {
        double sx = 1, sy = 1;
        double mm = 0;
        switch (s.MapMode) {
        case kMmLoMetric: mm = 0.1; break;
        case kMmHiMetric: mm = 0.01; break;
        case kMmLoEnglish: mm = 0.254; break;
        case kMmHiEnglish: mm = 0.0254; break;
        case kMmTwips: mm = 25.4 / 1440; break;
        default: break;
        }
        if (mm > 0) {
            sx = mm * FPxPerMmX;
            sy = -mm * FPxPerMmY;
        } else if (s.MapMode == kMmIsotropic || s.MapMode == kMmAnisotropic) {
            sx = s.WinExt.x() ? s.VpExt.x() / s.WinExt.x() : 1;
            sy = s.WinExt.y() ? s.VpExt.y() / s.WinExt.y() : 1;
            if (s.MapMode == kMmIsotropic) {
                const double m = std::min(std::abs(sx), std::abs(sy));
                sx = Sign(sx) * m;
                sy = Sign(sy) * m;
            }
        }
        page = QTransform(sx, 0, 0, sy, s.VpOrg.x() - s.WinOrg.x() * sx,
                          s.VpOrg.y() - s.WinOrg.y() * sy)
            * FDeviceToTarget;
    }
    FPage = page;
    FToEntry = s.World * page;
    FFull = FToEntry * FBase;
    if (Finite(FFull))
        FPainter.setWorldTransform(FFull);
}

// ----- mapping --------------------------------------------------------------

void GdiPlayback::SetMapMode(int mode)
{
    if (mode < kMmText || mode > kMmAnisotropic)
        return;
    FState.MapMode = mode;
    UpdateTransform();
}

void GdiPlayback::SetWindowOrg(double x, double y)
{
    FState.WinOrg = QPointF(x, y);
    UpdateTransform();
}

void GdiPlayback::SetWindowExt(double x, double y)
{
    if (x == 0 || y == 0)
        return;
    if (!FWmf && FState.MapMode != kMmIsotropic && FState.MapMode != kMmAnisotropic)
        return;
    FState.WinExt = QPointF(x, y);
    UpdateTransform();
}

void GdiPlayback::SetViewportOrg(double x, double y)
{
    FState.VpOrg = QPointF(x, y);
    UpdateTransform();
}

void GdiPlayback::SetViewportExt(double x, double y)
{
    if (x == 0 || y == 0)
        return;
    if (FState.MapMode != kMmIsotropic && FState.MapMode != kMmAnisotropic)
        return;
    FState.VpExt = QPointF(x, y);
    UpdateTransform();
}

void GdiPlayback::OffsetWindowOrg(double dx, double dy)
{
    FState.WinOrg += QPointF(dx, dy);
    UpdateTransform();
}

void GdiPlayback::OffsetViewportOrg(double dx, double dy)
{
    FState.VpOrg += QPointF(dx, dy);
    UpdateTransform();
}

void GdiPlayback::ScaleWindowExt(int xNum, int xDen, int yNum, int yDen)
{
    if (!xNum || !xDen || !yNum || !yDen)
        return;
    SetWindowExt(FState.WinExt.x() * xNum / xDen, FState.WinExt.y() * yNum / yDen);
}

void GdiPlayback::ScaleViewportExt(int xNum, int xDen, int yNum, int yDen)
{
    if (!xNum || !xDen || !yNum || !yDen)
        return;
    SetViewportExt(FState.VpExt.x() * xNum / xDen, FState.VpExt.y() * yNum / yDen);
}

void GdiPlayback::SetWorldTransform(const QTransform& t)
{
    if (!Finite(t) || std::abs(t.determinant()) < 1e-12)
        return;
    FState.World = t;
    UpdateTransform();
}

void GdiPlayback::ModifyWorldTransform(const QTransform& t, int mode)
{
    switch (mode) {
    case 1:
        FState.World = QTransform();
        break;
    case 2:
        if (Finite(t))
            FState.World = t * FState.World;
        break;
    case 3:
        if (Finite(t))
            FState.World = FState.World * t;
        break;
    case 4:
        SetWorldTransform(t);
        return;
    default:
        return;
    }
    if (!Finite(FState.World) || std::abs(FState.World.determinant()) < 1e-12)
        FState.World = QTransform();
    UpdateTransform();
}

// ----- objects --------------------------------------------------------------

void GdiPlayback::SetObjectLimit(quint32 count)
{
    FObjectLimit = std::min<quint32>(std::max<quint32>(count, 1), kMaxObjects);
}

void GdiPlayback::CreateObject(quint32 index, const GdiObject& object)
{
    if (index >= FObjectLimit)
        return;
    if (FObjects.size() <= index)
        FObjects.resize(index + 1);
    FObjects[index] = object;
}

void GdiPlayback::CreateObjectInFreeSlot(const GdiObject& object)
{
    for (size_t i = 0; i < FObjects.size(); ++i)
        if (FObjects[i].Type == GdiObject::None) {
            FObjects[i] = object;
            return;
        }
    if (FObjects.size() < FObjectLimit)
        FObjects.push_back(object);
}

void GdiPlayback::SelectObject(quint32 index)
{
    if (index & kStockBase) {
        const quint32 stock = index & 0x7FFFFFFF;
        static const quint32 grays[] = {0xFFFFFF, 0xC0C0C0, 0x808080, 0x404040, 0x000000};
        if (stock <= 4)
            FState.Brush = GdiBrush{kBsSolid, grays[stock], 0, {}};
        else if (stock == 5)
            FState.Brush = GdiBrush{kBsNull, 0, 0, {}};
        else if (stock == 6)
            FState.Pen = GdiPen{0, 0, 0xFFFFFF, {}, false};
        else if (stock == 7)
            FState.Pen = GdiPen{0, 0, 0, {}, false};
        else if (stock == 8)
            FState.Pen = GdiPen{kPsNull, 0, 0, {}, false};
        else if (stock >= 10 && stock <= 17 && stock != 15)
            FState.Font = GdiFont{};
        else if (stock == 18)
            FState.Brush = GdiBrush{kBsSolid, 0xFFFFFF, 0, {}};
        else if (stock == 19)
            FState.Pen = GdiPen{0, 0, 0, {}, false};
        return;
    }
    if (index >= FObjects.size())
        return;
    const GdiObject& o = FObjects[index];
    switch (o.Type) {
    case GdiObject::Pen: FState.Pen = o.PenValue; break;
    case GdiObject::Brush: FState.Brush = o.BrushValue; break;
    case GdiObject::Font: FState.Font = o.FontValue; break;
    default: break;
    }
}

void GdiPlayback::DeleteObject(quint32 index)
{
    if (index < FObjects.size())
        FObjects[index] = GdiObject{};
}

// ----- state ----------------------------------------------------------------

void GdiPlayback::SaveDC()
{
    if (FSaved.size() < kMaxSaved)
        FSaved.push_back(FState);
}

void GdiPlayback::RestoreDC(int which)
{
    const qint64 depth = qint64(FSaved.size());
    qint64 keep;  // states left on the stack after restoring
    if (which < 0) {
        if (-qint64(which) > depth)
            return;
        keep = depth + which;
    } else if (which > 0) {
        if (which > depth)
            return;
        keep = which - 1;
    } else {
        return;
    }
    FState = FSaved[size_t(keep)];
    FSaved.resize(size_t(keep));
    UpdateTransform();
    ApplyClip();
}

// ----- pens and brushes -----------------------------------------------------

bool GdiPlayback::PenIsNull() const
{
    return (FState.Pen.Style & kPsStyleMask) == kPsNull || FState.Rop2 == 11;
}

bool GdiPlayback::BrushIsNull() const
{
    return FState.Brush.Style == kBsNull;
}

QPen GdiPlayback::MakePen() const
{
    const GdiPen& gp = FState.Pen;
    QPen pen(ColorRefToQColor(gp.Color));
    const double scale = std::sqrt(std::abs(FFull.determinant()));
    if (gp.Width <= 0 || gp.Width * scale < 1.0 || !std::isfinite(gp.Width * scale))
        pen.setWidth(0);
    else
        pen.setWidthF(std::min({gp.Width, 10000 / scale, 30000.0}));
    quint32 kind = gp.Style & kPsStyleMask;
    if (!gp.Extended && kind >= 1 && kind <= 4 && gp.Width * scale >= 1.5)
        kind = 0;
    switch (kind) {
    case kPsUserStyle: {
        const QList<qreal> pattern = UserDashPattern(gp, pen.widthF(), scale);
        if (pattern.isEmpty())
            pen.setStyle(Qt::SolidLine);
        else
            pen.setDashPattern(pattern);
        break;
    }
    case kPsAlternate:
        pen.setDashPattern({1, 1});
        break;
    case 1: pen.setStyle(Qt::DashLine); break;
    case 2: pen.setStyle(Qt::DotLine); break;
    case 3: pen.setStyle(Qt::DashDotLine); break;
    case 4: pen.setStyle(Qt::DashDotDotLine); break;
    default: pen.setStyle(Qt::SolidLine); break;
    }
    switch (gp.Style & kPsEndCapMask) {
    case 0x100: pen.setCapStyle(Qt::SquareCap); break;
    case 0x200: pen.setCapStyle(Qt::FlatCap); break;
    default: pen.setCapStyle(Qt::RoundCap); break;
    }
    switch (gp.Style & kPsJoinMask) {
    case 0x1000: pen.setJoinStyle(Qt::BevelJoin); break;
    case 0x2000: pen.setJoinStyle(Qt::MiterJoin); break;
    default: pen.setJoinStyle(Qt::RoundJoin); break;
    }
    return pen;
}

QBrush GdiPlayback::MakeBrush() const
{
    const GdiBrush& gb = FState.Brush;
    QBrush brush;
    if (gb.Style == kBsSolid) {
        brush = QBrush(ColorRefToQColor(gb.Color));
    } else if (gb.Style == kBsHatched) {
        static const Qt::BrushStyle hatches[] = {Qt::HorPattern, Qt::VerPattern,
                                                 Qt::FDiagPattern, Qt::BDiagPattern,
                                                 Qt::CrossPattern, Qt::DiagCrossPattern};
        brush = QBrush(ColorRefToQColor(gb.Color), gb.Hatch < 6 ? hatches[gb.Hatch] : Qt::SolidPattern);
    } else if (!gb.Pattern.isNull()) {
        brush = QBrush(gb.Pattern);
    } else if (gb.Style != kBsNull) {
        brush = QBrush(ColorRefToQColor(gb.Color));
    }
    // Hatches and patterns are laid out in device pixels.
    if (brush.style() != Qt::SolidPattern && brush.style() != Qt::NoBrush) {
        bool ok = false;
        const QTransform inv = FFull.inverted(&ok);
        if (ok) {
            const QTransform back(inv.m11(), inv.m12(), inv.m21(), inv.m22(), 0, 0);
            brush.setTransform(back);
        }
    }
    return brush;
}

void GdiPlayback::DrawShape(const QPainterPath& path, bool fill)
{
    if (FInPath) {
        FPath.addPath(path);
        FHasPath = true;
        return;
    }
    if (!Usable(FFull))
        return;
    if (fill && !BrushIsNull()) {
        QPainterPath p = path;
        p.setFillRule(FState.FillMode == 2 ? Qt::WindingFill : Qt::OddEvenFill);
        p = CutToDevice(p, FPainter);
        if (FState.Brush.Style == kBsHatched && FState.BkMode != kTransparent)
            FPainter.fillPath(p, ColorRefToQColor(FState.BkColor));
        FPainter.fillPath(p, MakeBrush());
    }
    if (!PenIsNull())
        FPainter.strokePath(path, MakePen());
}

void GdiPlayback::StrokeOnly(const QPainterPath& path)
{
    if (FInPath) {
        FPath.addPath(path);
        FHasPath = true;
        return;
    }
    if (!Usable(FFull) || PenIsNull())
        return;
    FPainter.strokePath(path, MakePen());
}

QRectF GdiPlayback::Normal(const QRectF& r)
{
    return r.normalized();
}

// ----- drawing --------------------------------------------------------------

void GdiPlayback::MoveTo(const QPointF& p)
{
    FState.Cur = p;
    if (FInPath) {
        FPath.moveTo(p);
        FHasPath = true;
    }
}

void GdiPlayback::LineTo(const QPointF& p)
{
    if (FInPath) {
        if (FPath.elementCount() == 0)
            FPath.moveTo(FState.Cur);
        FPath.lineTo(p);
        FHasPath = true;
    } else if (Usable(FFull) && !PenIsNull()) {
        QPainterPath path(FState.Cur);
        path.lineTo(p);
        FPainter.strokePath(path, MakePen());
    }
    FState.Cur = p;
}

void GdiPlayback::Polyline(const QPolygonF& points)
{
    if (points.size() < 2)
        return;
    QPainterPath path;
    path.addPolygon(points);
    StrokeOnly(path);
}

void GdiPlayback::PolylineTo(const QPolygonF& points)
{
    if (points.isEmpty())
        return;
    if (FInPath) {
        if (FPath.elementCount() == 0)
            FPath.moveTo(FState.Cur);
        for (const QPointF& p : points)
            FPath.lineTo(p);
        FHasPath = true;
    } else {
        QPolygonF all;
        all.reserve(points.size() + 1);
        all << FState.Cur << points;
        Polyline(all);
    }
    FState.Cur = points.last();
}

void GdiPlayback::Polygon(const QPolygonF& points)
{
    if (points.size() < 2)
        return;
    QPainterPath path;
    path.addPolygon(points);
    path.closeSubpath();
    DrawShape(path, true);
}

void GdiPlayback::PolyPolygon(const std::vector<QPolygonF>& polygons)
{
    QPainterPath path;
    for (const QPolygonF& poly : polygons) {
        if (poly.size() < 2)
            continue;
        path.addPolygon(poly);
        path.closeSubpath();
    }
    DrawShape(path, true);
}

void GdiPlayback::PolyPolyline(const std::vector<QPolygonF>& polylines)
{
    QPainterPath path;
    for (const QPolygonF& poly : polylines)
        if (poly.size() >= 2)
            path.addPolygon(poly);
    StrokeOnly(path);
}

void GdiPlayback::PolyBezier(const QPolygonF& points)
{
    if (points.size() < 4)
        return;
    QPainterPath path(points[0]);
    for (qsizetype i = 1; i + 2 < points.size(); i += 3)
        path.cubicTo(points[i], points[i + 1], points[i + 2]);
    StrokeOnly(path);
}

void GdiPlayback::PolyBezierTo(const QPolygonF& points)
{
    if (points.size() < 3)
        return;
    QPainterPath path(FState.Cur);
    qsizetype i = 0;
    for (; i + 2 < points.size(); i += 3)
        path.cubicTo(points[i], points[i + 1], points[i + 2]);
    if (FInPath) {
        if (FPath.elementCount() == 0)
            FPath.moveTo(FState.Cur);
        for (qsizetype j = 0; j + 2 < points.size(); j += 3)
            FPath.cubicTo(points[j], points[j + 1], points[j + 2]);
        FHasPath = true;
    } else if (Usable(FFull) && !PenIsNull()) {
        FPainter.strokePath(path, MakePen());
    }
    FState.Cur = points[i - 1];
}

void GdiPlayback::Rectangle(const QRectF& box)
{
    QPainterPath path;
    path.addRect(Normal(box));
    DrawShape(path, true);
}

void GdiPlayback::RoundRect(const QRectF& box, const QSizeF& corner)
{
    QPainterPath path;
    path.addRoundedRect(Normal(box), std::abs(corner.width()) / 2, std::abs(corner.height()) / 2);
    DrawShape(path, true);
}

void GdiPlayback::Ellipse(const QRectF& box)
{
    QPainterPath path;
    path.addEllipse(Normal(box));
    DrawShape(path, true);
}

QPainterPath GdiPlayback::ArcPath(ArcKind kind, const QRectF& box, const QPointF& start,
                                  const QPointF& end) const
{
    const QRectF r = Normal(box);
    const QPointF c = r.center();
    const double rx = r.width() / 2, ry = r.height() / 2;
    QPainterPath path;
    if (rx <= 0 || ry <= 0)
        return path;
    // Qt's angles run counter-clockwise on a y-down surface.
    auto angle = [&](const QPointF& p) {
        return std::atan2(-(p.y() - c.y()) / ry, (p.x() - c.x()) / rx) * 180 / M_PI;
    };
    const double a0 = angle(start), a1 = angle(end);
    bool counter = FState.ArcDirection != 2;
    if (FFull.determinant() < 0)
        counter = !counter;
    double sweep = counter ? a1 - a0 : a0 - a1;
    while (sweep <= 0)
        sweep += 360;
    while (sweep > 360)
        sweep -= 360;
    if (!counter)
        sweep = -sweep;
    if (kind == ArcKind::Pie) {
        path.moveTo(c);
        path.arcTo(r, a0, sweep);
        path.closeSubpath();
    } else {
        path.arcMoveTo(r, a0);
        path.arcTo(r, a0, sweep);
        if (kind == ArcKind::Chord)
            path.closeSubpath();
    }
    return path;
}

void GdiPlayback::ArcShape(ArcKind kind, const QRectF& box, const QPointF& start,
                           const QPointF& end)
{
    QPainterPath path = ArcPath(kind, box, start, end);
    if (path.isEmpty())
        return;
    if (kind == ArcKind::ArcTo) {
        // A line from the current position to the arc's start, then the arc.
        QPainterPath joined(FState.Cur);
        joined.connectPath(path);
        StrokeOnly(joined);
        FState.Cur = path.currentPosition();
        return;
    }
    if (kind == ArcKind::Arc)
        StrokeOnly(path);
    else
        DrawShape(path, true);
}

void GdiPlayback::SetPixel(const QPointF& p, quint32 color)
{
    if (FInPath || !Usable(FFull))
        return;
    const QPointF d = FFull.map(p);
    FPainter.save();
    FPainter.setWorldTransform(QTransform());
    FPainter.fillRect(QRectF(std::floor(d.x()), std::floor(d.y()), 1, 1), ColorRefToQColor(color));
    FPainter.restore();
}

void GdiPlayback::TextOut(const QPointF& refIn, const QString& text,
                          const std::vector<double>& dx, quint32 options, const QRectF& rect)
{
    if (FInPath || !Usable(FFull))
        return;
    const bool opaqueRect = (options & kEtoOpaque) && !rect.isEmpty();
    if (opaqueRect)
        FPainter.fillRect(Normal(rect), ColorRefToQColor(FState.BkColor));
    if (text.isEmpty())
        return;

    const bool updateCp = FState.TextAlign & kTaUpdateCp;
    const QPointF ref = updateCp ? FState.Cur : refIn;
    // Scale of the logical axes on the surface.
    const QPointF o = FFull.map(QPointF(0, 0));
    const QPointF ax = FFull.map(QPointF(1, 0)) - o;
    const QPointF ay = FFull.map(QPointF(0, 1)) - o;
    const double sx = std::hypot(ax.x(), ax.y());
    const double sy = std::hypot(ay.x(), ay.y());
    if (sx <= 0 || sy <= 0)
        return;

    const GdiFont& gf = FState.Font;
    double em = gf.Height < 0 ? -double(gf.Height) : gf.Height * 0.8;
    double pixels = em * sy;
    if (gf.Height == 0)
        pixels = 12 * FPainter.device()->logicalDpiY() / 96.0;
    if (pixels < 0.5 || pixels > 8000)
        return;
    QFont font(gf.Face.isEmpty() ? QStringLiteral("Arial") : gf.Face);
    font.setPixelSize(std::max(1, int(std::lround(pixels))));
    font.setWeight(QFont::Weight(qBound(100, gf.Weight ? gf.Weight : 400, 900)));
    font.setItalic(gf.Italic);
    font.setUnderline(gf.Underline);
    font.setStrikeOut(gf.StrikeOut);
    font.setStyleStrategy(QFont::PreferDefault);
    const QFontMetricsF fm(font);

    // Advances on the surface, in device pixels along the baseline.
    std::vector<double> adv;
    double width = 0;
    const bool useDx = dx.size() >= size_t(text.size());
    if (useDx) {
        adv.reserve(size_t(text.size()));
        for (qsizetype i = 0; i < text.size(); ++i) {
            adv.push_back(dx[size_t(i)] * sx);
            width += adv.back();
        }
    } else {
        width = fm.horizontalAdvance(text);
    }

    double angle = -double(gf.Escapement) / 10.0;
    if (FFull.determinant() > 0 && (std::abs(ax.y()) > 1e-9))
        angle += std::atan2(ax.y(), ax.x()) * 180 / M_PI;
    double x = 0, y = 0;
    const quint32 h = FState.TextAlign & kTaCenter;
    if (h == kTaCenter)
        x -= width / 2;
    else if (h == kTaRight)
        x -= width;
    const quint32 v = FState.TextAlign & kTaBaseline;
    if (v == kTaBaseline)
        y = 0;
    else if (v == kTaBottom)
        y = -fm.descent();
    else
        y = fm.ascent();

    FPainter.save();
    if ((options & kEtoClipped) && !rect.isEmpty())
        FPainter.setClipRect(Normal(rect), Qt::IntersectClip);
    const QPointF dref = FFull.map(ref);
    QTransform t;
    t.translate(dref.x(), dref.y());
    t.rotate(angle);
    t.scale(sx / sy, 1.0);
    // Text is laid out in surface pixels along its baseline.
    FPainter.setWorldTransform(t);
    if (FState.BkMode != kTransparent)
        FPainter.fillRect(QRectF(x, y - fm.ascent(), width, fm.ascent() + fm.descent()),
                          ColorRefToQColor(FState.BkColor));
    // Strongly stretched or very large text goes through outlines: Qt's glyph
    // cache renders each glyph at the stretched size, which fails (and in
    // Qt 6.4 can crash) for extreme stretches.
    const double stretch = sx / sy;
    const bool outlines = stretch > 4 || stretch < 0.25 || font.pixelSize() > 256;
    const QColor colour = ColorRefToQColor(FState.TextColor);
    FPainter.setFont(font);
    FPainter.setPen(colour);
    auto draw = [&](const QPointF& at, const QString& s) {
        if (outlines) {
            QPainterPath path;
            path.addText(at, font, s);
            FPainter.fillPath(path, colour);
        } else {
            FPainter.drawText(at, s);
        }
    };
    if (useDx) {
        double cx = x;
        for (qsizetype i = 0; i < text.size(); ++i) {
            draw(QPointF(cx, y), QString(text[i]));
            cx += adv[size_t(i)];
        }
    } else {
        draw(QPointF(x, y), text);
    }
    FPainter.restore();
    if (updateCp)
        FState.Cur = ref + QPointF(width / sx, 0);
}

void GdiPlayback::SetSmooth(bool on)
{
    FPainter.setRenderHint(QPainter::Antialiasing, on);
    FPainter.setRenderHint(QPainter::SmoothPixmapTransform, on);
}

void GdiPlayback::DrawBitmap(const QImage& image, const QRectF& dest, const QRectF& sourceIn,
                             quint32 rop, double opacity)
{
    if (FInPath || image.isNull() || !Usable(FFull) || !(opacity > 0))
        return;
    const quint32 op = (rop >> 16) & 0xFF;
    if (op == 0xAA)
        return;
    QRectF source = sourceIn.normalized().intersected(QRectF(image.rect()));
    if (source.isEmpty())
        source = QRectF(image.rect());
    QImage img = image;
    if (op == 0x33 || op == 0xBB) {
        img = image.convertToFormat(QImage::Format_RGB32);
        img.invertPixels();
    }
    FPainter.save();
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    switch (op) {
    case 0x88: mode = FRaster ? QPainter::RasterOp_SourceAndDestination
                              : QPainter::CompositionMode_Multiply; break;
    case 0xEE: case 0xBB: mode = FRaster ? QPainter::RasterOp_SourceOrDestination
                                          : QPainter::CompositionMode_Lighten; break;
    case 0x66: mode = FRaster ? QPainter::RasterOp_SourceXorDestination
                              : QPainter::CompositionMode_Difference; break;
    default: break;
    }
    FPainter.setCompositionMode(mode);
    FPainter.setRenderHint(QPainter::SmoothPixmapTransform, FState.StretchMode == 4);
    if (opacity < 1)
        FPainter.setOpacity(FPainter.opacity() * opacity);
    const QPointF d0 = FFull.map(dest.topLeft());
    const QPointF d1 = FFull.map(dest.bottomRight());
    const bool rotated = std::abs(FFull.m12()) > 1e-9 || std::abs(FFull.m21()) > 1e-9;
    if (!rotated) {
        // Mirroring follows the signs on the surface, as a stretched block
        // copy with negative extents does.
        const bool mirrorX = d1.x() < d0.x();
        const bool mirrorY = d1.y() < d0.y();
        if (mirrorX || mirrorY) {
            img = img.copy(source.toAlignedRect()).mirrored(mirrorX, mirrorY);
            source = QRectF(img.rect());
        }
        FPainter.setWorldTransform(QTransform());
        FPainter.drawImage(QRectF(d0, d1).normalized(), img, source);
    } else {
        FPainter.drawImage(Normal(dest), img, source);
    }
    FPainter.restore();
}

void GdiPlayback::PatBlt(const QRectF& rect, quint32 rop)
{
    if (FInPath || !Usable(FFull))
        return;
    const quint32 op = (rop >> 16) & 0xFF;
    const QRectF r = Normal(rect);
    switch (op) {
    case 0x00: FPainter.fillRect(r, Qt::black); break;
    case 0xFF: FPainter.fillRect(r, Qt::white); break;
    case 0xF0:
        if (!BrushIsNull())
            FPainter.fillRect(r, MakeBrush());
        break;
    case 0x55:
    case 0x5A:
        if (FRaster) {
            FPainter.save();
            FPainter.setCompositionMode(op == 0x55 ? QPainter::RasterOp_NotDestination
                                                   : QPainter::RasterOp_SourceXorDestination);
            FPainter.fillRect(r, op == 0x55 ? QBrush(Qt::black) : MakeBrush());
            FPainter.restore();
        }
        break;
    default: break;
    }
}

// ----- clipping -------------------------------------------------------------

QPainterPath GdiPlayback::ToBase(const QPainterPath& logical) const
{
    // The clip lives in the coordinates the painter had on entry.
    return FToEntry.map(logical);
}

void GdiPlayback::ApplyClip()
{
    FPainter.setWorldTransform(FBase);
    if (!FState.HasClip) {
        if (FOuterClip) {
            FPainter.setClipPath(*FOuterClip);
        } else {
            FPainter.setClipping(false);
        }
    } else {
        QPainterPath c = FState.Clip;
        if (FOuterClip)
            c = c.intersected(*FOuterClip);
        FPainter.setClipPath(c);
    }
    if (Finite(FFull))
        FPainter.setWorldTransform(FFull);
}

void GdiPlayback::CombineClip(const QPainterPath& shape, int mode)
{
    QPainterPath everything;
    everything.addRect(QRectF(-kHuge, -kHuge, 2 * kHuge, 2 * kHuge));
    const QPainterPath current = FState.HasClip ? FState.Clip : everything;
    QPainterPath result;
    switch (mode) {
    case kRgnAnd: result = current.intersected(shape); break;
    case kRgnOr:
        if (!FState.HasClip)
            return;
        result = current.united(shape);
        break;
    case kRgnXor: result = current.subtracted(shape).united(shape.subtracted(current)); break;
    case kRgnDiff: result = current.subtracted(shape); break;
    case kRgnCopy: result = shape; break;
    default: return;
    }
    // Keep clip shapes simple: a long run of clip records must not build an
    // ever-growing path.
    if (result.elementCount() > 4096)
        result = result.simplified();
    FState.Clip = result;
    FState.HasClip = true;
    ApplyClip();
}

void GdiPlayback::IntersectClipRect(const QRectF& r)
{
    QPainterPath p;
    p.addRect(Normal(r));
    CombineClip(ToBase(p), kRgnAnd);
}

void GdiPlayback::ExcludeClipRect(const QRectF& r)
{
    QPainterPath p;
    p.addRect(Normal(r));
    CombineClip(ToBase(p), kRgnDiff);
}

void GdiPlayback::OffsetClip(double dx, double dy)
{
    if (!FState.HasClip)
        return;
    // The offset is in logical units; move by its image on the surface.
    const QPointF d = FPage.map(QPointF(dx, dy)) - FPage.map(QPointF(0, 0));
    FState.Clip.translate(d);
    ApplyClip();
}

void GdiPlayback::SelectClipRects(const std::vector<QRectF>& deviceRects, int mode)
{
    // Regions of many rectangles are merged as a QRegion first; path
    // operations on thousands of rectangles would cost far more than
    // they show.
    QRegion region;
    for (const QRectF& r : deviceRects) {
        const QRectF n = Normal(r);
        if (std::abs(n.left()) < 1e8 && std::abs(n.top()) < 1e8 && n.width() < 1e8
            && n.height() < 1e8)
            region += n.toAlignedRect();
    }
    QPainterPath p;
    if (region.rectCount() > 256)
        p.addRect(QRectF(region.boundingRect()));
    else
        p.addRegion(region);
    p = FDeviceToTarget.map(p);
    if (mode == kRgnCopy && deviceRects.empty()) {
        ResetClip();
        return;
    }
    CombineClip(p, mode);
}

void GdiPlayback::ResetClip()
{
    FState.HasClip = false;
    FState.Clip = QPainterPath();
    ApplyClip();
}

// ----- paths ----------------------------------------------------------------

void GdiPlayback::BeginPath()
{
    FInPath = true;
    FHasPath = false;
    FPath = QPainterPath();
    FPath.moveTo(FState.Cur);
}

void GdiPlayback::EndPath()
{
    FInPath = false;
}

void GdiPlayback::AbortPath()
{
    FInPath = false;
    FHasPath = false;
    FPath = QPainterPath();
}

void GdiPlayback::CloseFigure()
{
    if (FInPath)
        FPath.closeSubpath();
}

void GdiPlayback::StrokePath()
{
    if (FInPath || !FHasPath)
        return;
    const QPainterPath p = FPath;
    AbortPath();
    DrawShape(p, false);
}

void GdiPlayback::FillPath()
{
    if (FInPath || !FHasPath)
        return;
    QPainterPath p = FPath;
    AbortPath();
    if (BrushIsNull() || !Usable(FFull))
        return;
    p.setFillRule(FState.FillMode == 2 ? Qt::WindingFill : Qt::OddEvenFill);
    FPainter.fillPath(CutToDevice(p, FPainter), MakeBrush());
}

void GdiPlayback::StrokeAndFillPath()
{
    if (FInPath || !FHasPath)
        return;
    QPainterPath p = FPath;
    AbortPath();
    p.closeSubpath();
    DrawShape(p, true);
}

void GdiPlayback::SelectClipPath(int mode)
{
    if (FInPath || !FHasPath)
        return;
    QPainterPath p = FPath;
    AbortPath();
    p.closeSubpath();
    p.setFillRule(FState.FillMode == 2 ? Qt::WindingFill : Qt::OddEvenFill);
    CombineClip(ToBase(p), mode);
}

}  // namespace dayloom
