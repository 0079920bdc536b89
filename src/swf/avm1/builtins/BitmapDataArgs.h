#pragma once

#include <QTransform>
#include <cstdint>
#include <optional>

#include "swf/avm1/BitmapDataObject.h"
#include "swf/avm1/Function.h"
#include "swf/base/Records.h"
#include "swf/bitmapdata/BitmapCopy.h"

namespace quelvo::swf::avm1 {

// Reading the arguments of BitmapData methods. Rectangles, points, matrices
// and colour transforms are any objects with the fields of their flash.geom
// classes; what is missing reads as NaN and becomes 0.

BitmapDataObject* bitmapDataOf(const Value& value);
// The pixels of a BitmapData argument; nullptr when it is none or has none.
BitmapSurface* surfaceArg(NativeCall& call, std::size_t index);
// The pixels of this; nullptr when this is no BitmapData or has none.
BitmapSurface* thisSurface(NativeCall& call);
// The same for a method that works over the pixels: the step budget of the
// running script pays for passes over them, a step per 1024 pixels, so a
// script looping over big bitmaps is stopped like any long loop.
BitmapSurface* thisSurfaceForWork(NativeCall& call, std::uint64_t passes = 1);

std::optional<PixelRect> rectArg(NativeCall& call, std::size_t index);
std::optional<std::pair<int, int>> pointArg(NativeCall& call, std::size_t index);
// sourceRect, destPoint at index and index + 1; nullopt when either is missing.
std::optional<BlockCopy> blockArgs(NativeCall& call, std::size_t index);
// Colours and seeds: the number as a 32-bit word.
std::uint32_t wordArg(NativeCall& call, std::size_t index);
int intArg(NativeCall& call, std::size_t index, int fallback);
bool boolArg(NativeCall& call, std::size_t index, bool fallback);
// a b c d tx ty; identity when the argument is no object.
QTransform matrixArg(NativeCall& call, std::size_t index);
// Multipliers and offsets; identity when the argument is no object.
ColorTransform colorTransformArg(NativeCall& call, std::size_t index);

// A new flash.geom.Rectangle (a plain object when scripts took the class away).
Value makeRectangle(Vm& vm, const PixelRect& rect);

}  // namespace quelvo::swf::avm1
