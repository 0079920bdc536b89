#include "Paint.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace quelvo::skinart {

QImage transparentPicture(const QSize& size, int scale) {
  QImage picture(size * scale, QImage::Format_ARGB32_Premultiplied);
  picture.setDevicePixelRatio(scale);
  picture.fill(Qt::transparent);
  return picture;
}

QRectF devicePixels(const QImage& picture, const QRectF& area) {
  const qreal scale = picture.devicePixelRatio();
  return QRectF(area.topLeft() * scale, area.size() * scale);
}

namespace {

// Device pixels to the pixel of a picture.
int scaleOf(const QPaintDevice& picture) { return qRound(picture.devicePixelRatio()); }

// One box blur pass along rows (step 1) or columns (step = row length) of
// premultiplied pixels, the end pixels standing for those beyond the line.
void boxBlurLine(QRgb* line, int count, int step, int radius, std::vector<QRgb>& padded) {
  const int width = 2 * radius + 1;
  padded.resize(static_cast<std::size_t>(count + width - 1));
  QRgb* const source = padded.data();
  for (int i = 0; i < count + width - 1; ++i) {
    source[i] = line[std::clamp(i - radius, 0, count - 1) * step];
  }
  int alpha = 0;
  int red = 0;
  int green = 0;
  int blue = 0;
  for (int i = 0; i < width - 1; ++i) {
    alpha += qAlpha(source[i]);
    red += qRed(source[i]);
    green += qGreen(source[i]);
    blue += qBlue(source[i]);
  }
  // Pixel i is the mean of source[i] to source[i + width - 1].
  for (int i = 0; i < count; ++i) {
    const QRgb entering = source[i + width - 1];
    alpha += qAlpha(entering);
    red += qRed(entering);
    green += qGreen(entering);
    blue += qBlue(entering);
    line[i * step] = qRgba(red / width, green / width, blue / width, alpha / width);
    const QRgb leaving = source[i];
    alpha -= qAlpha(leaving);
    red -= qRed(leaving);
    green -= qGreen(leaving);
    blue -= qBlue(leaving);
  }
}

// The part of the painter's picture a blurred copy of the bounds may reach.
QRect blurArea(const QRectF& bounds, int blur) {
  const int margin = 3 * blur + 2;
  return bounds.toAlignedRect().adjusted(-margin, -margin, margin, margin);
}

// A transparent picture over the area at the scale of the painter's picture.
QImage canvasFor(const QPainter& painter, const QRect& area) {
  return transparentPicture(area.size(), scaleOf(*painter.device()));
}

// A premultiplied copy of the picture softened by three box blurs of blur
// pixels, blur times the picture's scale in device pixels.
QImage blurred(const QImage& picture, int blur) {
  QImage result = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const int radius = blur * scaleOf(picture);
  if (radius <= 0) return result;
  auto* pixels = reinterpret_cast<QRgb*>(result.bits());
  const int width = result.width();
  const int height = result.height();
  std::vector<QRgb> padded;
  for (int pass = 0; pass < 3; ++pass) {
    for (int y = 0; y < height; ++y) boxBlurLine(pixels + y * width, width, 1, radius, padded);
    for (int x = 0; x < width; ++x) boxBlurLine(pixels + x, height, width, radius, padded);
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
  const QRect area = blurArea(shape.boundingRect().translated(offset), blur);
  QImage shadow = canvasFor(painter, area);
  QPainter pen(&shadow);
  pen.setRenderHint(QPainter::Antialiasing);
  pen.translate(offset - area.topLeft());
  pen.fillPath(shape, colour);
  pen.end();
  painter.drawImage(area.topLeft(), blurred(shadow, blur));
}

void paintInnerShadow(QPainter& painter, const QPainterPath& shape, const QPointF& offset, int blur,
                      const QColor& colour) {
  const QRect area = blurArea(shape.boundingRect(), blur);
  QImage shadow = canvasFor(painter, area);
  shadow.fill(colour);
  QPainter pen(&shadow);
  pen.setRenderHint(QPainter::Antialiasing);
  pen.translate(-area.topLeft());
  pen.setCompositionMode(QPainter::CompositionMode_Clear);
  pen.fillPath(shape.translated(offset), Qt::black);
  pen.end();
  shadow = blurred(shadow, blur);
  // Keep the shadow to the shape, with its edge antialiased.
  const QPainterPath outside = rectanglePath(area);
  pen.begin(&shadow);
  pen.setRenderHint(QPainter::Antialiasing);
  pen.translate(-area.topLeft());
  pen.setCompositionMode(QPainter::CompositionMode_DestinationOut);
  pen.fillPath(outside.subtracted(shape), Qt::black);
  pen.end();
  painter.drawImage(area.topLeft(), shadow);
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
