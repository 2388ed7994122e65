#include "core/tcolor.h"

#include <QGuiApplication>
#include <QPalette>

namespace dayloom {

namespace {

QColor systemColor(int index)
{
    const QPalette pal = QGuiApplication::instance() ? QGuiApplication::palette() : QPalette();
    switch (index) {
    case 0: return pal.color(QPalette::Button);           // scroll bar
    case 1: return pal.color(QPalette::Window);           // desktop
    case 2: return pal.color(QPalette::Highlight);        // active caption
    case 3: return pal.color(QPalette::Inactive, QPalette::Highlight);
    case 4: return pal.color(QPalette::Window);           // menu
    case 5: return pal.color(QPalette::Base);             // window
    case 6: return pal.color(QPalette::Shadow);           // window frame
    case 7: return pal.color(QPalette::WindowText);       // menu text
    case 8: return pal.color(QPalette::WindowText);       // window text
    case 9: return pal.color(QPalette::HighlightedText);  // caption text
    case 10: return pal.color(QPalette::Button);          // active border
    case 11: return pal.color(QPalette::Button);          // inactive border
    case 12: return pal.color(QPalette::Dark);            // app workspace
    case 13: return pal.color(QPalette::Highlight);
    case 14: return pal.color(QPalette::HighlightedText);
    case 15: return pal.color(QPalette::Button);          // button face
    case 16: return pal.color(QPalette::Dark);            // button shadow
    case 17: return pal.color(QPalette::Disabled, QPalette::Text);
    case 18: return pal.color(QPalette::ButtonText);
    case 19: return pal.color(QPalette::Inactive, QPalette::HighlightedText);
    case 20: return pal.color(QPalette::Light);           // button highlight
    case 21: return pal.color(QPalette::Shadow);          // 3D dark shadow
    case 22: return pal.color(QPalette::Midlight);        // 3D light
    case 23: return pal.color(QPalette::ToolTipText);
    case 24: return pal.color(QPalette::ToolTipBase);
    case 26: return pal.color(QPalette::Link);            // hot light
    case 27: return pal.color(QPalette::Highlight);
    case 28: return pal.color(QPalette::Inactive, QPalette::Highlight);
    case 29: return pal.color(QPalette::Highlight);
    case 30: return pal.color(QPalette::Window);
    default: return Qt::black;
    }
}

}  // namespace

quint32 ColorToRGB(TColor c)
{
    if (IsSystemColor(c)) {
        QColor q = systemColor(int(quint32(c) & 0xFF));
        return quint32(q.red()) | (quint32(q.green()) << 8) | (quint32(q.blue()) << 16);
    }
    return quint32(c) & 0x00FFFFFFu;
}

QColor ToQColor(TColor c)
{
    quint32 v = ColorToRGB(c);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

TColor FromQColor(const QColor& c)
{
    return TColor(quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16));
}

}  // namespace dayloom
