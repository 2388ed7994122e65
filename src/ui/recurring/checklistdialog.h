#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace dayloom {

// The common frame of the holiday chooser and the selection dialog: a list
// of entries in which every click toggles a row, and "&Ok" (beeps and stays
// open while no row is selected), "&Cancel", "&All" and "&None".
class CheckListDialog : public QDialog {
    Q_OBJECT
public:
    // entries are list lines; each row shows the entry's list text.
    CheckListDialog(const QString& caption, const QStringList& entries, QWidget* parent);

    // The entries of the selected rows, in list order.
    QStringList SelectedEntries() const;
    QListWidget* List() const { return m_list; }

    void OKButtonClick();
    void AllButtonClick();
    void NoneButtonClick();

protected:
    // The column that holds the list; subclasses add their own parts below it.
    QVBoxLayout* ListColumn() const { return m_listColumn; }

private:
    QStringList m_entries;
    QListWidget* m_list = nullptr;
    QVBoxLayout* m_listColumn = nullptr;
};

}  // namespace dayloom
