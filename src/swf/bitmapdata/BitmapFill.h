#pragma once

#include <cstdint>

#include "swf/bitmapdata/BitmapSurface.h"

namespace quelvo::swf {

// fillRect: the part of area inside the bitmap takes colour (0xAARRGGBB). A
// negative width or height reaches left or up from the area's corner.
void fillRect(BitmapSurface& surface, const PixelRect& area, std::uint32_t colour);

// floodFill: the pixels of the same stored value as (x, y) that connect to
// it through their four neighbours take colour.
void floodFill(BitmapSurface& surface, int x, int y, std::uint32_t colour);

}  // namespace quelvo::swf
