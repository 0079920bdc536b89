#pragma once

#include <cstddef>

namespace quelvo::swf {

// Position and play state of a timeline; the caller drives it once per frame
// tick with advance(). Frames are 0-based.
class Playhead {
 public:
  explicit Playhead(std::size_t frameCount);  // 0 is taken as 1

  std::size_t current() const { return current_; }
  std::size_t frameCount() const { return count_; }
  bool isPlaying() const { return playing_; }
  bool loop() const { return loop_; }
  void setLoop(bool loop) { loop_ = loop; }

  // Playing from a stop on the last frame restarts the movie at the next
  // advance, even with looping off.
  void play();
  void stop();
  // Clamped to the movie; the play state stays as it was.
  void gotoFrame(std::size_t frame);
  // One frame, clamped; these stop the playhead.
  void back();
  void forward();
  void rewind();  // frame 0, stopped

  // One frame tick: when playing, the next frame; at the last frame, frame 0
  // when looping, else the playhead stops there. Returns whether the frame changed.
  bool advance();

 private:
  std::size_t lastFrame() const { return count_ - 1; }
  void moveTo(std::size_t frame);

  std::size_t count_;
  std::size_t current_ = 0;
  bool playing_ = false;
  bool loop_ = true;
  bool restartPending_ = false;
};

}  // namespace quelvo::swf
