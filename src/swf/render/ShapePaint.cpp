#include "swf/render/ShapePaint.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "swf/geometry/Transforms.h"
#include "swf/render/GradientRamp.h"

namespace quelvo::swf {

namespace {

constexpr double kGradientHalfSize = 16384;

QColor toQColor(const Rgba& colour) {
  return QColor(colour.red, colour.green, colour.blue, colour.alpha);
}

QGradient::Spread toSpread(SpreadMode mode) {
  switch (mode) {
    case SpreadMode::Reflect:
      return QGradient::ReflectSpread;
    case SpreadMode::Repeat:
      return QGradient::RepeatSpread;
    case SpreadMode::Pad:
      break;
  }
  return QGradient::PadSpread;
}

QBrush gradientBrush(const FillStyle& style, const ColorTransform& colorTransform) {
  const QGradientStops ramp = gradientRamp(style.gradient, colorTransform);
  const QTransform matrix = toQTransform(style.matrix);
  // A collapsed gradient square has no direction to spread along; it shows its last colour.
  if (!matrix.isInvertible()) return QBrush(ramp.back().second);
  QGradient gradient;
  if (style.kind == FillKind::LinearGradient) {
    gradient = QLinearGradient(-kGradientHalfSize, 0, kGradientHalfSize, 0);
  } else {
    const double focal = style.kind == FillKind::FocalGradient
                             ? std::clamp(style.gradient.focalPoint, -1.0, 1.0)
                             : 0;
    gradient =
        QRadialGradient(QPointF(0, 0), kGradientHalfSize, QPointF(focal * kGradientHalfSize, 0));
  }
  gradient.setStops(ramp);
  gradient.setSpread(toSpread(style.gradient.spread));
  QBrush brush(gradient);
  brush.setTransform(matrix);
  return brush;
}

Qt::PenCapStyle toCap(CapStyle cap) {
  switch (cap) {
    case CapStyle::None:
      return Qt::FlatCap;
    case CapStyle::Square:
      return Qt::SquareCap;
    case CapStyle::Round:
      break;
  }
  return Qt::RoundCap;
}

Qt::PenJoinStyle toJoin(JoinStyle join) {
  switch (join) {
    case JoinStyle::Bevel:
      return Qt::BevelJoin;
    case JoinStyle::Miter:
      return Qt::SvgMiterJoin;
    case JoinStyle::Round:
      break;
  }
  return Qt::RoundJoin;
}

// How much a transform lengthens a unit length laid at 45 degrees.
double diagonalStretch(const QTransform& t) {
  return std::hypot(t.m11() + t.m21(), t.m12() + t.m22()) / std::numbers::sqrt2;
}

}  // namespace

QBrush fillBrush(const FillStyle& style, const ColorTransform& colorTransform,
                 const QImage* bitmap) {
  switch (style.kind) {
    case FillKind::Solid:
      return QBrush(toQColor(colorTransform.apply(style.colour)));
    case FillKind::LinearGradient:
    case FillKind::RadialGradient:
    case FillKind::FocalGradient:
      return gradientBrush(style, colorTransform);
    case FillKind::Bitmap:
      break;
  }
  const QTransform matrix = toQTransform(style.matrix);
  // A collapsed matrix squeezes the picture into nothing.
  if (!bitmap || bitmap->isNull() || !matrix.isInvertible()) return QBrush(Qt::NoBrush);
  QBrush brush(*bitmap);
  brush.setTransform(matrix);
  return brush;
}

bool smoothsBitmap(const FillStyle& style, const PaintSettings& settings) {
  return style.bitmapSmoothed && settings.smoothBitmaps;
}

Stroke strokeFor(const LineStyle& style, const ColorTransform& colorTransform,
                 const ShapePlacement& placement, const PaintSettings& settings,
                 const QImage* bitmap) {
  const QTransform toDevice = placement.toDevice();
  Stroke stroke;
  double width = style.width;  // in the space the stroke is outlined in
  StretchRange thickness;      // of the stroke on the device
  const QTransform& m = placement.matrix;
  const StretchRange own = stretchRange(m);
  constexpr double kEvenStretch = 1e-3;
  if (style.noHorizontalScale || style.noVerticalScale) {
    stroke.space = Stroke::Space::Parent;
    if (!style.noHorizontalScale) width *= std::hypot(m.m11(), m.m12());
    if (!style.noVerticalScale) width *= std::hypot(m.m21(), m.m22());
    const StretchRange parent = stretchRange(placement.parentToDevice);
    thickness = {width * parent.least, width * parent.most};
  } else if (own.most - own.least > kEvenStretch * own.most) {
    stroke.space = Stroke::Space::Device;
    width *= diagonalStretch(toDevice);
    thickness = {width, width};
  } else {
    const StretchRange stretch = stretchRange(toDevice);
    thickness = {width * stretch.least, width * stretch.most};
  }
  QBrush brush;
  if (style.fill) {
    brush = fillBrush(*style.fill, colorTransform, bitmap);
  } else {
    brush = QBrush(toQColor(colorTransform.apply(style.colour)));
  }
  // Strokes nowhere wider than the minimum are hairlines of that width.
  constexpr double kSlack = 1e-9;
  if (thickness.most < settings.minimumStrokeWidth + kSlack) {
    stroke.space = Stroke::Space::Device;
    width = settings.minimumStrokeWidth;
  }
  if (stroke.space == Stroke::Space::Device) {
    brush.setTransform(brush.transform() * toDevice);
  } else if (stroke.space == Stroke::Space::Parent) {
    brush.setTransform(brush.transform() * placement.matrix);
  }
  stroke.pen = QPen(brush, width, Qt::SolidLine, toCap(style.startCap), toJoin(style.join));
  // A miter longer than the limit (in line widths from the joint) is
  // bevelled; the pen counts from the tip to the inner corner, twice as far.
  if (style.join == JoinStyle::Miter) stroke.pen.setMiterLimit(2 * std::max(1.0, style.miterLimit));
  return stroke;
}

}  // namespace quelvo::swf
