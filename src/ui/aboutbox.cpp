#include "ui/aboutbox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/version.h"

namespace dayloom {

QString AboutBox::VersionLine() { return QStringLiteral("Version ") + VersionText(); }

QString AboutBox::BuildLine()
{
    return sizeof(void*) == 8 ? QStringLiteral("64-bit version")
                              : QStringLiteral("32-bit version");
}

AboutBox::AboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About Dayloom"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(QStringLiteral("Dayloom"), this);
    QFont big = name->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    name->setFont(big);
    name->setAlignment(Qt::AlignCenter);
    layout->addWidget(name);
    auto* version = new QLabel(VersionLine(), this);
    version->setObjectName(QStringLiteral("VersionLabel"));
    version->setAlignment(Qt::AlignCenter);
    layout->addWidget(version);
    auto* build = new QLabel(BuildLine(), this);
    build->setObjectName(QStringLiteral("BuildLabel"));
    build->setAlignment(Qt::AlignCenter);
    layout->addWidget(build);
    auto* row = new QHBoxLayout;
    row->addStretch();
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    row->addWidget(ok);
    row->addStretch();
    layout->addLayout(row);
    setFixedSize(sizeHint().expandedTo(QSize(260, 150)));
}

}  // namespace dayloom
