#include "ui/richtexttoolbar.h"

#include <QComboBox>
#include <QFontComboBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>

#include "core/tcolor.h"

namespace dayloom {

namespace {

struct ButtonSpec {
    const char* glyph;
    const char* tip;
    const char* name;
};

// Tool tips exactly as the user sees them (the centre button's has a blank).
const ButtonSpec kButtons[] = {
    {"B", "Bold Font", "BoldButton"},
    {"I", "Italic Font", "ItalicButton"},
    {"U", "Underlined Font", "UnderlineButton"},
    {"\u2190", "Left Justify Text", "LeftButton"},
    {"\u2192", "Right Justify Text", "RightButton"},
    {"\u2194", "Center Text ", "CenterButton"},
    {"Copy", "Copy Text", "CopyButton"},
    {"Cut", "Cut Text", "CutButton"},
    {"Paste", "Paste Text", "PasteButton"},
    {"All", "Select All", "SelectAllButton"},
};

const TColor kColors[] = {clBlack, clMaroon, clGreen,  clOlive, clNavy,    clPurple,
                          clTeal,  clGray,   clSilver, clRed,   clLime,    clYellow,
                          clBlue,  clFuchsia, clAqua,  clWhite};

QIcon swatch(QColor c)
{
    QPixmap pm(14, 14);
    pm.fill(c);
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawRect(0, 0, 13, 13);
    return QIcon(pm);
}

}  // namespace

QList<int> RichTextToolBar::FontSizes()
{
    return {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
}

RichTextToolBar::RichTextToolBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("RichTextToolBar"));
    setFixedHeight(26);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(2);

    m_fontName = new QFontComboBox(this);
    m_fontName->setObjectName(QStringLiteral("FontNameList"));
    m_fontName->setFixedWidth(150);
    m_fontName->setToolTip(QString());
    layout->addWidget(m_fontName);
    connect(m_fontName, &QFontComboBox::currentFontChanged, this,
            [this](const QFont& f) { Q_EMIT FontNameChosen(f.family()); });

    m_fontSize = new QComboBox(this);
    m_fontSize->setObjectName(QStringLiteral("FontSizeList"));
    m_fontSize->setEditable(true);
    for (int s : FontSizes())
        m_fontSize->addItem(QString::number(s));
    m_fontSize->setCurrentText(QStringLiteral("10"));
    m_fontSize->setFixedWidth(50);
    layout->addWidget(m_fontSize);
    connect(m_fontSize, &QComboBox::textActivated, this, [this](const QString& t) {
        bool ok = false;
        const int points = t.toInt(&ok);
        if (ok && points > 0 && points <= 255)
            Q_EMIT FontSizeChosen(points);
    });

    m_fontColor = new QComboBox(this);
    m_fontColor->setObjectName(QStringLiteral("FontColorList"));
    for (TColor c : kColors)
        m_fontColor->addItem(swatch(ToQColor(c)), QString(), QVariant::fromValue(int(c)));
    m_fontColor->setFixedWidth(48);
    layout->addWidget(m_fontColor);
    connect(m_fontColor, &QComboBox::activated, this, [this](int index) {
        Q_EMIT FontColorChosen(ToQColor(TColor(m_fontColor->itemData(index).toInt())));
    });

    int index = 0;
    for (const ButtonSpec& spec : kButtons) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(spec.name));
        b->setText(QString::fromUtf8(spec.glyph));
        b->setToolTip(QString::fromLatin1(spec.tip));
        b->setAutoRaise(true);
        b->setFixedHeight(22);
        if (index < 3) {
            b->setCheckable(true);
            QFont f = b->font();
            f.setBold(index == 0);
            f.setItalic(index == 1);
            f.setUnderline(index == 2);
            b->setFont(f);
        }
        if (index == 3 || index == 6)
            layout->addSpacing(6);
        layout->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this, index] { Q_EMIT ButtonClicked(index); });
        m_buttons << b;
        ++index;
    }
    layout->addStretch();
    setEnabled(false);
}

}  // namespace dayloom
