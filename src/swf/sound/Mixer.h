#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "swf/format/Sound.h"
#include "swf/sound/DecodedSound.h"

namespace quelvo::swf {

// The rate everything is mixed at: sample positions of in and out points,
// envelopes and the frame clock all count at this rate.
inline constexpr int kOutputRate = 44100;

// The output sample where frame `frame` starts at frameRate frames per second.
std::uint64_t frameStartSample(std::uint64_t frame, double frameRate);

// One playing sound: decoded data at its own rate, played at the output rate
// by linear interpolation, from its in point to its out point, as many times
// as its loop count says, shaped by its envelope.
struct Voice {
  std::shared_ptr<const DecodedSound> sound;
  std::uint16_t soundId = 0;  // 0 for a stream
  std::uint64_t stream = 0;   // the timeline whose stream this is; 0 for an event sound
  SoundInfo info;
  std::uint64_t position = 0;  // output samples from the sound's start, in the current loop
  float volume = 1;            // 0..1, from a script's Sound object
  float pan = 0;               // -1 left .. 1 right
};

// Mixes voices into 16-bit stereo at kOutputRate, adding in 32 bits and
// clipping once at the end, so loud mixes saturate instead of wrapping.
class Mixer {
 public:
  // Starts a voice at its in point (or at `position` when that is later).
  void start(Voice voice);
  void stopSound(std::uint16_t soundId);
  void stopStream(std::uint64_t stream);
  void stopAll() { voices_.clear(); }
  bool isPlaying(std::uint16_t soundId) const;
  // Where a timeline's stream is, in output samples from the stream's start;
  // nothing when it does not play.
  std::optional<std::uint64_t> streamPosition(std::uint64_t stream) const;
  std::size_t voiceCount() const { return voices_.size(); }

  // Fills out (interleaved left, right) with the next out.size() / 2 sample
  // frames of the mix; voices that end are dropped.
  void mix(std::span<std::int16_t> out);
  // Moves every voice on by `samples` output samples without mixing them, as
  // a player with no sound device does so that sounds still end in time.
  void skip(std::uint64_t samples);

 private:
  std::vector<Voice> voices_;
  std::vector<std::int32_t> sum_;
};

// The number of output samples a decoded sound lasts.
std::uint64_t outputLength(const DecodedSound& sound);

}  // namespace quelvo::swf
