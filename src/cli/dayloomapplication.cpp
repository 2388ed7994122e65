#include "cli/dayloomapplication.h"

#include <exception>

#include "core/readerror.h"
#include "ui/uiutil.h"

namespace dayloom {

DayloomApplication::DayloomApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool DayloomApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const ReadError& e) {
        ShowError(e.message());
    } catch (const std::exception& e) {
        ShowError(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

}  // namespace dayloom
