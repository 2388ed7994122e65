#pragma once

#include <QList>
#include <QObject>
#include <QPoint>
#include <QRect>

#include "core/tcolor.h"

class QPainter;

namespace dayloom {

class TGBasePanel;
class TGGraphicControl;

// The selection handle of a container: it lies over the union of the
// selected objects, draws their grab squares, takes mouse and keyboard and
// moves or resizes every selected object at once. Widget-free: the host
// passes points (handle coordinates), buttons, modifiers and a millisecond
// timestamp.
class TGHandle : public QObject {
    Q_OBJECT
public:
    // Zones of the selection under the mouse.
    enum Zone { ZoneMove = 0, ZoneTopLeft, ZoneTopRight, ZoneBottomLeft, ZoneBottomRight,
                ZoneTop, ZoneLeft, ZoneBottom, ZoneRight };

    explicit TGHandle(TGBasePanel* container);

    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    TColor SecondaryColor() const { return m_secondaryColor; }
    void SetSecondaryColor(TColor color);
    // While set, dragging is refused; cleared when the selection empties.
    bool Locked() const { return m_locked; }
    void SetLocked(bool locked) { m_locked = locked; }
    // Stored steps; setting one makes it the effective step at once.
    int GridX() const { return m_gridX; }
    void SetGridX(int step);
    int GridY() const { return m_gridY; }
    void SetGridY(int step);
    // On: the effective steps become GridX, GridY; off: 1. Reads true when
    // either effective step exceeds 1.
    bool SnapToGrid() const { return m_stepX > 1 || m_stepY > 1; }
    void SetSnapToGrid(bool snap);
    int StepX() const { return m_stepX; }
    int StepY() const { return m_stepY; }

    // ---- selection ---------------------------------------------------------
    const QList<TGGraphicControl*>& Selection() const { return m_selection; }
    int Count() const { return int(m_selection.size()); }
    bool Contains(const TGGraphicControl* object) const;
    // Refused for unselectable objects and while the container disables
    // selection; false then.
    bool Add(TGGraphicControl* object);
    void Remove(TGGraphicControl* object);
    void Clear();
    // An object being destroyed leaves the selection (its pointer only is used).
    void Forget(QObject* object);
    // Drops the selected objects whose bounds contain the container point.
    void RemoveAt(QPoint containerPoint);

    // View pixels; hidden (and 24 x 24) while nothing is selected.
    QRect Bounds() const { return m_bounds; }
    bool Visible() const { return m_visible; }
    // The union of the selected objects, grown by 2 (width and height + 5).
    void Refit();
    // Re-fits once after the current burst of changes (posted).
    void RequestRefit();
    bool RefitPending() const { return m_refitPending; }

    // Gives the handle new bounds: every selected object that is not locked
    // moves and resizes by the handle's change on the view; what changed
    // goes back into page pixels.
    void ApplyBounds(const QRect& bounds);
    // The handle's bounds after a drag by (dx, dy) in a zone, snapped.
    QRect NewBounds(int zone, int dx, int dy) const;

    // ---- mouse and keyboard (points relative to the handle) ----------------
    int CurrentZone() const { return m_zone; }
    bool Dragging() const { return m_dragging; }
    void MouseDown(QPoint point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, qint64 time);
    void MouseMove(QPoint point, Qt::MouseButtons buttons, qint64 time);
    void MouseUp(QPoint point, Qt::MouseButton button, qint64 time);
    void DoubleClick(QPoint point);
    // A press that selected an object: the handle has the mouse now, and a
    // move with the button held starts a drag after 10 ms.
    void TakePress(QPoint point, qint64 time);
    // Arrow keys; true when the key was taken.
    bool KeyDown(int key, Qt::KeyboardModifiers modifiers);
    bool KeyUp(int key);

    // The outline shown during a drag or keyboard move (container pixels);
    // null when none.
    QRect Outline() const { return m_focus; }

    // Grab squares of every selected object.
    void Paint(QPainter& painter) const;

private:
    void clearState();
    void setFocus(const QRect& rect);
    QPoint clampPoint(QPoint point) const;
    int zoneAt(QPoint point) const;
    void updateCursor();

    TGBasePanel* m_container;
    TColor m_color = 0;
    TColor m_secondaryColor = 8421504;
    bool m_locked = false;
    int m_gridX = 8;
    int m_gridY = 8;
    int m_stepX = 1;
    int m_stepY = 1;
    QList<TGGraphicControl*> m_selection;
    QRect m_bounds = QRect(0, 0, 24, 24);
    bool m_visible = false;
    bool m_refitPending = false;
    int m_zone = ZoneMove;
    QPoint m_start;
    bool m_pressed = false;
    bool m_dragging = false;
    qint64 m_downTime = 0;
    QRect m_keyRect;
    bool m_keyMoving = false;
    QRect m_focus;
};

}  // namespace dayloom
