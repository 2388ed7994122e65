#pragma once

#include <QAction>

namespace dayloom {

// A menu item of the recent-files list: it carries the 1-based number of its
// entry (0 for the separator and the submenu item the list adds).
class TMRUMenuItem : public QAction {
    Q_OBJECT
public:
    TMRUMenuItem(const QString& text, int number, QObject* parent);

    int Number() const { return m_number; }

private:
    int m_number;
};

}  // namespace dayloom
