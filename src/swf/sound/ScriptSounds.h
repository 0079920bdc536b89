#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "swf/sound/DecodedSound.h"
#include "swf/sound/Mixer.h"
#include "swf/sound/SoundBank.h"

namespace quelvo::swf {

// The sounds scripts' Sound objects play: the movie's DefineSounds and MP3
// files a script loaded, each under a number of its own (never 0, never
// reused). Every start is a channel of the mixer, which reports its end.
class ScriptSounds {
 public:
  // Loaded files kept for scripts to start; past this the oldest goes (a
  // channel playing it plays on).
  static constexpr std::size_t kMaxLoaded = 8;
  // Script sounds playing at once; further starts are refused.
  static constexpr std::size_t kMaxChannels = 64;

  ScriptSounds(SoundBank& bank, Mixer& mixer) : bank_(bank), mixer_(mixer) {}

  // The number of a DefineSound; 0 when it has nothing to play.
  std::uint64_t defined(std::uint16_t character);
  // Decodes an MP3 file, after any ID3v2 tag, up to SoundBank::kMaxSoundSeconds
  // at the output rate; 0 when nothing decodes.
  std::uint64_t loadMp3(std::span<const std::uint8_t> file);
  // How long one play of the sound lasts; 0 for an unknown number.
  double durationMs(std::uint64_t sound) const;
  // Plays the sound for the owners (see Voice) from offsetSeconds into it,
  // loops times (once for fewer than 1); each loop starts again at the
  // offset. Returns the channel, 0 when nothing plays.
  std::uint64_t start(std::uint64_t sound, std::vector<std::uint64_t> owners, double offsetSeconds,
                      int loops);
  // Where a playing channel is, from the sound's start.
  std::optional<double> positionMs(std::uint64_t channel) const;

 private:
  struct Entry {
    std::shared_ptr<const DecodedSound> sound;
    std::uint16_t character = 0;  // 0 for a loaded file
  };

  std::uint64_t add(Entry entry);

  SoundBank& bank_;
  Mixer& mixer_;
  std::map<std::uint64_t, Entry> sounds_;
  std::map<std::uint16_t, std::uint64_t> definedNumbers_;
  std::deque<std::uint64_t> loaded_;  // oldest first
  std::uint64_t nextSound_ = 1;
  std::uint64_t nextChannel_ = 1;
};

}  // namespace quelvo::swf
