#pragma once

#include <QMetaObject>
#include <QPointer>
#include <QTextCharFormat>
#include <QWidget>

class QComboBox;
class QFontComboBox;
class QTextEdit;
class QToolButton;

namespace dayloom {

// The rich-text tool bar above the tool panel: font name, size and colour
// lists and the character and paragraph buttons. It stays disabled until the
// cell editor has the focus. Attached to an editor it acts on it (character
// attributes, alignment, clipboard, select all) and shows the attributes at
// its cursor. Its controls never take the focus away from the editor.
class RichTextToolBar : public QWidget {
    Q_OBJECT
public:
    explicit RichTextToolBar(QWidget* parent = nullptr);

    QFontComboBox* FontNameList() const { return m_fontName; }
    QComboBox* FontSizeList() const { return m_fontSize; }
    QComboBox* FontColorList() const { return m_fontColor; }
    // The buttons in order: bold, italic, underline, left, right, centre,
    // copy, cut, paste, select all.
    QList<QToolButton*> Buttons() const { return m_buttons; }

    static QList<int> FontSizes();

    // The editor the controls act on; null detaches.
    void Attach(QTextEdit* editor);
    QTextEdit* AttachedEditor() const { return m_editor; }
    // Shows a character format and alignment without acting on the editor.
    void ShowFormat(const QTextCharFormat& format, Qt::Alignment alignment);

Q_SIGNALS:
    void FontNameChosen(const QString& name);
    void FontSizeChosen(int points);
    void FontColorChosen(QColor color);
    // One of the buttons, by index as in Buttons().
    void ButtonClicked(int index);

private:
    void apply(const QTextCharFormat& format);
    void buttonClicked(int index);
    void showEditorFormat();

    QPointer<QTextEdit> m_editor;
    QList<QMetaObject::Connection> m_editorConnections;
    QFontComboBox* m_fontName = nullptr;
    QComboBox* m_fontSize = nullptr;
    QComboBox* m_fontColor = nullptr;
    QList<QToolButton*> m_buttons;
};

}  // namespace dayloom
