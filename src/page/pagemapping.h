#pragma once

#include <cmath>

#include "core/screen.h"
#include "core/trect.h"

namespace dayloom {

// How page pixels land on a painting device. The screen uses the zoom with
// truncation; a printer uses its own pixels per page pixel plus an offset.
// The painters work in device pixels and take fonts through this mapping, so
// the same drawing code serves the screen, export bitmaps and paper.
struct PageMapping {
    double Scale = 1.0;    // device pixels per page pixel
    double OffsetX = 0.0;  // device pixels added after scaling
    double OffsetY = 0.0;
    double FontZoom = 1.0;  // fonts are drawn at trunc(points * FontZoom) points
    int FontPPI = 96;       // device pixels per inch, for font pixel heights
    int PagePPI = 96;       // page pixels per inch

    int MapX(int x) const { return int(std::trunc(double(x) * Scale + OffsetX)); }
    int MapY(int y) const { return int(std::trunc(double(y) * Scale + OffsetY)); }
    TRect Map(const TRect& r) const { return TRect(MapX(r.Left), MapY(r.Top), MapX(r.Right), MapY(r.Bottom)); }
    // A length given in inches, in device pixels: trunc(PPI * inches * scale).
    int Inches(double inches) const { return int(std::trunc(double(PagePPI) * inches * Scale)); }

    // The screen: page pixels times the zoom, fonts at the zoom.
    static PageMapping Screen(float zoom)
    {
        PageMapping m;
        m.Scale = double(zoom);
        m.FontZoom = double(zoom);
        m.FontPPI = ScreenPPI();
        m.PagePPI = ScreenPPI();
        return m;
    }
};

}  // namespace dayloom
