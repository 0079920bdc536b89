#pragma once

#include <QRect>
#include <cmath>

#include "platform/Platform.h"

namespace quelvo::layout {

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

}  // namespace quelvo::layout
