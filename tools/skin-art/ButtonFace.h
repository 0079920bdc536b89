#pragma once

#include <QPainter>
#include <QPainterPath>
#include <functional>

#include "skins/SkinLayout.h"

namespace quelvo::skinart {

// How one scheme dresses a button.
struct ButtonLook {
  QPainterPath body;  // the raised part, at rest; keep a pixel free right and below
  QColor colour;
  QColor ink;     // the symbol
  QColor relief;  // the symbol's one-pixel emboss
  QRectF glyphBox;
  int gloss = 150;  // alpha of the sheen at rest
  // Optional surface detail painted over the body and under the symbol.
  std::function<void(QPainter&, const QPainterPath&)> texture;
};

// Paints a raised button with its symbol. At rest it throws a soft shadow;
// pressed, it sits one pixel lower right, darker, with a shadow inside.
void paintButtonFace(QPainter& painter, skins::SkinButton button, const ButtonLook& look,
                     bool pressed);

}  // namespace quelvo::skinart
