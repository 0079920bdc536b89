#pragma once

#include <cstdint>
#include <optional>

#include "swf/format/Shape.h"
#include "swf/io/ByteReader.h"

namespace quelvo::swf {

// The parts of shape records that shapes and morph shapes read alike. Both
// readers come after the record's first bit (1 for an edge, 0 otherwise).

// An edge record drawn from `from`; the styles are left unset. Coordinates
// saturate rather than wrap. The reader's error tells when it did not fit.
ShapeEdge readEdgeRecord(ByteReader& reader, ShapePoint from);

// A style change record, up to (not including) any new style arrays.
struct StyleChange {
  std::optional<ShapePoint> moveTo;
  std::optional<std::uint32_t> fill0;
  std::optional<std::uint32_t> fill1;
  std::optional<std::uint32_t> line;
  bool newStyles = false;
};
// Returns nothing at the end-of-shape record.
std::optional<StyleChange> readStyleChange(ByteReader& reader, unsigned fillBits,
                                           unsigned lineBits);

}  // namespace quelvo::swf
