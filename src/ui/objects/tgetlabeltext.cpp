#include "ui/objects/tgetlabeltext.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/uiutil.h"

namespace dayloom {

TGetLabelText::TGetLabelText(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("GetLabelText"));
    setWindowTitle(QStringLiteral("Text"));
    setFixedSize(356, 133);
    auto* column = new QVBoxLayout(this);
    column->addWidget(new QLabel(QStringLiteral("Enter Text"), this));
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("Edit1"));
    column->addWidget(m_edit);
    column->addStretch();
    auto* bar = new QHBoxLayout;
    auto* help = new QPushButton(QStringLiteral("Help"), this);
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    cancel->setObjectName(QStringLiteral("CancelButton"));
    ok->setDefault(true);
    bar->addWidget(help);
    bar->addStretch();
    bar->addWidget(ok);
    bar->addWidget(cancel);
    column->addLayout(bar);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic(40004); });
    m_edit->setFocus();
}

QString TGetLabelText::Text() const
{
    return m_edit->text();
}

void TGetLabelText::SetText(const QString& text)
{
    m_edit->setText(text);
    m_edit->selectAll();
}

}  // namespace dayloom
