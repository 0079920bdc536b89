#pragma once

#include <QObject>

namespace quelvo::core {

// Label1: whether the main window stays on top of other windows.
class OnTopState : public QObject {
  Q_OBJECT

 public:
  bool value() const { return value_; }
  void set(bool onTop) {
    if (onTop == value_) return;
    value_ = onTop;
    emit changed(onTop);
  }

 signals:
  void changed(bool onTop);

 private:
  bool value_ = false;
};

}  // namespace quelvo::core
