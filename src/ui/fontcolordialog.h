#pragma once

#include <QDialog>
#include <QFont>

#include "core/tcolor.h"

class QFontDialog;
class QLineEdit;

namespace dayloom {

class ColorComboBox;
class TFont;
struct TFontData;

// The program's font dialog: Qt's font dialog (face, style, size,
// underline and strike-out) with the colour of the text in a row below it,
// and "OK" / "Cancel". It opens on the font in use: a face that the system
// knows only under another name (Arial, which fontconfig resolves to
// Liberation Sans) is shown as the face it resolves to, and given back
// under its own name unless another face is chosen. A colour that is left
// alone comes back exactly as it was given (a system colour stays one).
class FontColorDialog : public QDialog {
    Q_OBJECT
public:
    explicit FontColorDialog(QWidget* parent = nullptr);

    void SetCurrentFont(const QFont& font, TColor color);
    QFont SelectedFont() const;
    TColor SelectedColor() const;

    QFontDialog* FontDialog() const { return m_fontDialog; }
    ColorComboBox* ColorList() const { return m_colorList; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showSampleColor();

    QFontDialog* m_fontDialog;
    ColorComboBox* m_colorList;
    QLineEdit* m_sample = nullptr;
    QString m_givenFamily;
    QString m_shownFamily;
    TColor m_givenColor = clBlack;
    bool m_colorChosen = false;
};

// Runs the dialog modally: true, with the chosen font and colour, on OK.
bool ChooseFontAndColor(QFont& font, TColor& color, QWidget* parent);
// The same for a font description: face, size, style and colour are taken
// over on OK; pitch and character set stay.
bool ChooseFontAndColor(TFontData& font, QWidget* parent);
bool ChooseFontAndColor(TFont& font, QWidget* parent);

}  // namespace dayloom
