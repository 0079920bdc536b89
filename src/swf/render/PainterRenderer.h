#pragma once

#include <QImage>
#include <QPainter>
#include <QTransform>

#include "swf/render/QPainterBackend.h"
#include "swf/render/Quality.h"
#include "swf/render/Scene.h"

namespace quelvo::swf {

// Draws the frames of one scene with a QPainter, keeping what the QPainter
// backend reuses from frame to frame (paths, tinted bitmaps, scratch
// images). The scene must outlive it.
class PainterRenderer {
 public:
  explicit PainterRenderer(Scene& scene);

  // Draws with the painter's own antialiasing (fast; for the screen).
  // stageToDevice maps stage twips to device pixels. The background is not
  // drawn: fill it with the movie's background colour first.
  void render(QPainter& painter, const QTransform& stageToDevice, Quality quality);
  // Draws over image, antialiasing by sampling coverage on a grid of 2x2
  // (medium) or 4x4 (high, best) points per pixel, the way the reference
  // player does: slower, and closest to its pictures.
  void renderSampled(QImage& image, const QTransform& stageToDevice, Quality quality);

 private:
  // pixelSize: device pixels per output pixel, the thinnest a stroke gets.
  void draw(QPainter& painter, const QTransform& stageToDevice, bool antialias, double pixelSize);

  Scene& scene_;
  QPainterBackend::Caches caches_;
};

}  // namespace quelvo::swf
