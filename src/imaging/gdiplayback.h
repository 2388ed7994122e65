#pragma once

#include <optional>
#include <vector>

#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QTransform>

class QPainter;

namespace dayloom {

struct GdiPen {
    quint32 Style = 0;     // PS_* with end cap and join bits
    double Width = 0;      // logical units; 0 draws one device pixel
    quint32 Color = 0;     // COLORREF 0x00BBGGRR
    // PS_USERSTYLE: dash and gap lengths, alternating, in logical units for
    // a geometric pen and in device pixels for a cosmetic one.
    std::vector<double> Dashes;
    // Made by an extended pen record. Plain pens draw their dashes and dots
    // only while at most one device pixel wide, and solid lines when wider.
    bool Extended = false;
};

struct GdiBrush {
    quint32 Style = 0;     // BS_SOLID 0, BS_NULL 1, BS_HATCHED 2, patterns 3/5/6
    quint32 Color = 0xFFFFFF;
    quint32 Hatch = 0;
    QImage Pattern;
};

struct GdiFont {
    int Height = 0;        // logical units; negative = character height
    int Width = 0;
    int Escapement = 0;    // tenths of a degree
    int Weight = 400;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    int Charset = 1;
    QString Face;
};

struct GdiObject {
    enum Kind { None, Pen, Brush, Font, Other };
    Kind Type = None;
    GdiPen PenValue;
    GdiBrush BrushValue;
    GdiFont FontValue;
};

// The area to fill, cut to the painter's device with a wide margin when it
// reaches far beyond it: every pixel that can show stays as it was.
QPainterPath CutToDevice(const QPainterPath& area, const QPainter& painter);

// The device-context model both metafile players share: mapping modes,
// window and viewport, world transform, the selected pen, brush and font,
// text settings, current position, clip region, paths, saved states and the
// object table. Drawing calls take logical coordinates and end up on the
// painter scaled into the playback rectangle.
class GdiPlayback {
public:
    GdiPlayback(QPainter& painter, bool windowsMetafile);
    ~GdiPlayback();
    GdiPlayback(const GdiPlayback&) = delete;
    GdiPlayback& operator=(const GdiPlayback&) = delete;

    // Enhanced metafiles: reference-device pixels -> playback rectangle, and
    // the reference device's pixels per millimetre.
    void SetDeviceMapping(const QTransform& deviceToTarget, double pxPerMmX, double pxPerMmY);
    // Windows metafiles: the window is mapped onto this rectangle.
    void SetWindowTarget(const QRectF& target, const QRectF& initialWindow);

    // Mapping
    void SetMapMode(int mode);
    void SetWindowOrg(double x, double y);
    void SetWindowExt(double x, double y);
    void SetViewportOrg(double x, double y);
    void SetViewportExt(double x, double y);
    void OffsetWindowOrg(double dx, double dy);
    void OffsetViewportOrg(double dx, double dy);
    void ScaleWindowExt(int xNum, int xDen, int yNum, int yDen);
    void ScaleViewportExt(int xNum, int xDen, int yNum, int yDen);
    void SetWorldTransform(const QTransform& t);
    void ModifyWorldTransform(const QTransform& t, int mode);

    // Settings
    void SetTextColor(quint32 c) { FState.TextColor = c; }
    void SetBkColor(quint32 c) { FState.BkColor = c; }
    void SetBkMode(int m) { FState.BkMode = m; }
    void SetTextAlign(quint32 a) { FState.TextAlign = a; }
    void SetPolyFillMode(int m) { FState.FillMode = m; }
    void SetArcDirection(int d) { FState.ArcDirection = d; }
    void SetRop2(int r) { FState.Rop2 = r; }
    // HALFTONE (4) smooths stretched bitmaps; the other modes do not.
    void SetStretchMode(int m) { FState.StretchMode = m; }

    // Smoothed (antialiased) edges, for vector art recorded by our own
    // metafile writer; other metafiles are drawn with hard edges as GDI does.
    void SetSmooth(bool on);

    // Object table. Enhanced metafiles name the slot; Windows metafiles take
    // the lowest free one.
    // Slots beyond the count a metafile's header declares are not used.
    void SetObjectLimit(quint32 count);
    void CreateObject(quint32 index, const GdiObject& object);
    void CreateObjectInFreeSlot(const GdiObject& object);
    void SelectObject(quint32 index);
    void DeleteObject(quint32 index);

    // State stack
    void SaveDC();
    void RestoreDC(int which);

    // Drawing
    void MoveTo(const QPointF& p);
    void LineTo(const QPointF& p);
    void Polyline(const QPolygonF& points);
    void PolylineTo(const QPolygonF& points);
    void Polygon(const QPolygonF& points);
    void PolyPolygon(const std::vector<QPolygonF>& polygons);
    void PolyPolyline(const std::vector<QPolygonF>& polylines);
    void PolyBezier(const QPolygonF& points);
    void PolyBezierTo(const QPolygonF& points);
    void Rectangle(const QRectF& box);
    void RoundRect(const QRectF& box, const QSizeF& corner);
    void Ellipse(const QRectF& box);
    enum class ArcKind { Arc, ArcTo, Chord, Pie };
    void ArcShape(ArcKind kind, const QRectF& box, const QPointF& start, const QPointF& end);
    void SetPixel(const QPointF& p, quint32 color);
    // Text at a reference point; dx are logical advances (may be empty);
    // rect applies with ETO_OPAQUE / ETO_CLIPPED.
    void TextOut(const QPointF& ref, const QString& text, const std::vector<double>& dx,
                 quint32 options, const QRectF& rect);
    // A bitmap into a logical rectangle (negative extents mirror); source in
    // image pixels, top-down.
    // opacity scales the picture's own alpha (an alpha-blend record's
    // constant alpha).
    void DrawBitmap(const QImage& image, const QRectF& dest, const QRectF& source, quint32 rop,
                    double opacity = 1.0);
    void PatBlt(const QRectF& rect, quint32 rop);

    // Clipping
    void IntersectClipRect(const QRectF& r);
    void ExcludeClipRect(const QRectF& r);
    void OffsetClip(double dx, double dy);
    // Rectangles in reference-device pixels (region records), RGN_* mode.
    void SelectClipRects(const std::vector<QRectF>& deviceRects, int mode);
    void ResetClip();

    // Paths
    void BeginPath();
    void EndPath();
    void AbortPath();
    void CloseFigure();
    void StrokePath();
    void FillPath();
    void StrokeAndFillPath();
    void SelectClipPath(int mode);

private:
    struct DcState {
        int MapMode = 1;
        QPointF WinOrg{0, 0}, WinExt{1, 1}, VpOrg{0, 0}, VpExt{1, 1};
        QTransform World;
        GdiPen Pen;
        GdiBrush Brush;
        GdiFont Font;
        quint32 TextColor = 0;
        quint32 BkColor = 0xFFFFFF;
        int BkMode = 2;
        quint32 TextAlign = 0;
        int FillMode = 1;
        int ArcDirection = 1;
        int Rop2 = 13;
        int StretchMode = 1;
        QPointF Cur;
        bool HasClip = false;
        QPainterPath Clip;  // in the painter's coordinates at entry
    };

    void UpdateTransform();
    void ApplyClip();
    void CombineClip(const QPainterPath& shape, int mode);
    QPen MakePen() const;
    QBrush MakeBrush() const;
    bool PenIsNull() const;
    bool BrushIsNull() const;
    void DrawShape(const QPainterPath& path, bool fill);
    void StrokeOnly(const QPainterPath& path);
    QPainterPath ArcPath(ArcKind kind, const QRectF& box, const QPointF& start,
                         const QPointF& end) const;
    QPainterPath ToBase(const QPainterPath& logical) const;
    static QRectF Normal(const QRectF& r);

    QPainter& FPainter;
    bool FWmf;
    DcState FState;
    std::vector<DcState> FSaved;
    std::vector<GdiObject> FObjects;  // index = slot
    QTransform FBase;                 // painter transform at entry
    QTransform FDeviceToTarget;       // EMF reference device -> painter logical
    QRectF FWmfTarget;
    double FPxPerMmX = 96 / 25.4, FPxPerMmY = 96 / 25.4;
    QTransform FPage;                 // logical -> entry coordinates, without world
    QTransform FToEntry;              // world * page
    QTransform FFull;                 // world * page * base: logical -> device
    std::optional<QPainterPath> FOuterClip;
    bool FInPath = false;
    bool FHasPath = false;
    QPainterPath FPath;               // logical coordinates
    bool FRaster = false;
    quint32 FObjectLimit = 65536;
};

inline QColor ColorRefToQColor(quint32 c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

}  // namespace dayloom
