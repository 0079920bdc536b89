#include "Paint.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace quelvo::skinart {

QImage transparentPicture(const QSize& size) {
  QImage picture(size, QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  return picture;
}

namespace {

// One box blur pass along rows (step 1) or columns (step = row length) of
// premultiplied pixels.
void boxBlurLine(QRgb* line, int count, int step, int radius, std::vector<QRgb>& scratch) {
  scratch.resize(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) scratch[static_cast<std::size_t>(i)] = line[i * step];
  const auto at = [&scratch, count](int i) {
    return scratch[static_cast<std::size_t>(std::clamp(i, 0, count - 1))];
  };
  std::array<int, 4> sum{};
  const auto add = [&sum](QRgb pixel, int sign) {
    sum[0] += sign * qAlpha(pixel);
    sum[1] += sign * qRed(pixel);
    sum[2] += sign * qGreen(pixel);
    sum[3] += sign * qBlue(pixel);
  };
  for (int i = -radius; i <= radius; ++i) add(at(i), 1);
  const int width = 2 * radius + 1;
  for (int i = 0; i < count; ++i) {
    line[i * step] = qRgba(sum[1] / width, sum[2] / width, sum[3] / width, sum[0] / width);
    add(at(i + radius + 1), 1);
    add(at(i - radius), -1);
  }
}

// A transparent picture covering the shape's bounds with room for a blur.
QImage canvasFor(const QRectF& bounds, int margin, QPoint* corner) {
  const QRect area = bounds.toAlignedRect().adjusted(-margin, -margin, margin, margin);
  *corner = area.topLeft();
  return transparentPicture(area.size());
}

// A premultiplied copy of the picture softened by three box blurs of this radius.
QImage blurred(const QImage& picture, int radius) {
  QImage result = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (radius <= 0) return result;
  auto* pixels = reinterpret_cast<QRgb*>(result.bits());
  const int width = result.width();
  const int height = result.height();
  std::vector<QRgb> scratch;
  for (int pass = 0; pass < 3; ++pass) {
    for (int y = 0; y < height; ++y) boxBlurLine(pixels + y * width, width, 1, radius, scratch);
    for (int x = 0; x < width; ++x) boxBlurLine(pixels + x, height, width, radius, scratch);
  }
  return result;
}

}  // namespace

QColor blend(const QColor& a, const QColor& b, qreal t) {
  const auto mix = [t](qreal from, qreal to) { return from + (to - from) * t; };
  return QColor::fromRgbF(mix(a.redF(), b.redF()), mix(a.greenF(), b.greenF()),
                          mix(a.blueF(), b.blueF()), mix(a.alphaF(), b.alphaF()));
}

QColor withAlpha(QColor colour, int alpha) {
  colour.setAlpha(alpha);
  return colour;
}

QPointF unitVector(const QPointF& vector) { return vector / std::hypot(vector.x(), vector.y()); }

QPainterPath rectanglePath(const QRectF& rect) {
  QPainterPath path;
  path.addRect(rect);
  return path;
}

QPainterPath ellipsePath(const QPointF& centre, qreal rx, qreal ry) {
  QPainterPath path;
  path.addEllipse(centre, rx, ry);
  return path;
}

void paintShadow(QPainter& painter, const QPainterPath& shape, const QPointF& offset, int blur,
                 const QColor& colour) {
  QPoint corner;
  QImage shadow = canvasFor(shape.boundingRect().translated(offset), 3 * blur + 2, &corner);
  QPainter pen(&shadow);
  pen.setRenderHint(QPainter::Antialiasing);
  pen.translate(offset - corner);
  pen.fillPath(shape, colour);
  pen.end();
  painter.drawImage(corner, blurred(shadow, blur));
}

void paintInnerShadow(QPainter& painter, const QPainterPath& shape, const QPointF& offset, int blur,
                      const QColor& colour) {
  QPoint corner;
  QImage shadow = canvasFor(shape.boundingRect(), 3 * blur + 2, &corner);
  shadow.fill(colour);
  QPainter pen(&shadow);
  pen.setRenderHint(QPainter::Antialiasing);
  pen.translate(-corner);
  pen.setCompositionMode(QPainter::CompositionMode_Clear);
  pen.fillPath(shape.translated(offset), Qt::black);
  pen.end();
  shadow = blurred(shadow, blur);
  // Keep the shadow to the shape, with its edge antialiased.
  const QPainterPath outside = rectanglePath(QRectF(corner, shadow.size()));
  pen.begin(&shadow);
  pen.setRenderHint(QPainter::Antialiasing);
  pen.translate(-corner);
  pen.setCompositionMode(QPainter::CompositionMode_DestinationOut);
  pen.fillPath(outside.subtracted(shape), Qt::black);
  pen.end();
  painter.drawImage(corner, shadow);
}

void paintBezel(QPainter& painter, const QPainterPath& outer, const QPainterPath& inner,
                const QColor& light, const QColor& dark) {
  const QRectF bounds = outer.boundingRect();
  QLinearGradient slope(bounds.topLeft(), bounds.bottomRight());
  slope.setColorAt(0, light);
  slope.setColorAt(1, dark);
  painter.fillPath(outer.subtracted(inner), slope);
  // The inner half of the rim faces away from the light.
  const qreal width = (outer.boundingRect().width() - inner.boundingRect().width()) / 4;
  QPainterPathStroker stroker;
  stroker.setWidth(2 * width);
  const QPainterPath innerSlope = stroker.createStroke(inner).subtracted(inner);
  QLinearGradient shade(bounds.topLeft(), bounds.bottomRight());
  shade.setColorAt(0, blend(dark, light, 0.25));
  shade.setColorAt(1, blend(light, dark, 0.2));
  painter.fillPath(innerSlope.intersected(outer), shade);
}

void paintGloss(QPainter& painter, const QPainterPath& shape, int alpha) {
  const QRectF bounds = shape.boundingRect();
  QPainterPath sheen;
  sheen.addEllipse(bounds.x() + bounds.width() * 0.1, bounds.y() - bounds.height() * 0.2,
                   bounds.width() * 0.8, bounds.height() * 0.72);
  QLinearGradient fade(bounds.topLeft(),
                       QPointF(bounds.left(), bounds.top() + bounds.height() * 0.52));
  fade.setColorAt(0, QColor(255, 255, 255, alpha));
  fade.setColorAt(1, QColor(255, 255, 255, alpha / 12));
  painter.fillPath(sheen.intersected(shape), fade);
}

void paintGlow(QPainter& painter, const QRectF& ellipse, const QColor& colour) {
  painter.save();
  painter.translate(ellipse.center());
  painter.scale(ellipse.width() / 2, ellipse.height() / 2);
  QRadialGradient glow(QPointF(0, 0), 1);
  glow.setColorAt(0, colour);
  glow.setColorAt(1, withAlpha(colour, 0));
  painter.setPen(Qt::NoPen);
  painter.setBrush(glow);
  painter.drawEllipse(QPointF(0, 0), 1, 1);
  painter.restore();
}

}  // namespace quelvo::skinart
