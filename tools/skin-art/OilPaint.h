#pragma once

#include <QColor>
#include <QPainter>
#include <QPainterPath>

namespace quelvo::skinart {

// A blob of paint inside the box, its outline wobbling like a dab off a
// knife; the seed picks the wobble.
QPainterPath daub(const QRectF& box, int seed);

// Streaks the palette knife left in the thick paint, each a faint ridge.
void paintKnifeStreaks(QPainter& painter, const QPainterPath& body);

// A thin smear of paint dried flat on the palette: scenery, not a button.
void paintSmear(QPainter& painter, const QPointF& centre, const QSizeF& size, qreal angle,
                const QColor& colour, int seed);

// A paintbrush lying from its handle's end to the tip of its bristles.
void paintBrush(QPainter& painter, const QPointF& end, const QPointF& tip, const QColor& lacquer,
                const QColor& paint);

}  // namespace quelvo::skinart
