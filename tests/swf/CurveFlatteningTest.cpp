#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "swf/geometry/CurveFlattening.h"

namespace quelvo::swf {
namespace {

QPointF quadraticAt(QPointF from, QPointF control, QPointF to, double t) {
  const double u = 1 - t;
  return u * u * from + 2 * u * t * control + t * t * to;
}

double distanceToSegment(QPointF p, QPointF a, QPointF b) {
  const QPointF d = b - a;
  const double length2 = QPointF::dotProduct(d, d);
  const double t =
      length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, d) / length2, 0.0, 1.0) : 0.0;
  const QPointF nearest = a + t * d;
  return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

// How far the curve strays from the lines through from and the points.
double largestStray(QPointF from, QPointF control, QPointF to, const std::vector<QPointF>& points) {
  double largest = 0;
  for (int i = 0; i <= 1000; ++i) {
    const QPointF onCurve = quadraticAt(from, control, to, i / 1000.0);
    double nearest = std::numeric_limits<double>::max();
    QPointF start = from;
    for (const QPointF& point : points) {
      nearest = std::min(nearest, distanceToSegment(onCurve, start, point));
      start = point;
    }
    largest = std::max(largest, nearest);
  }
  return largest;
}

struct Quadratic {
  QPointF from, control, to;
};

// The spacing by bending estimates the lines' distance from the curve; it may
// exceed the tolerance a little where a curve runs past its chord.
TEST(CurveFlatteningTest, QuadraticsStayCloseToTheTolerance) {
  const std::vector<Quadratic> curves = {
      {{0, 0}, {100, 200}, {200, 0}},              // a symmetric arch
      {{0, 0}, {1000, 0}, {1000, 1000}},           // a quarter turn
      {{7755, 6025}, {7714, 5801}, {7705, 5775}},  // control close to the end
      {{0, 0}, {300, 50}, {100, 0}},               // running past its end
      {{0, 0}, {500, 50}, {100, 0}},               // further past
      {{0, 0}, {500, 3}, {1, 0}},                  // a hairpin
      {{0, 0}, {-400, 300}, {0, 0}},               // out and back
  };
  for (const double tolerance : {0.1, 2.0, 20.0}) {
    for (const Quadratic& c : curves) {
      std::vector<QPointF> points;
      flattenQuadratic(c.from, c.control, c.to, tolerance, points);
      ASSERT_FALSE(points.empty());
      EXPECT_EQ(points.back(), c.to);
      EXPECT_LE(largestStray(c.from, c.control, c.to, points), tolerance * 1.3)
          << c.control.x() << "," << c.control.y() << " at " << tolerance;
    }
  }
}

TEST(CurveFlatteningTest, ACurveCloseToItsChordIsOneLine) {
  // The curve lies half its control point's distance from the chord.
  std::vector<QPointF> points;
  flattenQuadratic({0, 0}, {50, 3.9}, {100, 0}, 2, points);
  EXPECT_EQ(points, std::vector<QPointF>{QPointF(100, 0)});
  points.clear();
  flattenQuadratic({0, 0}, {50, 4.2}, {100, 0}, 2, points);
  EXPECT_GT(points.size(), 1u);
}

TEST(CurveFlatteningTest, DegenerateCurvesEndWhereTheyShould) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double huge = 1e300;
  std::vector<QPointF> points;
  flattenQuadratic({5, 5}, {5, 5}, {5, 5}, 2, points);  // a point
  EXPECT_EQ(points.size(), 1u);
  points.clear();
  flattenQuadratic({0, 0}, {100, 100}, {0, 0}, 0, points);  // out and back, no tolerance
  EXPECT_LE(points.size(), 1000u);
  points.clear();
  flattenQuadratic({0, 0}, {nan, 1}, {10, 0}, 2, points);
  EXPECT_LE(points.size(), 1000u);
  EXPECT_EQ(points.back(), QPointF(10, 0));
  points.clear();
  flattenQuadratic({-huge, 0}, {0, huge}, {huge, 0}, 1e-9, points);
  EXPECT_LE(points.size(), 1000u);
}

TEST(CurveFlatteningTest, CubicsRaisedFromQuadraticsFollowTheQuadratic) {
  const QPointF from(0, 0), control(100, 200), to(200, 0);
  std::vector<QPointF> asQuadratic, asCubic;
  flattenQuadratic(from, control, to, 0.5, asQuadratic);
  flattenCubic(from, from + 2.0 / 3 * (control - from), to + 2.0 / 3 * (control - to), to, 0.5,
               asCubic);
  ASSERT_EQ(asCubic.size(), asQuadratic.size());
  for (std::size_t i = 0; i < asCubic.size(); ++i) {
    EXPECT_NEAR(asCubic[i].x(), asQuadratic[i].x(), 1e-9);
    EXPECT_NEAR(asCubic[i].y(), asQuadratic[i].y(), 1e-9);
  }

  // An S-curve is cut evenly, finely enough for the tolerance.
  std::vector<QPointF> sCurve;
  flattenCubic({0, 0}, {100, 300}, {200, -300}, {300, 0}, 0.5, sCurve);
  EXPECT_GT(sCurve.size(), 10u);
  EXPECT_EQ(sCurve.back(), QPointF(300, 0));
}

}  // namespace
}  // namespace quelvo::swf
