#include "page/celltextcache.h"

#include <cmath>

#include <QPainter>

#include "core/zoom.h"
#include "richtext/twprtfstorage.h"

namespace dayloom {

CellTextCache::CellTextCache() = default;
CellTextCache::~CellTextCache() = default;

void CellTextCache::Clear()
{
    for (Entry& e : m_entries)
        e = Entry();
    m_renderer.ClearCache();
}

void CellTextCache::Paint(QPainter& painter, int cell, const TWPRtfStorage& text, const TRect& r,
                          const PageMapping& mapping)
{
    if (cell < 1 || cell > int(m_entries.size()))
        return;
    // The work image reaches one pixel past the rectangle's right and bottom
    // edges, which still lie inside the cell.
    const int w = r.Right - r.Left + 1;
    const int h = r.Bottom - r.Top + 1;
    if (w <= 0 || h <= 0 || w > 20000 || h > 20000)
        return;
    const double scale = mapping.Scale > 0.0 ? mapping.Scale : 1.0;
    const int zoomPercent = Zoom(float(scale)).TruncatedPercent();
    // The renderer lays the text out on a page width given at 100 % and then
    // scales it by the zoom percentage; the width in twips is therefore the
    // unzoomed width of the rectangle, so the zoomed text wraps at its edge.
    const int widthTwips = PixelsToTwips(double(w) / scale, mapping.PagePPI);

    Entry& e = m_entries[cell - 1];
    if (e.image.isNull() || e.image.width() != w || e.image.height() != h ||
        e.revision != text.Revision() || e.zoomPercent != zoomPercent || e.widthTwips != widthTwips) {
        if (e.image.width() != w || e.image.height() != h) {
            e.image = QImage(w, h, QImage::Format_RGB32);
            const int dpm = int(std::lround(double(mapping.FontPPI) / 0.0254));
            e.image.setDotsPerMeterX(dpm);
            e.image.setDotsPerMeterY(dpm);
        }
        e.image.fill(Qt::white);
        if (!text.IsEmpty()) {
            QPainter ip(&e.image);
            m_renderer.Paint(text, ip, QRect(0, 0, w, h), widthTwips, zoomPercent);
        }
        e.revision = text.Revision();
        e.zoomPercent = zoomPercent;
        e.widthTwips = widthTwips;
        ++m_renders;
    }
    painter.drawImage(QPoint(r.Left, r.Top), e.image);
}

void CellTextCache::PaintRecorded(QPainter& painter, const TWPRtfStorage& text, QSize recordSize,
                                  const QRectF& target, int pagePpi)
{
    const int w = recordSize.width();
    const int h = recordSize.height();
    if (text.IsEmpty() || w <= 0 || h <= 0 || w > 20000 || h > 20000 || target.isEmpty())
        return;
    // The text is laid out at zoom 1 on the recorded width and its drawing
    // is stretched onto the target; on paper and in a PDF it stays text.
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(target.width() / w, target.height() / h);
    m_renderer.Paint(text, painter, QRect(0, 0, w, h), PixelsToTwips(double(w), pagePpi), 100);
    painter.restore();
}

}  // namespace dayloom
