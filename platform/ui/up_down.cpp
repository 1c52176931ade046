#include "up_down.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

#include "platform/int_text.h"

namespace platform {

UpDown::UpDown(QWidget *parent) : QWidget(parent) {
    up_ = new QToolButton(this);
    down_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton *b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
    }
    connect(up_, &QToolButton::clicked, this, [this] { Step(+1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

void UpDown::SetAssociate(QLineEdit *edit) {
    if (associate_ != nullptr) associate_->removeEventFilter(this);
    associate_ = edit;
    if (associate_ != nullptr) associate_->installEventFilter(this);
}

void UpDown::SetRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    position_ = std::clamp(position_, minimum_, maximum_);
}

void UpDown::SetPosition(int position) { position_ = std::clamp(position, minimum_, maximum_); }

void UpDown::Step(int delta) {
    if (!isEnabled()) return;
    if (associate_ != nullptr) {
        if (auto typed = TryStrToInt(associate_->text().toStdString())) SetPosition(*typed);
    }
    SetPosition(position_ + delta);
    if (associate_ != nullptr) associate_->setText(QString::fromStdString(IntToStr(position_)));
}

void UpDown::changeEvent(QEvent *event) {
    if (event->type() == QEvent::EnabledChange) {
        up_->setEnabled(isEnabled());
        down_->setEnabled(isEnabled());
    }
    QWidget::changeEvent(event);
}

bool UpDown::eventFilter(QObject *watched, QEvent *event) {
    if (watched == associate_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void UpDown::resizeEvent(QResizeEvent *) {
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

}  // namespace platform
