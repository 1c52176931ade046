#include "image_control.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

namespace platform {

ImageControl::ImageControl(QWidget *parent) : QWidget(parent) {
    resize(holder_.Width(), holder_.Height());
}

void ImageControl::PictureChanged() {
    resize(holder_.Width(), holder_.Height());
    update();
}

void ImageControl::paintEvent(QPaintEvent *) {
    const NvBitmap *bitmap = holder_.Picture();
    if (bitmap == nullptr) return;
    // 0x00RRGGBB words are QImage::Format_RGB32 as stored; no copy needed.
    const QImage view(reinterpret_cast<const uchar *>(bitmap->pixels), bitmap->width, bitmap->height,
                      static_cast<qsizetype>(bitmap->width) * 4, QImage::Format_RGB32);
    QPainter painter(this);
    painter.drawImage(0, 0, view);
}

void ImageControl::mousePressEvent(QMouseEvent *event) {
    const QPoint p = event->position().toPoint();
    emit mousePressed(event->button(), p.x(), p.y());
}

}  // namespace platform
