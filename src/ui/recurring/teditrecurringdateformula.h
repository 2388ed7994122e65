#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace dayloom {

// "Recurring Date - Formulas": edits the event text and the formula of one
// entry as a day of the week, a day of the month or an nth weekday.
class TEditRecurringDateFormula : public QDialog {
    Q_OBJECT
public:
    enum Kind { WeekKind, MonthKind, SpecialKind };

    explicit TEditRecurringDateFormula(QWidget* parent = nullptr);

    // Fills the controls from a formula: "$" and "@" formulas that parse
    // select their kind; any other formula selects the week kind with
    // exactly the days whose digits occur in it; a "$" or "@" formula that
    // does not parse leaves the defaults.
    void SetFormula(const QString& formula);
    void SetEventText(const QString& text);

    QString EventText() const;
    // The formula built by the last successful Ok.
    QString Formula() const { return m_formula; }
    Kind CurrentKind() const;

    void OKButtonClick();

private:
    void selectKind(Kind kind);
    void updateKindControls();
    void AllDaysClick(bool checked);
    // The formula of the chosen kind, or an empty string after a message.
    QString buildFormula();

    bool m_filling = false;
    QString m_formula;
    QLineEdit* m_eventEdit = nullptr;
    QRadioButton* m_weekRadio = nullptr;
    QRadioButton* m_monthRadio = nullptr;
    QRadioButton* m_specialRadio = nullptr;
    QList<QCheckBox*> m_dayChecks;  // Mon, Tues, Wed, Thu, Fri, Sat, Sun
    QCheckBox* m_allDays = nullptr;
    QSpinBox* m_daySpin = nullptr;
    QComboBox* m_monthList = nullptr;
    QComboBox* m_occurrenceList = nullptr;
    QComboBox* m_weekdayList = nullptr;
    QComboBox* m_specialMonthList = nullptr;
    QList<QWidget*> m_weekControls, m_monthControls, m_specialControls;
};

}  // namespace dayloom
