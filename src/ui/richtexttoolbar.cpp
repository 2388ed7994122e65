#include "ui/richtexttoolbar.h"

#include <cmath>

#include <QComboBox>
#include <QFontComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>

#include "core/tcolor.h"
#include "richtext/richtextformat.h"

namespace dayloom {

namespace {

struct ButtonSpec {
    RichTextCommand command;
    const char* glyph;
    const char* tip;
    const char* name;
};

// Tool tips exactly as the user sees them (the centre button's has a blank).
const ButtonSpec kButtons[] = {
    {RichTextCommand::Normal, "N", "Normal Font", "NormalButton"},
    {RichTextCommand::Bold, "B", "Bold Font", "BoldButton"},
    {RichTextCommand::Italic, "I", "Italic Font", "ItalicButton"},
    {RichTextCommand::Underline, "U", "Underlined Font", "UnderlineButton"},
    {RichTextCommand::Left, "\u2190", "Left Justify Text", "LeftButton"},
    {RichTextCommand::Right, "\u2192", "Right Justify Text", "RightButton"},
    {RichTextCommand::Justify, "\u2261", "Justify Text", "JustifyButton"},
    {RichTextCommand::Center, "\u2194", "Center Text ", "CenterButton"},
    {RichTextCommand::Copy, "Copy", "Copy Text", "CopyButton"},
    {RichTextCommand::Cut, "Cut", "Cut Text", "CutButton"},
    {RichTextCommand::Paste, "Paste", "Paste Text", "PasteButton"},
    {RichTextCommand::SelectAll, "All", "Select All", "SelectAllButton"},
};

const ButtonSpec& buttonFor(RichTextCommand command)
{
    for (const ButtonSpec& s : kButtons)
        if (s.command == command)
            return s;
    return kButtons[0];
}

bool isCharacterCommand(RichTextCommand c)
{
    return c == RichTextCommand::Normal || c == RichTextCommand::Bold ||
           c == RichTextCommand::Italic || c == RichTextCommand::Underline;
}

bool isParagraphCommand(RichTextCommand c)
{
    return c == RichTextCommand::Left || c == RichTextCommand::Right ||
           c == RichTextCommand::Justify || c == RichTextCommand::Center;
}

Qt::Alignment alignmentOf(RichTextCommand c)
{
    switch (c) {
    case RichTextCommand::Right:
        return Qt::AlignRight;
    case RichTextCommand::Justify:
        return Qt::AlignJustify;
    case RichTextCommand::Center:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

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

QList<RichTextCommand> RichTextToolBar::CellEditorCommands()
{
    using C = RichTextCommand;
    return {C::Bold, C::Italic, C::Underline, C::Left, C::Right, C::Center,
            C::Copy, C::Cut,    C::Paste,     C::SelectAll};
}

QList<RichTextCommand> RichTextToolBar::LabelEditorCommands()
{
    using C = RichTextCommand;
    return {C::Normal,  C::Bold,   C::Italic, C::Underline, C::Left, C::Right,
            C::Justify, C::Center, C::Copy,   C::Cut,       C::Paste};
}

RichTextToolBar::RichTextToolBar(QWidget* parent) : RichTextToolBar(CellEditorCommands(), parent) {}

RichTextToolBar::RichTextToolBar(const QList<RichTextCommand>& commands, QWidget* parent)
    : QWidget(parent)
{
    build(commands);
}

void RichTextToolBar::build(const QList<RichTextCommand>& commands)
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
            format.setFontPointSize(points * m_textZoom / 100.0);
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

    RichTextCommand previous = RichTextCommand::Normal;
    for (RichTextCommand command : commands) {
        const ButtonSpec& desc = buttonFor(command);
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(desc.name));
        b->setText(QString::fromUtf8(desc.glyph));
        b->setToolTip(QString::fromLatin1(desc.tip));
        b->setAutoRaise(true);
        b->setFixedHeight(22);
        b->setCheckable(command != RichTextCommand::Normal &&
                        (isCharacterCommand(command) || isParagraphCommand(command)));
        if (isCharacterCommand(command)) {
            QFont f = b->font();
            f.setBold(command == RichTextCommand::Bold);
            f.setItalic(command == RichTextCommand::Italic);
            f.setUnderline(command == RichTextCommand::Underline);
            b->setFont(f);
        }
        // A little room between the character, paragraph and clipboard groups.
        if (!m_buttons.isEmpty() &&
            (isCharacterCommand(previous) != isCharacterCommand(command) ||
             isParagraphCommand(previous) != isParagraphCommand(command)))
            layout->addSpacing(6);
        layout->addWidget(b);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, [this, command] { Run(command); });
        m_buttons << b;
        m_commands << command;
        previous = command;
    }
    layout->addStretch();
    for (QWidget* w : {static_cast<QWidget*>(m_fontName), static_cast<QWidget*>(m_fontSize),
                       static_cast<QWidget*>(m_fontColor)})
        w->setFocusPolicy(Qt::NoFocus);
    setEnabled(false);
}

QToolButton* RichTextToolBar::Button(RichTextCommand command) const
{
    const qsizetype i = m_commands.indexOf(command);
    return i < 0 ? nullptr : m_buttons.at(i);
}

void RichTextToolBar::Attach(QTextEdit* editor)
{
    if (m_editor == editor)
        return;
    for (const QMetaObject::Connection& c : m_editorConnections)
        disconnect(c);
    m_editorConnections.clear();
    if (m_editor)
        m_editor->removeEventFilter(this);
    m_editor = editor;
    if (!editor)
        return;
    editor->installEventFilter(this);
    m_editorConnections << connect(editor, &QTextEdit::currentCharFormatChanged, this,
                                   [this] { showEditorFormat(); });
    m_editorConnections << connect(editor, &QTextEdit::cursorPositionChanged, this,
                                   [this] { showEditorFormat(); });
    showEditorFormat();
}

bool RichTextToolBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_editor && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods =
            key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier |
                                Qt::MetaModifier);
        if (mods == Qt::ControlModifier) {
            switch (key->key()) {
            case Qt::Key_B:
                Run(RichTextCommand::Bold);
                return true;
            case Qt::Key_I:
                Run(RichTextCommand::Italic);
                return true;
            case Qt::Key_U:
                Run(RichTextCommand::Underline);
                return true;
            default:
                break;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

QTextCharFormat RichTextToolBar::editorFormat() const
{
    // A selection shows (and toggles from) its first character; the editor's
    // own current format is the one before the cursor, outside a selection
    // made backwards.
    const QTextCursor cursor = m_editor->textCursor();
    if (!cursor.hasSelection())
        return m_editor->currentCharFormat();
    QTextCursor first = cursor;
    first.setPosition(cursor.selectionStart() + 1);
    return first.charFormat();
}

void RichTextToolBar::showEditorFormat()
{
    if (m_editor)
        ShowFormat(editorFormat(), m_editor->alignment());
}

void RichTextToolBar::ShowFormat(const QTextCharFormat& format, Qt::Alignment alignment)
{
    const QSignalBlocker b1(m_fontName), b2(m_fontSize), b3(m_fontColor);
    const QString family = FormatFamily(format);
    if (!family.isEmpty())
        m_fontName->setCurrentFont(QFont(family));
    if (format.fontPointSize() > 0)
        m_fontSize->setCurrentText(
            QString::number(int(std::lround(format.fontPointSize() * 100.0 / m_textZoom))));
    const TColor color =
        format.hasProperty(QTextFormat::ForegroundBrush) ? FromQColor(format.foreground().color()) : clBlack;
    m_fontColor->setCurrentIndex(EditorColorIndex(color));
    auto check = [this](RichTextCommand c, bool on) {
        if (QToolButton* b = Button(c))
            b->setChecked(on);
    };
    check(RichTextCommand::Bold, format.fontWeight() >= QFont::Bold);
    check(RichTextCommand::Italic, format.fontItalic());
    check(RichTextCommand::Underline, format.fontUnderline());
    const Qt::Alignment h = alignment & Qt::AlignHorizontal_Mask;
    Qt::Alignment shown = Qt::AlignLeft;
    if (h & Qt::AlignJustify)
        shown = Qt::AlignJustify;
    else if (h & Qt::AlignHCenter)
        shown = Qt::AlignHCenter;
    else if (h & Qt::AlignRight)
        shown = Qt::AlignRight;
    for (RichTextCommand c : {RichTextCommand::Left, RichTextCommand::Right,
                              RichTextCommand::Justify, RichTextCommand::Center})
        check(c, alignmentOf(c) == shown);
}

void RichTextToolBar::SetTextZoom(int percent)
{
    if (percent <= 0 || percent == m_textZoom)
        return;
    m_textZoom = percent;
    showEditorFormat();
}

void RichTextToolBar::apply(const QTextCharFormat& format)
{
    if (!m_editor)
        return;
    m_editor->mergeCurrentCharFormat(format);
    m_editor->setFocus();
}

void RichTextToolBar::Run(RichTextCommand command)
{
    if (!m_editor)
        return;
    // Character attributes toggle from what the text at the cursor has (the
    // button's own state may lag behind a key).
    const QTextCharFormat current = editorFormat();
    QTextCharFormat format;
    switch (command) {
    case RichTextCommand::Normal:
        format.setFontWeight(QFont::Normal);
        format.setFontItalic(false);
        format.setFontUnderline(false);
        format.setFontStrikeOut(false);
        apply(format);
        break;
    case RichTextCommand::Bold:
        format.setFontWeight(current.fontWeight() >= QFont::Bold ? QFont::Normal : QFont::Bold);
        apply(format);
        break;
    case RichTextCommand::Italic:
        format.setFontItalic(!current.fontItalic());
        apply(format);
        break;
    case RichTextCommand::Underline:
        format.setFontUnderline(!current.fontUnderline());
        apply(format);
        break;
    case RichTextCommand::Left:
    case RichTextCommand::Right:
    case RichTextCommand::Justify:
    case RichTextCommand::Center:
        m_editor->setAlignment(alignmentOf(command));
        break;
    case RichTextCommand::Copy:
        m_editor->copy();
        break;
    case RichTextCommand::Cut:
        m_editor->cut();
        break;
    case RichTextCommand::Paste:
        m_editor->paste();
        break;
    case RichTextCommand::SelectAll:
        m_editor->selectAll();
        break;
    }
    m_editor->setFocus();
    showEditorFormat();
}

}  // namespace dayloom
