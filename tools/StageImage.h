#pragma once

// The stage drawn into an image the way swfrender shows it, shared by the
// tools that draw whole frames.

#include <QColor>
#include <QImage>
#include <cmath>
#include <optional>
#include <string>

#include "swf/Player.h"
#include "swf/model/Movie.h"
#include "swf/render/PainterRenderer.h"

namespace quelvo::tools {

// An image of the stage's size in pixels times scale; nothing, with error
// set, when that is empty or too large to draw.
inline std::optional<QImage> stageImage(const swf::Movie& movie, double scale, std::string& error) {
  constexpr double kMaxPixels = 16384.0 * 16384.0;
  const int width = static_cast<int>(std::lround(movie.widthPixels() * scale));
  const int height = static_cast<int>(std::lround(movie.heightPixels() * scale));
  if (width < 1 || height < 1 || double(width) * height > kMaxPixels) {
    error = "stage of " + std::to_string(width) + "x" + std::to_string(height) +
            " pixels cannot be rendered";
    return std::nullopt;
  }
  return QImage(width, height, QImage::Format_ARGB32_Premultiplied);
}

// Fills image with the background colour and draws the player's frame over
// it at scale times the stage size.
inline void drawStage(swf::Player& player, swf::PainterRenderer& renderer, QImage& image,
                      double scale, swf::Quality quality) {
  const auto background = player.movie().backgroundColor();
  image.fill(QColor(background.red, background.green, background.blue));
  renderer.renderSampled(image, player.stageTransform(scale), quality);
}

}  // namespace quelvo::tools
