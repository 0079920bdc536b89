#pragma once

#include <QRgb>
#include <algorithm>
#include <array>
#include <cmath>

namespace quelvo::swf::effects {

// A channel value rounded and kept within 0-255; NaN counts as 0.
inline int clampChannel(double value) {
  return value > 0 ? static_cast<int>(std::min(255.0, value + 0.5)) : 0;
}

// Red, green, blue, alpha of a premultiplied pixel, unpremultiplied.
inline std::array<double, 4> unpremultiplied(QRgb pixel) {
  const int alpha = qAlpha(pixel);
  if (alpha == 0) return {0, 0, 0, 0};
  const double scale = 255.0 / alpha;
  return {qRed(pixel) * scale, qGreen(pixel) * scale, qBlue(pixel) * scale,
          static_cast<double>(alpha)};
}

// The premultiplied pixel of unpremultiplied red, green, blue, alpha.
inline QRgb premultiplied(const std::array<double, 4>& channels) {
  const int alpha = clampChannel(channels[3]);
  const auto scaled = [&](double value) {
    return std::min(alpha, clampChannel(std::clamp(value, 0.0, 255.0) * alpha / 255.0));
  };
  return qRgba(scaled(channels[0]), scaled(channels[1]), scaled(channels[2]), alpha);
}

}  // namespace quelvo::swf::effects
