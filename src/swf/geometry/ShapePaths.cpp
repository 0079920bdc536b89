#include "swf/geometry/ShapePaths.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <unordered_map>

#include "swf/geometry/StrokeOutline.h"

namespace quelvo::swf {

namespace {

QPointF toPoint(const ShapePoint& point) { return QPointF(point.x, point.y); }

std::uint64_t pointKey(const ShapePoint& point) {
  return std::uint64_t{static_cast<std::uint32_t>(point.x)} << 32 |
         static_cast<std::uint32_t>(point.y);
}

// An edge of one fill, oriented so that the fill lies on its right.
struct DirectedEdge {
  const ShapeEdge* edge = nullptr;
  bool reversed = false;

  ShapePoint start() const { return reversed ? edge->to : edge->from; }
  ShapePoint end() const { return reversed ? edge->from : edge->to; }
};

void appendEdge(QPainterPath& path, const DirectedEdge& directed) {
  const ShapeEdge& edge = *directed.edge;
  const QPointF end = toPoint(directed.end());
  if (edge.curved) {
    path.quadTo(toPoint(edge.control), end);
  } else {
    path.lineTo(end);
  }
}

QPainterPath chainContours(const std::vector<DirectedEdge>& edges, Qt::FillRule rule) {
  // Unused edges by start point; each list is used from its back.
  std::unordered_map<std::uint64_t, std::vector<std::size_t>> byStart;
  byStart.reserve(edges.size());
  for (std::size_t i = edges.size(); i-- > 0;) byStart[pointKey(edges[i].start())].push_back(i);
  std::vector<bool> used(edges.size(), false);

  const auto takeFrom = [&](const ShapePoint& point) -> std::optional<std::size_t> {
    const auto found = byStart.find(pointKey(point));
    if (found == byStart.end()) return std::nullopt;
    auto& candidates = found->second;
    while (!candidates.empty()) {
      const std::size_t index = candidates.back();
      candidates.pop_back();
      if (!used[index]) return index;
    }
    return std::nullopt;
  };

  QPainterPath path;
  path.setFillRule(rule);
  for (std::size_t first = 0; first < edges.size(); ++first) {
    if (used[first]) continue;
    used[first] = true;
    const ShapePoint start = edges[first].start();
    path.moveTo(toPoint(start));
    appendEdge(path, edges[first]);
    ShapePoint end = edges[first].end();
    while (!(end == start)) {
      const auto next = takeFrom(end);
      if (!next) break;  // an open contour: filling closes it with a straight line
      used[*next] = true;
      appendEdge(path, edges[*next]);
      end = edges[*next].end();
    }
    path.closeSubpath();
  }
  return path;
}

QPainterPath linePath(const std::vector<const ShapeEdge*>& edges, bool noClose) {
  QPainterPath path;
  std::optional<ShapePoint> subpathStart, penAt;
  const auto finishSubpath = [&] {
    if (subpathStart && penAt && *subpathStart == *penAt && !noClose) path.closeSubpath();
  };
  for (const ShapeEdge* edge : edges) {
    if (!penAt || !(*penAt == edge->from)) {
      finishSubpath();
      path.moveTo(toPoint(edge->from));
      subpathStart = edge->from;
    }
    appendEdge(path, DirectedEdge{edge, false});
    penAt = edge->to;
  }
  finishSubpath();
  return path;
}

LayerPaths buildLayerPaths(const ShapeLayer& layer, Qt::FillRule rule) {
  // Edges by style, in one pass over the layer; index 0 collects "no style".
  std::vector<std::vector<DirectedEdge>> fillEdges(layer.fills.size() + 1);
  std::vector<std::vector<const ShapeEdge*>> lineEdges(layer.lines.size() + 1);
  std::vector<DirectedEdge> outline;
  for (const ShapeEdge& edge : layer.edges) {
    // The same fill on both sides is no boundary of it.
    if (edge.fill0 != edge.fill1) {
      fillEdges[edge.fill1].push_back(DirectedEdge{&edge, false});
      fillEdges[edge.fill0].push_back(DirectedEdge{&edge, true});
      if (edge.fill0 == 0 || edge.fill1 == 0)
        outline.push_back(DirectedEdge{&edge, edge.fill1 == 0});
    }
    lineEdges[edge.line].push_back(&edge);
  }
  LayerPaths paths;
  for (std::size_t i = 1; i < fillEdges.size(); ++i) {
    paths.fills.push_back(chainContours(fillEdges[i], rule));
  }
  if (layer.fills.size() > 1) paths.joined = chainContours(outline, rule);
  for (std::size_t i = 1; i < lineEdges.size(); ++i) {
    paths.lines.push_back(linePath(lineEdges[i], layer.lines[i - 1].noClose));
  }
  return paths;
}

}  // namespace

ShapePaths buildShapePaths(const Shape& shape) {
  const Qt::FillRule rule = shape.windingFill ? Qt::WindingFill : Qt::OddEvenFill;
  ShapePaths paths;
  for (const ShapeLayer& layer : shape.layers) paths.layers.push_back(buildLayerPaths(layer, rule));
  return paths;
}

ShapePathCache::Entry& ShapePathCache::entry(const Shape& shape) {
  auto found = entries_.find(&shape);
  if (found != entries_.end() && found->second.transientKey == shape.transientKey) {
    return found->second;
  }
  if (found != entries_.end()) {  // a dropped transient shape's memory, reused
    if (found->second.transientKey != 0) --transientEntries_;
    entries_.erase(found);
  }
  if (shape.transientKey != 0) {
    // Frames of morphs come and go; their paths are dropped all together
    // before they grow without bound.
    if (transientEntries_ >= kTransientEntriesKept) {
      std::erase_if(entries_, [](const auto& entry) { return entry.second.transientKey != 0; });
      transientEntries_ = 0;
    }
    ++transientEntries_;
  }
  Entry built{buildShapePaths(shape), {}, shape.transientKey};
  for (const LayerPaths& layer : built.paths.layers) built.strokes.emplace_back(layer.lines.size());
  return entries_.emplace(&shape, std::move(built)).first->second;
}

const ShapePaths& ShapePathCache::paths(const Shape& shape) { return entry(shape).paths; }

const QPainterPath& ShapePathCache::strokeOutline(const Shape& shape, std::size_t layer,
                                                  std::size_t line, const QPen& pen,
                                                  double tolerance) {
  Entry& found = entry(shape);
  auto& outline = found.strokes.at(layer).at(line);
  if (!outline || outline->tolerance > tolerance || outline->pen.widthF() != pen.widthF() ||
      outline->pen.capStyle() != pen.capStyle() || outline->pen.joinStyle() != pen.joinStyle() ||
      outline->pen.miterLimit() != pen.miterLimit()) {
    // Rounded down to a power of two, so that small changes of scale reuse the outline.
    const double kept = std::exp2(std::floor(std::log2(tolerance)));
    outline =
        Outline{pen, kept, swf::outline(found.paths.layers.at(layer).lines.at(line), pen, kept)};
  }
  return outline->path;
}

}  // namespace quelvo::swf
