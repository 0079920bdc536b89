#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "swf/format/Sound.h"
#include "swf/model/Movie.h"
#include "swf/sound/DecodedSound.h"

namespace quelvo::swf {

// A timeline's stream sound, decoded as one piece so that its blocks play
// without gaps, and the output sample where each frame's block begins.
struct StreamSound {
  std::shared_ptr<const DecodedSound> sound;
  std::vector<std::optional<std::uint64_t>> frameStarts;  // by frame; none without a block
};

// The movie's sounds for one playback, decoded on first use and kept. A sound
// that cannot be decoded (an unsupported codec, damaged data) or that claims
// more than kMaxSoundSeconds is logged once and stays silent.
class SoundBank {
 public:
  static constexpr int kMaxSoundSeconds = 20 * 60;

  explicit SoundBank(const Movie& movie);

  // A DefineSound's samples; nullptr when there is none to play.
  std::shared_ptr<const DecodedSound> sound(std::uint16_t id);
  // The sound a StartSound2 names by class, through the movie's SymbolClass.
  std::optional<std::uint16_t> soundOfClass(const std::string& className) const;
  // The sounds of a button's state changes; nullptr when it has none.
  const ButtonSounds* buttonSounds(std::uint16_t button);
  // A timeline's stream, built on first use; nullptr when it has no stream.
  const StreamSound* stream(const Timeline& timeline);

 private:
  std::map<std::uint16_t, TagRecord> definitions_;
  std::map<std::uint16_t, TagRecord> buttonSoundRecords_;
  std::map<std::string, std::uint16_t> classes_;
  std::map<std::uint16_t, std::shared_ptr<const DecodedSound>> sounds_;
  std::map<std::uint16_t, std::optional<ButtonSounds>> buttonSounds_;
  std::map<const Timeline*, std::optional<StreamSound>> streams_;
};

}  // namespace quelvo::swf
