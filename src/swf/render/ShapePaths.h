#pragma once

#include <QPainterPath>
#include <unordered_map>
#include <vector>

#include "swf/format/Shape.h"

namespace quelvo::swf {

// A layer's outlines in shape twips: fills[i] is the area of fill style i + 1,
// lines[i] the strokes of line style i + 1 (empty when unused). With more
// than one fill, joined is the area of them all, bounded by the edges that
// have a fill on one side only.
struct LayerPaths {
  std::vector<QPainterPath> fills;
  std::vector<QPainterPath> lines;
  QPainterPath joined;
};

struct ShapePaths {
  std::vector<LayerPaths> layers;
};

// Turns a shape's edges into paths. A fill's edges are gathered from both
// sides (an edge with the fill on its left runs backwards) and chained end to
// start into closed contours, whatever order the records give them in. The
// contours of one fill never overlap in a well-formed shape, so they are
// filled with the odd-even rule, or the nonzero rule when the shape asks for it.
// Strokes keep the record order; a stroke that ends where it started is
// closed with a join unless its line style says otherwise.
ShapePaths buildShapePaths(const Shape& shape);

// Paths built once per shape and kept for the life of the cache.
class ShapePathCache {
 public:
  const ShapePaths& paths(const Shape& shape);

 private:
  std::unordered_map<const Shape*, ShapePaths> paths_;
};

}  // namespace quelvo::swf
