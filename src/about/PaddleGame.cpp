#include "about/PaddleGame.h"

#include <algorithm>
#include <cmath>

#include "about/GameRecord.h"

namespace quelvo::about {

namespace {

constexpr int kPlankStep = 110;
// The plank moves right only while this far from the right edge.
constexpr int kPlankRightMargin = 45;
// Speeds are 16-bit.
constexpr int kMaxSpeed = 32767;

}  // namespace

PaddleGame::PaddleGame(const GameField& field, int bStartLeft, int bStartTop, Random random)
    : field_(field), random_(std::move(random)) {
  a_.width = b_.width = field.submarineWidth;
  a_.height = b_.height = field.submarineHeight;
  b_.left = bStartLeft;
  b_.top = bStartTop;
  a_.top = -a_.height;
  a_.left = static_cast<int>(random_() * (field.width - a_.width + 1));
  plank_ = {(field.width - field.plankWidth) / 2, field.height - field.plankHeight,
            field.plankWidth, field.plankHeight};
}

int PaddleGame::speedUp(int speed) {
  return std::min(kMaxSpeed, static_cast<int>(std::floor(speed + random_() * 10)));
}

bool PaddleGame::move(Submarine& sub, RightWall rightWall, Catch onCatch) {
  sub.left += sub.speedX;
  sub.top += sub.speedY;
  if (sub.left <= 0) {
    sub.left = 0;
    sub.speedX = -sub.speedX;
  }
  if (sub.top <= 0) {
    sub.top = 0;
    sub.speedY = -sub.speedY;
  }
  if (sub.left >= field_.width - sub.width) {
    if (rightWall == RightWall::SpeedsUp) sub.speedX = speedUp(sub.speedX);
    sub.left = field_.width - sub.width;
    sub.speedX = -sub.speedX;
  }
  if (sub.top >= plank_.top - sub.height) {
    // Touching either end of the plank still counts.
    const bool caught =
        sub.left >= plank_.left - sub.width && sub.left <= plank_.left + plank_.width;
    if (!caught) return false;
    if (onCatch == Catch::SpeedsUp) sub.speedY = speedUp(sub.speedY);
    sub.top = plank_.top - sub.height;
    sub.speedY = -sub.speedY;
    score_ = std::min(score_ + 1, kMaxScore);
  }
  return true;
}

bool PaddleGame::tick() {
  if (!running_) return false;
  running_ = move(a_, RightWall::SpeedsUp, Catch::Bounces) &&
             move(b_, RightWall::Bounces, Catch::SpeedsUp);
  return running_;
}

void PaddleGame::moveLeft() {
  if (running_ && plank_.left >= 0) plank_.left -= kPlankStep;
}

void PaddleGame::moveRight() {
  if (running_ && plank_.left <= field_.width - plank_.width - kPlankRightMargin) {
    plank_.left += kPlankStep;
  }
}

}  // namespace quelvo::about
