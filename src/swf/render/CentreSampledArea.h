#pragma once

#include <QPainterPath>
#include <QRect>
#include <QRegion>
#include <QTransform>
#include <cstdint>
#include <vector>

namespace quelvo::swf {

// The pixels whose centres an area covers, as a graphics card fills the
// area's outline cut into lines: corners sit on a 256th of a pixel, and a
// centre exactly on an edge belongs to the area when the edge is its top or
// left side. Qt's own rasteriser places corners on a 64th of a pixel and
// gives such centres to the other side, which moves single pixels along
// curves and lines.
class CentreSampledArea {
 public:
  // Adds path's outline as toDevice places it on the pixels. Curves become
  // lines within tolerance, in path units.
  void add(const QPainterPath& path, const QTransform& toDevice, double tolerance);

  // The covered pixels within bounds, for the given fill rule.
  QRegion region(Qt::FillRule rule, const QRect& bounds) const;

 private:
  // In 256ths of a pixel, top to bottom.
  struct Edge {
    std::int64_t x0, y0, x1, y1;
    int winding;  // +1 where the outline runs down, -1 up
  };
  void addLine(QPointF from, QPointF to);

  std::vector<Edge> edges_;
};

}  // namespace quelvo::swf
