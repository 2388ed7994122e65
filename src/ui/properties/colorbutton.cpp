#include "ui/properties/colorbutton.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidgetAction>

namespace dayloom {

namespace {

ColorButton::ColorChooser& chooserSlot()
{
    static ColorButton::ColorChooser chooser;
    return chooser;
}

QIcon swatch(TColor color, QSize size)
{
    QPixmap pm(size);
    pm.fill(ToQColor(color));
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawRect(0, 0, size.width() - 1, size.height() - 1);
    return QIcon(pm);
}

}  // namespace

ColorButton::ColorButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent)
{
    connect(this, &QPushButton::clicked, this, &ColorButton::choose);
    updateSwatch();
}

const QVector<TColor>& ColorButton::PaletteColors()
{
    static const QVector<TColor> colors = {
        16777215, 255,      65280,   16711680, 12572607, 0,        127,
        32512,    8323072,  15712159, 12566463, 65535,   16776960, 16711935,
        15726591, 8355711,  32639,   8355584,  8323199,  10461087};
    return colors;
}

ColorButton::ColorChooser ColorButton::SetColorChooser(ColorChooser chooser)
{
    ColorChooser old = std::move(chooserSlot());
    chooserSlot() = std::move(chooser);
    return old;
}

void ColorButton::SetColor(TColor color)
{
    if (m_color == color)
        return;
    m_color = color;
    updateSwatch();
}

void ColorButton::updateSwatch()
{
    setIcon(swatch(m_color, QSize(16, 12)));
}

void ColorButton::choose()
{
    TColor color = m_color;
    const bool chosen = chooserSlot() ? chooserSlot()(color, this) : paletteChoice(color, this);
    if (!chosen)
        return;
    m_color = color;
    updateSwatch();
    Q_EMIT ColorChanged(color);
}

bool ColorButton::paletteChoice(TColor& color, QWidget* parent)
{
    // The custom slots of the colour dialog start out white.
    static bool customPreset = false;
    if (!customPreset) {
        for (int i = 0; i < QColorDialog::customCount(); ++i)
            QColorDialog::setCustomColor(i, Qt::white);
        customPreset = true;
    }
    QMenu menu(parent);
    auto* action = new QWidgetAction(&menu);
    auto* panel = new QWidget(&menu);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* grid = new QGridLayout;
    grid->setSpacing(2);
    bool picked = false;
    bool other = false;
    const QVector<TColor>& colors = PaletteColors();
    for (int i = 0; i < colors.size(); ++i) {
        auto* cell = new QToolButton(panel);
        cell->setIcon(swatch(colors[i], QSize(18, 18)));
        cell->setIconSize(QSize(18, 18));
        cell->setAutoRaise(true);
        cell->setCheckable(true);
        cell->setChecked(colors[i] == color);
        const TColor c = colors[i];
        QObject::connect(cell, &QToolButton::clicked, &menu, [&, c] {
            color = c;
            picked = true;
            menu.close();
        });
        grid->addWidget(cell, i / 5, i % 5);
    }
    layout->addLayout(grid);
    auto* otherButton = new QPushButton(QStringLiteral("&Other"), panel);
    QObject::connect(otherButton, &QPushButton::clicked, &menu, [&] {
        other = true;
        menu.close();
    });
    layout->addWidget(otherButton);
    action->setDefaultWidget(panel);
    menu.addAction(action);
    menu.exec(parent ? parent->mapToGlobal(QPoint(0, parent->height())) : QCursor::pos());
    if (other) {
        const QColor c = QColorDialog::getColor(ToQColor(color), parent);
        if (!c.isValid())
            return false;
        color = FromQColor(c);
        return true;
    }
    return picked;
}

}  // namespace dayloom
