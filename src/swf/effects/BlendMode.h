#pragma once

#include <QImage>
#include <QPoint>
#include <cstdint>

namespace quelvo::swf::effects {

// How a layer combines with what is under it; the numbers are the ones
// placement records and scripts use.
enum class BlendMode : std::uint8_t {
  Normal = 1,
  Layer = 2,
  Multiply = 3,
  Screen = 4,
  Lighten = 5,
  Darken = 6,
  Difference = 7,
  Add = 8,
  Subtract = 9,
  Invert = 10,
  Alpha = 11,
  Erase = 12,
  Overlay = 13,
  HardLight = 14,
};

// The mode of a record's or script's number; 0 and unknown numbers are normal.
BlendMode blendModeFromCode(int code);

// Blends layer, its top-left at `at` in destination, onto destination; both
// premultiplied ARGB32. Alpha mode keeps the destination only as far as the
// layer is opaque, so it clears what the layer does not cover; every other
// mode leaves pixels outside the layer alone.
void blend(QImage& destination, const QImage& layer, QPoint at, BlendMode mode);

}  // namespace quelvo::swf::effects
