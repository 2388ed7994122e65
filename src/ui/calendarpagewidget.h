#pragma once

#include <QWidget>

namespace dayloom {

class TCalendarPanel32;

// Shows a calendar page: paints it, then its objects, then the grab squares
// and the drag outline or rubber band; passes mouse, keys and the context
// menu on to the page's object model; takes the size it asks for and follows
// its cursor requests with the screen cursor.
class CalendarPageWidget : public QWidget {
    Q_OBJECT
public:
    explicit CalendarPageWidget(TCalendarPanel32* page, QWidget* parent = nullptr);

    TCalendarPanel32* Page() const { return m_page; }
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

    TCalendarPanel32* m_page;
    int m_paints = 0;
};

}  // namespace dayloom
