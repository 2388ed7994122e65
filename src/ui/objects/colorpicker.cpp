#include "ui/objects/colorpicker.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QWidgetAction>

namespace dayloom {

namespace {

struct NamedColor {
    const char* name;
    TColor color;
};

const NamedColor kBasic[] = {
    {"Black", 0x000000}, {"Maroon", 0x000080}, {"Green", 0x008000}, {"Olive", 0x008080},
    {"Navy", 0x800000},  {"Purple", 0x800080}, {"Teal", 0x808000},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},   {"Lime", 0x00FF00},  {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},  {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00}, {"White", 0xFFFFFF},
};

QIcon swatch(TColor color)
{
    QPixmap pm(16, 12);
    pm.fill(ToQColor(color));
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawRect(0, 0, 15, 11);
    return QIcon(pm);
}

}  // namespace

ColorComboBox::ColorComboBox(QWidget* parent) : QComboBox(parent)
{
    setMaxVisibleItems(18);
    for (const NamedColor& c : kBasic)
        addItem(swatch(c.color), QString::fromLatin1(c.name), c.color);
    addItem(QStringLiteral("Custom..."), -1);
    connect(this, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        if (m_filling)
            return;
        if (itemData(index).toInt() == -1) {
            const QColor chosen = QColorDialog::getColor(ToQColor(Color()), this);
            if (!chosen.isValid())
                return;
            SetColor(FromQColor(chosen));
        }
        Q_EMIT ColorChanged(Color());
    });
}

int ColorComboBox::indexOf(TColor color) const
{
    for (int i = 0; i < count(); ++i)
        if (itemData(i).toInt() == int(color))
            return i;
    return -1;
}

TColor ColorComboBox::Color() const
{
    const int v = currentData().toInt();
    return v == -1 ? 0 : TColor(v);
}

void ColorComboBox::SetColor(TColor color)
{
    m_filling = true;
    color = TColor(ColorToRGB(color));
    int i = indexOf(color);
    if (i < 0) {
        // Named as people write colours: #RRGGBB.
        insertItem(count() - 1, swatch(color), ToQColor(color).name(), color);
        i = indexOf(color);
    }
    setCurrentIndex(i);
    m_filling = false;
}

PaletteColorButton::PaletteColorButton(const QString& caption, QWidget* parent) : QToolButton(parent)
{
    setText(caption);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(this);
    auto* panel = new QWidget(menu);
    auto* grid = new QGridLayout(panel);
    grid->setSpacing(2);
    const QList<TColor> palette = Palette();
    for (int i = 0; i < palette.size(); ++i) {
        auto* b = new QToolButton(panel);
        b->setIcon(swatch(palette[i]));
        b->setAutoRaise(true);
        const TColor c = palette[i];
        connect(b, &QToolButton::clicked, this, [this, menu, c] {
            menu->close();
            choose(c);
        });
        grid->addWidget(b, i / 4, i % 4);
    }
    auto* other = new QPushButton(QStringLiteral("&Other"), panel);
    grid->addWidget(other, 5, 0, 1, 4);
    connect(other, &QPushButton::clicked, this, [this, menu] {
        menu->close();
        const QColor chosen = QColorDialog::getColor(ToQColor(m_color), this);
        if (chosen.isValid())
            choose(FromQColor(chosen));
    });
    auto* action = new QWidgetAction(menu);
    action->setDefaultWidget(panel);
    menu->addAction(action);
    setMenu(menu);
    SetColor(m_color);
}

QList<TColor> PaletteColorButton::Palette()
{
    return {0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0xBFD7BF, 0x000000, 0x00007F, 0x007F00, 0x7F0000, 0xEFBF9F,
            0xBFBFBF, 0x00FFFF, 0xFFFF00, 0xFF00FF, 0xEFF7FF, 0x7F7F7F, 0x007F7F, 0x7F7F00, 0x7F007F, 0x9F9F9F};
}

void PaletteColorButton::SetColor(TColor color)
{
    m_color = color;
    setIcon(swatch(color));
}

void PaletteColorButton::choose(TColor color)
{
    SetColor(color);
    Q_EMIT ColorChanged(color);
}

}  // namespace dayloom
