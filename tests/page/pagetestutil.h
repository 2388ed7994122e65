#pragma once

#include <cmath>

#include <QColor>
#include <QImage>
#include <QPainter>

#include "page/tcalendarpanel32.h"
#include "richtext/twprtfstorage.h"

namespace dayloom::test {

// The screen at a zoom, at the tests' 96 pixels per inch.
inline PageMapping At(float zoom)
{
    return PageMapping::Screen(Zoom(zoom), 96);
}

// Shows the page at a zoom, as a page widget does.
inline void ShowAt(TCalendarPanel32& page, float zoom)
{
    page.SetView(At(zoom));
}

// The page content as the page widget paints it at the page's view (objects
// are painted over it separately).
inline QImage PaintedPage(TCalendarPanel32& page)
{
    const PageMapping view = page.View();
    QImage image(view.MapSize(page.Size()), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    page.PaintPage(p, view);
    p.end();
    return image;
}

inline bool IsBlack(const QImage& img, int x, int y) { return img.pixel(x, y) == qRgb(0, 0, 0); }
inline QRgb Px(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }

// TColor (0x00BBGGRR) of an RGB triple.
constexpr TColor Bgr(int r, int g, int b) { return TColor((b << 16) | (g << 8) | r); }

// trunc(PPI * inches) at 96 PPI.
inline int In(double inches) { return int(std::trunc(96.0 * inches)); }

inline TWPRtfStorage RtfStore(const char* rtf)
{
    TWPRtfStorage s;
    s.SetRtfText(QByteArray(rtf));
    return s;
}

}  // namespace dayloom::test
