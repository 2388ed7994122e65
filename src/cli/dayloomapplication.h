#pragma once

#include <QApplication>

namespace dayloom {

// The application object of the window. A failure that no command catches
// ends here: its message is shown in an error box and the event loop goes on.
class DayloomApplication : public QApplication {
    Q_OBJECT
public:
    DayloomApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace dayloom
