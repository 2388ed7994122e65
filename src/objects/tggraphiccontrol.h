#pragma once

#include <QFont>
#include <QObject>
#include <QRect>
#include <QString>

#include "core/pagemapping.h"
#include "objects/menuentry.h"
#include "stream/streamablecomponent.h"

class QPainter;

namespace dayloom {

class TFont;
class TGBasePanel;

// Base of every free object on the page. Its bounds are page pixels (zoom 1)
// whatever the page is shown at; it paints itself onto any device through a
// mapping, and its container's view (the zoom the page is shown at) turns
// edits made on the screen back into page pixels. The container is its
// QObject parent.
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

    // Bounds in page pixels.
    QRect Bounds() const { return m_bounds; }
    // Stores the bounds; unless the object is being read, BoundsChanged runs.
    void SetBounds(const QRect& bounds);
    int Left() const { return m_bounds.left(); }
    int Top() const { return m_bounds.top(); }
    int Width() const { return m_bounds.width(); }
    QSize Size() const { return m_bounds.size(); }
    int Height() const { return m_bounds.height(); }
    void SetLeft(int left) { SetBounds(QRect(left, Top(), Width(), Height())); }
    void SetTop(int top) { SetBounds(QRect(Left(), top, Width(), Height())); }
    void SetWidth(int width) { SetBounds(QRect(Left(), Top(), width, Height())); }
    void SetHeight(int height) { SetBounds(QRect(Left(), Top(), Width(), height)); }

    bool Locked() const { return m_locked; }
    void SetLocked(bool locked);
    bool Unselectable() const { return m_unselectable; }
    void SetUnselectable(bool unselectable);

    // Where the object lands on a device: its bounds mapped (an object may
    // adjust the size to what it shows there, as labels do).
    virtual QRect DeviceRect(const PageMapping& mapping) const;
    // The same on the container's view (the screen); page pixels without one.
    QRect ViewRect() const;
    // An edit made on the view: the values that differ from ViewRect() are
    // stored as round-half-even(value / zoom), the others stay.
    void SetViewRect(const QRect& rect);
    // The container's view, or zoom 1 at the page's pixels per inch.
    PageMapping View() const;

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
    // Paints the object onto a device through the mapping: translates to
    // its device rectangle's corner and runs PaintObject with that size. On
    // paper the object paints itself at its page size (zoom 1) and that
    // drawing is stretched onto its rectangle in inches, cut at it.
    void Paint(QPainter& painter, const PageMapping& mapping);
    // Paints the object in device pixels, (0, 0) being its top-left corner
    // and size its size on the device.
    virtual void PaintObject(QPainter& painter, const PageMapping& mapping, QSize size)
    {
        Q_UNUSED(painter);
        Q_UNUSED(mapping);
        Q_UNUSED(size);
    }
    // The grab squares, when the object is selected (view pixels).
    void DrawHandles(QPainter& painter) const;

    // The object's popup menu with its ticks set (UpdateMenu has run).
    MenuEntryList PopupMenu();
    // The object's own double-click action; false when it has none (the
    // popup menu opens instead).
    virtual bool DoubleClickAction() { return false; }

    // The font on a device: trunc(points x font zoom) points, as pixels at
    // the device's pixels per inch.
    static QFont ZoomedFont(const TFont& font, const PageMapping& mapping);

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
    // Whether the object's drawing on paper is cut at its rectangle.
    virtual bool ClipToBoundsOnPaper() const { return true; }

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
};

}  // namespace dayloom
