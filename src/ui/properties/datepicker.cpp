#include "ui/properties/datepicker.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace dayloom {

DatePicker::DatePicker(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    auto button = [&](const char* name, const QString& text, const QString& hint, auto slot) {
        auto* b = new QToolButton(this);
        b->setObjectName(QLatin1String(name));
        b->setText(text);
        b->setToolTip(hint);
        b->setMinimumWidth(30);
        connect(b, &QToolButton::clicked, this, slot);
        row->addWidget(b);
    };
    button("PrevYearButton", QStringLiteral("<<"), QStringLiteral("Click for the previous year"),
           [this] { PreviousYear(); });
    button("PrevMonthButton", QStringLiteral("<"), QStringLiteral("Click for the previous month"),
           [this] { PreviousMonth(); });
    button("NowButton", QStringLiteral("Now"), QStringLiteral("Click for today's date"),
           [this] { Today(); });
    button("NextMonthButton", QStringLiteral(">"), QStringLiteral("Click for the next month"),
           [this] { NextMonth(); });
    button("NextYearButton", QStringLiteral(">>"), QStringLiteral("Click for the next year"),
           [this] { NextYear(); });
    layout->addLayout(row);

    m_grid = new QCalendarWidget(this);
    m_grid->setObjectName(QStringLiteral("DateGrid"));
    m_grid->setToolTip(QStringLiteral("Click on a date to select it"));
    m_grid->setNavigationBarVisible(false);
    m_grid->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_grid->setGridVisible(true);
    m_grid->setMinimumDate(QDate(1, 1, 1));
    m_grid->setMaximumDate(QDate(9999, 12, 31));
    m_grid->setFirstDayOfWeek(Qt::Sunday);
    layout->addWidget(m_grid);
    connect(m_grid, &QCalendarWidget::selectionChanged, this,
            [this] { Q_EMIT DateChanged(m_grid->selectedDate()); });
}

QDate DatePicker::Date() const { return m_grid->selectedDate(); }

bool DatePicker::SetDate(const QDate& date)
{
    if (!date.isValid() || date < m_grid->minimumDate() || date > m_grid->maximumDate())
        return false;
    m_grid->setCurrentPage(date.year(), date.month());
    m_grid->setSelectedDate(date);
    return true;
}

void DatePicker::SetFirstDayOfWeek(Qt::DayOfWeek day) { m_grid->setFirstDayOfWeek(day); }

void DatePicker::Today() { SetDate(QDate::currentDate()); }

void DatePicker::step(int months)
{
    // addMonths keeps the day where it can and takes the month's last day
    // otherwise (31 March - 1 month = 28/29 February).
    SetDate(Date().addMonths(months));
}

}  // namespace dayloom
