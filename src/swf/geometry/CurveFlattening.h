#pragma once

#include <QPointF>
#include <vector>

namespace quelvo::swf {

// Appends points along a quadratic curve, its start excluded and its end
// included, so that the lines through them stay within tolerance of the
// curve. The points are spaced by the curve's bending, as a parabola's arc
// approximates it: few along flat stretches, many round a tight turn.
void flattenQuadratic(QPointF from, QPointF control, QPointF to, double tolerance,
                      std::vector<QPointF>& into);

// The same for a cubic curve. One that is a quadratic curve raised to cubic
// form (as QPainterPath keeps quadratic curves) is followed as that quadratic
// curve; others are cut at even steps of their parameter.
void flattenCubic(QPointF from, QPointF control1, QPointF control2, QPointF to, double tolerance,
                  std::vector<QPointF>& into);

}  // namespace quelvo::swf
