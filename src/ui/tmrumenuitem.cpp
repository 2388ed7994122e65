#include "ui/tmrumenuitem.h"

namespace dayloom {

TMRUMenuItem::TMRUMenuItem(const QString& text, int number, QObject* parent)
    : QAction(text, parent), m_number(number)
{
}

}  // namespace dayloom
