#include "ui/recurring/checklistdialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "dates/recurringdates.h"
#include "ui/recurring/checkmarkdelegate.h"

namespace dayloom {

CheckListDialog::CheckListDialog(const QString& caption, const QStringList& entries,
                                 QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_entries(entries)
{
    setWindowTitle(caption);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("EntryList"));
    m_list->setSelectionMode(QAbstractItemView::MultiSelection);
    m_list->setItemDelegate(new CheckMarkDelegate(m_list));
    m_list->setUniformItemSizes(true);
    for (const QString& entry : m_entries)
        m_list->addItem(EntryListText(entry).trimmed());
    m_list->setMinimumSize(340, 260);

    auto* ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    auto* all = new QPushButton(QStringLiteral("&All"), this);
    all->setObjectName(QStringLiteral("AllButton"));
    auto* none = new QPushButton(QStringLiteral("&None"), this);
    none->setObjectName(QStringLiteral("NoneButton"));
    connect(ok, &QPushButton::clicked, this, &CheckListDialog::OKButtonClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(all, &QPushButton::clicked, this, &CheckListDialog::AllButtonClick);
    connect(none, &QPushButton::clicked, this, &CheckListDialog::NoneButtonClick);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {ok, cancel, all, none})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    m_listColumn = new QVBoxLayout;
    m_listColumn->addWidget(m_list);
    layout->addLayout(m_listColumn);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_list->setFocus();
}

QStringList CheckListDialog::SelectedEntries() const
{
    QStringList chosen;
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->isSelected())
            chosen << m_entries.at(i);
    }
    return chosen;
}

void CheckListDialog::OKButtonClick()
{
    if (m_list->selectedItems().isEmpty()) {
        QApplication::beep();
        return;
    }
    accept();
}

void CheckListDialog::AllButtonClick()
{
    m_list->selectAll();
}

void CheckListDialog::NoneButtonClick()
{
    m_list->clearSelection();
}

}  // namespace dayloom
