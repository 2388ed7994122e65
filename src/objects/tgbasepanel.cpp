#include "objects/tgbasepanel.h"

#include <cmath>

#include "objects/tggraphiccontrol.h"

namespace dayloom {

TGBasePanel::TGBasePanel(QObject* parent) : QObject(parent) {}

TGBasePanel::~TGBasePanel()
{
    // Objects are children and go with the container; drop the list first so
    // nothing looks at half-destroyed entries.
    m_objects.clear();
}

void TGBasePanel::SetZoom(float zoom)
{
    if (zoom == m_zoom || !(zoom > 0.0f))
        return;
    m_scaling = true;
    const float current = m_zoom == 0.0f ? 1.0f : m_zoom;
    const float r = zoom / current;
    m_zoom = zoom;
    if (SizeFollowsZoom())
        SetSize(QSize(int(std::nearbyint(float(m_size.width()) * r)),
                      int(std::nearbyint(float(m_size.height()) * r))));
    for (TGGraphicControl* o : m_objects)
        o->ScaleTo(zoom);
    ZoomChanged();
    m_scaling = false;
    Q_EMIT RepaintRequested();
}

void TGBasePanel::SetPanelState(TLPanelState state)
{
    if (state == m_panelState)
        return;
    m_panelState = state;
    m_pointing = state == psPointing;
    Q_EMIT CursorRequested(m_pointing ? Qt::ArrowCursor : Qt::DragMoveCursor);
}

void TGBasePanel::AddObject(TGGraphicControl* object)
{
    if (!object || m_objects.contains(object))
        return;
    object->setParent(this);
    m_objects.append(object);
    connect(object, &QObject::destroyed, this,
            [this](QObject* o) {
                m_objects.removeIf([o](TGGraphicControl* c) { return static_cast<QObject*>(c) == o; });
            });
    Q_EMIT RepaintRequested();
}

void TGBasePanel::DeleteObject(TGGraphicControl* object)
{
    if (!m_objects.removeAll(object))
        return;
    delete object;
    Q_EMIT RepaintRequested();
}

void TGBasePanel::DeleteAllObjects()
{
    const QList<TGGraphicControl*> objects = m_objects;
    m_objects.clear();
    qDeleteAll(objects);
    Q_EMIT RepaintRequested();
}

bool TGBasePanel::HasObjectOfClass(const char* className) const
{
    for (const TGGraphicControl* o : m_objects)
        if (o->inherits(className))
            return true;
    return false;
}

bool TGBasePanel::ObjectAtPoint(QPoint point) const
{
    for (const TGGraphicControl* o : m_objects)
        if (o->Bounds().contains(point))
            return true;
    return false;
}

void TGBasePanel::SetSize(QSize size)
{
    if (size == m_size)
        return;
    m_size = size;
    Q_EMIT SizeChanged(size);
}

}  // namespace dayloom
