#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QListWidget;
class QPushButton;

namespace dayloom {

// "Recurring Dates": the editor of the recurring-date list, sorted by event
// text ignoring case. Ok writes the list file; Cancel drops every change.
class TEditRecurringDates : public QDialog {
    Q_OBJECT
public:
    // entries: the list as loaded; programDir: where Ok writes it.
    TEditRecurringDates(const QStringList& entries, const QString& programDir,
                        QWidget* parent = nullptr);

    QStringList Entries() const { return m_entries; }
    // The selected row, or -1.
    int SelectedIndex() const;

    void OKButtonClick();
    void EditButtonClick();
    void NewButtonClick();
    void DeleteButtonClick();
    void HolidaysButtonClick();
    // Reads an iCalendar file and offers its repeating events that the list
    // can hold; the ticked ones are added as holidays are.
    void ImportButtonClick();

protected:
    bool event(QEvent* event) override;

private:
    // Adds an entry at its sorted place and selects it.
    void addSorted(const QString& entry);
    // Adds each entry at its sorted place unless the list holds the same
    // entry (ignoring case); the selection stays on its entry.
    void addUnlessKnown(const QStringList& entries);
    void fillList(int select);
    void updateButtons();

    QString m_programDir;
    QStringList m_entries;
    QListWidget* m_list = nullptr;
    QPushButton* m_editButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
};

}  // namespace dayloom
