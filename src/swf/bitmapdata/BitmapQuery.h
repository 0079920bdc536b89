#pragma once

#include <cstdint>
#include <memory>

#include "swf/bitmapdata/BitmapSurface.h"

namespace quelvo::swf {

// hitTest, with the bitmap's top-left at (left, top) of a shared space: a
// pixel hits when its alpha is at least its threshold (opaque bitmaps hit
// everywhere within them).
struct PlacedBitmap {
  const BitmapSurface* bitmap = nullptr;
  int left = 0;
  int top = 0;
  std::uint32_t alphaThreshold = 0;
};
bool hitsPoint(const PlacedBitmap& placed, int x, int y);
bool hitsArea(const PlacedBitmap& placed, const PixelRect& area);
bool hitsBitmap(const PlacedBitmap& first, const PlacedBitmap& second);

// getColorBoundsRect: the smallest rectangle holding every pixel whose
// (value & mask) equals colour, or with findColour false differs from it;
// empty (all zero) when there is none.
PixelRect colorBounds(const BitmapSurface& surface, std::uint32_t mask, std::uint32_t colour,
                      bool findColour);

// compare: nullptr with a code when there is nothing to return as a bitmap:
// 0 for equal bitmaps, -3 for different widths, -4 for different heights
// (-2 when budget cannot pay for the picture of the differences). Otherwise
// a transparent bitmap of the differences: 0 where the pixels are equal,
// 0xFFRRGGBB of the colour differences where colours differ, and
// 0xAAFFFFFF with the alpha difference where only alphas do.
struct Comparison {
  int code = 0;
  std::shared_ptr<BitmapSurface> differences;
};
Comparison compare(const BitmapSurface& first, const BitmapSurface& second);

}  // namespace quelvo::swf
