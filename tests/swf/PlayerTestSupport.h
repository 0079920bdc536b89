#pragma once

#include <QImage>
#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "MovieTestSupport.h"
#include "swf/Player.h"
#include "swf/render/PainterRenderer.h"

namespace quelvo::swf {

// A comparable picture of a display list: one line per object, sprites
// with their own frame and children indented below them.
inline void describeList(const DisplayList& list, std::vector<std::string>& lines,
                         const std::string& indent = {}) {
  for (const auto& [depth, object] : list.objects()) {
    const auto& m = object.matrix;
    std::string line = indent + std::to_string(depth) + ": #" + std::to_string(object.character) +
                       " at " + std::to_string(m.translateX) + "," + std::to_string(m.translateY) +
                       " scale " + std::to_string(m.scaleX) + " alpha " +
                       std::to_string(object.colorTransform.multiply[3]) + " ratio " +
                       std::to_string(object.ratio) + " name " + object.name + " clip " +
                       std::to_string(object.clipDepth);
    if (object.sprite) line += " frame " + std::to_string(object.sprite->currentFrame());
    lines.push_back(line);
    if (object.sprite) describeList(object.sprite->displayList(), lines, indent + "  ");
  }
}

inline std::vector<std::string> describe(const Player& player) {
  std::vector<std::string> lines;
  describeList(player.displayList(), lines);
  return lines;
}

// A movie of 100 x 100 pixels.
inline swftest::MovieOptions smallStage() {
  swftest::MovieOptions options;
  options.stage = {0, 2000, 0, 2000};
  return options;
}

inline std::unique_ptr<Player> playerFor(const swftest::TagStream& tags,
                                         const swftest::MovieOptions& options = smallStage()) {
  auto movie = parseOk(options, tags);
  return movie ? std::make_unique<Player>(movie) : nullptr;
}

// A picture of the stage at scale times its size, filled with the movie's background.
inline QImage backgroundImage(const Movie& movie, double scale) {
  QImage image(static_cast<int>(movie.widthPixels() * scale),
               static_cast<int>(movie.heightPixels() * scale), QImage::Format_ARGB32_Premultiplied);
  const Rgb background = movie.backgroundColor();
  image.fill(QColor(background.red, background.green, background.blue));
  return image;
}

// Renders the stage at its own size over the movie's background, antialiased
// by sampling (as the reference pictures are made).
inline QImage renderStage(Player& player, Quality quality = Quality::Low, double scale = 1) {
  QImage image = backgroundImage(player.movie(), scale);
  PainterRenderer(player).renderSampled(image, player.stageTransform(scale), quality);
  return image;
}

// The same with the painter's own antialiasing, as the screen is drawn.
inline QImage renderStageDirectly(Player& player, Quality quality) {
  QImage image = backgroundImage(player.movie(), 1);
  QPainter painter(&image);
  PainterRenderer(player).render(painter, player.stageTransform(1), quality);
  return image;
}

inline std::tuple<int, int, int> rgbAt(const QImage& image, int x, int y) {
  const QRgb pixel = image.pixel(x, y);
  return {qRed(pixel), qGreen(pixel), qBlue(pixel)};
}

}  // namespace quelvo::swf
