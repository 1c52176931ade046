#pragma once
#include <QApplication>

#include "dialogs.h"

namespace platform {

// QApplication that never lets an exception unwind through Qt's event loop:
// an exception out of an event handler is shown as the exception report and
// the handler simply ends there, as the class library's message loop does.
class Application : public QApplication {
public:
    Application(int &argc, char **argv);
    // Not owned; must outlive the event loop. Defaults to real dialogs.
    void SetDialogs(Dialogs *dialogs) { dialogs_ = dialogs; }
    [[nodiscard]] Dialogs &CurrentDialogs() { return *dialogs_; }
    [[nodiscard]] QString Title() const;

    bool notify(QObject *receiver, QEvent *event) override;

private:
    QtDialogs realDialogs_;
    Dialogs *dialogs_ = &realDialogs_;
};

}  // namespace platform
