#pragma once
#include <QWidget>

#include "platform/picture_holder.h"

namespace platform {

// An image control with AutoSize: it shows its holder's picture unscaled at
// the top left and takes the holder's size whenever the picture changes.
class ImageControl : public QWidget {
    Q_OBJECT
public:
    explicit ImageControl(QWidget *parent = nullptr);

    [[nodiscard]] PictureHolder &Holder() { return holder_; }
    [[nodiscard]] const PictureHolder &Holder() const { return holder_; }

    // Call after changing the holder: resizes the widget to the holder's size
    // and repaints.
    void PictureChanged();

signals:
    void mousePressed(Qt::MouseButton button, int x, int y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    PictureHolder holder_;
};

}  // namespace platform
