#include "swf/sound/ScriptSounds.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "swf/base/Log.h"
#include "swf/sound/SoundDecoder.h"

namespace quelvo::swf {

namespace {

constexpr std::size_t kId3HeaderBytes = 10;
constexpr std::uint8_t kId3FooterFlag = 0x10;

// The file after the ID3v2 tags at its start. A tag's size is four 7-bit
// bytes; one that is not cannot be a tag and is left for the decoder.
std::span<const std::uint8_t> afterId3v2(std::span<const std::uint8_t> file) {
  while (file.size() >= kId3HeaderBytes && file[0] == 'I' && file[1] == 'D' && file[2] == '3') {
    std::size_t size = 0;
    for (std::size_t i = 6; i < kId3HeaderBytes; ++i) {
      if (file[i] & 0x80) return file;
      size = size << 7 | file[i];
    }
    size += kId3HeaderBytes;
    if (file[5] & kId3FooterFlag) size += kId3HeaderBytes;
    file = file.subspan(std::min(size, file.size()));
  }
  return file;
}

}  // namespace

std::uint64_t ScriptSounds::add(Entry entry) {
  const std::uint64_t number = nextSound_++;
  sounds_.emplace(number, std::move(entry));
  return number;
}

std::uint64_t ScriptSounds::defined(std::uint16_t character) {
  if (const auto found = definedNumbers_.find(character); found != definedNumbers_.end()) {
    return found->second;
  }
  auto sound = bank_.sound(character);
  if (!sound) return 0;
  const std::uint64_t number = add({std::move(sound), character});
  definedNumbers_.emplace(character, number);
  return number;
}

std::uint64_t ScriptSounds::loadMp3(std::span<const std::uint8_t> file) {
  SoundFormat format;
  format.codec = std::uint8_t(SoundCodec::Mp3);
  format.rateCode = 3;
  format.stereo = true;
  const std::span<const std::uint8_t> packets[] = {afterId3v2(file)};
  auto decoded =
      decodeSound(format, packets, std::size_t(SoundBank::kMaxSoundSeconds) * kOutputRate);
  if (!decoded || decoded->frames() == 0) {
    if (!decoded) qCInfo(lcSwf) << "loaded sound unplayable:" << decoded.error().describe().c_str();
    return 0;
  }
  const std::uint64_t number = add({std::make_shared<const DecodedSound>(std::move(*decoded)), 0});
  loaded_.push_back(number);
  if (loaded_.size() > kMaxLoaded) {
    sounds_.erase(loaded_.front());
    loaded_.pop_front();
  }
  return number;
}

double ScriptSounds::durationMs(std::uint64_t sound) const {
  const auto found = sounds_.find(sound);
  if (found == sounds_.end()) return 0;
  return double(outputLength(*found->second.sound)) * 1000 / kOutputRate;
}

std::uint64_t ScriptSounds::start(std::uint64_t sound, std::vector<std::uint64_t> owners,
                                  double offsetSeconds, int loops) {
  const auto found = sounds_.find(sound);
  if (found == sounds_.end() || mixer_.channelCount() >= kMaxChannels) return 0;
  const double length = double(outputLength(*found->second.sound));
  const double offset = std::isfinite(offsetSeconds) ? offsetSeconds * kOutputRate : 0;
  Voice voice;
  voice.sound = found->second.sound;
  voice.soundId = found->second.character;
  voice.owners = std::move(owners);
  voice.channel = nextChannel_;
  voice.info.inPoint = std::uint32_t(
      std::clamp(offset, 0.0, std::min(length, double(std::numeric_limits<std::uint32_t>::max()))));
  voice.info.loopCount = std::uint16_t(std::clamp(loops, 1, 0xffff));
  if (!mixer_.start(std::move(voice))) return 0;
  return nextChannel_++;
}

std::optional<double> ScriptSounds::positionMs(std::uint64_t channel) const {
  const auto position = mixer_.channelPosition(channel);
  if (!position) return std::nullopt;
  return double(*position) * 1000 / kOutputRate;
}

}  // namespace quelvo::swf
