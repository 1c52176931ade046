#include "window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace platform {

void CentreOnScreen(QWidget &window) {
    const QScreen *screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

}  // namespace platform
