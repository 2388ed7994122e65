#pragma once

#include <QWidget>

class QComboBox;
class QFontComboBox;
class QToolButton;

namespace dayloom {

// The rich-text tool bar above the tool panel: font name, size and colour
// lists and the character and paragraph buttons. It stays disabled until the
// cell editor has the focus; the editor attaches to its signals.
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

Q_SIGNALS:
    void FontNameChosen(const QString& name);
    void FontSizeChosen(int points);
    void FontColorChosen(QColor color);
    // One of the buttons, by index as in Buttons().
    void ButtonClicked(int index);

private:
    QFontComboBox* m_fontName = nullptr;
    QComboBox* m_fontSize = nullptr;
    QComboBox* m_fontColor = nullptr;
    QList<QToolButton*> m_buttons;
};

}  // namespace dayloom
