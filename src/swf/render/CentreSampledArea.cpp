#include "swf/render/CentreSampledArea.h"

#include <algorithm>
#include <cmath>

#include "swf/geometry/CurveFlattening.h"

namespace quelvo::swf {

namespace {

constexpr std::int64_t kSteps = 256;  // positions per pixel
constexpr std::int64_t kHalf = kSteps / 2;
// Corners are kept within 2^31 steps (8 million pixels) of the origin, so
// that the products placing an edge on a row stay exact in a long double.
constexpr double kFarthest = 2147483648.0;

std::int64_t snapped(double v) {
  return static_cast<std::int64_t>(std::llround(std::clamp(v * kSteps, -kFarthest, kFarthest)));
}

// The least n with n * kSteps + kHalf >= v: the first pixel whose centre is at or after v.
std::int64_t firstCentreFrom(std::int64_t v) {
  const std::int64_t a = v - kHalf;
  return a >= 0 ? (a + kSteps - 1) / kSteps : -((-a) / kSteps);
}

int firstCentreFrom(long double v) {
  const long double n = std::ceil((v - kHalf) / kSteps);
  return static_cast<int>(std::clamp<long double>(n, -1e9L, 1e9L));
}

}  // namespace

void CentreSampledArea::addLine(QPointF from, QPointF to) {
  if (!std::isfinite(from.x()) || !std::isfinite(from.y()) || !std::isfinite(to.x()) ||
      !std::isfinite(to.y()))
    return;
  Edge edge{snapped(from.x()), snapped(from.y()), snapped(to.x()), snapped(to.y()), 1};
  if (edge.y0 == edge.y1) return;  // crosses no row of centres
  if (edge.y0 > edge.y1) {
    std::swap(edge.x0, edge.x1);
    std::swap(edge.y0, edge.y1);
    edge.winding = -1;
  }
  edges_.push_back(edge);
}

void CentreSampledArea::add(const QPainterPath& path, const QTransform& toDevice,
                            double tolerance) {
  std::vector<QPointF> points;
  QPointF start, at;
  const auto lineTo = [&](QPointF next) {
    addLine(toDevice.map(at), toDevice.map(next));
    at = next;
  };
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element element = path.elementAt(i);
    switch (element.type) {
      case QPainterPath::MoveToElement:
        lineTo(start);  // every contour is closed
        start = at = element;
        break;
      case QPainterPath::LineToElement:
        lineTo(element);
        break;
      case QPainterPath::CurveToElement:
        if (i + 2 >= path.elementCount()) break;
        points.clear();
        flattenCubic(at, element, path.elementAt(i + 1), path.elementAt(i + 2), tolerance, points);
        for (const QPointF& point : points) lineTo(point);
        i += 2;
        break;
      case QPainterPath::CurveToDataElement:
        break;
    }
  }
  lineTo(start);
}

QRegion CentreSampledArea::region(Qt::FillRule rule, const QRect& bounds) const {
  if (edges_.empty() || bounds.isEmpty()) return QRegion();
  std::vector<const Edge*> pending;
  pending.reserve(edges_.size());
  for (const Edge& edge : edges_) pending.push_back(&edge);
  std::sort(pending.begin(), pending.end(),
            [](const Edge* a, const Edge* b) { return a->y0 < b->y0; });

  std::vector<const Edge*> active;
  std::vector<std::pair<long double, int>> crossings;
  std::vector<QRect> rects;
  std::size_t bandStart = 0;  // the previous row's spans in rects
  int bandRow = bounds.top() - 2;
  std::vector<std::pair<int, int>> spans;
  auto next = pending.begin();
  std::int64_t lowest = pending.front()->y1;
  for (const Edge* edge : pending) lowest = std::max(lowest, edge->y1);
  const std::int64_t lastRow = std::min<std::int64_t>(bounds.bottom(), firstCentreFrom(lowest));
  std::int64_t row = std::max<std::int64_t>(bounds.top(), firstCentreFrom(pending.front()->y0));
  for (; row <= lastRow; ++row) {
    const std::int64_t centre = row * kSteps + kHalf;
    while (next != pending.end() && (*next)->y0 <= centre) active.push_back(*next++);
    std::erase_if(active, [&](const Edge* edge) { return edge->y1 <= centre; });
    if (active.empty()) {
      if (next == pending.end()) break;
      row = std::max(row, firstCentreFrom((*next)->y0) - 1);  // skip the empty rows
      continue;
    }
    crossings.clear();
    for (const Edge* edge : active) {
      const long double x = edge->x0 + static_cast<long double>(centre - edge->y0) *
                                           (edge->x1 - edge->x0) / (edge->y1 - edge->y0);
      crossings.emplace_back(x, edge->winding);
    }
    std::sort(crossings.begin(), crossings.end());
    spans.clear();
    int winding = 0;
    long double spanStart = 0;
    for (const auto& [x, turn] : crossings) {
      const bool wasInside = rule == Qt::WindingFill ? winding != 0 : (winding & 1) != 0;
      winding += turn;
      const bool inside = rule == Qt::WindingFill ? winding != 0 : (winding & 1) != 0;
      if (inside == wasInside) continue;
      if (inside) {
        spanStart = x;
        continue;
      }
      const int left = std::max(firstCentreFrom(spanStart), bounds.left());
      const int right = std::min(firstCentreFrom(x), bounds.right() + 1);
      if (left >= right) continue;
      if (!spans.empty() && spans.back().second >= left) {
        spans.back().second = std::max(spans.back().second, right);
      } else {
        spans.emplace_back(left, right);
      }
    }
    if (spans.empty()) continue;
    // A row like the one above it makes that band one row taller.
    const bool sameAsAbove =
        bandRow == row - 1 && rects.size() - bandStart == spans.size() &&
        std::equal(spans.begin(), spans.end(), rects.begin() + bandStart,
                   [](const auto& span, const QRect& rect) {
                     return span.first == rect.left() && span.second == rect.right() + 1;
                   });
    bandRow = static_cast<int>(row);
    if (sameAsAbove) {
      for (auto rect = rects.begin() + bandStart; rect != rects.end(); ++rect)
        rect->setBottom(rect->bottom() + 1);
      continue;
    }
    bandStart = rects.size();
    for (const auto& [left, right] : spans)
      rects.emplace_back(left, static_cast<int>(row), right - left, 1);
  }
  QRegion region;
  if (!rects.empty()) region.setRects(rects.data(), static_cast<int>(rects.size()));
  return region;
}

}  // namespace quelvo::swf
