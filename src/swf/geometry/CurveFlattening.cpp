#include "swf/geometry/CurveFlattening.h"

#include <algorithm>
#include <cmath>

namespace quelvo::swf {

namespace {

// However close the tolerance, a curve never becomes more lines than this.
constexpr double kMostSegments = 1000;

int segmentCount(double wanted) {
  if (!(wanted > 1)) return 1;  // NaN too
  return static_cast<int>(std::ceil(std::min(wanted, kMostSegments)));
}

// A close approximation of the integral of (1 + 4x^2)^-1/4, which measures how
// many lines a stretch of the parabola y = x^2 needs, and its inverse.
double bendIntegral(double x) {
  constexpr double d = 0.67;
  return x / (1 - d + std::sqrt(std::sqrt(d * d * d * d + 0.25 * x * x)));
}
double inverseBendIntegral(double x) {
  constexpr double b = 0.39;
  return x * (1 - b + std::sqrt(b * b + 0.25 * x * x));
}

double length(QPointF v) { return std::hypot(v.x(), v.y()); }

// At most this many halvings of a curve that turns back on itself.
constexpr int kMostSplits = 4;

// How far, along its chord, a quadratic curve runs past either end of it
// (all of it when the curve returns to its start).
double overshoot(QPointF from, QPointF control, QPointF to) {
  const QPointF chord = to - from;
  const double chordSquared = QPointF::dotProduct(chord, chord);
  if (!(chordSquared > 0)) return length(control - from);
  // Along the chord the curve runs 2t(1-t)*along + t^2*chordSquared (times the
  // chord's length), turning back where its derivative is zero.
  const double along = QPointF::dotProduct(control - from, chord);
  const double chordLength = std::sqrt(chordSquared);
  if (along < 0) return along * along / ((chordSquared - 2 * along) * chordLength);
  if (along > chordSquared)
    return (along - chordSquared) * (along - chordSquared) /
           ((2 * along - chordSquared) * chordLength);
  return 0;
}

// Points spaced by the curve's bending, for a curve that does not turn back
// on itself (see flattenQuadratic).
void followBend(QPointF from, QPointF control, QPointF to, double tolerance,
                std::vector<QPointF>& into) {
  const auto at = [&](double t) {
    const double u = 1 - t;
    return u * u * from + 2 * u * t * control + t * t * to;
  };
  // Such a curve stays within half its control point's distance of its
  // chord: one within tolerance is one line.
  const QPointF chord = to - from, reach = control - from;
  const double chordLength = length(chord), along = QPointF::dotProduct(reach, chord);
  if (along >= 0 && along <= chordLength * chordLength && chordLength > 0 &&
      std::abs(chord.x() * reach.y() - chord.y() * reach.x()) / chordLength / 2 <= tolerance) {
    into.push_back(to);
    return;
  }
  // The curve as a stretch [x0, x2] of the parabola y = x^2, scaled.
  const QPointF bend = 2 * control - from - to;
  const double cross = chord.x() * bend.y() - chord.y() * bend.x();
  const double x0 = QPointF::dotProduct(reach, bend) / cross;
  const double x2 = QPointF::dotProduct(to - control, bend) / cross;
  const double scale = std::abs(cross) / (length(bend) * std::abs(x2 - x0));
  const double a0 = bendIntegral(x0), a2 = bendIntegral(x2);
  // The estimate is for many lines; a curve not close to its chord needs two at least.
  const int count =
      std::max(2, segmentCount(0.5 * std::abs(a2 - a0) * std::sqrt(scale / tolerance)));
  if (std::isfinite(a0) && std::isfinite(a2)) {
    const double u0 = inverseBendIntegral(a0), u2 = inverseBendIntegral(a2);
    for (int i = 1; i < count; ++i) {
      const double u = inverseBendIntegral(a0 + (a2 - a0) * i / count);
      into.push_back(at((u - u0) / (u2 - u0)));
    }
  }
  into.push_back(to);
}

// A curve that runs back past an end of its chord by more than twice the
// chord's length is halved until its halves do not: spacing by bending
// cannot see how far such a hairpin reaches.
void flattenQuadraticSplitting(QPointF from, QPointF control, QPointF to, double tolerance,
                               std::vector<QPointF>& into, int splits) {
  if (splits > 0 && overshoot(from, control, to) > std::max(tolerance, 2 * length(to - from))) {
    const QPointF first = (from + control) / 2, second = (control + to) / 2;
    const QPointF middle = (first + second) / 2;
    flattenQuadraticSplitting(from, first, middle, tolerance, into, splits - 1);
    flattenQuadraticSplitting(middle, second, to, tolerance, into, splits - 1);
    return;
  }
  followBend(from, control, to, tolerance, into);
}

}  // namespace

void flattenQuadratic(QPointF from, QPointF control, QPointF to, double tolerance,
                      std::vector<QPointF>& into) {
  flattenQuadraticSplitting(from, control, to, tolerance, into, kMostSplits);
}

void flattenCubic(QPointF from, QPointF control1, QPointF control2, QPointF to, double tolerance,
                  std::vector<QPointF>& into) {
  const QPointF raised1 = (3 * control1 - from) / 2, raised2 = (3 * control2 - to) / 2;
  constexpr double kSameSlack = 1e-9;
  if (length(raised1 - raised2) <= kSameSlack * (1 + length(raised1))) {
    flattenQuadratic(from, (raised1 + raised2) / 2, to, tolerance, into);
    return;
  }
  // Cut evenly, a line strays at most an eighth of the largest second
  // derivative times the step squared.
  const double mostBend =
      6 * std::max(length(from - 2 * control1 + control2), length(control1 - 2 * control2 + to));
  const int count = segmentCount(std::sqrt(mostBend / (8 * tolerance)));
  for (int i = 1; i < count; ++i) {
    const double t = static_cast<double>(i) / count, u = 1 - t;
    into.push_back(u * u * u * from + 3 * u * u * t * control1 + 3 * u * t * t * control2 +
                   t * t * t * to);
  }
  into.push_back(to);
}

}  // namespace quelvo::swf
