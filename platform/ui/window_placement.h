#pragma once

class QWidget;

namespace platform {

// Centres a top-level window on the screen it is on (poScreenCenter).
void CentreOnScreen(QWidget &window);

}  // namespace platform
