#pragma once

#include <QImage>
#include <QWidget>

#include "core/pagemapping.h"
#include "core/zoom.h"

namespace dayloom {

class TCalendarPanel32;

// Shows a calendar page at a zoom: sets the page's view to its mapping and
// paints the page's view (the page through one off-screen image, then its
// objects, then the grab squares and the drag outline or rubber band); passes mouse, keys and the context menu
// on to the page's object model; sizes itself to the mapped page and follows
// the page's cursor requests with the screen cursor. The zoom belongs to the
// widget: the page and its objects never change with it.
class CalendarPageWidget : public QWidget {
    Q_OBJECT
public:
    explicit CalendarPageWidget(TCalendarPanel32* page, QWidget* parent = nullptr);

    TCalendarPanel32* Page() const { return m_page; }
    // The zoom the page is shown at (1 at first).
    Zoom PageZoom() const { return m_zoom; }
    void SetZoom(Zoom zoom);
    // Page pixels to widget pixels at the zoom.
    PageMapping Mapping() const;
    // The page's size at the zoom.
    QSize PageSize() const;
    // Counts paint events (start-up measurement and tests).
    int PaintCount() const { return m_paints; }

Q_SIGNALS:
    void Painted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    template <class F>
    void guarded(F&& f);
    void fitToPage();

    TCalendarPanel32* m_page;
    Zoom m_zoom;
    QImage m_offscreen;
    int m_paints = 0;
};

}  // namespace dayloom
