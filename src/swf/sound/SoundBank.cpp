#include "swf/sound/SoundBank.h"

#include <algorithm>

#include "swf/base/Log.h"
#include "swf/format/NamedCharacters.h"
#include "swf/format/TagCodes.h"
#include "swf/sound/Mixer.h"
#include "swf/sound/SoundDecoder.h"

namespace quelvo::swf {

namespace {

std::uint16_t characterId(const TagRecord& record) {
  return record.body.size() < 2 ? 0 : std::uint16_t(record.body[0] | record.body[1] << 8);
}

std::size_t maxFrames(const SoundFormat& format) {
  return std::size_t(format.sampleRate() * SoundBank::kMaxSoundSeconds);
}

// Drops `count` sample frames from the start (MP3 decoder delay) and keeps at
// most `keep` after them.
void trim(DecodedSound& sound, std::size_t count, std::size_t keep) {
  const auto channels = std::size_t(sound.channels);
  const std::size_t skipped = std::min(count, sound.frames());
  sound.samples.erase(sound.samples.begin(),
                      sound.samples.begin() + std::ptrdiff_t(skipped * channels));
  if (sound.frames() > keep) sound.samples.resize(keep * channels);
}

std::shared_ptr<const DecodedSound> decodeDefinition(const TagRecord& record) {
  const auto definition = readDefineSound(record);
  if (!definition) {
    qCDebug(lcSwf) << "unreadable sound" << definition.error().describe().c_str();
    return nullptr;
  }
  const SoundFormat& format = definition->format;
  if (definition->sampleCount > maxFrames(format)) {
    qCDebug(lcSwf) << "sound" << definition->id << "refused: it claims" << definition->sampleCount
                   << "samples";
    return nullptr;
  }
  const std::span<const std::uint8_t> packets[] = {definition->data};
  const std::size_t skip = std::size_t(std::max<std::int16_t>(definition->seekSamples, 0));
  auto decoded = decodeSound(format, packets, maxFrames(format) + skip);
  if (!decoded) {
    qCInfo(lcSwf) << "sound" << definition->id
                  << "plays silent:" << decoded.error().describe().c_str();
    return nullptr;
  }
  // Compressed data may decode to more than the declared length; the
  // declared count is what plays. Rate-changing codecs report their own.
  const bool declaredRate = decoded->sampleRate == format.sampleRate();
  const std::size_t keep =
      declaredRate && definition->sampleCount > 0 ? definition->sampleCount : decoded->frames();
  trim(*decoded, skip, keep);
  if (decoded->frames() == 0) return nullptr;
  return std::make_shared<const DecodedSound>(std::move(*decoded));
}

std::optional<StreamSound> decodeStream(const Timeline& timeline) {
  std::optional<SoundStreamHead> head;
  std::vector<std::span<const std::uint8_t>> packets;
  std::vector<std::size_t> blockFrames;
  std::vector<std::int16_t> blockSeeks;
  for (std::size_t f = 0; f < timeline.frames.size(); ++f) {
    for (const TagRecord& record : timeline.frames[f].tags) {
      if (!head &&
          (record.code == tags::SoundStreamHead || record.code == tags::SoundStreamHead2)) {
        if (auto read = readSoundStreamHead(record)) head = *read;
      } else if (head && record.code == tags::SoundStreamBlock &&
                 (blockFrames.empty() || blockFrames.back() != f)) {  // one block per frame
        const auto block = readSoundStreamBlock(record, head->format);
        if (!block || block->data.empty()) continue;
        packets.push_back(block->data);
        blockFrames.push_back(f);
        blockSeeks.push_back(block->seekSamples);
      }
    }
  }
  if (!head || packets.empty()) return std::nullopt;
  auto decoded = decodeSound(head->format, packets, maxFrames(head->format));
  if (!decoded || decoded->frames() == 0) {
    if (!decoded) qCInfo(lcSwf) << "stream plays silent:" << decoded.error().describe().c_str();
    return std::nullopt;
  }
  StreamSound stream;
  stream.frameStarts.resize(timeline.frames.size());
  const double toOutput = kOutputRate / decoded->sampleRate;
  // An MP3 block's frame sound begins SeekSamples into what the block
  // decodes to (the encoder's delay, in the first block).
  const auto decodedFrames = std::int64_t(decoded->frames());
  for (std::size_t k = 0; k < blockFrames.size() && k < decoded->packetStarts.size(); ++k) {
    const std::int64_t start = std::clamp<std::int64_t>(
        std::int64_t(decoded->packetStarts[k]) + blockSeeks[k], 0, decodedFrames);
    stream.frameStarts[blockFrames[k]] = std::uint64_t(std::llround(double(start) * toOutput));
  }
  stream.sound = std::make_shared<const DecodedSound>(std::move(*decoded));
  return stream;
}

}  // namespace

SoundBank::SoundBank(const Movie& movie) {
  for (const TagRecord& record : movie.definitions()) {
    if (record.code == tags::DefineSound) definitions_.try_emplace(characterId(record), record);
    if (record.code == tags::DefineButtonSound) {
      buttonSoundRecords_.try_emplace(characterId(record), record);
    }
  }
  for (const Frame& frame : movie.frames()) {
    for (const TagRecord& record : frame.tags) {
      if (record.code != tags::SymbolClass) continue;
      for (const NamedCharacter& named : readNamedCharacters(record)) {
        classes_.try_emplace(named.name, named.id);
      }
    }
  }
}

std::shared_ptr<const DecodedSound> SoundBank::sound(std::uint16_t id) {
  const auto [entry, added] = sounds_.try_emplace(id);
  if (added) {
    const auto record = definitions_.find(id);
    if (record != definitions_.end()) entry->second = decodeDefinition(record->second);
  }
  return entry->second;
}

std::optional<std::uint16_t> SoundBank::soundOfClass(const std::string& className) const {
  const auto found = classes_.find(className);
  if (found == classes_.end()) return std::nullopt;
  return found->second;
}

const ButtonSounds* SoundBank::buttonSounds(std::uint16_t button) {
  const auto [entry, added] = buttonSounds_.try_emplace(button);
  if (added) {
    const auto record = buttonSoundRecords_.find(button);
    if (record != buttonSoundRecords_.end()) {
      if (auto read = readButtonSounds(record->second)) entry->second = std::move(*read);
    }
  }
  return entry->second ? &*entry->second : nullptr;
}

const StreamSound* SoundBank::stream(const Timeline& timeline) {
  const auto [entry, added] = streams_.try_emplace(&timeline);
  if (added) entry->second = decodeStream(timeline);
  return entry->second ? &*entry->second : nullptr;
}

}  // namespace quelvo::swf
