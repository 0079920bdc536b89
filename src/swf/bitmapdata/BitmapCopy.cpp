#include "swf/bitmapdata/BitmapCopy.h"

#include <algorithm>

#include "swf/bitmapdata/Argb.h"
#include "swf/bitmapdata/BlockLoop.h"

namespace quelvo::swf {

namespace {

// The bit position of a channel flag (1 red, 2 green, 4 blue, 8 alpha); -1 for others.
int channelShift(int flag) {
  switch (flag) {
    case 1:
      return 16;
    case 2:
      return 8;
    case 4:
      return 0;
    case 8:
      return 24;
    default:
      return -1;
  }
}

}  // namespace

void copyPixels(BitmapSurface& dest, const BitmapSurface& source, const BlockCopy& block,
                const AlphaMask& alphaMask, bool mergeAlpha) {
  const BitmapSurface* mask = alphaMask.mask;
  if (mask != nullptr && mask->disposed()) return;
  // An opaque destination cannot take the source's alpha: it always blends.
  const bool blends = mergeAlpha || !dest.transparent();
  forEachBlockPixel(dest, source, block, [&](QRgb s, QRgb d, int x, int y) {
    if (mask != nullptr) {
      const int maskX = alphaMask.x + (x - block.from.x);
      const int maskY = alphaMask.y + (y - block.from.y);
      if (!mask->bounds().contains(maskX, maskY)) return d;
      s = argb::scaled(s, argb::alpha(mask->stored(maskX, maskY)));
    }
    return blends ? argb::over(s, d) : s;
  });
}

void copyChannel(BitmapSurface& dest, const BitmapSurface& source, const BlockCopy& block,
                 int sourceChannel, int destChannel) {
  const int from = channelShift(sourceChannel);
  const int to = channelShift(destChannel);
  if (from < 0 || to < 0 || (to == 24 && !dest.transparent())) return;
  forEachBlockPixel(dest, source, block, [&](QRgb s, QRgb d, int, int) {
    const std::uint32_t value = argb::channel(argb::unpremultiply(s), from);
    const std::uint32_t target = argb::unpremultiply(d);
    return dest.storable((target & ~(0xFFu << to)) | (value << to));
  });
}

void merge(BitmapSurface& dest, const BitmapSurface& source, const BlockCopy& block,
           const int (&multipliers)[4]) {
  static constexpr int kShifts[4] = {16, 8, 0, 24};
  forEachBlockPixel(dest, source, block, [&](QRgb s, QRgb d, int, int) {
    const std::uint32_t a = argb::unpremultiply(s);
    const std::uint32_t b = argb::unpremultiply(d);
    std::uint32_t mixed = 0;
    for (int i = 0; i < 4; ++i) {
      const auto m = static_cast<std::uint32_t>(std::clamp(multipliers[i], 0, 256));
      const std::uint32_t value =
          (argb::channel(a, kShifts[i]) * m + argb::channel(b, kShifts[i]) * (256 - m)) / 256;
      mixed |= value << kShifts[i];
    }
    return dest.storable(mixed);
  });
}

void scroll(BitmapSurface& surface, int dx, int dy) {
  forEachBlockPixel(surface, surface, {surface.bounds(), dx, dy},
                    [](QRgb s, QRgb, int, int) { return s; });
}

}  // namespace quelvo::swf
