#pragma once

#include <QPointer>
#include <QWidget>

namespace quelvo::core {

// Freezes drawing of a window for the life of the object, so the several moves
// of one change are painted once. Released on every path out of the scope.
class DrawingLock {
 public:
  explicit DrawingLock(QWidget* window) : window_(window) {
    wasEnabled_ = window_ && window_->updatesEnabled();
    if (wasEnabled_) window_->setUpdatesEnabled(false);
  }
  ~DrawingLock() {
    if (window_ && wasEnabled_) window_->setUpdatesEnabled(true);
  }
  DrawingLock(const DrawingLock&) = delete;
  DrawingLock& operator=(const DrawingLock&) = delete;

 private:
  QPointer<QWidget> window_;
  bool wasEnabled_ = false;
};

}  // namespace quelvo::core
