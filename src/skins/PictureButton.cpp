#include "skins/PictureButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace quelvo::skins {

PictureButton::PictureButton(QWidget* parent) : QAbstractButton(parent) {
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::TabFocus);
}

void PictureButton::setPictures(const QPixmap& normal, const QPixmap& pressed) {
  normal_ = normal;
  pressed_ = pressed;
  update();
}

QSize PictureButton::sizeHint() const { return normal_.deviceIndependentSize().toSize(); }

void PictureButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, showsPressed() ? pressed_ : normal_);
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
  }
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    rightDown_ = true;
    update();
  }
  QAbstractButton::mousePressEvent(event);
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    rightDown_ = false;
    update();
  }
  QAbstractButton::mouseReleaseEvent(event);
}

}  // namespace quelvo::skins
