#include "swf/bitmapdata/PixelRect.h"

#include <algorithm>
#include <cmath>

namespace quelvo::swf {

namespace {

// Far beyond the largest bitmap side, and small enough that two of them add
// up without overflowing an int.
constexpr double kFarOff = 1 << 28;

}  // namespace

int pixelCoordinate(double value) {
  if (std::isnan(value)) return 0;
  return static_cast<int>(std::clamp(std::trunc(value), -kFarOff, kFarOff));
}

PixelRect pixelRect(double x, double y, double width, double height) {
  return {pixelCoordinate(x), pixelCoordinate(y), pixelCoordinate(width), pixelCoordinate(height)};
}

PixelRect intersect(const PixelRect& a, const PixelRect& b) {
  if (a.empty() || b.empty()) return {};
  const int left = std::max(a.x, b.x);
  const int top = std::max(a.y, b.y);
  const int right = std::min(a.right(), b.right());
  const int bottom = std::min(a.bottom(), b.bottom());
  if (right <= left || bottom <= top) return {};
  return {left, top, right - left, bottom - top};
}

CopyArea clipCopy(const PixelRect& from, const PixelRect& sourceBounds, int toX, int toY,
                  const PixelRect& destBounds) {
  const PixelRect source = intersect(from, sourceBounds);
  if (source.empty()) return {};
  // Where the clipped source lands, then what of that the destination holds.
  const PixelRect landing{toX + (source.x - from.x), toY + (source.y - from.y), source.width,
                          source.height};
  const PixelRect dest = intersect(landing, destBounds);
  if (dest.empty()) return {};
  return {
      {source.x + (dest.x - landing.x), source.y + (dest.y - landing.y), dest.width, dest.height},
      dest.x,
      dest.y};
}

}  // namespace quelvo::swf
