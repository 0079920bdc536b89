#pragma once

#include <QSlider>

namespace quelvo::playback {

// The frame slider Sldflash: the current frame counted from 1, and a loop
// region (selection range) drawn over the groove while it is on.
class FrameSlider : public QSlider {
  Q_OBJECT

 public:
  explicit FrameSlider(QWidget* parent = nullptr);

  bool selectRange() const { return selectRange_; }
  void setSelectRange(bool on);
  int selStart() const { return selStart_; }
  int selLength() const { return selLength_; }
  void setSelection(int start, int length);

 signals:
  void mousePressed(Qt::MouseButton button);
  // The pointer moved with a button held, after the slider took its new value.
  void mouseMoved();
  void mouseReleased(Qt::MouseButton button, const QPoint& globalPos);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool selectRange_ = false;
  int selStart_ = 0;
  int selLength_ = 0;
};

}  // namespace quelvo::playback
