#pragma once

#include <QRect>
#include <QWidget>
#include <cmath>

#include "platform/Platform.h"

namespace quelvo::core {

// Geometry models keep twips (1/1440 inch) as the window code was designed in;
// widgets take pixels. These convert at the widget boundary.
class Twips {
 public:
  explicit Twips(const platform::ScreenMetrics& metrics)
      : perPixelX_(metrics.twipsPerPixelX), perPixelY_(metrics.twipsPerPixelY) {}

  int toPixelsX(double twips) const { return static_cast<int>(std::lround(twips / perPixelX_)); }
  int toPixelsY(double twips) const { return static_cast<int>(std::lround(twips / perPixelY_)); }
  double fromPixelsX(int pixels) const { return pixels * perPixelX_; }
  double fromPixelsY(int pixels) const { return pixels * perPixelY_; }
  QRect toPixels(double left, double top, double width, double height) const {
    return QRect(toPixelsX(left), toPixelsY(top), toPixelsX(width), toPixelsY(height));
  }

 private:
  double perPixelX_;
  double perPixelY_;
};

// Sets a window's outer size (frame included, when the platform knows it).
inline void resizeOuter(QWidget* window, const QSize& outer) {
  const QSize frame = window->frameGeometry().size() - window->geometry().size();
  window->resize(outer - frame);
}

}  // namespace quelvo::core
