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
    column->addLayout(HelpOkCancelBar(this, 40004));
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
