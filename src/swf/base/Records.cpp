#include "swf/base/Records.h"

#include <algorithm>
#include <cmath>

namespace quelvo::swf {

namespace {

std::uint8_t transformChannel(std::uint8_t value, double multiply, double add) {
  // Flooring matches the integer "(value * multiplier) >> 8" of 8.8 terms.
  const double result = std::floor(value * multiply + add);
  return static_cast<std::uint8_t>(std::clamp(std::isnan(result) ? 0.0 : result, 0.0, 255.0));
}

}  // namespace

Rgba ColorTransform::apply(const Rgba& colour) const {
  return Rgba{transformChannel(colour.red, multiply[0], add[0]),
              transformChannel(colour.green, multiply[1], add[1]),
              transformChannel(colour.blue, multiply[2], add[2]),
              transformChannel(colour.alpha, multiply[3], add[3])};
}

ColorTransform ColorTransform::then(const ColorTransform& outer) const {
  ColorTransform combined;
  for (std::size_t i = 0; i < 4; ++i) {
    combined.multiply[i] = multiply[i] * outer.multiply[i];
    combined.add[i] = add[i] * outer.multiply[i] + outer.add[i];
  }
  return combined;
}

}  // namespace quelvo::swf
