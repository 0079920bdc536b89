#pragma once

#include "swf/bitmapdata/BitmapCopy.h"

namespace quelvo::swf {

// Runs combine(sourcePixel, destPixel, sourceX, sourceY) -> new destPixel
// over the clipped block, all pixels stored (premultiplied). The source is
// read as it was before the loop began, so source may be dest.
template <typename Combine>
void forEachBlockPixel(BitmapSurface& dest, const BitmapSurface& source, const BlockCopy& block,
                       Combine combine) {
  if (dest.disposed() || source.disposed()) return;
  const CopyArea area = clipCopy(block.from, source.bounds(), block.toX, block.toY, dest.bounds());
  if (area.empty()) return;
  const QImage before = source.image();  // shares until dest is written
  for (int row = 0; row < area.source.height; ++row) {
    const int sourceY = area.source.y + row;
    const QRgb* in = reinterpret_cast<const QRgb*>(before.constScanLine(sourceY)) + area.source.x;
    QRgb* out = dest.line(area.destY + row) + area.destX;
    for (int col = 0; col < area.source.width; ++col) {
      out[col] = combine(in[col], out[col], area.source.x + col, sourceY);
    }
  }
}

}  // namespace quelvo::swf
