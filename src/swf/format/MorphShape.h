#pragma once

#include <cstdint>
#include <vector>

#include "swf/base/Expected.h"
#include "swf/format/Shape.h"
#include "swf/format/TagRecord.h"

namespace quelvo::swf {

// A style as it is at the start (ratio 0) and at the end (ratio 65535) of a morph.
struct MorphFillStyle {
  FillStyle start;
  FillStyle end;
};

struct MorphLineStyle {
  LineStyle start;
  LineStyle end;
};

// One edge at both ends of the morph. The styles are those of the start edge.
struct MorphEdge {
  ShapeEdge start;
  ShapeEdge end;
};

// DefineMorphShape (version 1) or DefineMorphShape2 (version 2). The start
// and end edge records are paired in order, one end edge to each start edge.
struct MorphShape {
  std::uint16_t id = 0;
  int version = 1;
  Rect startBounds;
  Rect endBounds;
  Rect startEdgeBounds;  // version 2; the bounds otherwise
  Rect endEdgeBounds;
  bool usesNonScalingStrokes = false;
  bool usesScalingStrokes = false;
  std::vector<MorphFillStyle> fills;
  std::vector<MorphLineStyle> lines;
  std::vector<MorphEdge> edges;  // only edges with some style
  // The start records ended at their end marker, each with an end edge to match.
  bool complete = true;
};

// Version of a DefineMorphShape tag code (1 or 2), 0 for any other code.
int morphShapeVersion(std::uint16_t tagCode);

// Reads a DefineMorphShape record. Fails when the header or the style arrays
// do not read; damage in the edge records ends the shape where it occurs.
Expected<MorphShape> readMorphShape(const TagRecord& record, EdgeBudget& budget);

}  // namespace quelvo::swf
