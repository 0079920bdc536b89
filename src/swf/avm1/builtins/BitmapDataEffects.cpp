// BitmapData methods that make pictures (noise, perlinNoise, pixelDissolve,
// threshold, paletteMap, draw) and that look at a picture as a whole
// (hitTest, getColorBoundsRect, compare).
#include <algorithm>
#include <cstdint>

#include "swf/avm1/NumberText.h"
#include "swf/avm1/builtins/BitmapDataArgs.h"
#include "swf/avm1/builtins/BitmapDataMethods.h"
#include "swf/avm1/builtins/FilterClasses.h"
#include "swf/avm1/builtins/NativeSupport.h"
#include "swf/bitmapdata/BitmapColor.h"
#include "swf/bitmapdata/BitmapNoise.h"
#include "swf/bitmapdata/BitmapQuery.h"

namespace quelvo::swf::avm1 {

namespace {

NoiseChannels channelArgs(NativeCall& call, std::size_t index) {
  return {intArg(call, index, 7), boolArg(call, index + 1, false)};
}

// noise(randomSeed, low = 0, high = 255, channelOptions = 7, grayScale = false)
Value noiseMethod(NativeCall& call) {
  if (BitmapSurface* self = thisSurfaceForWork(call)) {
    noise(*self, intArg(call, 0, 0), intArg(call, 1, 0), intArg(call, 2, 255),
          channelArgs(call, 3));
  }
  return {};
}

// perlinNoise(baseX, baseY, numOctaves, randomSeed, stitch, fractalNoise,
//             channelOptions = 7, grayScale = false, offsets = null)
Value perlinNoiseMethod(NativeCall& call) {
  BitmapSurface* self = thisSurface(call);
  if (self == nullptr) return {};
  PerlinNoise settings;
  settings.baseX = numberArg(call, 0);
  settings.baseY = numberArg(call, 1);
  settings.octaves = intArg(call, 2, 1);
  settings.seed = intArg(call, 3, 0);
  settings.stitch = boolArg(call, 4, false);
  settings.fractal = boolArg(call, 5, false);
  settings.channels = channelArgs(call, 6);
  const auto offsets =
      arrayElements(call.vm, call.arg(8), std::size_t(std::max(settings.octaves, 0)));
  for (const Value& offset : offsets) {
    settings.offsets.emplace_back(call.vm.toNumber(call.vm.getMember(offset, QStringLiteral("x"))),
                                  call.vm.toNumber(call.vm.getMember(offset, QStringLiteral("y"))));
  }
  // Each octave of each channel is a pass over the pixels.
  thisSurfaceForWork(call, std::uint64_t(std::clamp(settings.octaves, 1, 16)) * 4);
  perlinNoise(*self, settings);
  return {};
}

// pixelDissolve(source, sourceRect, destPoint, randomSeed = 0,
//               numPixels = a thirtieth of the area, fillColor = 0): the next seed.
Value pixelDissolveMethod(NativeCall& call) {
  BitmapSurface* self = thisSurfaceForWork(call);
  const BitmapSurface* source = surfaceArg(call, 0);
  const auto block = blockArgs(call, 1);
  if (self == nullptr || source == nullptr || !block) return Value::number(0);
  const std::int64_t area =
      std::int64_t(std::max(block->from.width, 0)) * std::max(block->from.height, 0);
  const int pixels = intArg(call, 4, int(std::min<std::int64_t>(area / 30, INT32_MAX)));
  return Value::number(
      pixelDissolve(*self, *source, *block, intArg(call, 3, 0), pixels, wordArg(call, 5)));
}

// threshold(source, sourceRect, destPoint, operation, threshold, color = 0,
//           mask = 0xFFFFFFFF, copySource = false): how many pixels passed.
Value thresholdMethod(NativeCall& call) {
  BitmapSurface* self = thisSurfaceForWork(call);
  const BitmapSurface* source = surfaceArg(call, 0);
  const auto block = blockArgs(call, 1);
  const auto test = thresholdTest(stringArg(call, 3).toStdString());
  if (self == nullptr || source == nullptr || !block || !test) return Value::number(0);
  const Threshold rule{*test, wordArg(call, 4), wordArg(call, 5),
                       call.arg(6).isUndefined() ? 0xFFFFFFFFu : wordArg(call, 6),
                       boolArg(call, 7, false)};
  return Value::number(threshold(*self, *source, *block, rule));
}

// paletteMap(source, sourceRect, destPoint, redArray, greenArray, blueArray, alphaArray)
Value paletteMapMethod(NativeCall& call) {
  BitmapSurface* self = thisSurfaceForWork(call);
  const BitmapSurface* source = surfaceArg(call, 0);
  const auto block = blockArgs(call, 1);
  if (self == nullptr || source == nullptr || !block) return {};
  Palette palette;
  for (std::size_t channel = 0; channel < 4; ++channel) {
    const auto entries = arrayElements(call.vm, call.arg(3 + channel), 256);
    if (entries.size() < 256) continue;
    auto& table = palette.tables[channel].emplace();
    for (std::size_t i = 0; i < 256; ++i) table[i] = toUint32(call.vm.toNumber(entries[i]));
  }
  paletteMap(*self, *source, *block, palette);
  return {};
}

// hitTest(firstPoint, firstAlphaThreshold, secondObject, secondBitmapPoint,
//         secondAlphaThreshold = 1): secondObject is a point, a rectangle or a BitmapData.
Value hitTestMethod(NativeCall& call) {
  const BitmapSurface* self = thisSurfaceForWork(call);
  const auto at = pointArg(call, 0);
  if (self == nullptr || !at) return Value::boolean(false);
  const PlacedBitmap first{self, at->first, at->second, wordArg(call, 1) & 0xFF};
  if (const BitmapSurface* other = surfaceArg(call, 2)) {
    const auto otherAt = pointArg(call, 3).value_or(std::pair{0, 0});
    const std::uint32_t threshold = call.arg(4).isUndefined() ? 1 : wordArg(call, 4) & 0xFF;
    return Value::boolean(hitsBitmap(first, {other, otherAt.first, otherAt.second, threshold}));
  }
  if (call.arg(2).objectOrNull() == nullptr) return Value::boolean(false);
  if (!call.vm.getMember(call.arg(2), QStringLiteral("width")).isUndefined()) {
    return Value::boolean(hitsArea(first, *rectArg(call, 2)));
  }
  const auto point = *pointArg(call, 2);
  return Value::boolean(hitsPoint(first, point.first, point.second));
}

// getColorBoundsRect(mask, color, findColor = true)
Value getColorBoundsRectMethod(NativeCall& call) {
  const BitmapSurface* self = thisSurfaceForWork(call);
  if (self == nullptr) return {};
  return makeRectangle(
      call.vm, colorBounds(*self, wordArg(call, 0), wordArg(call, 1), boolArg(call, 2, true)));
}

// compare(other): 0 when equal, -3 / -4 for other widths / heights, -1
// without another bitmap, -2 without pixels here; else a BitmapData of the
// differences.
Value compareMethod(NativeCall& call) {
  const BitmapSurface* self = thisSurfaceForWork(call);
  const BitmapSurface* other = surfaceArg(call, 0);
  if (self == nullptr) return Value::number(-2);
  if (other == nullptr) return Value::number(-1);
  Comparison result = compare(*self, *other);
  if (!result.differences) return Value::number(result.code);
  return newBitmapData(call.vm, std::move(result.differences));
}

// draw(source, matrix, colorTransform, blendMode, clipRect, smoothing):
// source is a movie clip or a BitmapData.
Value drawMethod(NativeCall& call) {
  BitmapSurface* self = thisSurfaceForWork(call);
  if (self == nullptr) return {};
  BitmapDraw settings;
  settings.matrix = matrixArg(call, 1);
  settings.colorTransform = colorTransformArg(call, 2);
  settings.clip = rectArg(call, 4);
  settings.smoothing = boolArg(call, 5, false);
  settings.blendMode =
      blendModeFromScript(call.vm, call.arg(3)).value_or(effects::BlendMode::Normal);
  if (const BitmapSurface* source = surfaceArg(call, 0)) {
    drawBitmap(*self, *source, settings);
  } else if (const ClipHandle clip = Vm::clipOf(call.arg(0)); clip != kNoClip) {
    call.vm.host().drawClip(clip, *self, settings);
  }
  return {};
}

}  // namespace

void defineBitmapDataEffects(Vm& vm, Object* proto) {
  const std::pair<const char*, NativeFn> methods[] = {
      {"noise", noiseMethod},
      {"perlinNoise", perlinNoiseMethod},
      {"pixelDissolve", pixelDissolveMethod},
      {"threshold", thresholdMethod},
      {"paletteMap", paletteMapMethod},
      {"hitTest", hitTestMethod},
      {"getColorBoundsRect", getColorBoundsRectMethod},
      {"compare", compareMethod},
      {"draw", drawMethod},
  };
  for (const auto& [name, fn] : methods) vm.defineMethod(proto, QString::fromLatin1(name), fn);
}

}  // namespace quelvo::swf::avm1
