#pragma once

#include <QPainter>

#include "skins/SkinLayout.h"

namespace quelvo::skinart {

// Paints the symbol of a button's role filling the box, which should be about
// square: a triangle for play, bars for pause, a cog for the play options and
// so on. The symbol is in ink over a copy of it one pixel lower in the relief
// colour, which makes it read as embossed (dark relief) or engraved (light).
void paintGlyph(QPainter& painter, skins::SkinButton button, const QRectF& box, const QColor& ink,
                const QColor& relief);

}  // namespace quelvo::skinart
