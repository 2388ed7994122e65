#pragma once

#include <array>

#include <QImage>
#include <QRectF>
#include <QSize>

#include "core/trect.h"
#include "core/pagemapping.h"
#include "richtext/richtextrenderer.h"

class QPainter;

namespace dayloom {

class TWPRtfStorage;

// Paints day-cell rich text into the cells' text rectangles: each cell's text
// is rendered on white into a work image of the rectangle's size, cut at it,
// and the image is copied onto the page. The image of a cell is kept while
// its text, size and zoom stay the same, so a repaint only copies it.
class CellTextCache {
public:
    CellTextCache();
    ~CellTextCache();

    // cell 1..42; r in device pixels.
    void Paint(QPainter& painter, int cell, const TWPRtfStorage& text, const TRect& r,
               const PageMapping& mapping);
    // Paper: the text recorded as a picture of recordSize page pixels at
    // zoom 1 (the width it wraps at) and stretched onto target (device).
    void PaintRecorded(QPainter& painter, const TWPRtfStorage& text, QSize recordSize,
                       const QRectF& target, int pagePpi);
    void Clear();
    // How often a cell's text was rendered anew (for tests and measurements).
    int RenderCount() const { return m_renders; }

private:
    struct Entry {
        quint64 revision = 0;
        int zoomPercent = 0;
        int widthTwips = 0;
        QImage image;
    };
    RichTextRenderer m_renderer;
    std::array<Entry, 42> m_entries;
    int m_renders = 0;
};

}  // namespace dayloom
