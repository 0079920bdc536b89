#pragma once

#include <functional>

namespace quelvo::about {

// A picture on the game field; twips, relative to the field's top-left corner.
struct Sprite {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// A falling submarine and its speeds, in twips per tick.
struct Submarine : Sprite {
  int speedX = 100;
  int speedY = 100;
};

// The sizes the game is played with, in twips.
struct GameField {
  int width = 0;
  int height = 0;
  int submarineWidth = 0;
  int submarineHeight = 0;
  int plankWidth = 0;
  int plankHeight = 0;
};

// The rules of the hidden paddle game, without a window: two submarines fall,
// bounce off the field's walls and must be caught by the plank at the bottom.
// Each catch scores a point; a submarine that passes the plank ends the game.
// Submarine A speeds up sideways at the right wall, submarine B speeds up
// downwards at each catch, each by up to 9 twips per tick.
class PaddleGame {
 public:
  // random gives numbers in [0, 1).
  using Random = std::function<double()>;

  // A new game: B where the about box's icon was (bStartLeft, bStartTop), A
  // just above the field at a random left, the plank on the bottom edge.
  PaddleGame(const GameField& field, int bStartLeft, int bStartTop, Random random);

  // One tick of the game timer. False when it ended the game.
  bool tick();
  // The arrow keys move the plank while the game runs.
  void moveLeft();
  void moveRight();

  bool running() const { return running_; }
  int score() const { return score_; }
  const Submarine& submarineA() const { return a_; }
  const Submarine& submarineB() const { return b_; }
  const Sprite& plank() const { return plank_; }

 private:
  enum class RightWall { SpeedsUp, Bounces };
  enum class Catch { Bounces, SpeedsUp };

  // Moves a submarine one step; false when it passed the plank.
  bool move(Submarine& sub, RightWall rightWall, Catch onCatch);
  int speedUp(int speed);

  GameField field_;
  Random random_;
  Submarine a_;
  Submarine b_;
  Sprite plank_;
  bool running_ = true;
  int score_ = 0;
};

}  // namespace quelvo::about
