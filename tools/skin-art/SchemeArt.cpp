#include "SchemeArt.h"

namespace quelvo::skinart {

using skins::ButtonArt;
using skins::skinPixels;

SchemeArt::SchemeArt(Scheme scheme) : layout_(skins::skinLayout(scheme)) {}

QRect SchemeArt::buttonRect(SkinButton button) const {
  const skins::ButtonPlace& place = layout_.buttons.at(static_cast<std::size_t>(button));
  const QRect box = skinPixels(place.box);
  switch (place.art.kind) {
    case ButtonArt::Kind::File:
      return QRect(box.topLeft(), box.isEmpty() ? fileButtonSize(button) : box.size());
    case ButtonArt::Kind::Cut:
      // The box clips the cut picture when it is the smaller.
      return QRect(box.topLeft(), box.size().boundedTo(place.art.cut.size()));
    case ButtonArt::Kind::Hidden:
      break;
  }
  return {};
}

QRect SchemeArt::movieRect() const { return skinPixels(layout_.movie); }

QRect SchemeArt::catalogRect() const { return skinPixels(layout_.catalog); }

QSize SchemeArt::fileButtonSize(SkinButton) const { return {}; }

std::vector<Picture> SchemeArt::extraPictures(int) const { return {}; }

std::unique_ptr<SchemeArt> makeSchemeArt(Scheme scheme) {
  switch (scheme) {
    case Scheme::Canvas:
      return makeCanvasArt();
    case Scheme::Face:
      return makeFaceArt();
    case Scheme::Love:
      return makeLoveArt();
  }
  return nullptr;
}

std::vector<SkinButton> shownButtons(const SchemeArt& art) {
  std::vector<SkinButton> shown;
  for (int i = 0; i < skins::kSkinButtons; ++i) {
    const auto button = static_cast<SkinButton>(i);
    if (!art.buttonRect(button).isEmpty()) shown.push_back(button);
  }
  return shown;
}

}  // namespace quelvo::skinart
