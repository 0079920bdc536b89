#include "MoviePlay.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

#include "swf/Player.h"
#include "swf/render/PainterRenderer.h"

namespace quelvo::fuzz {

namespace {

using namespace quelvo::swf;

// Draws the current frame at 40 x 30 pixels, the stage fitted in.
void drawSmall(Player& player, Quality quality) {
  const Movie& movie = player.movie();
  const double scale =
      std::min(40 / std::max(1.0, movie.widthPixels()), 30 / std::max(1.0, movie.heightPixels()));
  QImage image(40, 30, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  PainterRenderer renderer(player);
  renderer.renderSampled(image, player.stageTransform(scale), quality);
  QPainter painter(&image);
  renderer.render(painter, player.stageTransform(scale), Quality::High);
}

}  // namespace

void playMovie(const std::shared_ptr<const swf::Movie>& movie) {
  Player player(movie);
  drawSmall(player, Quality::Medium);
  player.play();
  for (int tick = 0; tick < 4; ++tick) player.tick();
  static_cast<void>(player.animating());
  for (int step = 0; step < 9; ++step) {
    const Rect& stage = player.movie().stageRect();
    player.pointerMove(
        stage.xMin + (static_cast<double>(stage.xMax) - stage.xMin) * (step % 3) / 2,
        stage.yMin + (static_cast<double>(stage.yMax) - stage.yMin) * (step / 3) / 2);
    player.pointerDown();
    player.pointerUp();
  }
  player.keyDown(13);
  player.pointerLeave();
  player.gotoFrame(player.frameCount() - 1);
  player.back();
  drawSmall(player, Quality::Low);
}

}  // namespace quelvo::fuzz
