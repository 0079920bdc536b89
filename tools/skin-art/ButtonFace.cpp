#include "ButtonFace.h"

#include "Glyphs.h"
#include "Paint.h"

namespace quelvo::skinart {

namespace {

void paintBody(QPainter& painter, const QPainterPath& body, const QColor& colour, int gloss) {
  const QRectF bounds = body.boundingRect();
  QLinearGradient shading(bounds.topLeft(), bounds.bottomLeft());
  shading.setColorAt(0, blend(colour, Qt::white, 0.3));
  shading.setColorAt(0.45, colour);
  shading.setColorAt(1, blend(colour, Qt::black, 0.28));
  painter.fillPath(body, shading);
  paintGloss(painter, body, gloss);
  painter.strokePath(body, QPen(withAlpha(blend(colour, Qt::black, 0.55), 200), 1));
}

}  // namespace

void paintButtonFace(QPainter& painter, skins::SkinButton button, const ButtonLook& look,
                     bool pressed) {
  painter.save();
  if (pressed) {
    painter.translate(1, 1);
    paintShadow(painter, look.body, QPointF(0, 0.5), 1, QColor(0, 0, 0, 60));
  } else {
    paintShadow(painter, look.body, QPointF(0.6, 1.4), 1, QColor(0, 0, 0, 110));
  }
  const QColor colour = pressed ? look.colour.darker(140) : look.colour;
  paintBody(painter, look.body, colour, pressed ? look.gloss / 4 : look.gloss);
  if (look.texture) look.texture(painter, look.body);
  const QColor ink = pressed ? blend(look.ink, Qt::black, 0.12) : look.ink;
  paintGlyph(painter, button, look.glyphBox, ink, look.relief);
  if (pressed) paintInnerShadow(painter, look.body, QPointF(1, 2), 2, QColor(0, 0, 0, 190));
  painter.restore();
}

}  // namespace quelvo::skinart
