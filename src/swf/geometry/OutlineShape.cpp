#include "swf/geometry/OutlineShape.h"

#include <algorithm>
#include <cmath>

namespace quelvo::swf {

namespace {

ShapePoint toShapePoint(const QPointF& point) {
  const auto clamp = [](double value) {
    return static_cast<std::int32_t>(std::lround(std::clamp(value, -1e9, 1e9)));
  };
  return {clamp(point.x()), clamp(point.y())};
}

class EdgeAppender {
 public:
  EdgeAppender(ShapeLayer& layer, std::uint16_t fill) : layer_(layer), fill_(fill) {}

  void moveTo(const QPointF& point) {
    close();
    start_ = current_ = toShapePoint(point);
  }
  void lineTo(const QPointF& point) { add(current_, current_, toShapePoint(point), false); }
  // One cubic as two quadratics, each through the halves' end points.
  void cubicTo(const QPointF& c1, const QPointF& c2, const QPointF& end) {
    const QPointF p0(current_.x, current_.y);
    const QPointF a = (p0 + c1) / 2, b = (c1 + c2) / 2, c = (c2 + end) / 2;
    const QPointF ab = (a + b) / 2, bc = (b + c) / 2, middle = (ab + bc) / 2;
    quadFor(p0, a, ab, middle);
    quadFor(middle, bc, c, end);
  }
  void close() {
    if (current_ != start_) add(current_, current_, start_, false);
  }

 private:
  void quadFor(const QPointF& p0, const QPointF& c1, const QPointF& c2, const QPointF& p3) {
    const QPointF control = (3 * (c1 + c2) - p0 - p3) / 4;
    add(current_, toShapePoint(control), toShapePoint(p3), true);
  }
  void add(ShapePoint from, ShapePoint control, ShapePoint to, bool curved) {
    current_ = to;
    if (from == to) return;
    ShapeEdge edge;
    edge.from = from;
    edge.control = control;
    edge.to = to;
    edge.curved = curved;
    edge.fill1 = fill_;
    layer_.edges.push_back(edge);
  }

  ShapeLayer& layer_;
  std::uint16_t fill_;
  ShapePoint start_;
  ShapePoint current_;
};

}  // namespace

void appendOutline(ShapeLayer& layer, const QPainterPath& path, std::uint16_t fill) {
  EdgeAppender edges(layer, fill);
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element element = path.elementAt(i);
    switch (element.type) {
      case QPainterPath::MoveToElement:
        edges.moveTo(element);
        break;
      case QPainterPath::LineToElement:
        edges.lineTo(element);
        break;
      case QPainterPath::CurveToElement:
        if (i + 2 < path.elementCount()) {
          edges.cubicTo(element, path.elementAt(i + 1), path.elementAt(i + 2));
        }
        i += 2;
        break;
      case QPainterPath::CurveToDataElement:
        break;
    }
  }
  edges.close();
}

}  // namespace quelvo::swf
