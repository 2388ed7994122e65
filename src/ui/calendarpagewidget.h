#pragma once

#include <functional>

#include <QImage>
#include <QWidget>

#include "core/pagemapping.h"
#include "core/zoom.h"
#include "objects/menuentry.h"
#include "page/pagerender.h"

namespace dayloom {

class EditRecorder;
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

    // ---- the page's cells where the widget shows them ----------------------
    // The title, day-name and cell rectangles in widget pixels.
    PageGeometry Geometry() const;
    // Cell k's record in widget pixels (an empty one out of 1..42).
    TCellRecord CellRecord(int cell) const;
    // The first cell whose number box holds the point (left and top edges
    // inside, right and bottom outside), else 0.
    int CellAtPoint(QPoint point) const;
    bool IsPointInCell(QPoint point) const { return CellAtPoint(point) != 0; }
    // Raises the page's ClickedInCellEvent for the cell under the point.
    void CellClickAtPoint(QPoint point);
    // The page's own click handling in pointing mode: the title band raises
    // OnClickedHeader, the day-name row OnClickedDaysArea; a cell of a month
    // grid or planner raises the cell event (unless an object lies on the
    // point); anything else raises OnClick.
    void Click(QPoint point);

    // What the mouse, the keys and the popup menus do to the page's objects
    // becomes steps of this recorder (none: the page is edited directly).
    void SetEditRecorder(EditRecorder* recorder) { m_recorder = recorder; }
    EditRecorder* Recorder() const { return m_recorder; }
    // Shows a popup menu of the page; the default shows it at the cursor.
    // Tests choose an item instead. The items' actions are already steps.
    using MenuChooser = std::function<void(const MenuEntryList& menu, QPoint widgetPoint)>;
    void SetMenuChooser(MenuChooser chooser) { m_menuChooser = std::move(chooser); }

Q_SIGNALS:
    void Painted();
    void OnClickedHeader();
    void OnClickedDaysArea();
    void OnClick();

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
    // Runs an input event's handling as one recorded edit (targets: the
    // selection and the object under the point).
    template <class F>
    void recorded(QPoint point, bool content, bool keyboard, const QString& text, F&& f);
    MenuEntryList recordedMenu(const MenuEntryList& menu, QPoint point, const QString& prefix = {});
    void fitToPage();

    TCalendarPanel32* m_page;
    Zoom m_zoom;
    QImage m_offscreen;
    int m_paints = 0;
    EditRecorder* m_recorder = nullptr;
    MenuChooser m_menuChooser;
};

}  // namespace dayloom
