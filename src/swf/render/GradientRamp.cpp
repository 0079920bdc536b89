#include "swf/render/GradientRamp.h"

#include <QColor>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace quelvo::swf {

namespace {

constexpr int kRampSize = 256;

double toLinear(double channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double fromLinear(double linear) {
  const double c = linear <= 0.0031308 ? linear * 12.92 : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
  return c * 255.0;
}

std::array<double, 4> channels(const Rgba& colour, bool linear) {
  const auto convert = [&](std::uint8_t c) { return linear ? toLinear(c) : static_cast<double>(c); };
  return {convert(colour.red), convert(colour.green), convert(colour.blue), static_cast<double>(colour.alpha)};
}

QColor toColour(const std::array<double, 4>& c, bool linear) {
  const auto convert = [&](double v) {
    return static_cast<int>(std::lround(std::clamp(linear ? fromLinear(v) : v, 0.0, 255.0)));
  };
  return QColor(convert(c[0]), convert(c[1]), convert(c[2]),
                static_cast<int>(std::lround(std::clamp(c[3], 0.0, 255.0))));
}

}  // namespace

QGradientStops gradientRamp(const Gradient& gradient, const ColorTransform& colorTransform) {
  std::vector<GradientStop> stops = gradient.stops;
  if (stops.empty()) stops.push_back(GradientStop{0, Rgba{0, 0, 0, 255}});
  std::stable_sort(stops.begin(), stops.end(),
                   [](const GradientStop& a, const GradientStop& b) { return a.ratio < b.ratio; });
  const bool linear = gradient.interpolation == InterpolationMode::LinearRgb;
  std::vector<std::array<double, 4>> colours;
  for (const auto& stop : stops) colours.push_back(channels(colorTransform.apply(stop.colour), linear));

  QGradientStops ramp;
  ramp.reserve(kRampSize);
  std::size_t next = 0;  // first stop with a ratio above the current one
  for (int ratio = 0; ratio < kRampSize; ++ratio) {
    while (next < stops.size() && stops[next].ratio <= ratio) ++next;
    std::array<double, 4> colour;
    if (next == 0) {
      colour = colours.front();
    } else if (next == stops.size()) {
      colour = colours.back();
    } else {
      const double from = stops[next - 1].ratio, to = stops[next].ratio;
      const double t = (ratio - from) / (to - from);
      for (std::size_t c = 0; c < 4; ++c) {
        colour[c] = colours[next - 1][c] + (colours[next][c] - colours[next - 1][c]) * t;
      }
    }
    ramp.append({ratio / double{kRampSize - 1}, toColour(colour, linear)});
  }
  return ramp;
}

}  // namespace quelvo::swf
