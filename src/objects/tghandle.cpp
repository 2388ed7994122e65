#include "objects/tghandle.h"

#include <QPainter>

#include "objects/tgbasepanel.h"
#include "objects/tggraphiccontrol.h"

namespace dayloom {

namespace {

// The drag and click rules, in milliseconds.
constexpr qint64 kClickTime = 150;
constexpr qint64 kDragStartTime = 10;
constexpr int kMinimumSize = 5;

QRect grownSelectionRect(const QRect& u)
{
    return QRect(u.left() - 2, u.top() - 2, u.width() + 5, u.height() + 5);
}

}  // namespace

TGHandle::TGHandle(TGBasePanel* container) : QObject(container), m_container(container) {}

void TGHandle::SetColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    m_container->RequestRepaint();
}

void TGHandle::SetSecondaryColor(TColor color)
{
    if (color == m_secondaryColor)
        return;
    m_secondaryColor = color;
    m_container->RequestRepaint();
}

void TGHandle::SetGridX(int step)
{
    step = qBound(1, step, 255);
    if (step == m_gridX)
        return;
    m_gridX = step;
    m_stepX = step;
    m_container->RequestRepaint();
}

void TGHandle::SetGridY(int step)
{
    step = qBound(1, step, 255);
    if (step == m_gridY)
        return;
    m_gridY = step;
    m_stepY = step;
    m_container->RequestRepaint();
}

void TGHandle::SetSnapToGrid(bool snap)
{
    m_stepX = snap ? m_gridX : 1;
    m_stepY = snap ? m_gridY : 1;
}

bool TGHandle::Contains(const TGGraphicControl* object) const
{
    for (const TGGraphicControl* o : m_selection)
        if (o == object)
            return true;
    return false;
}

bool TGHandle::Add(TGGraphicControl* object)
{
    if (!object || object->Unselectable() || m_container->SelectionDisabled())
        return false;
    if (Contains(object))
        return true;
    m_selection.append(object);
    Refit();
    m_container->RequestObjectCursor(Qt::ClosedHandCursor);
    return true;
}

void TGHandle::Remove(TGGraphicControl* object)
{
    if (!m_selection.removeAll(object))
        return;
    Refit();
}

void TGHandle::Clear()
{
    if (m_selection.isEmpty() && !m_visible)
        return;
    m_selection.clear();
    Refit();
}

void TGHandle::Forget(QObject* object)
{
    if (m_selection.removeIf([object](TGGraphicControl* c) { return static_cast<QObject*>(c) == object; }))
        Refit();
}

void TGHandle::RemoveAt(QPoint containerPoint)
{
    QList<TGGraphicControl*> kept;
    for (TGGraphicControl* o : m_selection)
        if (!o->ViewRect().contains(containerPoint))
            kept << o;
    if (kept.size() == m_selection.size())
        return;
    m_selection = kept;
    Refit();
}

void TGHandle::Refit()
{
    m_refitPending = false;
    if (m_selection.isEmpty()) {
        m_locked = false;
        m_visible = false;
        m_bounds = QRect(m_bounds.left(), m_bounds.top(), 24, 24);
        clearState();
        m_container->RequestRepaint();
        return;
    }
    QRect u;
    for (const TGGraphicControl* o : m_selection)
        u = u.isNull() ? o->ViewRect() : u.united(o->ViewRect());
    m_bounds = grownSelectionRect(u);
    m_visible = true;
    m_container->RequestRepaint();
}

void TGHandle::RequestRefit()
{
    if (m_refitPending)
        return;
    m_refitPending = true;
    QMetaObject::invokeMethod(
        this, [this] { if (m_refitPending) Refit(); }, Qt::QueuedConnection);
}

QRect TGHandle::NewBounds(int zone, int dx, int dy) const
{
    const int sx = m_stepX, sy = m_stepY;
    auto snapX = [sx](int v) { return sx * (v / sx); };
    auto snapY = [sy](int v) { return sy * (v / sy); };
    const int l = m_bounds.left(), t = m_bounds.top(), w = m_bounds.width(), h = m_bounds.height();
    const int r = l + w, b = t + h;
    int nl = l, nt = t, nw = w, nh = h;
    switch (zone) {
    case ZoneMove:
        nl = snapX(l + dx);
        nt = snapY(t + dy);
        break;
    case ZoneTopLeft:
        nl = snapX(l + dx);
        nt = snapY(t + dy);
        nw = r - nl;
        nh = b - nt;
        break;
    case ZoneTopRight:
        nt = snapY(t + dy);
        nw = snapX(w + dx) - 1;
        nh = b - nt;
        break;
    case ZoneBottomLeft:
        nl = snapX(l + dx);
        nw = r - nl;
        nh = snapY(h + dy) - 1;
        break;
    case ZoneBottomRight:
        nw = snapX(w + dx) - 1;
        nh = snapY(h + dy) - 1;
        break;
    case ZoneTop:
        nt = snapY(t + dy);
        nh = b - nt;
        break;
    case ZoneLeft:
        nl = snapX(l + dx);
        nw = r - nl;
        break;
    case ZoneBottom:
        nh = snapY(h + dy) - 1;
        break;
    case ZoneRight:
        nw = snapX(w + dx) - 1;
        break;
    default:
        break;
    }
    if (nw < kMinimumSize)
        nw = kMinimumSize;
    if (nh < kMinimumSize)
        nh = kMinimumSize;
    return QRect(nl, nt, nw, nh);
}

void TGHandle::ApplyBounds(const QRect& bounds)
{
    const QRect old = m_bounds;
    m_bounds = bounds;
    const int dw = bounds.width() - old.width(), dh = bounds.height() - old.height();
    const QList<TGGraphicControl*> selection = m_selection;
    for (TGGraphicControl* o : selection) {
        if (o->Locked())
            continue;
        const QRect r = o->ViewRect();
        o->SetViewRect(QRect(bounds.left() + (r.left() - old.left()), bounds.top() + (r.top() - old.top()),
                             r.width() + dw, r.height() + dh));
    }
    m_container->RequestRepaint();
}

int TGHandle::zoneAt(QPoint p) const
{
    if (m_selection.size() != 1)
        return ZoneMove;
    const int w = m_bounds.width(), h = m_bounds.height();
    const int x = p.x(), y = p.y();
    auto near = [](int v, int edge) { return qAbs(v - edge) <= 8; };
    auto mid = [](int v, int middle) { return qAbs(v - middle) <= 6; };
    int zone = ZoneMove;
    if (near(x, 0) && near(y, 0))
        zone = ZoneTopLeft;
    if (near(x, w) && near(y, h))
        zone = ZoneBottomRight;
    if (near(x, w) && near(y, 0))
        zone = ZoneTopRight;
    if (near(x, 0) && near(y, h))
        zone = ZoneBottomLeft;
    if (near(y, 0) && mid(x, w / 2))
        zone = ZoneTop;
    if (near(y, h) && mid(x, w / 2))
        zone = ZoneBottom;
    if (near(x, 0) && mid(y, h / 2))
        zone = ZoneLeft;
    if (near(x, w) && mid(y, h / 2))
        zone = ZoneRight;
    return zone;
}

void TGHandle::updateCursor()
{
    Qt::CursorShape shape = Qt::ClosedHandCursor;
    if (m_locked)
        shape = Qt::ForbiddenCursor;
    else
        switch (m_zone) {
        case ZoneTopLeft:
        case ZoneBottomRight: shape = Qt::SizeFDiagCursor; break;
        case ZoneTopRight:
        case ZoneBottomLeft: shape = Qt::SizeBDiagCursor; break;
        case ZoneTop:
        case ZoneBottom: shape = Qt::SizeVerCursor; break;
        case ZoneLeft:
        case ZoneRight: shape = Qt::SizeHorCursor; break;
        default: break;
        }
    m_container->RequestObjectCursor(shape);
}

QPoint TGHandle::clampPoint(QPoint point) const
{
    const QSize cs = m_container->ViewSize();
    if (m_zone == ZoneMove) {
        int dx = point.x() - m_start.x(), dy = point.y() - m_start.y();
        dx = qMax(dx, -m_bounds.left());
        dy = qMax(dy, -m_bounds.top());
        if (cs.width() > 0)
            dx = qMin(dx, cs.width() - m_bounds.left() - m_bounds.width());
        if (cs.height() > 0)
            dy = qMin(dy, cs.height() - m_bounds.top() - m_bounds.height());
        return m_start + QPoint(dx, dy);
    }
    QPoint c = point + m_bounds.topLeft();
    c.setX(qMax(0, cs.width() > 0 ? qMin(c.x(), cs.width()) : c.x()));
    c.setY(qMax(0, cs.height() > 0 ? qMin(c.y(), cs.height()) : c.y()));
    return c - m_bounds.topLeft();
}

void TGHandle::setFocus(const QRect& rect)
{
    if (rect == m_focus)
        return;
    m_focus = rect;
    m_container->RequestRepaint();
}

void TGHandle::clearState()
{
    m_pressed = false;
    m_dragging = false;
    m_keyMoving = false;
    m_zone = ZoneMove;
    setFocus(QRect());
}

void TGHandle::TakePress(QPoint point, qint64 time)
{
    m_start = point;
    m_downTime = time;
    m_pressed = true;
    m_dragging = false;
    m_zone = ZoneMove;
}

void TGHandle::MouseDown(QPoint point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, qint64 time)
{
    const QPoint at = point + m_bounds.topLeft();
    if (button == Qt::LeftButton && m_container->Pointing()) {
        if (modifiers & Qt::ShiftModifier) {
            RemoveAt(at);
            return;
        }
        if (!m_selection.isEmpty() && !m_locked) {
            m_zone = zoneAt(point);
            m_start = point;
            m_downTime = time;
            m_pressed = true;
            m_dragging = true;
            updateCursor();
        }
        return;
    }
    if (button == Qt::RightButton) {
        TGGraphicControl* on = nullptr;
        for (TGGraphicControl* o : m_selection)
            if (o->ViewRect().adjusted(-2, -2, 2, 2).contains(at))
                on = o;
        if (on && m_selection.size() == 1)
            m_container->ShowObjectMenu(on, at);
        else
            m_container->ShowContainerMenu(at);
        return;
    }
    m_container->RequestObjectCursor(Qt::ArrowCursor);
    m_container->ContainerMouseDown(at, button, modifiers, time);
}

void TGHandle::MouseMove(QPoint point, Qt::MouseButtons buttons, qint64 time)
{
    if (!m_dragging) {
        if (m_pressed && (buttons & Qt::LeftButton) && !m_locked && time - m_downTime >= kDragStartTime)
            m_dragging = true;
        else {
            if (!m_pressed) {
                m_zone = zoneAt(point);
                updateCursor();
            }
            return;
        }
    }
    const QPoint p = clampPoint(point);
    setFocus(NewBounds(m_zone, p.x() - m_start.x(), p.y() - m_start.y()));
}

void TGHandle::MouseUp(QPoint point, Qt::MouseButton, qint64 time)
{
    if (!m_pressed)
        return;
    const bool click = time - m_downTime < kClickTime;
    if (m_dragging && !click) {
        const QPoint p = clampPoint(point);
        if (p != m_start)
            ApplyBounds(NewBounds(m_zone, p.x() - m_start.x(), p.y() - m_start.y()));
    }
    m_pressed = false;
    m_dragging = false;
    setFocus(QRect());
    m_container->RequestRepaint();
    m_container->RequestObjectCursor(Qt::ArrowCursor);
}

void TGHandle::DoubleClick(QPoint point)
{
    if (m_selection.size() != 1)
        return;
    TGGraphicControl* o = m_selection.first();
    if (!o->DoubleClickAction())
        m_container->ShowObjectMenu(o, point + m_bounds.topLeft());
}

bool TGHandle::KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (m_selection.isEmpty())
        return false;
    if (key != Qt::Key_Left && key != Qt::Key_Right && key != Qt::Key_Up && key != Qt::Key_Down)
        return false;
    if (!m_keyMoving) {
        m_keyRect = QRect(m_bounds.left() + 2, m_bounds.top() + 2, m_bounds.width() - 5, m_bounds.height() - 5);
        m_keyMoving = true;
    }
    const QSize cs = m_container->ViewSize();
    QRect& k = m_keyRect;
    if ((modifiers & Qt::ShiftModifier) && m_selection.size() == 1) {
        switch (key) {
        case Qt::Key_Left: if (k.width() + 1 > 10) k.setWidth(k.width() - 1); break;
        case Qt::Key_Up: if (k.height() + 1 > 10) k.setHeight(k.height() - 1); break;
        case Qt::Key_Right: if (k.left() + k.width() + 1 <= cs.width()) k.setWidth(k.width() + 1); break;
        case Qt::Key_Down: if (k.top() + k.height() + 1 <= cs.height()) k.setHeight(k.height() + 1); break;
        default: break;
        }
    } else {
        switch (key) {
        case Qt::Key_Left: if (k.left() > 0) k.translate(-1, 0); break;
        case Qt::Key_Up: if (k.top() > 0) k.translate(0, -1); break;
        case Qt::Key_Right: if (k.left() + k.width() + 1 <= cs.width()) k.translate(1, 0); break;
        case Qt::Key_Down: if (k.top() + k.height() + 1 <= cs.height()) k.translate(0, 1); break;
        default: break;
        }
    }
    setFocus(k);
    return true;
}

bool TGHandle::KeyUp(int key)
{
    if (!m_keyMoving)
        return false;
    if (key != Qt::Key_Left && key != Qt::Key_Right && key != Qt::Key_Up && key != Qt::Key_Down)
        return false;
    m_keyMoving = false;
    setFocus(QRect());
    const QRect k = m_keyRect;
    ApplyBounds(QRect(k.left() - 2, k.top() - 2, k.width() + 5, k.height() + 5));
    return true;
}

void TGHandle::Paint(QPainter& painter) const
{
    for (const TGGraphicControl* o : m_selection)
        o->DrawHandles(painter);
}

}  // namespace dayloom
