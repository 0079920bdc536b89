#include "SkinPictures.h"

#include <map>

#include "Paint.h"

namespace quelvo::skinart {

namespace {

using skins::ButtonArt;

QImage buttonPicture(const SchemeArt& art, const QImage& frame, int scale, SkinButton button,
                     bool pressed) {
  const QRect rect = art.buttonRect(button);
  QImage picture = transparentPicture(rect.size(), scale);
  QPainter painter(&picture);
  painter.drawImage(QPointF(0, 0), frame, devicePixels(frame, rect));
  painter.setRenderHint(QPainter::Antialiasing);
  art.paintButton(painter, QRectF(QPointF(0, 0), rect.size()), button, pressed);
  return picture;
}

// The sheets that cut buttons come from, each just large enough for its cuts.
std::map<int, QImage> emptySheets(const SchemeArt& art, int scale) {
  std::map<int, QSize> sizes;
  for (SkinButton button : shownButtons(art)) {
    const ButtonArt& place = art.layout().buttons.at(static_cast<std::size_t>(button)).art;
    if (place.kind != ButtonArt::Kind::Cut) continue;
    for (int sheet : {place.normalSheet, place.pressedSheet}) {
      sizes[sheet] = sizes[sheet].expandedTo(QSize(place.cut.right() + 1, place.cut.bottom() + 1));
    }
  }
  std::map<int, QImage> sheets;
  for (const auto& [sheet, size] : sizes) sheets.emplace(sheet, transparentPicture(size, scale));
  return sheets;
}

}  // namespace

std::vector<Picture> schemePictures(const SchemeArt& art, int scale) {
  const SkinLayout& layout = art.layout();
  const QImage frame = art.frame(scale);
  std::vector<Picture> pictures{{layout.frameFile, frame}};
  std::map<int, QImage> sheets = emptySheets(art, scale);
  for (SkinButton button : shownButtons(art)) {
    const ButtonArt& place = layout.buttons.at(static_cast<std::size_t>(button)).art;
    for (bool pressed : {false, true}) {
      const QImage picture = buttonPicture(art, frame, scale, button, pressed);
      if (place.kind == ButtonArt::Kind::File) {
        pictures.push_back({pressed ? place.pressedFile : place.normalFile, picture});
        continue;
      }
      QPainter sheet(&sheets.at(pressed ? place.pressedSheet : place.normalSheet));
      sheet.setCompositionMode(QPainter::CompositionMode_Source);
      sheet.drawImage(place.cut.topLeft(), picture);
    }
  }
  for (const auto& [sheet, picture] : sheets) {
    pictures.push_back({layout.sheets.at(static_cast<std::size_t>(sheet)), picture});
  }
  for (Picture& extra : art.extraPictures(scale)) pictures.push_back(std::move(extra));
  return pictures;
}

}  // namespace quelvo::skinart
