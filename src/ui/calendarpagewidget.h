#pragma once

#include <QWidget>

namespace dayloom {

class TCalendarPanel32;

// Shows a calendar page: paints it (then its objects on top), passes clicks
// on to it, takes the size it asks for and follows its cursor requests with
// the screen cursor.
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

private:
    TCalendarPanel32* m_page;
    int m_paints = 0;
};

}  // namespace dayloom
