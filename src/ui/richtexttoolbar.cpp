#include "ui/richtexttoolbar.h"

#include <cmath>

#include <QComboBox>
#include <QFontComboBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <QTextEdit>
#include <QToolButton>

#include "core/tcolor.h"
#include "richtext/richtextformat.h"

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
    connect(m_fontName, &QFontComboBox::currentFontChanged, this, [this](const QFont& f) {
        Q_EMIT FontNameChosen(f.family());
        QTextCharFormat format;
        format.setFontFamilies({f.family()});
        apply(format);
    });

    m_fontSize = new QComboBox(this);
    m_fontSize->setObjectName(QStringLiteral("FontSizeList"));
    for (int s : FontSizes())
        m_fontSize->addItem(QString::number(s));
    m_fontSize->setCurrentText(QStringLiteral("10"));
    m_fontSize->setFixedWidth(50);
    layout->addWidget(m_fontSize);
    connect(m_fontSize, &QComboBox::textActivated, this, [this](const QString& t) {
        bool ok = false;
        const int points = t.toInt(&ok);
        if (ok && points > 0 && points <= 255) {
            Q_EMIT FontSizeChosen(points);
            QTextCharFormat format;
            format.setFontPointSize(points);
            apply(format);
        }
    });

    m_fontColor = new QComboBox(this);
    m_fontColor->setObjectName(QStringLiteral("FontColorList"));
    for (TColor c : EditorColorTable())
        m_fontColor->addItem(swatch(ToQColor(c)), QString(), QVariant::fromValue(int(c)));
    m_fontColor->setFixedWidth(48);
    layout->addWidget(m_fontColor);
    connect(m_fontColor, &QComboBox::activated, this, [this](int index) {
        const QColor color = ToQColor(TColor(m_fontColor->itemData(index).toInt()));
        Q_EMIT FontColorChosen(color);
        QTextCharFormat format;
        format.setForeground(color);
        apply(format);
    });

    int index = 0;
    for (const ButtonSpec& desc : kButtons) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(desc.name));
        b->setText(QString::fromUtf8(desc.glyph));
        b->setToolTip(QString::fromLatin1(desc.tip));
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
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, [this, index] {
            Q_EMIT ButtonClicked(index);
            buttonClicked(index);
        });
        m_buttons << b;
        ++index;
    }
    layout->addStretch();
    for (QWidget* w : {static_cast<QWidget*>(m_fontName), static_cast<QWidget*>(m_fontSize),
                       static_cast<QWidget*>(m_fontColor)})
        w->setFocusPolicy(Qt::NoFocus);
    setEnabled(false);
}

void RichTextToolBar::Attach(QTextEdit* editor)
{
    if (m_editor == editor)
        return;
    for (const QMetaObject::Connection& c : m_editorConnections)
        disconnect(c);
    m_editorConnections.clear();
    m_editor = editor;
    if (!editor)
        return;
    m_editorConnections << connect(editor, &QTextEdit::currentCharFormatChanged, this,
                                   [this] { showEditorFormat(); });
    m_editorConnections << connect(editor, &QTextEdit::cursorPositionChanged, this,
                                   [this] { showEditorFormat(); });
    showEditorFormat();
}

void RichTextToolBar::showEditorFormat()
{
    if (m_editor)
        ShowFormat(m_editor->currentCharFormat(), m_editor->alignment());
}

void RichTextToolBar::ShowFormat(const QTextCharFormat& format, Qt::Alignment alignment)
{
    Q_UNUSED(alignment);
    const QSignalBlocker b1(m_fontName), b2(m_fontSize), b3(m_fontColor);
    const QString family = FormatFamily(format);
    if (!family.isEmpty())
        m_fontName->setCurrentFont(QFont(family));
    if (format.fontPointSize() > 0)
        m_fontSize->setCurrentText(QString::number(int(std::lround(format.fontPointSize()))));
    const TColor color =
        format.hasProperty(QTextFormat::ForegroundBrush) ? FromQColor(format.foreground().color()) : clBlack;
    m_fontColor->setCurrentIndex(EditorColorIndex(color));
    m_buttons[0]->setChecked(format.fontWeight() >= QFont::Bold);
    m_buttons[1]->setChecked(format.fontItalic());
    m_buttons[2]->setChecked(format.fontUnderline());
}

void RichTextToolBar::apply(const QTextCharFormat& format)
{
    if (!m_editor)
        return;
    m_editor->mergeCurrentCharFormat(format);
    m_editor->setFocus();
}

void RichTextToolBar::buttonClicked(int index)
{
    if (!m_editor)
        return;
    QTextCharFormat format;
    switch (index) {
    case 0:
        format.setFontWeight(m_buttons[0]->isChecked() ? QFont::Bold : QFont::Normal);
        apply(format);
        return;
    case 1:
        format.setFontItalic(m_buttons[1]->isChecked());
        apply(format);
        return;
    case 2:
        format.setFontUnderline(m_buttons[2]->isChecked());
        apply(format);
        return;
    case 3:
        m_editor->setAlignment(Qt::AlignLeft);
        break;
    case 4:
        m_editor->setAlignment(Qt::AlignRight);
        break;
    case 5:
        m_editor->setAlignment(Qt::AlignHCenter);
        break;
    case 6:
        m_editor->copy();
        break;
    case 7:
        m_editor->cut();
        break;
    case 8:
        m_editor->paste();
        break;
    case 9:
        m_editor->selectAll();
        break;
    default:
        break;
    }
    m_editor->setFocus();
}

}  // namespace dayloom
