#pragma once

#include <QObject>

namespace quelvo::core {

// The loop region of the frame slider: whether it is on, and its first frame
// and length in 1-based frame numbers.
class LoopRegionState : public QObject {
  Q_OBJECT

 public:
  bool on() const { return on_; }
  int start() const { return start_; }
  int length() const { return length_; }
  // The last frame of the region.
  int end() const { return start_ + length_; }

  void setOn(bool on) {
    if (on == on_) return;
    on_ = on;
    emit changed();
  }
  void setRange(int start, int length) {
    if (start == start_ && length == length_) return;
    start_ = start;
    length_ = length;
    emit changed();
  }

 signals:
  void changed();

 private:
  bool on_ = false;
  int start_ = 0;
  int length_ = 0;
};

}  // namespace quelvo::core
