#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace quelvo::skinart {

// The colour t of the way from a to b, alpha included.
QColor blend(const QColor& a, const QColor& b, qreal t);
QColor withAlpha(QColor colour, int alpha);
// The vector scaled to length 1.
QPointF unitVector(const QPointF& vector);

// A fully transparent picture to paint on, size pixels large and drawn at
// scale device pixels to the pixel: painters on it work in pixels.
QImage transparentPicture(const QSize& size, int scale);
// The area of a picture, given in its pixels at 1x, in the picture's own
// device pixels: where to read it from a picture drawn at a larger scale.
QRectF devicePixels(const QImage& picture, const QRectF& area);

QPainterPath rectanglePath(const QRectF& rect);
QPainterPath ellipsePath(const QPointF& centre, qreal rx, qreal ry);

// Shadows blur over blur pixels, that many times the scale in device pixels.
// A soft shadow of the shape, moved by offset, for the shape to be painted over.
void paintShadow(QPainter& painter, const QPainterPath& shape, const QPointF& offset, int blur,
                 const QColor& colour);
// The shadow a hollow's edge throws into it, offset being the way the light runs.
void paintInnerShadow(QPainter& painter, const QPainterPath& shape, const QPointF& offset, int blur,
                      const QColor& colour);

// A rounded rim between two outlines, lit from the top left: its outer slope
// catches the light where its inner slope is in shade.
void paintBezel(QPainter& painter, const QPainterPath& outer, const QPainterPath& inner,
                const QColor& light, const QColor& dark);

// A soft white sheen over the top of the shape, as on a glossy surface.
void paintGloss(QPainter& painter, const QPainterPath& shape, int alpha);

// A radial glow of the colour, fading to nothing at the ellipse's edge.
void paintGlow(QPainter& painter, const QRectF& ellipse, const QColor& colour);

}  // namespace quelvo::skinart
