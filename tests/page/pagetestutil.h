#pragma once

#include <cmath>

#include <QColor>
#include <QImage>
#include <QPainter>

#include "page/tcalendarpanel32.h"
#include "richtext/twprtfstorage.h"

namespace dayloom::test {

// The page as the screen shows it, through the page's own Paint.
inline QImage PaintedPage(TCalendarPanel32& page)
{
    QImage image(page.ControlSize(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter p(&image);
    page.Paint(p);
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
