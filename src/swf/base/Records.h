#pragma once

#include <array>
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

// A 2x3 affine matrix: x' = x * scaleX + y * rotateSkew1 + translateX,
// y' = x * rotateSkew0 + y * scaleY + translateY. Translation in twips.
struct Matrix {
  double scaleX = 1;
  double rotateSkew0 = 0;
  double rotateSkew1 = 0;
  double scaleY = 1;
  double translateX = 0;
  double translateY = 0;

  bool operator==(const Matrix&) const = default;
};

// Colour transform: each channel becomes channel * multiply + add, clamped to
// 0-255. Multipliers are factors (the file's 8.8 value / 256); add terms are
// in channel units. Order: red, green, blue, alpha.
struct ColorTransform {
  std::array<double, 4> multiply{1, 1, 1, 1};
  std::array<double, 4> add{0, 0, 0, 0};

  bool operator==(const ColorTransform&) const = default;
  bool isIdentity() const { return *this == ColorTransform{}; }
  Rgba apply(const Rgba& colour) const;
  // This transform applied first, then outer (a child's inside its parent's).
  ColorTransform then(const ColorTransform& outer) const;
};

}  // namespace quelvo::swf
