#include "swf/format/MorphFrame.h"

#include <algorithm>
#include <cmath>

namespace quelvo::swf {

namespace {

class Blend {
 public:
  explicit Blend(std::uint16_t ratio) : t_(ratio / 65535.0) {}

  double number(double start, double end) const { return start + (end - start) * t_; }

  template <typename Integer>
  Integer whole(Integer start, Integer end) const {
    return static_cast<Integer>(std::lround(number(start, end)));
  }

  ShapePoint point(const ShapePoint& start, const ShapePoint& end) const {
    return {whole(start.x, end.x), whole(start.y, end.y)};
  }

  Rect rect(const Rect& start, const Rect& end) const {
    return {whole(start.xMin, end.xMin), whole(start.xMax, end.xMax), whole(start.yMin, end.yMin),
            whole(start.yMax, end.yMax)};
  }

  // Colour channels and gradient ratios drop the fraction rather than round,
  // as the reference player's blends do.
  template <typename Integer>
  Integer truncated(Integer start, Integer end) const {
    return static_cast<Integer>(number(start, end));
  }

  Rgba colour(const Rgba& start, const Rgba& end) const {
    return {truncated(start.red, end.red), truncated(start.green, end.green),
            truncated(start.blue, end.blue), truncated(start.alpha, end.alpha)};
  }

  Matrix matrix(const Matrix& start, const Matrix& end) const {
    return {number(start.scaleX, end.scaleX),           number(start.rotateSkew0, end.rotateSkew0),
            number(start.rotateSkew1, end.rotateSkew1), number(start.scaleY, end.scaleY),
            number(start.translateX, end.translateX),   number(start.translateY, end.translateY)};
  }

  FillStyle fill(const FillStyle& start, const FillStyle& end) const {
    FillStyle style = start;
    style.colour = colour(start.colour, end.colour);
    style.matrix = matrix(start.matrix, end.matrix);
    style.gradient.focalPoint = number(start.gradient.focalPoint, end.gradient.focalPoint);
    const std::size_t stops = std::min(start.gradient.stops.size(), end.gradient.stops.size());
    style.gradient.stops.resize(stops);
    for (std::size_t i = 0; i < stops; ++i) {
      const GradientStop& from = start.gradient.stops[i];
      const GradientStop& to = end.gradient.stops[i];
      style.gradient.stops[i] = {truncated(from.ratio, to.ratio), colour(from.colour, to.colour)};
    }
    return style;
  }

  LineStyle line(const LineStyle& start, const LineStyle& end) const {
    LineStyle style = start;
    style.width = whole(start.width, end.width);
    style.colour = colour(start.colour, end.colour);
    if (start.fill && end.fill) style.fill = fill(*start.fill, *end.fill);
    return style;
  }

  ShapeEdge edge(const ShapeEdge& start, const ShapeEdge& end) const {
    ShapeEdge edge = start;
    edge.from = point(start.from, end.from);
    edge.to = point(start.to, end.to);
    edge.curved = start.curved || end.curved;
    if (edge.curved) edge.control = point(controlOf(start), controlOf(end));
    return edge;
  }

 private:
  static ShapePoint controlOf(const ShapeEdge& edge) {
    if (edge.curved) return edge.control;
    return {static_cast<std::int32_t>((std::int64_t{edge.from.x} + edge.to.x) / 2),
            static_cast<std::int32_t>((std::int64_t{edge.from.y} + edge.to.y) / 2)};
  }

  double t_;
};

}  // namespace

Shape morphFrame(const MorphShape& morph, std::uint16_t ratio) {
  const Blend blend(ratio);
  Shape shape;
  shape.id = morph.id;
  // Colours carry alpha, and version 2 line styles have caps, joins and fills.
  shape.version = morph.version == 2 ? 4 : 3;
  shape.bounds = blend.rect(morph.startBounds, morph.endBounds);
  shape.edgeBounds = blend.rect(morph.startEdgeBounds, morph.endEdgeBounds);
  shape.complete = morph.complete;
  ShapeLayer& layer = shape.layers.emplace_back();
  layer.fills.reserve(morph.fills.size());
  for (const MorphFillStyle& style : morph.fills)
    layer.fills.push_back(blend.fill(style.start, style.end));
  layer.lines.reserve(morph.lines.size());
  for (const MorphLineStyle& style : morph.lines)
    layer.lines.push_back(blend.line(style.start, style.end));
  layer.edges.reserve(morph.edges.size());
  for (const MorphEdge& edge : morph.edges) layer.edges.push_back(blend.edge(edge.start, edge.end));
  return shape;
}

}  // namespace quelvo::swf
