#pragma once

#include <QPixmap>
#include <QRegion>
#include <QString>
#include <array>
#include <optional>

#include "skins/SkinLayout.h"

namespace quelvo::skins {

// Every picture of a scheme, loaded and checked before the window changes, so
// a missing or unreadable file never leaves a half-built face.
struct SkinArt {
  QPixmap frame;
  std::optional<QRegion> shape;  // none: the window keeps its full rectangle
  std::array<QPixmap, 4> sheets;
  // Each button's normal and pressed picture; null for hidden buttons.
  std::array<QPixmap, kSkinButtons> normal;
  std::array<QPixmap, kSkinButtons> pressed;
};

// The file of that name in the folder, matched without regard to letter case;
// empty when there is none.
QString findFile(const QString& folder, const QString& name);

// Loads a scheme's pictures from programFolder/Skins/<scheme>/. Nullopt when
// the folder, a picture or a sheet is missing or unreadable, or the region
// file exists but cannot be read. A missing region file is no failure. On
// screens of more than one device pixel per pixel a picture "<name>@2x" of
// twice the size is taken where there is one, so the face stays sharp.
std::optional<SkinArt> loadSkinArt(const QString& programFolder, const SkinLayout& layout,
                                   qreal devicePixelRatio = 1.0);

}  // namespace quelvo::skins
