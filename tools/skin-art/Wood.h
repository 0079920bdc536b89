#pragma once

#include <QColor>
#include <QPainter>
#include <QPainterPath>

namespace quelvo::skinart {

// Wavy fibres across the board over broad bands of lighter and darker growth;
// the seed picks the figure.
void paintWoodGrain(QPainter& painter, const QPainterPath& board, const QColor& fibre,
                    quint32 seed);

// Bevels a flat board: light along its top-left edges, shade along the others.
void paintBoardEdge(QPainter& painter, const QPainterPath& board);

}  // namespace quelvo::skinart
