#include "application.h"

#include <exception>

namespace platform {

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {}

QString Application::Title() const { return ApplicationTitle(applicationFilePath()); }

bool Application::notify(QObject *receiver, QEvent *event) {
    // Qt must never unwind through its event loop: the handler that threw ends
    // here and the user sees the report, as with the class library.
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        ShowExceptionReport(*dialogs_, activeWindow(), QString::fromUtf8(e.what()), Title());
    } catch (...) {
        ShowExceptionReport(*dialogs_, activeWindow(), QStringLiteral("?"), Title());
    }
    return false;
}

}  // namespace platform
