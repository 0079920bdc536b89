// BitmapData.applyFilter and generateFilterRect: filters on script bitmaps.
#include <algorithm>
#include <cstdint>

#include "swf/avm1/builtins/BitmapDataArgs.h"
#include "swf/avm1/builtins/FilterClasses.h"
#include "swf/effects/ApplyFilter.h"

namespace quelvo::swf::avm1 {

namespace {

// Copies of the grown picture a filter holds at once while it works.
constexpr std::uint64_t kWorkingCopies = 3;

int passesOf(const effects::FilterParams& filter) {
  if (const auto* blur = std::get_if<effects::BlurParams>(&filter)) return blur->passes;
  if (const auto* edge = std::get_if<effects::EdgeParams>(&filter)) return edge->blur.passes;
  return 1;
}

PixelRect grownBy(const PixelRect& rect, const QMargins& reach) {
  return {rect.x - reach.left(), rect.y - reach.top(), rect.width + reach.left() + reach.right(),
          rect.height + reach.top() + reach.bottom()};
}

// Puts a filtered picture into target with its top-left at (x, y),
// replacing what is there; an opaque target keeps every alpha at 255.
void storeFiltered(BitmapSurface& target, const QImage& picture, int x, int y) {
  const PixelRect area = intersect(target.bounds(), {x, y, picture.width(), picture.height()});
  for (int row = area.y; row < area.bottom(); ++row) {
    const auto* from = reinterpret_cast<const QRgb*>(picture.constScanLine(row - y));
    for (int column = area.x; column < area.right(); ++column) {
      const QRgb pixel = from[column - x];
      target.store(column, row,
                   target.transparent() ? pixel : (qUnpremultiply(pixel) | 0xFF000000));
    }
  }
}

// applyFilter(source, sourceRect, destPoint, filter): the filter applied to
// the source's area, landing with that area's top-left at destPoint; the
// filter's reach past the area lands too. 0 when applied, else -1.
Value applyFilterMethod(NativeCall& call) {
  BitmapSurface* self = thisSurface(call);
  const BitmapSurface* source = surfaceArg(call, 0);
  const auto block = blockArgs(call, 1);
  const auto filter = filterFromScript(call.arg(3));
  if (self == nullptr || source == nullptr || !block || !filter) return Value::number(-1);
  const PixelRect area = intersect(block->from, source->bounds());
  if (area.empty()) return Value::number(0);
  const QMargins reach = effects::filterReach(*filter);
  const PixelRect grown = grownBy(area, reach);
  const std::uint64_t pixels = std::uint64_t(grown.width) * std::uint64_t(grown.height);
  if (!call.vm.bitmapBudget()->canTake(pixels * 4 * kWorkingCopies)) return Value::number(-1);
  call.vm.chargeSteps(pixels * std::uint64_t(std::max(1, passesOf(*filter))) / 1024 + 1);
  const QImage input = source->image().copy(area.x, area.y, area.width, area.height);
  const effects::Filtered result = effects::applyFilter(input, *filter);
  if (result.image.isNull()) return Value::number(-1);
  const int x = block->toX + (area.x - block->from.x) + result.offset.x();
  const int y = block->toY + (area.y - block->from.y) + result.offset.y();
  storeFiltered(*self, result.image, x, y);
  return Value::number(0);
}

// generateFilterRect(sourceRect, filter): the area applyFilter would change
// for that source area, in the source's pixels.
Value generateFilterRectMethod(NativeCall& call) {
  const auto rect = rectArg(call, 0);
  const auto filter = filterFromScript(call.arg(1));
  if (!rect || !filter) return {};
  return makeRectangle(call.vm, grownBy(*rect, effects::filterReach(*filter)));
}

}  // namespace

void defineFilterBitmapMethods(Vm& vm, Object* bitmapDataProto) {
  vm.defineMethod(bitmapDataProto, QStringLiteral("applyFilter"), applyFilterMethod);
  vm.defineMethod(bitmapDataProto, QStringLiteral("generateFilterRect"), generateFilterRectMethod);
}

}  // namespace quelvo::swf::avm1
