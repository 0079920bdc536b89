#include "swf/render/Transforms.h"

#include <cmath>

namespace quelvo::swf {

bool isDrawable(const QTransform& t) {
  constexpr double kLimit = 1e12;
  for (const double value : {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()}) {
    if (!std::isfinite(value) || std::abs(value) > kLimit) return false;
  }
  return true;
}

double lengthScale(const QTransform& t) {
  return std::sqrt(std::abs(t.m11() * t.m22() - t.m12() * t.m21()));
}

}  // namespace quelvo::swf
