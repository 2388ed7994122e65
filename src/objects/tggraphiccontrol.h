#pragma once

#include <QFont>
#include <QObject>
#include <QRect>
#include <QString>

#include "objects/menuentry.h"
#include "stream/streamablecomponent.h"

class QPainter;

namespace dayloom {

class TFont;
class TGBasePanel;
class ReportSurface;

// Base of every free object on the page. It lives in its container's pixel
// coordinates at the zoom given by Scale() and paints itself onto the
// container's surface (the container is its QObject parent).
class TGGraphicControl : public QObject, public StreamableComponent {
    Q_OBJECT
public:
    explicit TGGraphicControl(QObject* parent = nullptr);
    ~TGGraphicControl() override;

    QString Name() const { return objectName(); }
    int Tag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }
    int Cursor() const { return m_cursor; }
    void SetCursor(int cursor) { m_cursor = cursor; }
    QString Hint() const { return m_hint; }
    void SetHint(const QString& hint) { m_hint = hint; }

    // Bounds in the container's pixels at the current scale.
    QRect Bounds() const { return m_bounds; }
    // Stores the bounds; unless the object is being read, BoundsChanged runs.
    void SetBounds(const QRect& bounds);
    int Left() const { return m_bounds.left(); }
    int Top() const { return m_bounds.top(); }
    int Width() const { return m_bounds.width(); }
    int Height() const { return m_bounds.height(); }
    void SetLeft(int left) { SetBounds(QRect(left, Top(), Width(), Height())); }
    void SetTop(int top) { SetBounds(QRect(Left(), top, Width(), Height())); }
    void SetWidth(int width) { SetBounds(QRect(Left(), Top(), width, Height())); }
    void SetHeight(int height) { SetBounds(QRect(Left(), Top(), Width(), height)); }

    bool Locked() const { return m_locked; }
    void SetLocked(bool locked);
    bool Unselectable() const { return m_unselectable; }
    void SetUnselectable(bool unselectable);

    // The zoom at which the bounds are expressed.
    float Scale() const { return m_scale; }
    void SetScale(float scale) { m_scale = scale > 0.0f ? scale : 1.0f; }
    // Rescales the bounds from Scale() to zoom (round half to even), takes
    // zoom as the new scale and refreshes; nothing when they are equal.
    void ScaleTo(float zoom);

    TGBasePanel* Container() const;
    bool Selected() const;
    // True between the start and the end of reading the object from a stream.
    bool IsLoading() const { return m_loading; }

    // ---- the object's operations -------------------------------------------
    // The position or size changed: when the bounds differ from the last
    // ones, the container is told of a change and re-fits its handle later.
    virtual void BoundsChanged();
    // Sets ticks and enabled states of the object's own menu items.
    virtual void UpdateMenu(MenuEntryList& menu) { Q_UNUSED(menu); }
    // A font chosen for the selection.
    virtual void ApplyFont(const TFont& font) { Q_UNUSED(font); }
    // Prints the object; offsets in inches from the paper's origin.
    virtual void PrintTo(ReportSurface& surface, double xInch, double yInch);

    // Paints the object onto the container's surface (container pixels).
    // The default translates to the object's corner and runs PaintObject.
    virtual void Paint(QPainter& painter);
    // Paints the object in its own pixels, (0, 0) being its top-left corner.
    virtual void PaintObject(QPainter& painter) { Q_UNUSED(painter); }
    // The grab squares, when the object is selected (container pixels).
    void DrawHandles(QPainter& painter) const;

    // The object's popup menu with its ticks set (UpdateMenu has run).
    MenuEntryList PopupMenu();
    // The object's own double-click action; false when it has none (the
    // popup menu opens instead).
    virtual bool DoubleClickAction() { return false; }

    // The font at a zoom: trunc(points x zoom) points, as pixels at ScreenPPI().
    static QFont ZoomedFont(const TFont& font, float zoom);

    // Tells the container that the object changed (the document is modified).
    void ReportChange();
    // Asks the container to repaint.
    void Repaint() const;

    // StreamableComponent
    void Loading() override;
    void Loaded() override;

Q_SIGNALS:
    void Changed();

protected:
    // Items after the base ones ("Bring To Front" ... "Center Horizontally").
    virtual void AppendMenuItems(MenuEntryList& menu) { Q_UNUSED(menu); }
    // Runs once the object has been read from a stream.
    virtual void SetupAfterLoading() {}
    // Records PaintObject into a picture and stretches it into the object's
    // rectangle in inches.
    void PrintThroughPicture(ReportSurface& surface, double xInch, double yInch);

private:
    QRect m_bounds;
    QRect m_lastBounds;
    int m_tag = 0;
    int m_cursor = 0;
    QString m_hint;
    bool m_locked = false;
    bool m_unselectable = false;
    bool m_loading = false;
    bool m_busy = false;
    float m_scale = 1.0f;
};

}  // namespace dayloom
