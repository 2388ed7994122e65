#include "paint/paintutil.h"

#include <cmath>

#include <QPainter>
#include <QPen>

namespace dayloom {

namespace {

int zoomedPoints(const TFontData& font, const PageMapping& m)
{
    const int points = int(std::trunc(double(font.Size()) * m.FontZoom));
    return points < 1 ? 1 : points;
}

}  // namespace

int PageFontPixelHeight(const TFontData& font, const PageMapping& m)
{
    // points -> pixels rounds, like a font height taken from a point size
    const int px = int(std::lround(double(zoomedPoints(font, m)) * double(m.FontPPI) / 72.0));
    return px < 1 ? 1 : px;
}

QFont PageFont(const TFontData& font, const PageMapping& m)
{
    QFont f(font.Name);
    f.setPixelSize(PageFontPixelHeight(font, m));
    f.setBold(font.Bold());
    f.setItalic(font.Italic());
    f.setUnderline(font.Underline());
    f.setStrikeOut(font.StrikeOut());
    if (font.Pitch == fpFixed)
        f.setFixedPitch(true);
    return f;
}

void PageLine(QPainter& p, int x1, int y1, int x2, int y2)
{
    if (x1 == x2 && y1 == y2)
        return;
    if (y1 == y2) {
        p.drawLine(x1, y1, x2 > x1 ? x2 - 1 : x2 + 1, y1);
    } else if (x1 == x2) {
        p.drawLine(x1, y1, x1, y2 > y1 ? y2 - 1 : y2 + 1);
    } else {
        // Not used by the page painters; the end point is drawn here.
        p.drawLine(x1, y1, x2, y2);
    }
}

void PageFill(QPainter& p, const TRect& r, TColor color)
{
    if (r.Right <= r.Left || r.Bottom <= r.Top)
        return;
    p.fillRect(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top), ToQColor(color));
}

void DrawPageBorder(QPainter& p, const TRect& r, TCalBorderStyle style)
{
    switch (style) {
    case cbNone:
        break;
    case cbAll:
        PageLine(p, r.Left, r.Top, r.Right, r.Top);
        PageLine(p, r.Right, r.Top, r.Right, r.Bottom);
        PageLine(p, r.Right, r.Bottom, r.Left, r.Bottom);
        PageLine(p, r.Left, r.Bottom, r.Left, r.Top);
        break;
    case cbTop:
        PageLine(p, r.Left, r.Top, r.Right, r.Top);
        break;
    case cbBottom:
        PageLine(p, r.Left, r.Bottom, r.Right, r.Bottom);
        break;
    case cbTopBottom:
        PageLine(p, r.Left, r.Top, r.Right, r.Top);
        PageLine(p, r.Left, r.Bottom, r.Right, r.Bottom);
        break;
    }
}

void PageText(QPainter& p, const TRect& r, int flags, const QString& text)
{
    if (text.isEmpty() || r.Right <= r.Left || r.Bottom <= r.Top)
        return;
    p.drawText(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top), flags | Qt::TextSingleLine,
               text);
}

void ResetPagePen(QPainter& p)
{
    QPen pen(Qt::black);
    pen.setWidth(0);  // cosmetic: one device pixel whatever the transform
    pen.setCapStyle(Qt::SquareCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.setRenderHint(QPainter::Antialiasing, false);
}

QString HeaderText(const QString& dayName, TCalHeadersStyle style)
{
    switch (style) {
    case dsFirstChar:
        return dayName.left(1);
    case dsThreeChars:
        return dayName.left(3);
    case dsWhole:
        return dayName;
    }
    return dayName;
}

}  // namespace dayloom
