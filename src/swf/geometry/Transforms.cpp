#include "swf/geometry/Transforms.h"

#include <cmath>

namespace quelvo::swf {

bool isDrawable(const QTransform& t) {
  constexpr double kLimit = 1e12;
  for (const double value : {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()}) {
    if (!std::isfinite(value) || std::abs(value) > kLimit) return false;
  }
  return true;
}

// The singular values of the linear part.
StretchRange stretchRange(const QTransform& t) {
  const double sumOfSquares =
      t.m11() * t.m11() + t.m12() * t.m12() + t.m21() * t.m21() + t.m22() * t.m22();
  const double determinant = t.m11() * t.m22() - t.m12() * t.m21();
  const double spread =
      std::sqrt(std::max(0.0, sumOfSquares * sumOfSquares - 4 * determinant * determinant));
  return {std::sqrt(std::max(0.0, (sumOfSquares - spread) / 2)),
          std::sqrt((sumOfSquares + spread) / 2)};
}

}  // namespace quelvo::swf
