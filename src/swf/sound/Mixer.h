#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "swf/format/Sound.h"
#include "swf/sound/DecodedSound.h"
#include "swf/sound/SoundTransform.h"

namespace quelvo::swf {

// The rate everything is mixed at: sample positions of in and out points,
// envelopes and the frame clock all count at this rate.
inline constexpr int kOutputRate = 44100;

// The output sample where frame `frame` starts at frameRate frames per second.
std::uint64_t frameStartSample(std::uint64_t frame, double frameRate);

// One playing sound: decoded data at its own rate, played at the output rate
// by linear interpolation, from its in point to its out point, as many times
// as its loop count says, shaped by its envelope and by the Sound transforms
// of its owners and of all sounds.
struct Voice {
  std::shared_ptr<const DecodedSound> sound;
  std::uint16_t soundId = 0;  // 0 for a stream or a sound loaded from a file
  std::uint64_t stream = 0;   // the timeline whose stream this is; 0 for an event sound
  // The clip the sound belongs to, then that clip's parents; none for a sound of no clip.
  std::vector<std::uint64_t> owners;
  std::uint64_t channel = 0;  // a sound a script started, whose end is reported; 0 for others
  SoundInfo info;
  std::uint64_t position = 0;  // output samples from the sound's start, in the current loop
};

// A script's sound that stopped playing: it played to its end, or was
// stopped at position (output samples from the sound's start).
struct EndedChannel {
  std::uint64_t channel = 0;
  bool completed = false;
  std::uint64_t position = 0;
};

// Mixes voices into 16-bit stereo at kOutputRate, adding in 32 bits and
// clipping once at the end, so loud mixes saturate instead of wrapping.
class Mixer {
 public:
  // Starts a voice at its in point (or at `position` when that is later);
  // false when it has nothing to play.
  bool start(Voice voice);
  void stopSound(std::uint16_t soundId);
  void stopStream(std::uint64_t stream);
  // The event sounds of owner and of the clips in it; only those of soundId when given.
  void stopOwned(std::uint64_t owner, std::optional<std::uint16_t> soundId);
  void stopAll();
  bool isPlaying(std::uint16_t soundId) const;
  // Where a timeline's stream is, in output samples from the stream's start;
  // nothing when it does not play.
  std::optional<std::uint64_t> streamPosition(std::uint64_t stream) const;
  // Where a script's sound is, in output samples from the sound's start.
  std::optional<std::uint64_t> channelPosition(std::uint64_t channel) const;
  std::size_t voiceCount() const { return voices_.size(); }
  std::size_t channelCount() const;

  // The transform of owner's sounds, which applies to those of the clips in
  // it too; owner 0 is that of every sound, applied last.
  const SoundTransform& transform(std::uint64_t owner) const;
  void setTransform(std::uint64_t owner, const SoundTransform& transform);
  void forgetTransform(std::uint64_t owner) { transforms_.erase(owner); }

  // The script sounds that ended since the last call, in the order they did.
  std::vector<EndedChannel> takeEnded();

  // Fills out (interleaved left, right) with the next out.size() / 2 sample
  // frames of the mix; voices that end are dropped.
  void mix(std::span<std::int16_t> out);
  // Moves every voice on by `samples` output samples without mixing them, as
  // a player with no sound device does so that sounds still end in time.
  void skip(std::uint64_t samples);

 private:
  // Removes the voices that match, noting the script sounds among them.
  template <typename Ends>
  void drop(Ends ends, bool completed);

  std::vector<Voice> voices_;
  std::vector<std::int32_t> sum_;
  std::map<std::uint64_t, SoundTransform> transforms_;
  std::vector<EndedChannel> ended_;
};

// The number of output samples a decoded sound lasts.
std::uint64_t outputLength(const DecodedSound& sound);

}  // namespace quelvo::swf
