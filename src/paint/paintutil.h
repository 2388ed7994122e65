#pragma once

#include <QFont>
#include <QString>

#include "core/tcolor.h"
#include "core/tfont.h"
#include "core/pagemapping.h"
#include "core/trect.h"
#include "paint/monthtypes.h"

class QPainter;

namespace dayloom {

// Drawing primitives shared by the page painters. Rectangles follow TRect:
// right and bottom lie outside.

// The font at trunc(points x FontZoom) points, sized in device pixels
// (round(points x FontPPI / 72)) so it looks the same on every device.
QFont PageFont(const TFontData& font, const PageMapping& mapping);
// Its character height in pixels (the absolute font height).
int PageFontPixelHeight(const TFontData& font, const PageMapping& mapping);

// A one-pixel line from (x1, y1) towards (x2, y2); the end point itself is
// not drawn, so consecutive segments join without doubled pixels.
void PageLine(QPainter& painter, int x1, int y1, int x2, int y2);
// Fills left..right-1, top..bottom-1.
void PageFill(QPainter& painter, const TRect& r, TColor color);
// The lines of a border style around r.
void DrawPageBorder(QPainter& painter, const TRect& r, TCalBorderStyle style);
// Text in r with Qt alignment flags, one line, no mnemonics, in the font's colour.
void PageText(QPainter& painter, const TRect& r, int flags, const QString& text);
// The standard pen: black, one pixel.
void ResetPagePen(QPainter& painter);
// A day name shaped by a header style.
QString HeaderText(const QString& dayName, TCalHeadersStyle style);

}  // namespace dayloom
