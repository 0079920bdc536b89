#pragma once

namespace quelvo::swf {

// A rectangle of whole pixels. Width or height of 0 or less is empty.
struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  bool empty() const { return width <= 0 || height <= 0; }
  int right() const { return x + width; }
  int bottom() const { return y + height; }
  bool contains(int px, int py) const {
    return px >= x && py >= y && px < right() && py < bottom();
  }
  bool operator==(const PixelRect&) const = default;
  // The same area with a negative width or height counted from the other side.
  PixelRect normalized() const {
    return {width < 0 ? x + width : x, height < 0 ? y + height : y, width < 0 ? -width : width,
            height < 0 ? -height : height};
  }
};

// A pixel coordinate or length from a script number: truncated toward zero,
// NaN as 0, and far-off values pulled in so that sums of two never overflow.
int pixelCoordinate(double value);
PixelRect pixelRect(double x, double y, double width, double height);

// The part both cover; empty (all zero) when they do not meet.
PixelRect intersect(const PixelRect& a, const PixelRect& b);

// A block copy from an area of a source to a point of a destination,
// clipped to both: source is what is read, destX/destY where its top-left
// pixel lands.
struct CopyArea {
  PixelRect source;
  int destX = 0;
  int destY = 0;
  bool empty() const { return source.empty(); }
};
CopyArea clipCopy(const PixelRect& from, const PixelRect& sourceBounds, int toX, int toY,
                  const PixelRect& destBounds);

}  // namespace quelvo::swf
