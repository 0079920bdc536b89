#pragma once

#include <QPainterPath>
#include <QPen>
#include <optional>
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

// Paths built once per shape and kept for the life of the cache, with the
// outlines of their strokes in shape space (kept for the last pen used, and
// rebuilt when a finer curve tolerance is asked for; see outline()).
// Paths of transient shapes (see Shape::transientKey) are kept a while only.
class ShapePathCache {
 public:
  static constexpr std::size_t kTransientEntriesKept = 512;

  const ShapePaths& paths(const Shape& shape);
  const QPainterPath& strokeOutline(const Shape& shape, std::size_t layer, std::size_t line,
                                    const QPen& pen, double tolerance);
  // Drops what is kept for a shape that is about to go away.
  void forget(const Shape& shape) { entries_.erase(&shape); }
  // Shapes with paths kept.
  std::size_t size() const { return entries_.size(); }

 private:
  struct Outline {
    QPen pen;
    double tolerance = 0;
    QPainterPath path;
  };
  struct Entry {
    ShapePaths paths;
    std::vector<std::vector<std::optional<Outline>>> strokes;  // by layer and line style
    std::uint64_t transientKey = 0;                            // the shape's
  };
  Entry& entry(const Shape& shape);

  std::unordered_map<const Shape*, Entry> entries_;
  std::size_t transientEntries_ = 0;
};

}  // namespace quelvo::swf
