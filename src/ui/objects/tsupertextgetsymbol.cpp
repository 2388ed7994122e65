#include "ui/objects/tsupertextgetsymbol.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "objects/symbolfonts.h"
#include "ui/uiutil.h"

namespace dayloom {

namespace {

constexpr int kCodeRole = Qt::UserRole + 1;

}  // namespace

TSuperTextGetSymbol::TSuperTextGetSymbol(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("SuperTextGetSymbol"));
    setWindowTitle(QStringLiteral("Symbol Selector"));
    setFixedSize(530, 371);

    FFonts = new QComboBox(this);
    FFonts->setObjectName(QStringLiteral("FontComboBox"));
    FFonts->setToolTip(QStringLiteral("Select a symbol font set"));
    FCharacters = new QTableWidget(this);
    FCharacters->setObjectName(QStringLiteral("SymbolListBox"));
    const int count = kLastCode - kFirstCode + 1;
    FCharacters->setColumnCount(kColumns);
    FCharacters->setRowCount((count + kColumns - 1) / kColumns);
    FCharacters->horizontalHeader()->hide();
    FCharacters->verticalHeader()->hide();
    FCharacters->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    FCharacters->verticalHeader()->setDefaultSectionSize(32);
    FCharacters->setSelectionMode(QAbstractItemView::SingleSelection);
    FCharacters->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int code = kFirstCode; code <= kLastCode; ++code) {
        const int i = code - kFirstCode;
        auto* item = new QTableWidgetItem(SymbolFonts::DrawnText(SymbolFonts::CharacterOf(code)));
        item->setData(kCodeRole, code);
        item->setTextAlignment(Qt::AlignCenter);
        FCharacters->setItem(i / kColumns, i % kColumns, item);
    }
    // The cells after the last character take no choice.
    for (int i = count; i < FCharacters->rowCount() * kColumns; ++i) {
        auto* empty = new QTableWidgetItem;
        empty->setFlags(Qt::NoItemFlags);
        FCharacters->setItem(i / kColumns, i % kColumns, empty);
    }

    auto* top = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("&Font"), this);
    label->setBuddy(FFonts);
    top->addWidget(label);
    top->addWidget(FFonts, 1);

    auto* bar = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    ok->setToolTip(QStringLiteral("Copy the selected symbol to the label"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    bar->addStretch();
    bar->addWidget(ok);
    bar->addWidget(cancel);

    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addWidget(FCharacters, 1);
    column->addLayout(bar);

    connect(ok, &QPushButton::clicked, this, &TSuperTextGetSymbol::OKButtonClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(FCharacters, &QTableWidget::itemDoubleClicked, this, [this](QTableWidgetItem* item) {
        if (item && item->data(kCodeRole).isValid())
            OKButtonClick();
    });
    connect(FFonts, &QComboBox::currentIndexChanged, this, &TSuperTextGetSymbol::FontChange);

    const QStringList families = SymbolFonts::Families();
    FHasFonts = !families.isEmpty();
    FFonts->addItems(families);
    int preselect = 0;
    for (int i = 0; i < families.size(); ++i)
        if (families.at(i).toUpper().contains(QLatin1String("WINGDING"))) {
            preselect = i;
            break;
        }
    if (FHasFonts) {
        FFonts->setCurrentIndex(preselect);
        FontChange(preselect);
    }
    SelectCode(kFirstCode);
    CenterForm(this);
}

int TSuperTextGetSymbol::exec()
{
    if (!FHasFonts) {
        ShowInformation(QStringLiteral("No Symbol fonts installed"));
        return QDialog::Rejected;
    }
    return QDialog::exec();
}

void TSuperTextGetSymbol::FontChange(int index)
{
    if (index < 0)
        return;
    QFont font(FFonts->itemText(index));
    font.setPixelSize(20);
    font.setStyleStrategy(QFont::NoFontMerging);
    FCharacters->setFont(font);
}

QString TSuperTextGetSymbol::SelectedFont() const
{
    return FFonts->currentText();
}

int TSuperTextGetSymbol::SelectedCode() const
{
    const QTableWidgetItem* item = FCharacters->currentItem();
    if (!item || !item->isSelected() || !item->data(kCodeRole).isValid())
        return -1;
    return item->data(kCodeRole).toInt();
}

void TSuperTextGetSymbol::SelectFont(const QString& family)
{
    const int i = FFonts->findText(family, Qt::MatchFixedString);
    if (i >= 0)
        FFonts->setCurrentIndex(i);
}

void TSuperTextGetSymbol::SelectCode(int code)
{
    if (code < kFirstCode || code > kLastCode)
        return;
    const int i = code - kFirstCode;
    FCharacters->setCurrentCell(i / kColumns, i % kColumns);
}

void TSuperTextGetSymbol::OKButtonClick()
{
    if (SelectedFont().isEmpty() && SelectedCode() < 0)
        return;
    accept();
}

}  // namespace dayloom
