#pragma once

#include <QIcon>
#include <QString>

namespace dayloom {

// Small drawn pictures for the tool panel's buttons, by button name
// ("SelectionButton", "PrintButton", ...); an empty icon for other names.
QIcon ToolGlyph(const QString& buttonName);

}  // namespace dayloom
