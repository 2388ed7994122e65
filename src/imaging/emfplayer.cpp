#include "imaging/emfplayer.h"

#include <cmath>

#include <QPainter>

extern "C" {
#include <uemf.h>
#include <uemf_safe.h>
}

#include "core/cp1252.h"
#include "core/bytereader.h"
#include "imaging/dibreader.h"
#include "imaging/emfwriter.h"
#include "imaging/gdiplayback.h"
#include "imaging/imagingerror.h"

namespace dayloom {

namespace {

constexpr quint32 kEmfSignature = 0x464D4520;  // " EMF"
constexpr int kHeaderMin = 88;

QRect ReadRectL(ByteReader& r)
{
    const int l = r.S32(), t = r.S32(), rr = r.S32(), b = r.S32();
    return QRect(QPoint(l, t), QPoint(rr, b));
}

QRectF RectF(ByteReader& r)
{
    const double l = r.S32(), t = r.S32(), rr = r.S32(), b = r.S32();
    return QRectF(QPointF(l, t), QPointF(rr, b));
}

QPointF PointL(ByteReader& r)
{
    const double x = r.S32();
    const double y = r.S32();
    return QPointF(x, y);
}

QTransform ReadXForm(ByteReader& r)
{
    const double m11 = r.F32(), m12 = r.F32(), m21 = r.F32(), m22 = r.F32(), dx = r.F32(),
                 dy = r.F32();
    return QTransform(m11, m12, m21, m22, dx, dy);
}

QPolygonF ReadPoints(ByteReader& r, quint32 count, bool small)
{
    r.Need(qsizetype(count) * (small ? 4 : 8));
    QPolygonF poly;
    poly.reserve(count);
    for (quint32 i = 0; i < count; ++i) {
        if (small) {
            const double x = r.S16();
            poly << QPointF(x, r.S16());
        } else {
            const double x = r.S32();
            poly << QPointF(x, r.S32());
        }
    }
    return poly;
}

// A DIB inside a record: header at offBmi (cbBmi bytes), bits at offBits.
QImage RecordDib(const ByteReader& rec, quint32 offBmi, quint32 cbBmi, quint32 offBits,
                 quint32 cbBits, DibInfo* info)
{
    const qsizetype n = rec.Size();
    if (!cbBmi || offBmi > n || cbBmi > n - offBmi || offBits > n || cbBits > n - offBits)
        ThrowImageError();
    return DibReader::Read(rec.Data() + offBmi, cbBmi, rec.Data() + offBits, cbBits, info);
}

// The same for an alpha-blend record: 32-bit bits carry premultiplied alpha.
QImage RecordDibPremultiplied(const ByteReader& rec, quint32 offBmi, quint32 cbBmi,
                              quint32 offBits, quint32 cbBits, DibInfo* info)
{
    const qsizetype n = rec.Size();
    if (!cbBmi || offBmi > n || cbBmi > n - offBmi || offBits > n || cbBits > n - offBits)
        ThrowImageError();
    return DibReader::ReadPremultiplied(rec.Data() + offBmi, cbBmi, rec.Data() + offBits, cbBits,
                                        info);
}

QRectF SourceRect(const DibInfo& info, double x, double y, double cx, double cy)
{
    // Rows of a bottom-up bitmap are counted from its lower edge.
    if (!info.TopDown)
        y = info.Height - y - cy;
    return QRectF(x, y, cx, cy);
}

// The records we draw; the rest are skipped unread.
bool Handled(quint32 type)
{
    switch (type) {
    case U_EMR_POLYBEZIER: case U_EMR_POLYGON: case U_EMR_POLYLINE: case U_EMR_POLYBEZIERTO:
    case U_EMR_POLYLINETO: case U_EMR_POLYPOLYLINE: case U_EMR_POLYPOLYGON:
    case U_EMR_SETWINDOWEXTEX: case U_EMR_SETWINDOWORGEX: case U_EMR_SETVIEWPORTEXTEX:
    case U_EMR_SETVIEWPORTORGEX: case U_EMR_SETPIXELV: case U_EMR_SETMAPMODE:
    case U_EMR_SETBKMODE: case U_EMR_SETPOLYFILLMODE: case U_EMR_SETROP2:
    case U_EMR_SETSTRETCHBLTMODE:
    case U_EMR_SETTEXTALIGN: case U_EMR_SETTEXTCOLOR: case U_EMR_SETBKCOLOR:
    case U_EMR_OFFSETCLIPRGN: case U_EMR_MOVETOEX: case U_EMR_EXCLUDECLIPRECT:
    case U_EMR_INTERSECTCLIPRECT: case U_EMR_SCALEVIEWPORTEXTEX: case U_EMR_SCALEWINDOWEXTEX:
    case U_EMR_SAVEDC: case U_EMR_RESTOREDC: case U_EMR_SETWORLDTRANSFORM:
    case U_EMR_MODIFYWORLDTRANSFORM: case U_EMR_SELECTOBJECT: case U_EMR_CREATEPEN:
    case U_EMR_CREATEBRUSHINDIRECT: case U_EMR_DELETEOBJECT: case U_EMR_ELLIPSE:
    case U_EMR_RECTANGLE: case U_EMR_ROUNDRECT: case U_EMR_ARC: case U_EMR_CHORD:
    case U_EMR_PIE: case U_EMR_CREATEPALETTE: case U_EMR_LINETO: case U_EMR_ARCTO:
    case U_EMR_SETARCDIRECTION: case U_EMR_BEGINPATH: case U_EMR_ENDPATH:
    case U_EMR_CLOSEFIGURE: case U_EMR_FILLPATH: case U_EMR_STROKEANDFILLPATH:
    case U_EMR_STROKEPATH: case U_EMR_SELECTCLIPPATH: case U_EMR_ABORTPATH:
    case U_EMR_EXTSELECTCLIPRGN: case U_EMR_BITBLT: case U_EMR_STRETCHBLT:
    case U_EMR_SETDIBITSTODEVICE: case U_EMR_STRETCHDIBITS: case U_EMR_EXTCREATEFONTINDIRECTW:
    case U_EMR_EXTTEXTOUTA: case U_EMR_EXTTEXTOUTW: case U_EMR_POLYBEZIER16:
    case U_EMR_POLYGON16: case U_EMR_POLYLINE16: case U_EMR_POLYBEZIERTO16:
    case U_EMR_POLYLINETO16: case U_EMR_POLYPOLYLINE16: case U_EMR_POLYPOLYGON16:
    case U_EMR_CREATEMONOBRUSH: case U_EMR_CREATEDIBPATTERNBRUSHPT: case U_EMR_EXTCREATEPEN:
    case U_EMR_ALPHABLEND:
        return true;
    default:
        return false;
    }
}

class EmfRecordPlayer {
public:
    EmfRecordPlayer(GdiPlayback& dc) : FDc(dc) {}
    void Record(quint32 type, ByteReader& r);

private:
    void PolyRecord(quint32 type, ByteReader& r);
    void PolyPolyRecord(quint32 type, ByteReader& r);
    void Text(ByteReader& r, bool wide);
    GdiPlayback& FDc;
};

void EmfRecordPlayer::PolyRecord(quint32 type, ByteReader& r)
{
    const bool small = type >= U_EMR_POLYBEZIER16 && type <= U_EMR_POLYLINETO16;
    r.Seek(24);
    const quint32 count = r.U32();
    const QPolygonF pts = ReadPoints(r, count, small);
    const quint32 base = small ? type - (U_EMR_POLYBEZIER16 - U_EMR_POLYBEZIER) : type;
    switch (base) {
    case U_EMR_POLYBEZIER: FDc.PolyBezier(pts); break;
    case U_EMR_POLYGON: FDc.Polygon(pts); break;
    case U_EMR_POLYLINE: FDc.Polyline(pts); break;
    case U_EMR_POLYBEZIERTO: FDc.PolyBezierTo(pts); break;
    case U_EMR_POLYLINETO: FDc.PolylineTo(pts); break;
    default: break;
    }
}

void EmfRecordPlayer::PolyPolyRecord(quint32 type, ByteReader& r)
{
    const bool small = type == U_EMR_POLYPOLYLINE16 || type == U_EMR_POLYPOLYGON16;
    r.Seek(24);
    const quint32 polys = r.U32();
    const quint32 total = r.U32();
    r.Need(qsizetype(polys) * 4);
    std::vector<quint32> counts(polys);
    quint64 sum = 0;
    for (quint32 i = 0; i < polys; ++i) {
        counts[i] = r.U32();
        sum += counts[i];
    }
    if (sum > total)
        ThrowImageError();
    std::vector<QPolygonF> list;
    list.reserve(polys);
    for (quint32 c : counts)
        list.push_back(ReadPoints(r, c, small));
    if (type == U_EMR_POLYPOLYGON || type == U_EMR_POLYPOLYGON16)
        FDc.PolyPolygon(list);
    else
        FDc.PolyPolyline(list);
}

void EmfRecordPlayer::Text(ByteReader& r, bool wide)
{
    r.Seek(36);
    const QPointF ref = PointL(r);
    const quint32 chars = r.U32();
    const quint32 offString = r.U32();
    const quint32 options = r.U32();
    const QRectF rect = RectF(r);
    const quint32 offDx = r.U32();
    const qsizetype bytes = qsizetype(chars) * (wide ? 2 : 1);
    if (offString > r.Size() || bytes > r.Size() - offString)
        ThrowImageError();
    QString text;
    if (wide) {
        text.resize(chars);
        for (quint32 i = 0; i < chars; ++i)
            text[i] = QChar(r.U16At(offString + 2 * qsizetype(i)));
    } else {
        text = fromCp1252(QByteArray(r.Data() + offString, bytes));
    }
    std::vector<double> dx;
    const bool pdy = options & 0x2000;
    const qsizetype dxCount = qsizetype(chars) * (pdy ? 2 : 1);
    if (offDx && offDx <= r.Size() && dxCount * 4 <= r.Size() - offDx) {
        dx.reserve(chars);
        for (quint32 i = 0; i < chars; ++i)
            dx.push_back(qint32(r.U32At(offDx + 4 * qsizetype(pdy ? 2 * i : i))));
    }
    FDc.TextOut(ref, text, dx, options, rect);
}

void EmfRecordPlayer::Record(quint32 type, ByteReader& r)
{
    r.Seek(8);
    switch (type) {
    case U_EMR_POLYBEZIER: case U_EMR_POLYGON: case U_EMR_POLYLINE:
    case U_EMR_POLYBEZIERTO: case U_EMR_POLYLINETO:
    case U_EMR_POLYBEZIER16: case U_EMR_POLYGON16: case U_EMR_POLYLINE16:
    case U_EMR_POLYBEZIERTO16: case U_EMR_POLYLINETO16:
        PolyRecord(type, r);
        break;
    case U_EMR_POLYPOLYLINE: case U_EMR_POLYPOLYGON:
    case U_EMR_POLYPOLYLINE16: case U_EMR_POLYPOLYGON16:
        PolyPolyRecord(type, r);
        break;
    case U_EMR_SETWINDOWEXTEX: { const double x = r.S32(); FDc.SetWindowExt(x, r.S32()); break; }
    case U_EMR_SETWINDOWORGEX: { const double x = r.S32(); FDc.SetWindowOrg(x, r.S32()); break; }
    case U_EMR_SETVIEWPORTEXTEX: { const double x = r.S32(); FDc.SetViewportExt(x, r.S32()); break; }
    case U_EMR_SETVIEWPORTORGEX: { const double x = r.S32(); FDc.SetViewportOrg(x, r.S32()); break; }
    case U_EMR_SCALEVIEWPORTEXTEX:
    case U_EMR_SCALEWINDOWEXTEX: {
        const int xn = r.S32(), xd = r.S32(), yn = r.S32(), yd = r.S32();
        if (type == U_EMR_SCALEVIEWPORTEXTEX)
            FDc.ScaleViewportExt(xn, xd, yn, yd);
        else
            FDc.ScaleWindowExt(xn, xd, yn, yd);
        break;
    }
    case U_EMR_SETPIXELV: { const QPointF p = PointL(r); FDc.SetPixel(p, r.U32()); break; }
    case U_EMR_SETMAPMODE: FDc.SetMapMode(int(r.U32())); break;
    case U_EMR_SETBKMODE: FDc.SetBkMode(int(r.U32())); break;
    case U_EMR_SETPOLYFILLMODE: FDc.SetPolyFillMode(int(r.U32())); break;
    case U_EMR_SETROP2: FDc.SetRop2(int(r.U32())); break;
    case U_EMR_SETSTRETCHBLTMODE: FDc.SetStretchMode(int(r.U32())); break;
    case U_EMR_SETTEXTALIGN: FDc.SetTextAlign(r.U32()); break;
    case U_EMR_SETTEXTCOLOR: FDc.SetTextColor(r.U32()); break;
    case U_EMR_SETBKCOLOR: FDc.SetBkColor(r.U32()); break;
    case U_EMR_SETARCDIRECTION: FDc.SetArcDirection(int(r.U32())); break;
    case U_EMR_OFFSETCLIPRGN: { const double x = r.S32(); FDc.OffsetClip(x, r.S32()); break; }
    case U_EMR_MOVETOEX: FDc.MoveTo(PointL(r)); break;
    case U_EMR_LINETO: FDc.LineTo(PointL(r)); break;
    case U_EMR_EXCLUDECLIPRECT: FDc.ExcludeClipRect(RectF(r)); break;
    case U_EMR_INTERSECTCLIPRECT: FDc.IntersectClipRect(RectF(r)); break;
    case U_EMR_SAVEDC: FDc.SaveDC(); break;
    case U_EMR_RESTOREDC: FDc.RestoreDC(r.S32()); break;
    case U_EMR_SETWORLDTRANSFORM: FDc.SetWorldTransform(ReadXForm(r)); break;
    case U_EMR_MODIFYWORLDTRANSFORM: {
        const QTransform t = ReadXForm(r);
        FDc.ModifyWorldTransform(t, int(r.U32()));
        break;
    }
    case U_EMR_SELECTOBJECT: FDc.SelectObject(r.U32()); break;
    case U_EMR_DELETEOBJECT: FDc.DeleteObject(r.U32()); break;
    case U_EMR_CREATEPEN: {
        const quint32 ih = r.U32();
        GdiObject o;
        o.Type = GdiObject::Pen;
        o.PenValue.Style = r.U32();
        o.PenValue.Width = r.S32();
        r.S32();
        o.PenValue.Color = r.U32();
        FDc.CreateObject(ih, o);
        break;
    }
    case U_EMR_EXTCREATEPEN: {
        const quint32 ih = r.U32();
        r.Seek(28);
        GdiObject o;
        o.Type = GdiObject::Pen;
        o.PenValue.Style = r.U32();
        o.PenValue.Width = r.U32();
        const quint32 brushStyle = r.U32();
        o.PenValue.Color = r.U32();
        o.PenValue.Extended = true;
        if (!(o.PenValue.Style & 0x10000))  // cosmetic: one device pixel
            o.PenValue.Width = 0;
        if (brushStyle == 1)  // a pen with a hollow brush draws nothing
            o.PenValue.Style = (o.PenValue.Style & ~0x0Fu) | 5;
        if ((o.PenValue.Style & 0x0F) == 7) {
            // User-styled dashes; the device takes at most 16 entries.
            r.U32();  // hatch
            const quint32 entries = r.U32();
            if (entries <= 16 && r.Remaining() >= qsizetype(entries) * 4)
                for (quint32 i = 0; i < entries; ++i)
                    o.PenValue.Dashes.push_back(r.U32());
        }
        FDc.CreateObject(ih, o);
        break;
    }
    case U_EMR_CREATEBRUSHINDIRECT: {
        const quint32 ih = r.U32();
        GdiObject o;
        o.Type = GdiObject::Brush;
        o.BrushValue.Style = r.U32();
        o.BrushValue.Color = r.U32();
        o.BrushValue.Hatch = r.U32();
        if (o.BrushValue.Style > 2)
            o.BrushValue.Style = 0;
        FDc.CreateObject(ih, o);
        break;
    }
    case U_EMR_CREATEDIBPATTERNBRUSHPT:
    case U_EMR_CREATEMONOBRUSH: {
        const quint32 ih = r.U32();
        r.U32();  // usage
        const quint32 offBmi = r.U32(), cbBmi = r.U32(), offBits = r.U32(), cbBits = r.U32();
        GdiObject o;
        o.Type = GdiObject::Brush;
        o.BrushValue.Style = 3;
        try {
            DibInfo info;
            o.BrushValue.Pattern = RecordDib(r, offBmi, cbBmi, offBits, cbBits, &info);
        } catch (const ReadError&) {
            o.BrushValue.Style = 0;
            o.BrushValue.Color = 0x808080;
        }
        FDc.CreateObject(ih, o);
        break;
    }
    case U_EMR_EXTCREATEFONTINDIRECTW: {
        const quint32 ih = r.U32();
        GdiObject o;
        o.Type = GdiObject::Font;
        GdiFont& f = o.FontValue;
        f.Height = r.S32();
        f.Width = r.S32();
        f.Escapement = r.S32();
        r.S32();  // orientation
        f.Weight = r.S32();
        f.Italic = r.U8();
        f.Underline = r.U8();
        f.StrikeOut = r.U8();
        f.Charset = r.U8();
        r.Skip(4);
        for (int i = 0; i < 32 && r.Remaining() >= 2; ++i) {
            const quint16 c = r.U16();
            if (!c)
                break;
            f.Face += QChar(c);
        }
        FDc.CreateObject(ih, o);
        break;
    }
    case U_EMR_CREATEPALETTE: {
        GdiObject o;
        o.Type = GdiObject::Other;
        FDc.CreateObject(r.U32(), o);
        break;
    }
    case U_EMR_ELLIPSE: FDc.Ellipse(RectF(r)); break;
    case U_EMR_RECTANGLE: FDc.Rectangle(RectF(r)); break;
    case U_EMR_ROUNDRECT: {
        const QRectF box = RectF(r);
        const double w = r.S32();
        FDc.RoundRect(box, QSizeF(w, r.S32()));
        break;
    }
    case U_EMR_ARC: case U_EMR_CHORD: case U_EMR_PIE: case U_EMR_ARCTO: {
        const QRectF box = RectF(r);
        const QPointF s = PointL(r);
        const QPointF e = PointL(r);
        const auto kind = type == U_EMR_ARC ? GdiPlayback::ArcKind::Arc
            : type == U_EMR_CHORD           ? GdiPlayback::ArcKind::Chord
            : type == U_EMR_PIE             ? GdiPlayback::ArcKind::Pie
                                            : GdiPlayback::ArcKind::ArcTo;
        FDc.ArcShape(kind, box, s, e);
        break;
    }
    case U_EMR_BEGINPATH: FDc.BeginPath(); break;
    case U_EMR_ENDPATH: FDc.EndPath(); break;
    case U_EMR_CLOSEFIGURE: FDc.CloseFigure(); break;
    case U_EMR_FILLPATH: FDc.FillPath(); break;
    case U_EMR_STROKEANDFILLPATH: FDc.StrokeAndFillPath(); break;
    case U_EMR_STROKEPATH: FDc.StrokePath(); break;
    case U_EMR_ABORTPATH: FDc.AbortPath(); break;
    case U_EMR_SELECTCLIPPATH: FDc.SelectClipPath(int(r.U32())); break;
    case U_EMR_EXTSELECTCLIPRGN: {
        const quint32 cb = r.U32();
        const int mode = int(r.U32());
        std::vector<QRectF> rects;
        if (cb >= 32 && cb <= r.Remaining()) {
            r.U32();  // header size
            r.U32();  // type
            const quint32 n = r.U32();
            r.U32();
            r.Skip(16);
            r.Need(qsizetype(n) * 16);
            rects.reserve(n);
            for (quint32 i = 0; i < n; ++i)
                rects.push_back(RectF(r));
        } else if (mode != 5) {
            break;
        }
        FDc.SelectClipRects(rects, mode);
        break;
    }
    case U_EMR_EXTTEXTOUTA: Text(r, false); break;
    case U_EMR_EXTTEXTOUTW: Text(r, true); break;
    case U_EMR_BITBLT:
    case U_EMR_STRETCHBLT: {
        r.Skip(16);  // bounds
        const double x = r.S32(), y = r.S32(), cx = r.S32(), cy = r.S32();
        const quint32 rop = r.U32();
        const double xs = r.S32(), ys = r.S32();
        r.Skip(24);  // source transform
        r.U32();     // source background
        r.U32();     // usage
        const quint32 offBmi = r.U32(), cbBmi = r.U32(), offBits = r.U32(), cbBits = r.U32();
        double cxs = cx, cys = cy;
        if (type == U_EMR_STRETCHBLT) {
            cxs = r.S32();
            cys = r.S32();
        }
        if (!cbBmi) {
            FDc.PatBlt(QRectF(x, y, cx, cy), rop);
            break;
        }
        DibInfo info;
        const QImage img = RecordDib(r, offBmi, cbBmi, offBits, cbBits, &info);
        Q_UNUSED(xs);
        Q_UNUSED(ys);
        FDc.DrawBitmap(img, QRectF(x, y, cx, cy), QRectF(0, 0, std::abs(cxs), std::abs(cys)), rop);
        break;
    }
    case U_EMR_STRETCHDIBITS: {
        r.Skip(16);
        const double x = r.S32(), y = r.S32(), xs = r.S32(), ys = r.S32(), cxs = r.S32(),
                     cys = r.S32();
        const quint32 offBmi = r.U32(), cbBmi = r.U32(), offBits = r.U32(), cbBits = r.U32();
        r.U32();  // usage
        const quint32 rop = r.U32();
        const double cx = r.S32(), cy = r.S32();
        DibInfo info;
        const QImage img = RecordDib(r, offBmi, cbBmi, offBits, cbBits, &info);
        FDc.DrawBitmap(img, QRectF(x, y, cx, cy), SourceRect(info, xs, ys, cxs, cys), rop);
        break;
    }
    case U_EMR_ALPHABLEND: {
        r.Skip(16);  // bounds
        const double x = r.S32(), y = r.S32(), cx = r.S32(), cy = r.S32();
        r.U8();  // operation: always "over"
        r.U8();  // flags
        const int constantAlpha = r.U8();
        const bool perPixel = r.U8() & 1;  // AC_SRC_ALPHA
        const double xs = r.S32(), ys = r.S32();
        r.Skip(24);  // source transform
        r.U32();     // source background
        r.U32();     // usage
        const quint32 offBmi = r.U32(), cbBmi = r.U32(), offBits = r.U32(), cbBits = r.U32();
        const double cxs = r.S32(), cys = r.S32();
        DibInfo info;
        const QImage img = perPixel
            ? RecordDibPremultiplied(r, offBmi, cbBmi, offBits, cbBits, &info)
            : RecordDib(r, offBmi, cbBmi, offBits, cbBits, &info);
        // The source is counted from the bitmap's top row, as in a device
        // context holding it.
        FDc.DrawBitmap(img, QRectF(x, y, cx, cy), QRectF(xs, ys, cxs, cys), 0x00CC0020,
                       constantAlpha / 255.0);
        break;
    }
    case U_EMR_SETDIBITSTODEVICE: {
        r.Skip(16);
        const double x = r.S32(), y = r.S32(), xs = r.S32(), ys = r.S32(), cxs = r.S32(),
                     cys = r.S32();
        const quint32 offBmi = r.U32(), cbBmi = r.U32(), offBits = r.U32(), cbBits = r.U32();
        DibInfo info;
        const QImage img = RecordDib(r, offBmi, cbBmi, offBits, cbBits, &info);
        FDc.DrawBitmap(img, QRectF(x, y, cxs, cys), SourceRect(info, xs, ys, cxs, cys),
                       0x00CC0020);
        break;
    }
    default:
        break;
    }
}

}  // namespace

bool EmfPlayer::IsEnhanced(const QByteArray& bytes)
{
    if (bytes.size() < kHeaderMin)
        return false;
    ByteReader r(bytes, kImageReadError);
    return r.U32At(0) == U_EMR_HEADER && r.U32At(40) == kEmfSignature;
}

EmfHeader EmfPlayer::ReadHeader(const QByteArray& bytes)
{
    if (!IsEnhanced(bytes))
        ThrowImageError();
    ByteReader r(bytes, kImageReadError);
    r.U32();
    const quint32 headerSize = r.U32();
    if (headerSize < kHeaderMin || headerSize > quint32(bytes.size()) || headerSize % 4)
        ThrowImageError();
    EmfHeader h;
    h.Bounds = ReadRectL(r);
    h.Frame = ReadRectL(r);
    r.U32();  // signature
    r.U32();  // version
    h.Bytes = r.U32();
    h.Records = r.U32();
    h.Handles = r.U16();
    r.U16();
    r.U32();
    r.U32();
    r.U32();
    const int dx = r.S32(), dy = r.S32(), mx = r.S32(), my = r.S32();
    h.Device = QSize(dx, dy);
    h.Millimeters = QSize(mx, my);
    if (h.Bytes > quint32(bytes.size()) || h.Bytes < headerSize)
        ThrowImageError();

    // Walk the record chain: each size sane, inside the bytes, up to EOF.
    qsizetype pos = 0;
    const qsizetype end = h.Bytes;
    bool sawEof = false;
    while (pos + 8 <= end) {
        const quint32 type = r.U32At(pos);
        const quint32 size = r.U32At(pos + 4);
        if (size < 8 || size % 4 || size > quint64(end - pos))
            ThrowImageError();
        pos += size;
        if (type == U_EMR_EOF) {
            sawEof = true;
            break;
        }
    }
    if (!sawEof)
        ThrowImageError();
    return h;
}

void EmfPlayer::Play(const QByteArray& bytes, QPainter& painter, const QRectF& target)
{
    const EmfHeader h = ReadHeader(bytes);
    // Frame in reference-device pixels.
    double pxmmX = 96 / 25.4, pxmmY = 96 / 25.4;
    if (h.Millimeters.width() > 0 && h.Millimeters.height() > 0 && h.Device.width() > 0
        && h.Device.height() > 0) {
        pxmmX = double(h.Device.width()) / h.Millimeters.width();
        pxmmY = double(h.Device.height()) / h.Millimeters.height();
    }
    QRectF frame(QPointF(h.Frame.left() * pxmmX / 100.0, h.Frame.top() * pxmmY / 100.0),
                 QPointF(h.Frame.right() * pxmmX / 100.0, h.Frame.bottom() * pxmmY / 100.0));
    if (!(frame.width() > 0 && frame.height() > 0))
        frame = QRectF(QPointF(h.Bounds.left(), h.Bounds.top()),
                       QPointF(h.Bounds.right() + 1.0, h.Bounds.bottom() + 1.0));
    if (!(frame.width() > 0 && frame.height() > 0) || target.isEmpty())
        return;
    QTransform toTarget;
    toTarget.translate(target.left(), target.top());
    toTarget.scale(target.width() / frame.width(), target.height() / frame.height());
    toTarget.translate(-frame.left(), -frame.top());

    GdiPlayback dc(painter, false);
    dc.SetDeviceMapping(toTarget, pxmmX, pxmmY);
    if (EmfPaintDevice::IsVectorArt(bytes))
        dc.SetSmooth(true);
    // Some writers undercount their handles; a small table is always allowed.
    dc.SetObjectLimit(std::max<quint32>(quint32(h.Handles), 1024));
    EmfRecordPlayer player(dc);
    qsizetype pos = 0;
    const qsizetype end = h.Bytes;
    while (pos + 8 <= end) {
        const char* rec = bytes.constData() + pos;
        ByteReader head(rec, 8, kImageReadError);
        const quint32 type = head.U32();
        const quint32 size = head.U32();
        if (size < 8 || size > quint64(end - pos))
            break;
        pos += size;
        if (type == U_EMR_EOF)
            break;
        if (type == U_EMR_HEADER || type == U_EMR_COMMENT)
            continue;
        // libuemf's checks read a record's inner counts and offsets against
        // its own size; ours below repeat them field by field.
        if (!Handled(type) || !U_emf_record_safe(rec))
            continue;
        ByteReader r(rec, size, kImageReadError);
        try {
            player.Record(type, r);
        } catch (const ReadError&) {
            // A damaged record draws nothing; playback goes on.
        }
    }
}

}  // namespace dayloom
