#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "swf/base/Records.h"
#include "swf/bitmapdata/BitmapCopy.h"

namespace quelvo::swf {

// colorTransform: every pixel of area through transform (on colours not
// premultiplied, offsets in 0..255 units).
void colorTransform(BitmapSurface& surface, const PixelRect& area, const ColorTransform& transform);
// The same on a premultiplied picture; an opaque one keeps its alpha at 255.
void transformPixels(QImage& picture, const PixelRect& area, const ColorTransform& transform,
                     bool transparent);

// paletteMap: each channel value of the source indexes its table (red,
// green, blue, alpha; a missing table maps a channel to itself, shifted to
// its place), and the four entries are added up (as 32-bit words) into the
// destination pixel.
struct Palette {
  std::array<std::optional<std::array<std::uint32_t, 256>>, 4> tables;
};
void paletteMap(BitmapSurface& dest, const BitmapSurface& source, const BlockCopy& block,
                const Palette& palette);

// threshold: a test of (pixel & mask) against (threshold & mask).
enum class ThresholdTest : std::uint8_t { Less, LessEqual, Greater, GreaterEqual, Equal, NotEqual };
std::optional<ThresholdTest> thresholdTest(std::string_view operation);

struct Threshold {
  ThresholdTest test = ThresholdTest::Equal;
  std::uint32_t threshold = 0;
  std::uint32_t colour = 0;  // what passing pixels become
  std::uint32_t mask = 0xFFFFFFFF;
  bool copySource = false;  // failing pixels take the source's value
};
// Tests the source's pixels (not premultiplied); returns how many passed.
int threshold(BitmapSurface& dest, const BitmapSurface& source, const BlockCopy& block,
              const Threshold& rule);

}  // namespace quelvo::swf
