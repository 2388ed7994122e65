#pragma once

#include <QDate>
#include <QWidget>

class QCalendarWidget;
class QToolButton;

namespace dayloom {

// A month grid with buttons for the previous and next year and month and
// for today.
class DatePicker : public QWidget {
    Q_OBJECT
public:
    explicit DatePicker(QWidget* parent = nullptr);

    QDate Date() const;
    // Returns false (and changes nothing) for a date that cannot be shown.
    bool SetDate(const QDate& date);
    void SetFirstDayOfWeek(Qt::DayOfWeek day);

    void PreviousYear() { step(-12); }
    void PreviousMonth() { step(-1); }
    void NextMonth() { step(1); }
    void NextYear() { step(12); }
    void Today();

    QCalendarWidget* Grid() const { return m_grid; }

Q_SIGNALS:
    void DateChanged(QDate date);

private:
    void step(int months);

    QCalendarWidget* m_grid = nullptr;
};

}  // namespace dayloom
