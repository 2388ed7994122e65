#pragma once

#include <QDate>
#include <QString>

namespace dayloom {

// Shown by the About box and the configuration report.
inline QString VersionText() { return QStringLiteral("3.2q"); }
inline QDate BuildDate() { return QDate(2003, 5, 23); }

}  // namespace dayloom
