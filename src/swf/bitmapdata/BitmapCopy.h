#pragma once

#include <cstdint>

#include "swf/bitmapdata/BitmapSurface.h"

namespace quelvo::swf {

// Where a block of pixels goes: the area of the source and the point of the
// destination its top-left pixel lands on. Both are clipped to the bitmaps.
struct BlockCopy {
  PixelRect from;
  int toX = 0;
  int toY = 0;
};

// An extra alpha for copyPixels: the alpha of mask's pixel at (x, y) plus
// the offset of the source pixel within the copied area.
struct AlphaMask {
  const BitmapSurface* mask = nullptr;
  int x = 0;
  int y = 0;
};

// copyPixels: replaces the destination's pixels with the source's, or with
// mergeAlpha (always, for an opaque destination) blends the source over
// them. An alpha mask limits the copy to the pixels it covers and scales the
// source's alpha. source may be dest.
void copyPixels(BitmapSurface& dest, const BitmapSurface& source, const BlockCopy& block,
                const AlphaMask& alphaMask, bool mergeAlpha);

// copyChannel: channels are the flags 1 red, 2 green, 4 blue, 8 alpha; one
// channel of the source goes into one of the destination. An opaque
// destination keeps its alpha.
void copyChannel(BitmapSurface& dest, const BitmapSurface& source, const BlockCopy& block,
                 int sourceChannel, int destChannel);

// merge: each channel becomes (source * m + dest * (256 - m)) / 256, with
// multipliers for red, green, blue, alpha in 0..256.
void merge(BitmapSurface& dest, const BitmapSurface& source, const BlockCopy& block,
           const int (&multipliers)[4]);

// scroll: moves the whole picture by (dx, dy); what it uncovers stays as it was.
void scroll(BitmapSurface& surface, int dx, int dy);

}  // namespace quelvo::swf
