// Fuzz entry point: parses a movie, walks its tag bodies so out-of-range
// spans show up under ASan, then plays it: a Player ticks a few frames, seeks,
// and draws frames into a small image both ways (sampled and direct), with
// the pointer pressed across the stage in between.

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "swf/Player.h"
#include "swf/model/Movie.h"
#include "swf/render/PainterRenderer.h"
#include "swf/runtime/FrameClock.h"
#include "swf/runtime/Playhead.h"

namespace {

using namespace quelvo::swf;

unsigned touchFrame(const Frame& frame) {
  unsigned sum = 0;
  for (const TagRecord& record : frame.tags) {
    ByteReader body = record.reader();
    sum += body.u8();
    if (!record.body.empty()) sum += record.body.back();
    body.skip(body.remaining());
  }
  return sum + (frame.label ? static_cast<unsigned>(frame.label->size()) : 0u);
}

unsigned playTimeline(const Timeline& timeline) {
  Playhead playhead(timeline.frames.size());
  playhead.setLoop(false);
  playhead.play();
  unsigned sum = touchFrame(timeline.frames.at(playhead.current()));
  while (playhead.advance()) sum += touchFrame(timeline.frames.at(playhead.current()));
  return sum;
}

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

void play(const std::shared_ptr<const Movie>& movie) {
  Player player(movie);
  drawSmall(player, Quality::Medium);
  player.play();
  for (int tick = 0; tick < 4; ++tick) player.tick();
  static_cast<void>(player.animating());
  for (int step = 0; step < 9; ++step) {
    const Rect& stage = player.movie().stageRect();
    player.pointerMove(stage.xMin + (stage.xMax - stage.xMin) * (step % 3) / 2.0,
                       stage.yMin + (stage.yMax - stage.yMin) * (step / 3) / 2.0);
    player.pointerDown();
    player.pointerUp();
  }
  player.keyDown(13);
  player.pointerLeave();
  player.gotoFrame(player.frameCount() - 1);
  player.back();
  drawSmall(player, Quality::Low);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto movie = Movie::parse(std::span<const std::uint8_t>(data, size));
  if (!movie) {
    static_cast<void>(movie.error().describe());
    return 0;
  }
  const Movie& parsed = **movie;
  volatile unsigned sink = playTimeline(parsed.root());
  for (const auto& [id, sprite] : parsed.sprites()) sink = sink + playTimeline(sprite.timeline);
  for (const TagRecord& record : parsed.definitions()) sink = sink + record.reader().remaining();

  FrameClock clock(parsed.frameRate());
  clock.start(0);
  sink = sink + clock.framesDue(clock.nextDueMs()) + parsed.salvageNote().size() +
         static_cast<unsigned>(parsed.widthPixels() + parsed.heightPixels());
  play(*movie);
  return 0;
}
