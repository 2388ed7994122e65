#pragma once

#include <QComboBox>
#include <QToolButton>

#include "core/tcolor.h"

namespace dayloom {

// A colour drop-down list: the sixteen basic colours by name, then
// "Custom..." for any other colour (shown as an extra entry).
class ColorComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ColorComboBox(QWidget* parent = nullptr);
    TColor Color() const;
    void SetColor(TColor color);

Q_SIGNALS:
    void ColorChanged(dayloom::TColor color);

private:
    int indexOf(TColor color) const;
    bool m_filling = false;
};

// A colour button with a 4 x 5 palette and "&Other" for a free colour.
class PaletteColorButton : public QToolButton {
    Q_OBJECT
public:
    explicit PaletteColorButton(const QString& caption, QWidget* parent = nullptr);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    static QList<TColor> Palette();

Q_SIGNALS:
    void ColorChanged(dayloom::TColor color);

private:
    void choose(TColor color);
    TColor m_color = 0xFFFFFF;
};

}  // namespace dayloom
