#include "ui/recurring/teditrecurringdateformula.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "dates/calendardates.h"
#include "dates/recurringdates.h"
#include "ui/uiutil.h"

namespace dayloom {

namespace {

// Weekday numbers (1 = Sunday) of the day boxes, which run Monday first.
constexpr int kBoxWeekday[7] = {2, 3, 4, 5, 6, 7, 1};

QString hint(const char* text)
{
    return MessageLines(QString::fromUtf8(text));
}

void setIndexOrNone(QComboBox* list, int index)
{
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

}  // namespace

TEditRecurringDateFormula::TEditRecurringDateFormula(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Recurring Date - Formulas"));

    auto* eventLabel = new QLabel(QStringLiteral("Recurring event (birthday, anniversary, etc)"), this);
    m_eventEdit = new QLineEdit(this);
    m_eventEdit->setObjectName(QStringLiteral("EventEdit"));
    eventLabel->setBuddy(m_eventEdit);

    m_weekRadio = new QRadioButton(QStringLiteral("Day of the &Week"), this);
    m_weekRadio->setObjectName(QStringLiteral("WeekRadio"));
    m_weekRadio->setToolTip(
        hint("Check here to choose a 'Days of the Week' \rstyle Repeating Reminder"));
    m_monthRadio = new QRadioButton(QStringLiteral("Day of the &Month"), this);
    m_monthRadio->setObjectName(QStringLiteral("MonthRadio"));
    m_monthRadio->setToolTip(
        hint("Check here to choose a 'Day of the Month' \rstyle Repeating Reminder"));
    m_specialRadio = new QRadioButton(QStringLiteral("&Special"), this);
    m_specialRadio->setObjectName(QStringLiteral("SpecialRadio"));
    m_specialRadio->setToolTip(
        hint("Check here to choose a 'nth Day of Month' \rstyle Repeating Reminder"));
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(m_weekRadio, WeekKind);
    kinds->addButton(m_monthRadio, MonthKind);
    kinds->addButton(m_specialRadio, SpecialKind);

    // Day of the week.
    auto* weekRow = new QHBoxLayout;
    const char* const boxNames[7] = {"Mon", "Tues", "Wed", "Thu", "Fri", "Sat", "Sun"};
    for (int i = 0; i < 7; ++i) {
        auto* box = new QCheckBox(QString::fromLatin1(boxNames[i]), this);
        box->setObjectName(QString::fromLatin1(boxNames[i]) + QStringLiteral("Check"));
        box->setToolTip(hint("Check to use this reminder on this day of \reach week"));
        box->setChecked(i < 5);
        m_dayChecks << box;
        m_weekControls << box;
        weekRow->addWidget(box);
    }
    m_allDays = new QCheckBox(QStringLiteral("All Days"), this);
    m_allDays->setObjectName(QStringLiteral("AllDaysCheck"));
    m_allDays->setToolTip(hint("Check to include all days"));
    connect(m_allDays, &QCheckBox::clicked, this, &TEditRecurringDateFormula::AllDaysClick);
    m_weekControls << m_allDays;
    weekRow->addSpacing(12);
    weekRow->addWidget(m_allDays);
    weekRow->addStretch();

    const QString monthHint =
        hint("Select the month, or choose \"of Each Month\"\rfor all months");

    // Day of the month.
    auto* monthRow = new QHBoxLayout;
    m_daySpin = new QSpinBox(this);
    m_daySpin->setObjectName(QStringLiteral("DaySpin"));
    m_daySpin->setRange(1, 31);
    m_daySpin->setValue(1);
    m_daySpin->setToolTip(hint("Select the day of the month (1-31)"));
    auto* monthOf = new QLabel(QStringLiteral("of"), this);
    m_monthList = new QComboBox(this);
    m_monthList->setObjectName(QStringLiteral("MonthList"));
    m_monthList->addItems(FixedEnglishMonthList());
    m_monthList->setToolTip(monthHint);
    m_monthControls << m_daySpin << monthOf << m_monthList;
    monthRow->addWidget(m_daySpin);
    monthRow->addWidget(monthOf);
    monthRow->addWidget(m_monthList);
    monthRow->addStretch();

    // Special: nth weekday.
    auto* specialRow = new QHBoxLayout;
    m_occurrenceList = new QComboBox(this);
    m_occurrenceList->setObjectName(QStringLiteral("OccurrenceList"));
    m_occurrenceList->addItems({QStringLiteral("1st"), QStringLiteral("2nd"), QStringLiteral("3rd"),
                                QStringLiteral("4th"), QStringLiteral("5th"), QStringLiteral("Last")});
    m_occurrenceList->setToolTip(hint("Select the occurrance: First, 2nd, 3rd, 4th, 5th\ror Last"));
    m_weekdayList = new QComboBox(this);
    m_weekdayList->setObjectName(QStringLiteral("WeekdayList"));
    m_weekdayList->addItems(FixedEnglishDayList());
    m_weekdayList->setToolTip(
        hint("Select the weekday (Sun-Sat), or select  \"Day\" \rfor any day."));
    auto* specialOf = new QLabel(QStringLiteral("of"), this);
    m_specialMonthList = new QComboBox(this);
    m_specialMonthList->setObjectName(QStringLiteral("SpecialMonthList"));
    m_specialMonthList->addItems(FixedEnglishMonthList());
    m_specialMonthList->setToolTip(monthHint);
    m_specialControls << m_occurrenceList << m_weekdayList << specialOf << m_specialMonthList;
    specialRow->addWidget(m_occurrenceList);
    specialRow->addWidget(m_weekdayList);
    specialRow->addWidget(specialOf);
    specialRow->addWidget(m_specialMonthList);
    specialRow->addStretch();

    auto* ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true);
    ok->setAutoDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &TEditRecurringDateFormula::OKButtonClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout;
    grid->setColumnMinimumWidth(0, 20);
    grid->addWidget(m_weekRadio, 0, 0, 1, 2);
    grid->addLayout(weekRow, 1, 1);
    grid->addWidget(m_monthRadio, 2, 0, 1, 2);
    grid->addLayout(monthRow, 3, 1);
    grid->addWidget(m_specialRadio, 4, 0, 1, 2);
    grid->addLayout(specialRow, 5, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(eventLabel);
    layout->addWidget(m_eventEdit);
    layout->addSpacing(6);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(kinds, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            updateKindControls();
    });
    selectKind(MonthKind);
    m_eventEdit->setFocus();
}

void TEditRecurringDateFormula::SetEventText(const QString& text)
{
    m_eventEdit->setText(text);
}

QString TEditRecurringDateFormula::EventText() const
{
    return m_eventEdit->text();
}

TEditRecurringDateFormula::Kind TEditRecurringDateFormula::CurrentKind() const
{
    if (m_weekRadio->isChecked())
        return WeekKind;
    if (m_specialRadio->isChecked())
        return SpecialKind;
    return MonthKind;
}

void TEditRecurringDateFormula::SetFormula(const QString& formula)
{
    m_filling = true;
    if (formula.startsWith(kNthWeekdayKind)) {
        if (const auto f = ParseNthWeekday(formula)) {
            setIndexOrNone(m_occurrenceList, f->Occurrence);
            setIndexOrNone(m_weekdayList, f->Weekday);
            setIndexOrNone(m_specialMonthList, f->Month);
            selectKind(SpecialKind);
        }
    } else if (formula.startsWith(kDayOfMonthKind)) {
        if (const auto f = ParseDayOfMonth(formula)) {
            m_daySpin->setValue(f->Day);
            setIndexOrNone(m_monthList, f->Month);
            selectKind(MonthKind);
        }
    } else {
        const QList<int> days = ParseWeekdayList(formula);
        for (int i = 0; i < 7; ++i)
            m_dayChecks[i]->setChecked(days.contains(kBoxWeekday[i]));
        m_allDays->setChecked(days.size() == 7);
        selectKind(WeekKind);
    }
    m_filling = false;
}

void TEditRecurringDateFormula::selectKind(Kind kind)
{
    QRadioButton* radio = kind == WeekKind ? m_weekRadio
                          : kind == SpecialKind ? m_specialRadio
                                                : m_monthRadio;
    radio->setChecked(true);
    updateKindControls();
}

void TEditRecurringDateFormula::updateKindControls()
{
    const Kind kind = CurrentKind();
    const std::pair<QRadioButton*, QList<QWidget*>*> groups[] = {
        {m_weekRadio, &m_weekControls},
        {m_monthRadio, &m_monthControls},
        {m_specialRadio, &m_specialControls},
    };
    for (int k = 0; k < 3; ++k) {
        const bool chosen = k == kind;
        QFont font = groups[k].first->font();
        font.setBold(chosen);
        groups[k].first->setFont(font);
        for (QWidget* w : *groups[k].second)
            w->setEnabled(chosen);
    }
}

void TEditRecurringDateFormula::AllDaysClick(bool checked)
{
    if (m_filling)
        return;
    for (QCheckBox* box : m_dayChecks)
        box->setChecked(checked);
}

QString TEditRecurringDateFormula::buildFormula()
{
    switch (CurrentKind()) {
    case MonthKind: {
        const int day = m_daySpin->value();
        if (day < 1 || day > 31) {
            ShowInformation(QStringLiteral("Invalid day of month entered "));
            return {};
        }
        if (m_monthList->currentIndex() < 0) {
            ShowInformation(QStringLiteral("Invalid month entered "));
            return {};
        }
        return BuildDayOfMonth(day, m_monthList->currentIndex());
    }
    case SpecialKind:
        if (m_occurrenceList->currentIndex() < 0 || m_weekdayList->currentIndex() < 0
            || m_specialMonthList->currentIndex() < 0) {
            ShowInformation(QStringLiteral("Invalid value entered for Special category"));
            return {};
        }
        return BuildNthWeekday(m_occurrenceList->currentIndex(), m_weekdayList->currentIndex(),
                               m_specialMonthList->currentIndex());
    case WeekKind: {
        QList<int> days;
        for (int i = 0; i < 7; ++i) {
            if (m_dayChecks[i]->isChecked())
                days << kBoxWeekday[i];
        }
        if (days.isEmpty()) {
            ShowInformation(
                QStringLiteral("You must select at least one day for this \rreminder to occur on"));
            return {};
        }
        return BuildWeekdayList(days);
    }
    }
    return {};
}

void TEditRecurringDateFormula::OKButtonClick()
{
    const QString formula = buildFormula();
    if (formula.isEmpty())
        return;
    m_formula = formula;
    accept();
}

}  // namespace dayloom
