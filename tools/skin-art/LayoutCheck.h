#pragma once

#include <QRegion>
#include <QStringList>

#include "SchemeArt.h"

namespace quelvo::skinart {

// What keeps a scheme's window shape, as the player reads it from the region
// file, from fitting its layout: the movie, the catalog and every shown button
// must lie inside the shape, and the shape must leave part of the frame's
// rectangle out. Empty when all is well.
QStringList layoutProblems(const SchemeArt& art, const QSize& frameSize, const QRegion& shape);

}  // namespace quelvo::skinart
