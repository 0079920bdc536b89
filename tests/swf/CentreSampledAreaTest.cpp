#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "swf/render/CentreSampledArea.h"

namespace quelvo::swf {
namespace {

QRegion regionOf(const QPainterPath& path, Qt::FillRule rule = Qt::WindingFill,
                 const QRect& bounds = QRect(0, 0, 20, 20),
                 const QTransform& toDevice = QTransform()) {
  CentreSampledArea area;
  area.add(path, toDevice, 0.1);
  return area.region(rule, bounds);
}

QPainterPath rectangle(double left, double top, double right, double bottom) {
  QPainterPath path;
  path.addRect(QRectF(QPointF(left, top), QPointF(right, bottom)));
  return path;
}

TEST(CentreSampledAreaTest, CentresOnAnEdgeGoToItsTopAndLeftSide) {
  // Edges through pixel centres: the left column and top row are in, the
  // right column and bottom row out.
  EXPECT_EQ(regionOf(rectangle(1.5, 1.5, 4.5, 3.5)), QRegion(1, 1, 3, 2));
  // The same on pixel boundaries, and a sliver between two centres covers none.
  EXPECT_EQ(regionOf(rectangle(1, 1, 4, 3)), QRegion(1, 1, 3, 2));
  EXPECT_TRUE(regionOf(rectangle(1.6, 1, 2.4, 5)).isEmpty());
  // Corners sit on a 256th of a pixel: an edge a 1000th short of a centre
  // lands on it.
  EXPECT_EQ(regionOf(rectangle(1.501, 1.5, 4.5, 3.5)), QRegion(1, 1, 3, 2));
}

TEST(CentreSampledAreaTest, FillRulesDecideOverlaps) {
  QPainterPath twice = rectangle(0, 0, 4, 4);
  twice.addPath(rectangle(2, 0, 6, 4));
  EXPECT_EQ(regionOf(twice, Qt::WindingFill), QRegion(0, 0, 6, 4));
  EXPECT_EQ(regionOf(twice, Qt::OddEvenFill), QRegion(0, 0, 2, 4) + QRegion(4, 0, 2, 4));
}

TEST(CentreSampledAreaTest, SlantedEdgesCoverTheCentresInside) {
  // A triangle through a transform, against a direct test of every centre.
  QPainterPath triangle;
  triangle.moveTo(10, 10);
  triangle.lineTo(250, 60);
  triangle.lineTo(60, 370);
  triangle.closeSubpath();
  const QTransform toDevice = QTransform::fromScale(0.05, 0.05);
  const QRegion covered = regionOf(triangle, Qt::WindingFill, QRect(0, 0, 20, 20), toDevice);
  const QPolygonF corners = toDevice.map(triangle.toFillPolygon());
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      const QPointF centre(x + 0.5, y + 0.5);
      EXPECT_EQ(covered.contains(QPoint(x, y)), corners.containsPoint(centre, Qt::WindingFill))
          << x << "," << y;
    }
  }
}

TEST(CentreSampledAreaTest, StaysWithinItsBounds) {
  EXPECT_EQ(regionOf(rectangle(-1e9, -1e9, 1e9, 1e9)), QRegion(0, 0, 20, 20));
  EXPECT_EQ(regionOf(rectangle(2, 2, 8, 8), Qt::WindingFill, QRect(5, 5, 10, 10)),
            QRegion(5, 5, 3, 3));
  // Points that are not numbers leave out the lines that meet them.
  const double nan = std::numeric_limits<double>::quiet_NaN();
  QPainterPath broken;
  broken.moveTo(0, 0);
  broken.lineTo(nan, 5);
  broken.lineTo(5, 5);
  EXPECT_NO_FATAL_FAILURE(regionOf(broken));
  EXPECT_TRUE(regionOf(QPainterPath()).isEmpty());
}

TEST(CentreSampledAreaTest, CurvesFollowTheirOutline) {
  QPainterPath disc;
  disc.addEllipse(QPointF(10, 10), 8, 8);
  const QRegion covered = regionOf(disc);
  int inside = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      const double dx = x + 0.5 - 10, dy = y + 0.5 - 10;
      const double distance = std::hypot(dx, dy);
      if (std::abs(distance - 8) < 0.15) continue;  // too close to call at this tolerance
      EXPECT_EQ(covered.contains(QPoint(x, y)), distance < 8) << x << "," << y;
      inside += distance < 8;
    }
  }
  EXPECT_GT(inside, 150);
}

}  // namespace
}  // namespace quelvo::swf
