#pragma once

#include <QObject>
#include <QRect>

class QPainter;

namespace dayloom {

// Base of every free object on the page. It lives in its container's pixel
// coordinates at the zoom given by Scale() and paints itself onto the
// container's surface. Selection, handles and menus are added on top of it.
class TGGraphicControl : public QObject {
    Q_OBJECT
public:
    explicit TGGraphicControl(QObject* parent = nullptr);
    ~TGGraphicControl() override;

    // Bounds in the container's pixels at the current scale.
    QRect Bounds() const { return m_bounds; }
    void SetBounds(const QRect& bounds);
    int Left() const { return m_bounds.left(); }
    int Top() const { return m_bounds.top(); }
    int Width() const { return m_bounds.width(); }
    int Height() const { return m_bounds.height(); }

    bool Locked() const { return m_locked; }
    void SetLocked(bool locked);
    bool Unselectable() const { return m_unselectable; }
    void SetUnselectable(bool unselectable);

    // The zoom at which the bounds are expressed.
    float Scale() const { return m_scale; }
    void SetScale(float scale) { m_scale = scale; }
    // Rescales the bounds from Scale() to zoom (round half to even) and
    // takes zoom as the new scale; nothing when they are equal.
    void ScaleTo(float zoom);

    // Paints the object at its bounds onto the container's surface.
    virtual void Paint(QPainter& painter);

Q_SIGNALS:
    void BoundsChanged();
    void Changed();

private:
    QRect m_bounds;
    bool m_locked = false;
    bool m_unselectable = false;
    float m_scale = 1.0f;
};

}  // namespace dayloom
