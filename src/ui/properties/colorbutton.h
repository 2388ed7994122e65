#pragma once

#include <functional>

#include <QPushButton>

#include "core/tcolor.h"

namespace dayloom {

// A button that shows its colour and, on click, offers the 4 x 5 palette and
// "&Other" (the platform colour dialog).
class ColorButton : public QPushButton {
    Q_OBJECT
public:
    explicit ColorButton(const QString& caption, QWidget* parent = nullptr);

    TColor Color() const { return m_color; }
    // Shows the colour; no ColorChanged.
    void SetColor(TColor color);

    // The 20 palette colours in their order.
    static const QVector<TColor>& PaletteColors();

    // The colour choice as a replaceable step (tests answer it): gets the
    // current colour, returns true with a new one.
    using ColorChooser = std::function<bool(TColor& color, QWidget* parent)>;
    static ColorChooser SetColorChooser(ColorChooser chooser);

Q_SIGNALS:
    // The user picked a colour (also the same one again).
    void ColorChanged(dayloom::TColor color);

private:
    void choose();
    void updateSwatch();
    static bool paletteChoice(TColor& color, QWidget* parent);

    TColor m_color = clWhite;
};

}  // namespace dayloom
