#pragma once

#include <QtGlobal>
#include <cstdint>
#include <functional>
#include <span>

namespace quelvo::platform {

// A sound device that pulls 16-bit stereo samples at 44 100 Hz from a source.
class AudioOutput {
 public:
  static constexpr int kRate = 44100;
  // Fills the span (interleaved left, right) with the next samples.
  using Source = std::function<void(std::span<std::int16_t>)>;

  virtual ~AudioOutput() = default;
  // Starts pulling from the source it was opened with, or goes on after suspend().
  virtual void resume() = 0;
  // Stops pulling; the device is left idle (no timers, no callbacks).
  virtual void suspend() = 0;
  virtual bool running() const = 0;
  // 0 (silent) to 1 (full), linear.
  virtual void setVolume(double volume) = 0;
  // Sample frames the source gave that the device has not yet played.
  virtual qint64 queuedFrames() const = 0;
};

}  // namespace quelvo::platform
