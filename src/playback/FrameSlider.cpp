#include "playback/FrameSlider.h"

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
