#pragma once

// The monkey test: a movie played headless as fast as it goes while a seeded
// stream of random mouse and key input reaches it between frames, every
// frame drawn and its sound mixed, so that input handling, scripts, drawing
// and the sound decoders all run on what the movie does.

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "swf/model/Movie.h"

namespace quelvo::swf {
class Player;
}

namespace quelvo::tools {

struct MonkeyEvent {
  enum class Kind : std::uint8_t { Move, Press, Release, KeyDown, KeyUp };
  Kind kind = Kind::Move;
  double x = 0, y = 0;  // Move: stage twips
  int keyCode = 0;      // KeyDown, KeyUp: the movie's key code
  int character = 0;    // KeyDown: what the key types, 0 for none

  bool operator==(const MonkeyEvent&) const = default;
};

// The random input, the same for the same seed and stage: moves (mostly near
// the last point, sometimes anywhere on the stage), clicks, drags over
// several frames, and key presses of letters, digits, arrows, space, enter,
// escape and tab, released a frame or two later.
class MonkeyInput {
 public:
  MonkeyInput(const swf::Rect& stage, std::uint32_t seed);
  // The events to send before the next frame.
  std::vector<MonkeyEvent> nextFrame();

 private:
  std::uint32_t below(std::uint32_t bound) { return random_() % bound; }
  MonkeyEvent moveNear(double reach);
  MonkeyEvent moveAnywhere();
  MonkeyEvent keyDown();

  swf::Rect stage_;
  std::mt19937 random_;
  double x_, y_;
  int dragMovesLeft_ = 0;  // > 0 while the button is held for a drag
  struct HeldKey {
    int keyCode;
    int framesLeft;
  };
  std::vector<HeldKey> heldKeys_;
};

// Sends one event; returns whether the picture may have changed.
bool send(swf::Player& player, const MonkeyEvent& event);

struct MonkeyOptions {
  long frames = 300;
  std::uint32_t seed = 1;
};

struct MonkeyResult {
  long frames = 0;
  std::uint64_t events = 0;
  // Script entries the engine ended (step budget and the other limits).
  int scriptsStopped = 0;
  double milliseconds = 0;
  double worstFrameMilliseconds = 0;  // one frame's input, tick, sound and drawing
};

// Plays the movie for options.frames frames from its start. Counting the
// stopped scripts turns the movie log on, with its lines swallowed, for the
// run; it is restored to what it was afterwards, lines going to stderr.
MonkeyResult runMonkey(const std::shared_ptr<const swf::Movie>& movie,
                       const MonkeyOptions& options);

}  // namespace quelvo::tools
