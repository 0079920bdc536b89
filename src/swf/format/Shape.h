#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "swf/base/Expected.h"
#include "swf/base/Records.h"
#include "swf/format/ShapeStyles.h"
#include "swf/format/TagRecord.h"

namespace quelvo::swf {

struct ShapePoint {  // twips, shape space
  std::int32_t x = 0;
  std::int32_t y = 0;

  bool operator==(const ShapePoint&) const = default;
};

// One straight or quadratic edge with the styles that were selected when it
// was drawn: fill0 is the fill on its left, fill1 the fill on its right
// (travelling from `from` to `to`). Style numbers are 1-based into the
// layer's arrays; 0 means none. Numbers past the end of an array read as 0.
struct ShapeEdge {
  ShapePoint from;
  ShapePoint control;  // curved edges only
  ShapePoint to;
  bool curved = false;
  std::uint16_t fill0 = 0;
  std::uint16_t fill1 = 0;
  std::uint16_t line = 0;
};

// Styles and the edges drawn with them. A shape starts with one layer; each
// record that brings new styles starts another, drawn above the previous.
struct ShapeLayer {
  std::vector<FillStyle> fills;
  std::vector<LineStyle> lines;
  std::vector<ShapeEdge> edges;  // only edges with some style
};

// DefineShape, DefineShape2, DefineShape3 or DefineShape4.
struct Shape {
  std::uint16_t id = 0;
  int version = 1;
  Rect bounds;
  Rect edgeBounds;  // version 4; the bounds otherwise
  bool windingFill = false;
  std::vector<ShapeLayer> layers;
  // The records ended without their end marker (cut short, or the edge budget ran out).
  bool complete = true;
  // Non-zero, and unique, for shapes made while playing (a morph's frames, a
  // field's laid-out text) that may be dropped and their memory reused:
  // caches keyed by address check it.
  std::uint64_t transientKey = 0;

  std::size_t edgeCount() const;
};

// Adds the four edges of a rectangle running clockwise, with fill style
// `inside` on their right and `outside` on their left.
void addRectangle(ShapeLayer& layer, const Rect& rect, std::uint16_t inside, std::uint16_t outside);

// A transient key no shape of this process has had before.
std::uint64_t newTransientKey();

// Limits the edges kept from all shapes of a movie together.
struct EdgeBudget {
  std::size_t remaining = std::size_t{8} << 20;
};

// Version of a DefineShape tag code (1-4), 0 for any other code.
int shapeVersion(std::uint16_t tagCode);

// Reads a DefineShape record. Fails when the header or the first style
// arrays do not read; damage further on ends the shape where it occurs.
Expected<Shape> readShape(const TagRecord& record, EdgeBudget& budget);

// Reads the SHAPE of a font glyph: no style arrays, fill style 1 (solid
// black) being the glyph's area. Damage ends the glyph where it occurs.
Shape readGlyphShape(ByteReader& reader, EdgeBudget& budget);

}  // namespace quelvo::swf
