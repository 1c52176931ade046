#pragma once
#include <QStatusBar>

class QLabel;

namespace platform {

// A status bar with one permanent text (no panels). Unlike showMessage, the
// text is not wiped by menu hover tips.
class SimpleStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit SimpleStatusBar(QWidget *parent = nullptr);
    void SetSimpleText(const QString &text);
    [[nodiscard]] QString SimpleText() const;

private:
    QLabel *label_ = nullptr;
};

}  // namespace platform
