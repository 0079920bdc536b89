#pragma once

#include <cstdint>

namespace quelvo::swf {

// A rectangle in twips (1/20 pixel), as stored: edges, not origin and size.
struct Rect {
  std::int32_t xMin = 0;
  std::int32_t xMax = 0;
  std::int32_t yMin = 0;
  std::int32_t yMax = 0;

  bool operator==(const Rect&) const = default;
};

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  bool operator==(const Rgb&) const = default;
};

struct Rgba {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t alpha = 255;

  bool operator==(const Rgba&) const = default;
};

}  // namespace quelvo::swf
