#include "swf/format/EdgeRecords.h"

#include <algorithm>
#include <limits>

namespace quelvo::swf {

namespace {

constexpr std::uint32_t kNewStyles = 0x10;
constexpr std::uint32_t kLineStyle = 0x08;
constexpr std::uint32_t kFillStyle1 = 0x04;
constexpr std::uint32_t kFillStyle0 = 0x02;
constexpr std::uint32_t kMoveTo = 0x01;

// Sums of many deltas saturate instead of wrapping.
std::int32_t offsetBy(std::int32_t value, std::int32_t delta) {
  const std::int64_t sum = std::int64_t{value} + delta;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      sum, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

ShapeEdge readEdgeRecord(ByteReader& reader, ShapePoint from) {
  const bool straight = reader.ub(1) != 0;
  const unsigned bits = reader.ub(4) + 2;
  ShapeEdge edge;
  edge.from = from;
  if (straight) {
    std::int32_t dx = 0, dy = 0;
    if (reader.ub(1)) {
      dx = reader.sb(bits);
      dy = reader.sb(bits);
    } else if (reader.ub(1)) {
      dy = reader.sb(bits);
    } else {
      dx = reader.sb(bits);
    }
    edge.to = {offsetBy(from.x, dx), offsetBy(from.y, dy)};
  } else {
    const std::int32_t controlX = reader.sb(bits), controlY = reader.sb(bits);
    const std::int32_t anchorX = reader.sb(bits), anchorY = reader.sb(bits);
    edge.curved = true;
    edge.control = {offsetBy(from.x, controlX), offsetBy(from.y, controlY)};
    edge.to = {offsetBy(edge.control.x, anchorX), offsetBy(edge.control.y, anchorY)};
  }
  return edge;
}

std::optional<StyleChange> readStyleChange(ByteReader& reader, unsigned fillBits,
                                           unsigned lineBits) {
  const std::uint32_t flags = reader.ub(5);
  if (flags == 0) return std::nullopt;
  StyleChange change;
  if (flags & kMoveTo) {
    const unsigned bits = reader.ub(5);
    const std::int32_t x = reader.sb(bits);
    change.moveTo = ShapePoint{x, reader.sb(bits)};
  }
  if (flags & kFillStyle0) change.fill0 = reader.ub(fillBits);
  if (flags & kFillStyle1) change.fill1 = reader.ub(fillBits);
  if (flags & kLineStyle) change.line = reader.ub(lineBits);
  change.newStyles = (flags & kNewStyles) != 0;
  return change;
}

}  // namespace quelvo::swf
