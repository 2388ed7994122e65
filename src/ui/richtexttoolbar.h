#pragma once

#include <QList>
#include <QMetaObject>
#include <QPointer>
#include <QTextCharFormat>
#include <QWidget>

class QComboBox;
class QFontComboBox;
class QTextEdit;
class QToolButton;

namespace dayloom {

// What a button of the rich-text tool bar does.
enum class RichTextCommand {
    Normal,     // bold, italic, underline and strike-out off
    Bold,
    Italic,
    Underline,
    Left,
    Right,
    Justify,
    Center,
    Copy,
    Cut,
    Paste,
    SelectAll,
};

// The rich-text tool bar: font name, size and colour lists and the character
// and paragraph buttons. Attached to an editor it acts on it (character
// attributes of the selection or the typing position, paragraph alignment,
// clipboard, select all), shows the attributes at its cursor and gives it
// the keys Ctrl+B, Ctrl+I and Ctrl+U. Its controls never take the focus
// away from the editor. It is made disabled; its owner enables it.
class RichTextToolBar : public QWidget {
    Q_OBJECT
public:
    // The day-cell editor's buttons.
    explicit RichTextToolBar(QWidget* parent = nullptr);
    // The given buttons, in this order.
    RichTextToolBar(const QList<RichTextCommand>& commands, QWidget* parent);

    // Bold, italic, underline, left, right, centre, copy, cut, paste, select all.
    static QList<RichTextCommand> CellEditorCommands();
    // Normal, bold, italic, underline, left, right, justified, centre, copy,
    // cut, paste.
    static QList<RichTextCommand> LabelEditorCommands();

    QFontComboBox* FontNameList() const { return m_fontName; }
    QComboBox* FontSizeList() const { return m_fontSize; }
    QComboBox* FontColorList() const { return m_fontColor; }
    // The buttons in the order they were asked for.
    QList<QToolButton*> Buttons() const { return m_buttons; }
    // The button of a command, or null when this bar has none.
    QToolButton* Button(RichTextCommand command) const;

    static QList<int> FontSizes();

    // The editor the controls act on; null detaches.
    void Attach(QTextEdit* editor);
    QTextEdit* AttachedEditor() const { return m_editor; }
    // Shows a character format and alignment without acting on the editor.
    void ShowFormat(const QTextCharFormat& format, Qt::Alignment alignment);
    // Carries a command out on the attached editor (what a button does).
    void Run(RichTextCommand command);
    // The attached editor shows its text scaled to this percentage: sizes
    // are shown divided by it and chosen sizes applied multiplied by it, so
    // that the size list speaks in the stored sizes.
    void SetTextZoom(int percent);
    int TextZoom() const { return m_textZoom; }

Q_SIGNALS:
    void FontNameChosen(const QString& name);
    void FontSizeChosen(int points);
    void FontColorChosen(QColor color);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build(const QList<RichTextCommand>& commands);
    void apply(const QTextCharFormat& format);
    QTextCharFormat editorFormat() const;
    void showEditorFormat();

    QPointer<QTextEdit> m_editor;
    QList<QMetaObject::Connection> m_editorConnections;
    QFontComboBox* m_fontName = nullptr;
    QComboBox* m_fontSize = nullptr;
    QComboBox* m_fontColor = nullptr;
    QList<QToolButton*> m_buttons;
    QList<RichTextCommand> m_commands;
    int m_textZoom = 100;
};

}  // namespace dayloom
