#include "ui/usertitledialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dayloom {

UserTitleDialog::UserTitleDialog(const QString& title, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("UserTitleDialog"));
    setWindowTitle(QStringLiteral("User Defined Title"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("Enter calendar title (leave blank for default):"), this));
    m_edit = new QLineEdit(title, this);
    m_edit->setMinimumWidth(320);
    layout->addWidget(m_edit);
    auto* row = new QHBoxLayout;
    row->addStretch();
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    row->addWidget(ok);
    row->addWidget(cancel);
    layout->addLayout(row);
    setFixedSize(sizeHint());
    m_edit->setFocus();
}

QString UserTitleDialog::Title() const { return m_edit->text(); }

}  // namespace dayloom
