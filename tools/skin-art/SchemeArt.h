#pragma once

#include <QImage>
#include <QPainter>
#include <QString>
#include <memory>
#include <vector>

#include "skins/SkinLayout.h"

namespace quelvo::skinart {

using skins::Scheme;
using skins::SkinButton;
using skins::SkinLayout;

// A picture file of a scheme's folder.
struct Picture {
  QString name;
  QImage image;
};

// One scheme's drawing: its frame picture, the face of each button and any
// picture beyond those. Where things go comes from the scheme's SkinLayout, so
// the artwork and the placement table cannot disagree.
class SchemeArt {
 public:
  explicit SchemeArt(Scheme scheme);
  virtual ~SchemeArt() = default;

  const SkinLayout& layout() const { return layout_; }
  // The part of the window a button's picture shows on, in frame pixels;
  // empty for a hidden button.
  QRect buttonRect(SkinButton button) const;
  QRect movieRect() const;
  QRect catalogRect() const;

  // The whole window picture, transparent outside the window's shape, drawn
  // at scale device pixels to the pixel.
  virtual QImage frame(int scale) const = 0;
  // Paints a button onto its picture, which already holds the frame under it.
  virtual void paintButton(QPainter& painter, const QRectF& area, SkinButton button,
                           bool pressed) const = 0;
  // The picture size of a file button whose layout box gives only its corner.
  virtual QSize fileButtonSize(SkinButton button) const;
  // Pictures other than the frame, the sheets and the button files, drawn
  // at scale device pixels to the pixel.
  virtual std::vector<Picture> extraPictures(int scale) const;

 private:
  const SkinLayout& layout_;
};

std::unique_ptr<SchemeArt> makeCanvasArt();
std::unique_ptr<SchemeArt> makeFaceArt();
std::unique_ptr<SchemeArt> makeLoveArt();
std::unique_ptr<SchemeArt> makeSchemeArt(Scheme scheme);

// Every button a scheme shows, in layout order.
std::vector<SkinButton> shownButtons(const SchemeArt& art);

}  // namespace quelvo::skinart
