#include "swf/render/GradientRamp.h"

#include <QColor>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace quelvo::swf {

namespace {

constexpr std::size_t kRampSize = 256;
constexpr double kStepWidth = 1e-6;

double toLinear(double channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double fromLinear(double linear) {
  const double c = linear <= 0.0031308 ? linear * 12.92 : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
  return c * 255.0;
}

std::array<double, 4> channels(const Rgba& colour, bool linear) {
  const auto convert = [&](std::uint8_t c) {
    return linear ? toLinear(c) : static_cast<double>(c);
  };
  return {convert(colour.red), convert(colour.green), convert(colour.blue),
          static_cast<double>(colour.alpha)};
}

QColor toColour(const std::array<double, 4>& c, bool linear) {
  const auto convert = [&](double v) {
    return static_cast<int>(std::lround(std::clamp(linear ? fromLinear(v) : v, 0.0, 255.0)));
  };
  return QColor(convert(c[0]), convert(c[1]), convert(c[2]),
                static_cast<int>(std::lround(std::clamp(c[3], 0.0, 255.0))));
}

// One entry of the colour table, and whether the colours stop blending
// between it and the next entry (a record that took an entry of its own).
struct Entry {
  std::array<double, 4> colour;
  bool stepAfter = false;
};

// Fills the colour table entry by entry (see gradientRamp): between two
// records entry i takes the colour at i along the way.
std::vector<Entry> colourTable(const std::vector<GradientStop>& stops,
                               const std::vector<std::array<double, 4>>& colours) {
  std::vector<Entry> table;
  table.reserve(kRampSize);
  while (table.size() < std::min<std::size_t>(stops.front().ratio, kRampSize)) {
    table.push_back({colours.front()});
  }
  for (std::size_t k = 0; k + 1 < stops.size() && table.size() < kRampSize; ++k) {
    const int from = stops[k].ratio, to = stops[k + 1].ratio;
    if (to <= from) {
      if (!table.empty()) table.back().stepAfter = true;
      table.push_back({colours[k], true});
      continue;
    }
    while (table.size() < static_cast<std::size_t>(to)) {
      const double t =
          std::clamp((static_cast<double>(table.size()) - from) / (to - from), 0.0, 1.0);
      std::array<double, 4> colour;
      for (std::size_t c = 0; c < 4; ++c) {
        colour[c] = colours[k][c] + (colours[k + 1][c] - colours[k][c]) * t;
      }
      table.push_back({colour});
    }
  }
  while (table.size() < kRampSize) table.push_back({colours.back()});
  return table;
}

}  // namespace

QGradientStops gradientRamp(const Gradient& gradient, const ColorTransform& colorTransform) {
  std::vector<GradientStop> stops = gradient.stops;
  if (stops.empty()) stops.push_back(GradientStop{0, Rgba{0, 0, 0, 255}});
  const bool linear = gradient.interpolation == InterpolationMode::LinearRgb;
  std::vector<std::array<double, 4>> colours;
  for (const auto& stop : stops)
    colours.push_back(channels(colorTransform.apply(stop.colour), linear));

  // Each entry holds its colour over its whole 1/256 of the square: the
  // player looks entries up without blending neighbours.
  QGradientStops ramp;
  ramp.reserve(2 * kRampSize);
  const auto table = colourTable(stops, colours);
  for (std::size_t i = 0; i < kRampSize; ++i) {
    const QColor entry = toColour(table[i].colour, linear);
    ramp.append({(i + 0.5) / kRampSize, entry});
    if (table[i].stepAfter && i + 1 < kRampSize) {
      ramp.append({(i + 1) / double{kRampSize} - kStepWidth, entry});
      ramp.append({(i + 1) / double{kRampSize}, toColour(table[i + 1].colour, linear)});
    }
  }
  return ramp;
}

}  // namespace quelvo::swf
