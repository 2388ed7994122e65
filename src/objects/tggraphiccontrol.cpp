#include "objects/tggraphiccontrol.h"

#include <cmath>

namespace dayloom {

TGGraphicControl::TGGraphicControl(QObject* parent) : QObject(parent) {}

TGGraphicControl::~TGGraphicControl() = default;

void TGGraphicControl::SetBounds(const QRect& bounds)
{
    if (bounds == m_bounds)
        return;
    m_bounds = bounds;
    Q_EMIT BoundsChanged();
}

void TGGraphicControl::SetLocked(bool locked)
{
    if (locked == m_locked)
        return;
    m_locked = locked;
    Q_EMIT Changed();
}

void TGGraphicControl::SetUnselectable(bool unselectable)
{
    if (unselectable == m_unselectable)
        return;
    m_unselectable = unselectable;
    Q_EMIT Changed();
}

void TGGraphicControl::ScaleTo(float zoom)
{
    if (zoom == m_scale || zoom <= 0.0f)
        return;
    const float from = m_scale > 0.0f ? m_scale : 1.0f;
    const float r = zoom / from;
    // nearbyint rounds halves to even under the default rounding mode.
    auto scaled = [r](int v) { return int(std::nearbyint(float(v) * r)); };
    m_scale = zoom;
    SetBounds(QRect(scaled(m_bounds.left()), scaled(m_bounds.top()), scaled(m_bounds.width()),
                    scaled(m_bounds.height())));
}

void TGGraphicControl::Paint(QPainter&) {}

}  // namespace dayloom
