#pragma once

#include <cstddef>
#include <cstdint>

namespace quelvo::swf {

class TimelineInstance;

// Plays the sounds that timelines, buttons and scripts start. The player sets
// one; without one, playback is silent.
class SoundRunner {
 public:
  virtual ~SoundRunner() = default;
  // A timeline shows a frame: playedOn when it went on to it from the frame
  // before, false for a jump, a loop back to the start or a first frame.
  virtual void frameShown(const TimelineInstance& timeline, std::size_t frame, bool playedOn) = 0;
  // The timeline stopped or is gone: its stream sound ends.
  virtual void streamEnds(std::uint64_t timeline) = 0;
  // A button changed state; transition indexes the DefineButtonSound entries.
  virtual void buttonTransition(std::uint16_t button, int transition) = 0;
  virtual void stopAll() = 0;
};

}  // namespace quelvo::swf
