#pragma once

#include <cmath>

#include <QRect>
#include <QRectF>
#include <QSize>

#include "core/trect.h"
#include "core/zoom.h"

namespace dayloom {

// How page pixels land on a painting device. The page and its objects hold
// their geometry in page pixels (inches times the page's pixels per inch);
// the screen and export bitmaps show them at a zoom, paper at its own
// resolution. Every painter works in device pixels and takes its sizes and
// fonts through one of these, so the same drawing code serves all three.
//
// Page geometry (the grid, the minis, the margins) is scaled with the
// fraction dropped. Page objects are mapped the way zoom steps have always
// placed them: left, top, width and height each scaled in single precision
// and rounded half to even; an edit made on the device goes back the same
// way, so that an object edited and shown again lands on the same pixels.
struct PageMapping {
    double Scale = 1.0;      // device pixels per page pixel
    double OffsetX = 0.0;    // device pixels added after scaling
    double OffsetY = 0.0;
    double FontZoom = 1.0;   // fonts are drawn at trunc(points x FontZoom) points
    int FontPPI = 96;        // device pixels per inch, for font pixel heights
    int PagePPI = 96;        // page pixels per inch
    float ObjectZoom = 1.0f;  // the zoom page objects are shown at
    // Paper: page objects paint themselves at their page size (zoom 1, page
    // pixels) and that drawing is stretched onto their rectangle in inches;
    // pictures keep their own resolution.
    bool OnPaper = false;
    // On paper, for what an object draws at its page size: the device
    // pixels one page pixel becomes (what pens and traced letters are
    // measured in).
    double PaperScale = 1.0;

    // ---- page geometry --------------------------------------------------------
    int MapX(int x) const { return int(std::trunc(double(x) * Scale + OffsetX)); }
    int MapY(int y) const { return int(std::trunc(double(y) * Scale + OffsetY)); }
    TRect Map(const TRect& r) const { return TRect(MapX(r.Left), MapY(r.Top), MapX(r.Right), MapY(r.Bottom)); }
    // A page size on the device: trunc(width x scale) by trunc(height x scale).
    QSize MapSize(QSize size) const
    {
        return QSize(int(std::trunc(double(size.width()) * Scale)), int(std::trunc(double(size.height()) * Scale)));
    }
    // A length given in inches, in device pixels: trunc(PPI x inches x scale).
    int Inches(double inches) const { return int(std::trunc(double(PagePPI) * inches * Scale)); }

    // ---- page objects ------------------------------------------------------------
    int MapObjectLength(int v) const
    {
        return ObjectZoom == 1.0f ? v : int(std::nearbyint(float(v) * ObjectZoom));
    }
    QRect MapObject(const QRect& r) const
    {
        return QRect(MapObjectLength(r.left()), MapObjectLength(r.top()), MapObjectLength(r.width()),
                     MapObjectLength(r.height()));
    }
    // A device length as page pixels: round-half-even(value / zoom), the
    // quotient taken in double precision (a single-precision reciprocal is
    // off by one for values beyond about 11,000 pixels).
    int UnmapObjectLength(int v) const
    {
        if (ObjectZoom == 1.0f)
            return v;
        return int(std::nearbyint(double(v) / double(ObjectZoom)));
    }
    QRect UnmapObject(const QRect& device) const
    {
        return QRect(UnmapObjectLength(device.left()), UnmapObjectLength(device.top()),
                     UnmapObjectLength(device.width()), UnmapObjectLength(device.height()));
    }
    // An edit on the device of an object whose page rectangle is `model`:
    // only the values the edit changed are taken back, the others keep their
    // page value (a move does not touch the size).
    QRect UnmapObjectEdit(const QRect& device, const QRect& model) const
    {
        const QRect before = MapObject(model);
        auto pick = [this](int now, int was, int page) { return now == was ? page : UnmapObjectLength(now); };
        return QRect(pick(device.left(), before.left(), model.left()), pick(device.top(), before.top(), model.top()),
                     pick(device.width(), before.width(), model.width()),
                     pick(device.height(), before.height(), model.height()));
    }

    // ---- paper ------------------------------------------------------------------
    // Device units per page pixel and their inch value.
    double DeviceDpi() const { return double(PagePPI) * Scale; }
    // A page-pixel rectangle given as left, top, width and height, as the
    // exact device rectangle of its inches: (offset + left / PPI) x DPI...
    QRectF MapExact(const QRect& pagePx) const
    {
        return QRectF(double(pagePx.left()) * Scale + OffsetX, double(pagePx.top()) * Scale + OffsetY,
                      double(pagePx.width()) * Scale, double(pagePx.height()) * Scale);
    }
    // What a page object or a cell text paints through on paper before it
    // is stretched: zoom 1 at the page's pixels per inch.
    PageMapping Recording() const
    {
        PageMapping m = Screen(Zoom(), PagePPI);
        m.OnPaper = OnPaper;
        m.PaperScale = OnPaper ? Scale : 1.0;
        return m;
    }

    // ---- the mappings ---------------------------------------------------------------
    // The screen and export bitmaps: page pixels times the zoom, fonts at the
    // zoom, at ppi pixels per inch.
    static PageMapping Screen(Zoom zoom, int ppi)
    {
        PageMapping m;
        m.Scale = double(zoom.Factor());
        m.FontZoom = double(zoom.Factor());
        m.FontPPI = ppi;
        m.PagePPI = ppi;
        m.ObjectZoom = zoom.Factor();
        return m;
    }
    // A picture at dpi dots per inch: page pixels scaled by dpi / pagePpi,
    // fonts at their point size in the picture's pixels, objects scaled and
    // rounded as on the screen. At the page's own pixels per inch it is the
    // screen's mapping at zoom 1.
    static PageMapping Bitmap(int dpi, int pagePpi)
    {
        PageMapping m;
        const double scale = pagePpi > 0 ? double(dpi) / double(pagePpi) : 1.0;
        m.Scale = scale;
        m.FontZoom = 1.0;
        m.FontPPI = dpi;
        m.PagePPI = pagePpi;
        m.ObjectZoom = float(scale);
        return m;
    }
    // Paper: page pixels / page PPI -> inches -> device units at deviceDpi,
    // with the printable area's origin offset in inches. Fonts keep their
    // point size (in the device's pixels); objects print themselves in
    // inches and keep their page size.
    static PageMapping Paper(int pagePpi, double deviceDpi, double offsetXInch, double offsetYInch)
    {
        PageMapping m;
        m.Scale = pagePpi > 0 ? deviceDpi / double(pagePpi) : 1.0;
        m.OffsetX = offsetXInch * deviceDpi;
        m.OffsetY = offsetYInch * deviceDpi;
        m.FontZoom = 1.0;
        m.FontPPI = int(std::lround(deviceDpi));
        m.PagePPI = pagePpi;
        m.ObjectZoom = 1.0f;
        m.OnPaper = true;
        m.PaperScale = m.Scale;
        return m;
    }

    Zoom ViewZoom() const { return Zoom(ObjectZoom); }
    bool operator==(const PageMapping&) const = default;
};

}  // namespace dayloom
