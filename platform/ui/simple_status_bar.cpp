#include "simple_status_bar.h"

#include <QLabel>

namespace platform {

SimpleStatusBar::SimpleStatusBar(QWidget *parent) : QStatusBar(parent) {
    label_ = new QLabel(this);
    addWidget(label_, 1);
}

void SimpleStatusBar::SetSimpleText(const QString &text) { label_->setText(text); }

QString SimpleStatusBar::SimpleText() const { return label_->text(); }

}  // namespace platform
