#include "swf/bitmapdata/BitmapQuery.h"

#include <algorithm>
#include <limits>

#include "swf/bitmapdata/Argb.h"

namespace quelvo::swf {

namespace {

bool solidAt(const PlacedBitmap& placed, int x, int y) {
  return argb::alpha(placed.bitmap->stored(x, y)) >= placed.alphaThreshold;
}

// The part of area (shared space) over the bitmap, in the bitmap's pixels.
PixelRect overlap(const PlacedBitmap& placed, const PixelRect& area) {
  const PixelRect local{area.x - placed.left, area.y - placed.top, area.width, area.height};
  return intersect(local, placed.bitmap->bounds());
}

std::uint32_t difference(std::uint32_t a, std::uint32_t b, int shift) {
  return (argb::channel(a, shift) - argb::channel(b, shift)) & 0xFF;
}

}  // namespace

bool hitsPoint(const PlacedBitmap& placed, int x, int y) {
  const int localX = x - placed.left;
  const int localY = y - placed.top;
  return placed.bitmap->bounds().contains(localX, localY) && solidAt(placed, localX, localY);
}

bool hitsArea(const PlacedBitmap& placed, const PixelRect& area) {
  const PixelRect local = overlap(placed, area);
  for (int y = local.y; y < local.bottom(); ++y) {
    for (int x = local.x; x < local.right(); ++x) {
      if (solidAt(placed, x, y)) return true;
    }
  }
  return false;
}

bool hitsBitmap(const PlacedBitmap& first, const PlacedBitmap& second) {
  const PixelRect secondArea{second.left, second.top, second.bitmap->width(),
                             second.bitmap->height()};
  const PixelRect local = overlap(first, secondArea);
  for (int y = local.y; y < local.bottom(); ++y) {
    for (int x = local.x; x < local.right(); ++x) {
      const int sx = x + first.left - second.left;
      const int sy = y + first.top - second.top;
      if (solidAt(first, x, y) && solidAt(second, sx, sy)) return true;
    }
  }
  return false;
}

PixelRect colorBounds(const BitmapSurface& surface, std::uint32_t mask, std::uint32_t colour,
                      bool findColour) {
  int left = std::numeric_limits<int>::max();
  int top = left;
  int right = -1;
  int bottom = -1;
  const std::uint32_t wanted = colour & mask;
  for (int y = 0; y < surface.height(); ++y) {
    for (int x = 0; x < surface.width(); ++x) {
      const bool same = (surface.pixel32(x, y) & mask) == wanted;
      if (same != findColour) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return {};
  return {left, top, right - left + 1, bottom - top + 1};
}

Comparison compare(const BitmapSurface& first, const BitmapSurface& second) {
  if (first.width() != second.width()) return {-3, nullptr};
  if (first.height() != second.height()) return {-4, nullptr};
  std::shared_ptr<BitmapSurface> differences;
  for (int y = 0; y < first.height(); ++y) {
    for (int x = 0; x < first.width(); ++x) {
      const std::uint32_t a = first.pixel32(x, y);
      const std::uint32_t b = second.pixel32(x, y);
      if (a == b) continue;
      if (!differences) {
        differences = first.blank();
        if (!differences) return {-2, nullptr};
      }
      const bool sameColour = (a & 0xFFFFFF) == (b & 0xFFFFFF);
      differences->setPixel32(x, y,
                              sameColour ? (difference(a, b, 24) << 24) | 0xFFFFFF
                                         : argb::pack(255, difference(a, b, 16),
                                                      difference(a, b, 8), difference(a, b, 0)));
    }
  }
  return {0, differences};
}

}  // namespace quelvo::swf
