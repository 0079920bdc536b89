#include "Monkey.h"

#include <QString>
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <string>

#include "StageImage.h"
#include "swf/Player.h"
#include "swf/base/Log.h"
#include "swf/render/PainterRenderer.h"
#include "swf/sound/Mixer.h"

namespace quelvo::tools {

namespace {

using Clock = std::chrono::steady_clock;

// Per frame: how many events at most, and the chances (in percent) of each
// kind of input.
constexpr std::uint32_t kMaxActionsPerFrame = 4;
constexpr std::uint32_t kFarMovePercent = 20;
constexpr std::uint32_t kClickPercent = 15;
constexpr std::uint32_t kDragPercent = 5;
constexpr std::uint32_t kKeyPercent = 20;
// How far a move near the last point goes, in stage pixels, and how long
// drags and key presses last, in frames.
constexpr double kNearReachPixels = 40;
constexpr int kMaxDragFrames = 8;
constexpr int kMaxKeyFrames = 2;

struct Key {
  int code;
  int character;
};

// Key codes as the movie sees them (Key.getCode) with what they type.
constexpr std::array<Key, 8> kSpecialKeys{{
    {37, 0},    // left
    {38, 0},    // up
    {39, 0},    // right
    {40, 0},    // down
    {32, ' '},  // space
    {13, 13},   // enter
    {27, 27},   // escape
    {9, 9},     // tab
}};

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

MonkeyInput::MonkeyInput(const swf::Rect& stage, std::uint32_t seed)
    : stage_(stage),
      random_(seed),
      x_((double(stage.xMin) + stage.xMax) / 2),
      y_((double(stage.yMin) + stage.yMax) / 2) {}

MonkeyEvent MonkeyInput::moveAnywhere() {
  // A whole number of twips from `from` to `to`.
  const auto across = [this](std::int32_t from, std::int32_t to) {
    if (to <= from) return double(from);
    const std::uint64_t values = std::uint64_t(std::int64_t(to) - from) + 1;
    return double(from + std::int64_t(random_() % values));
  };
  x_ = across(stage_.xMin, stage_.xMax);
  y_ = across(stage_.yMin, stage_.yMax);
  return {MonkeyEvent::Kind::Move, x_, y_};
}

MonkeyEvent MonkeyInput::moveNear(double reach) {
  const auto step = [&] { return (double(below(2001)) / 1000 - 1) * reach * 20; };
  x_ = std::clamp(x_ + step(), double(stage_.xMin), double(std::max(stage_.xMin, stage_.xMax)));
  y_ = std::clamp(y_ + step(), double(stage_.yMin), double(std::max(stage_.yMin, stage_.yMax)));
  return {MonkeyEvent::Kind::Move, x_, y_};
}

MonkeyEvent MonkeyInput::keyDown() {
  MonkeyEvent event{MonkeyEvent::Kind::KeyDown};
  const std::uint32_t pick = below(26 + 10 + std::uint32_t(kSpecialKeys.size()));
  if (pick < 26) {
    event.keyCode = 'A' + int(pick);
    event.character = (below(4) == 0 ? 'A' : 'a') + int(pick);
  } else if (pick < 36) {
    event.keyCode = event.character = '0' + int(pick - 26);
  } else {
    event.keyCode = kSpecialKeys[pick - 36].code;
    event.character = kSpecialKeys[pick - 36].character;
  }
  return event;
}

std::vector<MonkeyEvent> MonkeyInput::nextFrame() {
  std::vector<MonkeyEvent> events;
  // Keys held long enough come up first.
  for (auto held = heldKeys_.begin(); held != heldKeys_.end();) {
    if (--held->framesLeft > 0) {
      ++held;
      continue;
    }
    events.push_back({MonkeyEvent::Kind::KeyUp, 0, 0, held->keyCode});
    held = heldKeys_.erase(held);
  }
  if (dragMovesLeft_ > 0) {
    events.push_back(moveNear(kNearReachPixels));
    if (--dragMovesLeft_ == 0) events.push_back({MonkeyEvent::Kind::Release});
    return events;
  }
  for (std::uint32_t action = below(kMaxActionsPerFrame + 1); action > 0; --action) {
    const std::uint32_t roll = below(100);
    if (roll < kKeyPercent) {
      const MonkeyEvent down = keyDown();
      const bool alreadyHeld = std::any_of(heldKeys_.begin(), heldKeys_.end(), [&](const auto& k) {
        return k.keyCode == down.keyCode;
      });
      if (alreadyHeld) continue;
      events.push_back(down);
      heldKeys_.push_back({down.keyCode, 1 + int(below(kMaxKeyFrames))});
    } else if (roll < kKeyPercent + kClickPercent) {
      events.push_back({MonkeyEvent::Kind::Press});
      events.push_back({MonkeyEvent::Kind::Release});
    } else if (roll < kKeyPercent + kClickPercent + kDragPercent) {
      events.push_back({MonkeyEvent::Kind::Press});
      dragMovesLeft_ = 2 + int(below(kMaxDragFrames - 1));
      return events;
    } else if (roll < kKeyPercent + kClickPercent + kDragPercent + kFarMovePercent) {
      events.push_back(moveAnywhere());
    } else {
      events.push_back(moveNear(kNearReachPixels));
    }
  }
  return events;
}

bool send(swf::Player& player, const MonkeyEvent& event) {
  switch (event.kind) {
    case MonkeyEvent::Kind::Move:
      return player.pointerMove(event.x, event.y);
    case MonkeyEvent::Kind::Press:
      return player.pointerDown();
    case MonkeyEvent::Kind::Release:
      return player.pointerUp();
    case MonkeyEvent::Kind::KeyDown:
      return player.keyDown(event.keyCode, event.character);
    case MonkeyEvent::Kind::KeyUp:
      return player.keyUp(event.keyCode);
  }
  return false;
}

MonkeyResult runMonkey(const std::shared_ptr<const swf::Movie>& movie,
                       const MonkeyOptions& options) {
  namespace movielog = swf::movielog;
  MonkeyResult result;
  const bool logWasOn = movielog::enabled();
  movielog::setSink([&result](const QString& line) {
    if (line.startsWith(QLatin1String("script error: ")) &&
        line.contains(QLatin1String(" stopped")))
      ++result.scriptsStopped;
  });
  movielog::setEnabled(true);

  const auto start = Clock::now();
  swf::Player player(movie);
  swf::PainterRenderer renderer(player);
  std::string error;
  // A stage too large to draw is played without drawing.
  auto image = stageImage(*movie, 1, error);
  if (image) player.setViewSize(image->width(), image->height());
  MonkeyInput input(movie->stageRect(), options.seed);
  const double frameRate = movie->frameRate() > 0 ? movie->frameRate() : 12;
  std::vector<std::int16_t> sound(
      2 * std::size_t(std::max(1.0, std::round(swf::kOutputRate / frameRate))));

  player.autoplay();
  for (long frame = 0; frame < options.frames; ++frame) {
    const auto frameStart = Clock::now();
    if (frame > 0) {
      for (const MonkeyEvent& event : input.nextFrame()) {
        send(player, event);
        ++result.events;
      }
      player.tick();
    }
    player.sounds().mixer().mix(sound);
    if (image) drawStage(player, renderer, *image, 1, swf::Quality::High);
    result.worstFrameMilliseconds =
        std::max(result.worstFrameMilliseconds, millisecondsSince(frameStart));
    ++result.frames;
  }
  result.milliseconds = millisecondsSince(start);

  movielog::takeSummary();
  movielog::setEnabled(logWasOn);
  movielog::setSink({});
  return result;
}

}  // namespace quelvo::tools
