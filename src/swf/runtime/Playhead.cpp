#include "swf/runtime/Playhead.h"

#include <algorithm>

namespace quelvo::swf {

Playhead::Playhead(std::size_t frameCount) : count_(std::max<std::size_t>(frameCount, 1)) {}

void Playhead::moveTo(std::size_t frame) {
  current_ = std::min(frame, lastFrame());
  restartPending_ = false;
}

void Playhead::play() {
  if (!playing_ && current_ == lastFrame() && count_ > 1) restartPending_ = true;
  playing_ = true;
}

void Playhead::stop() {
  playing_ = false;
  restartPending_ = false;
}

void Playhead::gotoFrame(std::size_t frame) { moveTo(frame); }

void Playhead::back() {
  stop();
  moveTo(current_ > 0 ? current_ - 1 : 0);
}

void Playhead::forward() {
  stop();
  moveTo(current_ + 1);
}

void Playhead::rewind() {
  stop();
  moveTo(0);
}

bool Playhead::advance() {
  if (!playing_) return false;
  if (current_ < lastFrame()) {
    moveTo(current_ + 1);
    return true;
  }
  if (loop_ || restartPending_) {
    const bool changed = current_ != 0;
    moveTo(0);
    return changed;
  }
  playing_ = false;
  return false;
}

}  // namespace quelvo::swf
