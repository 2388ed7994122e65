#include "imaging/wmfplayer.h"

#include <QPainter>

extern "C" {
#include <uwmf.h>
}

#include "core/cp1252.h"
#include "core/bytereader.h"
#include "imaging/dibreader.h"
#include "imaging/gdiplayback.h"
#include "imaging/imagingerror.h"

namespace dayloom {

namespace {

constexpr int kPlaceableSize = 22;
constexpr int kHeaderSize = 18;

// Record functions (the low byte numbers the call, the high byte counts
// its parameters).
enum : quint16 {
    kEof = 0x0000, kSetBkColor = 0x0201, kSetBkMode = 0x0102, kSetMapMode = 0x0103,
    kSetRop2 = 0x0104, kSetPolyFillMode = 0x0106, kSetStretchBltMode = 0x0107, kSetTextColor = 0x0209,
    kSetTextAlign = 0x012E, kSetWindowOrg = 0x020B, kSetWindowExt = 0x020C,
    kSetViewportOrg = 0x020D, kSetViewportExt = 0x020E, kOffsetWindowOrg = 0x020F,
    kScaleWindowExt = 0x0410, kOffsetViewportOrg = 0x0211, kScaleViewportExt = 0x0412,
    kLineTo = 0x0213, kMoveTo = 0x0214, kExcludeClipRect = 0x0415,
    kIntersectClipRect = 0x0416, kArc = 0x0817, kEllipse = 0x0418, kPie = 0x081A,
    kChord = 0x0830, kRectangle = 0x041B, kRoundRect = 0x061C, kPatBlt = 0x061D,
    kSaveDC = 0x001E, kRestoreDC = 0x0127, kSetPixel = 0x041F, kOffsetClipRgn = 0x0220,
    kTextOut = 0x0521, kPolygon = 0x0324, kPolyline = 0x0325, kPolyPolygon = 0x0538,
    kExtTextOut = 0x0A32, kSelectObject = 0x012D, kSelectClipRegion = 0x012C,
    kDeleteObject = 0x01F0, kCreatePenIndirect = 0x02FA, kCreateFontIndirect = 0x02FB,
    kCreateBrushIndirect = 0x02FC, kCreatePalette = 0x00F7, kCreatePatternBrush = 0x01F9,
    kDibCreatePatternBrush = 0x0142, kCreateRegion = 0x06FF, kStretchDib = 0x0F43,
    kDibStretchBlt = 0x0B41, kDibBitBlt = 0x0940, kSetDibToDev = 0x0D33,
};

QRectF Rect16(ByteReader& r)
{
    // Parameters are stored last first: bottom, right, top, left.
    const double b = r.S16(), rr = r.S16(), t = r.S16(), l = r.S16();
    return QRectF(QPointF(l, t), QPointF(rr, b));
}

QPointF Point16(ByteReader& r)
{
    const double y = r.S16();
    const double x = r.S16();
    return QPointF(x, y);
}

QPolygonF Points16(ByteReader& r, int count)
{
    r.Need(qsizetype(count) * 4);
    QPolygonF poly;
    poly.reserve(count);
    for (int i = 0; i < count; ++i) {
        const double x = r.S16();
        poly << QPointF(x, r.S16());
    }
    return poly;
}

QImage RecordDib(ByteReader& r, DibInfo* info)
{
    return DibReader::Read(r.Here(), r.Remaining(), -1, info);
}

QRectF SourceRect(const DibInfo& info, double x, double y, double cx, double cy)
{
    if (!info.TopDown)
        y = info.Height - y - cy;
    return QRectF(x, y, cx, cy);
}

void PlayRecord(GdiPlayback& dc, quint16 fn, ByteReader& r)
{
    const qsizetype params = r.Remaining();
    switch (fn) {
    case kSetBkColor: dc.SetBkColor(r.U32()); break;
    case kSetBkMode: dc.SetBkMode(r.U16()); break;
    case kSetMapMode: dc.SetMapMode(r.U16()); break;
    case kSetRop2: dc.SetRop2(r.U16()); break;
    case kSetStretchBltMode: dc.SetStretchMode(r.U16()); break;
    case kSetPolyFillMode: dc.SetPolyFillMode(r.U16()); break;
    case kSetTextColor: dc.SetTextColor(r.U32()); break;
    case kSetTextAlign: dc.SetTextAlign(r.U16()); break;
    case kSetWindowOrg: { const QPointF p = Point16(r); dc.SetWindowOrg(p.x(), p.y()); break; }
    case kSetWindowExt: { const QPointF p = Point16(r); dc.SetWindowExt(p.x(), p.y()); break; }
    case kOffsetWindowOrg: { const QPointF p = Point16(r); dc.OffsetWindowOrg(p.x(), p.y()); break; }
    case kScaleWindowExt: {
        const int yd = r.S16(), yn = r.S16(), xd = r.S16(), xn = r.S16();
        dc.ScaleWindowExt(xn, xd, yn, yd);
        break;
    }
    case kSetViewportOrg: case kSetViewportExt: case kOffsetViewportOrg:
    case kScaleViewportExt:
        // The target rectangle is the viewport of a placed metafile.
        break;
    case kLineTo: dc.LineTo(Point16(r)); break;
    case kMoveTo: dc.MoveTo(Point16(r)); break;
    case kExcludeClipRect: dc.ExcludeClipRect(Rect16(r)); break;
    case kIntersectClipRect: dc.IntersectClipRect(Rect16(r)); break;
    case kOffsetClipRgn: { const QPointF p = Point16(r); dc.OffsetClip(p.x(), p.y()); break; }
    case kArc: case kPie: case kChord: {
        const QPointF end = Point16(r);
        const QPointF start = Point16(r);
        const QRectF box = Rect16(r);
        const auto kind = fn == kArc ? GdiPlayback::ArcKind::Arc
            : fn == kPie             ? GdiPlayback::ArcKind::Pie
                                     : GdiPlayback::ArcKind::Chord;
        dc.ArcShape(kind, box, start, end);
        break;
    }
    case kEllipse: dc.Ellipse(Rect16(r)); break;
    case kRectangle: dc.Rectangle(Rect16(r)); break;
    case kRoundRect: {
        const double h = r.S16(), w = r.S16();
        dc.RoundRect(Rect16(r), QSizeF(w, h));
        break;
    }
    case kPatBlt: {
        const quint32 rop = r.U32();
        const double h = r.S16(), w = r.S16(), y = r.S16(), x = r.S16();
        dc.PatBlt(QRectF(x, y, w, h), rop);
        break;
    }
    case kSaveDC: dc.SaveDC(); break;
    case kRestoreDC: dc.RestoreDC(r.S16()); break;
    case kSetPixel: { const quint32 c = r.U32(); dc.SetPixel(Point16(r), c); break; }
    case kTextOut: {
        const int n = r.S16();
        if (n <= 0)
            break;
        const QByteArray s = r.Bytes(n);
        if (n & 1)
            r.Skip(1);
        const QPointF p = Point16(r);
        dc.TextOut(p, fromCp1252(s), {}, 0, QRectF());
        break;
    }
    case kExtTextOut: {
        const QPointF p = Point16(r);
        const int n = r.S16();
        const quint16 options = r.U16();
        QRectF rect;
        if (options & 0x0006) {
            const double l = r.S16(), t = r.S16(), rr = r.S16(), b = r.S16();
            rect = QRectF(QPointF(l, t), QPointF(rr, b));
        }
        if (n < 0)
            break;
        const QByteArray s = r.Bytes(n);
        if (n & 1 && r.Remaining() > 0)
            r.Skip(1);
        std::vector<double> dx;
        if (r.Remaining() >= qsizetype(n) * 2) {
            dx.reserve(size_t(n));
            for (int i = 0; i < n; ++i)
                dx.push_back(r.S16());
        }
        dc.TextOut(p, fromCp1252(s), dx, options, rect);
        break;
    }
    case kPolygon: case kPolyline: {
        const int n = r.S16();
        if (n <= 0)
            break;
        const QPolygonF pts = Points16(r, n);
        if (fn == kPolygon)
            dc.Polygon(pts);
        else
            dc.Polyline(pts);
        break;
    }
    case kPolyPolygon: {
        const int polys = r.U16();
        r.Need(qsizetype(polys) * 2);
        std::vector<int> counts;
        counts.reserve(size_t(polys));
        for (int i = 0; i < polys; ++i)
            counts.push_back(r.U16());
        std::vector<QPolygonF> list;
        list.reserve(size_t(polys));
        for (int c : counts)
            list.push_back(Points16(r, c));
        dc.PolyPolygon(list);
        break;
    }
    case kSelectObject: dc.SelectObject(r.U16()); break;
    case kDeleteObject: dc.DeleteObject(r.U16()); break;
    case kCreatePenIndirect: {
        GdiObject o;
        o.Type = GdiObject::Pen;
        o.PenValue.Style = r.U16();
        o.PenValue.Width = r.S16();
        r.S16();
        o.PenValue.Color = r.U32();
        dc.CreateObjectInFreeSlot(o);
        break;
    }
    case kCreateBrushIndirect: {
        GdiObject o;
        o.Type = GdiObject::Brush;
        o.BrushValue.Style = r.U16();
        o.BrushValue.Color = r.U32();
        o.BrushValue.Hatch = r.U16();
        if (o.BrushValue.Style > 2)
            o.BrushValue.Style = 0;
        dc.CreateObjectInFreeSlot(o);
        break;
    }
    case kCreateFontIndirect: {
        GdiObject o;
        o.Type = GdiObject::Font;
        GdiFont& f = o.FontValue;
        f.Height = r.S16();
        f.Width = r.S16();
        f.Escapement = r.S16();
        r.S16();
        f.Weight = r.S16();
        f.Italic = r.U8();
        f.Underline = r.U8();
        f.StrikeOut = r.U8();
        f.Charset = r.U8();
        r.Skip(4);
        QByteArray face;
        while (r.Remaining() > 0 && face.size() < 32) {
            const char c = char(r.U8());
            if (!c)
                break;
            face += c;
        }
        f.Face = fromCp1252(face);
        dc.CreateObjectInFreeSlot(o);
        break;
    }
    case kDibCreatePatternBrush: {
        GdiObject o;
        o.Type = GdiObject::Brush;
        o.BrushValue.Style = 3;
        try {
            r.U16();
            r.U16();
            DibInfo info;
            o.BrushValue.Pattern = RecordDib(r, &info);
        } catch (const ReadError&) {
            o.BrushValue.Style = 0;
            o.BrushValue.Color = 0x808080;
        }
        dc.CreateObjectInFreeSlot(o);
        break;
    }
    case kCreatePalette: case kCreatePatternBrush: case kCreateRegion: {
        // These take a slot in the object table even though we do not use them.
        GdiObject o;
        o.Type = GdiObject::Other;
        dc.CreateObjectInFreeSlot(o);
        break;
    }
    case kStretchDib: {
        const quint32 rop = r.U32();
        r.U16();  // colour usage
        const double sh = r.S16(), sw = r.S16(), sy = r.S16(), sx = r.S16();
        const double dh = r.S16(), dw = r.S16(), dy = r.S16(), dx = r.S16();
        DibInfo info;
        const QImage img = RecordDib(r, &info);
        dc.DrawBitmap(img, QRectF(dx, dy, dw, dh), SourceRect(info, sx, sy, sw, sh), rop);
        break;
    }
    case kDibStretchBlt: case kDibBitBlt: {
        const quint32 rop = r.U32();
        const bool stretch = fn == kDibStretchBlt;
        // Without a bitmap the record holds one more reserved word and
        // means a pattern fill.
        const qsizetype plain = stretch ? 4 + 8 * 2 : 4 + 6 * 2;
        if (params <= plain + 2) {
            if (stretch)
                r.Skip(8);
            else
                r.Skip(4);
            r.U16();
            const double h = r.S16(), w = r.S16(), y = r.S16(), x = r.S16();
            dc.PatBlt(QRectF(x, y, w, h), rop);
            break;
        }
        double sh = 0, sw = 0;
        if (stretch) {
            sh = r.S16();
            sw = r.S16();
        }
        const double sy = r.S16(), sx = r.S16();
        const double dh = r.S16(), dw = r.S16(), dy = r.S16(), dx = r.S16();
        if (!stretch) {
            sh = dh;
            sw = dw;
        }
        DibInfo info;
        const QImage img = RecordDib(r, &info);
        dc.DrawBitmap(img, QRectF(dx, dy, dw, dh), SourceRect(info, sx, sy, sw, sh), rop);
        break;
    }
    case kSetDibToDev: {
        r.U16();  // colour usage
        r.U16();  // scan count
        r.U16();  // start scan
        const double sy = r.S16(), sx = r.S16(), h = r.S16(), w = r.S16(), dy = r.S16(),
                     dx = r.S16();
        DibInfo info;
        const QImage img = RecordDib(r, &info);
        dc.DrawBitmap(img, QRectF(dx, dy, w, h), SourceRect(info, sx, sy, w, h), 0x00CC0020);
        break;
    }
    default:
        break;
    }
}

}  // namespace

quint16 WmfPlayer::Checksum(const char* header)
{
    quint16 sum = 0;
    for (int i = 0; i < 10; ++i)
        sum ^= quint16(uchar(header[2 * i]) | (uchar(header[2 * i + 1]) << 8));
    return sum;
}

bool WmfPlayer::IsPlaceable(const QByteArray& bytes)
{
    return bytes.size() >= kPlaceableSize &&
           ByteReader(bytes, kImageReadError).U32At(0) == kPlaceableKey;
}

WmfHeader WmfPlayer::ReadHeader(const QByteArray& bytes)
{
    WmfHeader h;
    ByteReader r(bytes, kImageReadError);
    if (IsPlaceable(bytes)) {
        r.U32();
        r.U16();
        const int l = r.S16(), t = r.S16(), rr = r.S16(), b = r.S16();
        h.Inch = r.U16();
        h.Box = QRect(QPoint(l, t), QPoint(rr - 1, b - 1));
        h.Placeable = true;
        h.BitsOffset = kPlaceableSize;
    }
    r.Seek(h.BitsOffset);
    // libuemf agrees that the header is sound before we look further.
    {
        U_WMRPLACEABLE placeable;
        U_WMRHEADER header;
        const char* begin = bytes.constData();
        if (!wmfheader_get(begin, begin + bytes.size(), &placeable, &header))
            ThrowImageError();
    }
    const quint16 type = r.U16();
    const quint16 headerWords = r.U16();
    r.U16();  // version
    const quint32 sizeWords = r.U32();
    h.Objects = r.U16();
    r.U32();  // largest record
    r.U16();
    if ((type != 1 && type != 2) || headerWords != kHeaderSize / 2)
        ThrowImageError();
    (void)sizeWords;
    // Writers disagree on whether the size in the header counts the
    // placeable header, so the record chain decides: it must reach the
    // end-of-file record inside the bytes.
    const qsizetype end = bytes.size();
    qsizetype pos = h.BitsOffset + kHeaderSize;
    if (pos > end)
        ThrowImageError();
    bool sawEof = false;
    bool sawOrg = false;
    while (pos + 6 <= end) {
        const quint32 words = r.U32At(pos);
        const quint16 fn = r.U16At(pos + 4);
        if (words < 3 || qint64(words) * 2 > end - pos)
            ThrowImageError();
        if (fn == kEof) {
            sawEof = true;
            pos += qsizetype(words) * 2;
            break;
        }
        if (fn == kSetWindowExt && !h.HasWindowExt && words >= 5) {
            const int y = qint16(r.U16At(pos + 6)), x = qint16(r.U16At(pos + 8));
            if (x && y) {
                h.WindowExt = QSize(x, y);
                h.HasWindowExt = true;
            }
        } else if (fn == kSetWindowOrg && !sawOrg && words >= 5) {
            h.WindowOrg = QPoint(qint16(r.U16At(pos + 8)), qint16(r.U16At(pos + 6)));
            sawOrg = true;
        }
        pos += qsizetype(words) * 2;
    }
    h.BitsSize = pos - h.BitsOffset;
    if (!sawEof)
        ThrowImageError();
    return h;
}

void WmfPlayer::Play(const QByteArray& bytes, QPainter& painter, const QRectF& target)
{
    const WmfHeader h = ReadHeader(bytes);
    if (target.isEmpty())
        return;
    QRectF window;
    if (h.Placeable && h.Box.width() > 0 && h.Box.height() > 0)
        window = QRectF(h.Box.left(), h.Box.top(), h.Box.width(), h.Box.height());
    else if (h.HasWindowExt)
        window = QRectF(h.WindowOrg, QSizeF(h.WindowExt));
    else
        window = QRectF(0, 0, target.width(), target.height());

    GdiPlayback dc(painter, true);
    dc.SetWindowTarget(target, window);
    const char* data = bytes.constData();
    const qsizetype end = h.BitsOffset + h.BitsSize;
    qsizetype pos = h.BitsOffset + kHeaderSize;
    ByteReader all(bytes, kImageReadError);
    while (pos + 6 <= end) {
        const quint32 words = all.U32At(pos);
        const quint16 fn = all.U16At(pos + 4);
        const qsizetype size = qsizetype(words) * 2;
        if (words < 3 || size > end - pos || fn == kEof)
            break;
        const char* rec = data + pos;
        pos += size;
        // libuemf's record check, then our own field by field.
        if (!U_WMRRECSAFE_get(rec, rec + size))
            continue;
        ByteReader r(rec + 6, size - 6, kImageReadError);
        try {
            PlayRecord(dc, fn, r);
        } catch (const ReadError&) {
        }
    }
}

}  // namespace dayloom
