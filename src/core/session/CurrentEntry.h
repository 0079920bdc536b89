#pragma once

#include <QObject>

namespace quelvo::core {

// Labn: the catalog position of the movie being played (0 when none is).
class CurrentEntry : public QObject {
  Q_OBJECT

 public:
  int value() const { return value_; }
  void set(int index) {
    if (index == value_) return;
    value_ = index;
    emit changed(index);
  }

 signals:
  void changed(int index);

 private:
  int value_ = 0;
};

}  // namespace quelvo::core
