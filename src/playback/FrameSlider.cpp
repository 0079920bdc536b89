#include "playback/FrameSlider.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

namespace quelvo::playback {

FrameSlider::FrameSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
  setObjectName(QStringLiteral("Sldflash"));
  setAccessibleName(QStringLiteral("跳帧/循环"));
  setToolTip(QStringLiteral("跳帧/循环"));
  setRange(0, 10);
  setValue(0);
  setTickPosition(QSlider::NoTicks);
}

void FrameSlider::setSelectRange(bool on) {
  selectRange_ = on;
  update();
}

void FrameSlider::setSelection(int start, int length) {
  selStart_ = start;
  selLength_ = length;
  update();
}

void FrameSlider::paintEvent(QPaintEvent* event) {
  QSlider::paintEvent(event);
  if (!selectRange_ || maximum() <= minimum()) return;
  QStyleOptionSlider option;
  initStyleOption(&option);
  const QRect groove =
      style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
  const auto xOf = [&](int v) {
    return groove.left() + QStyle::sliderPositionFromValue(minimum(), maximum(), v, groove.width());
  };
  const int x1 = xOf(selStart_);
  const int x2 = xOf(selStart_ + selLength_);
  QPainter painter(this);
  QColor band = palette().color(QPalette::Highlight);
  band.setAlpha(110);
  painter.fillRect(QRect(x1, groove.top() - 2, std::max(2, x2 - x1), groove.height() + 4), band);
}

}  // namespace quelvo::playback

namespace quelvo::playback {

void FrameSlider::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    // A press anywhere on the groove jumps there, so the handle follows the pointer.
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    if (!handle.contains(event->position().toPoint())) {
      const int x = static_cast<int>(event->position().x()) - groove.left() - handle.width() / 2;
      setValue(QStyle::sliderValueFromPosition(minimum(), maximum(), x,
                                               groove.width() - handle.width()));
    }
  }
  emit mousePressed(event->button());
  QSlider::mousePressEvent(event);
  // A press that moved the handle seeks like a drag does.
  if (event->button() == Qt::LeftButton) emit mouseMoved();
}

void FrameSlider::mouseMoveEvent(QMouseEvent* event) {
  QSlider::mouseMoveEvent(event);
  emit mouseMoved();
}

void FrameSlider::mouseReleaseEvent(QMouseEvent* event) {
  QSlider::mouseReleaseEvent(event);
  emit mouseReleased(event->button(), event->globalPosition().toPoint());
}

}  // namespace quelvo::playback
