#include "swf/format/Sound.h"

#include <algorithm>

#include "swf/format/RecordReaders.h"
#include "swf/format/TagCodes.h"

namespace quelvo::swf {

namespace {

// Codec (4 bits), rate code (2), 16-bit flag (1), stereo flag (1).
SoundFormat readSoundFormat(ByteReader& reader) {
  SoundFormat format;
  format.codec = static_cast<std::uint8_t>(reader.ub(4));
  format.rateCode = static_cast<std::uint8_t>(reader.ub(2));
  format.sixteenBit = reader.ub(1) != 0;
  format.stereo = reader.ub(1) != 0;
  reader.alignToByte();
  return format;
}

bool isMp3(const SoundFormat& format) { return format.codec == std::uint8_t(SoundCodec::Mp3); }

SoundInfo readSoundInfo(ByteReader& reader) {
  SoundInfo info;
  reader.ub(2);
  info.syncStop = reader.ub(1) != 0;
  info.syncNoMultiple = reader.ub(1) != 0;
  const bool hasEnvelope = reader.ub(1) != 0;
  const bool hasLoops = reader.ub(1) != 0;
  const bool hasOutPoint = reader.ub(1) != 0;
  const bool hasInPoint = reader.ub(1) != 0;
  reader.alignToByte();
  if (hasInPoint) info.inPoint = reader.u32();
  if (hasOutPoint) info.outPoint = reader.u32();
  if (hasLoops) info.loopCount = std::max<std::uint16_t>(reader.u16(), 1);
  if (hasEnvelope) {
    const std::uint8_t points = reader.u8();
    for (std::uint8_t i = 0; i < points && reader.ok(); ++i) {
      EnvelopePoint point;
      point.position = reader.u32();
      point.left = reader.u16();
      point.right = reader.u16();
      if (reader.ok()) info.envelope.push_back(point);
    }
  }
  return info;
}

}  // namespace

bool isSoundFrameTag(std::uint16_t code) {
  return code == tags::StartSound || code == tags::StartSound2 || code == tags::SoundStreamHead ||
         code == tags::SoundStreamHead2 || code == tags::SoundStreamBlock;
}

Expected<SoundDefinition> readDefineSound(const TagRecord& record) {
  ByteReader reader = record.reader();
  SoundDefinition sound;
  sound.id = reader.u16();
  sound.format = readSoundFormat(reader);
  sound.sampleCount = reader.u32();
  if (isMp3(sound.format)) sound.seekSamples = reader.s16();
  if (reader.failed()) return failure("DefineSound", reader);
  sound.data = reader.bytes(reader.remaining());
  return sound;
}

Expected<StartSound> readStartSound(const TagRecord& record) {
  ByteReader reader = record.reader();
  StartSound start;
  if (record.code == tags::StartSound2) {
    start.className = reader.string();
  } else {
    start.id = reader.u16();
  }
  start.info = readSoundInfo(reader);
  if (reader.failed()) return failure("StartSound", reader);
  return start;
}

Expected<SoundStreamHead> readSoundStreamHead(const TagRecord& record) {
  ByteReader reader = record.reader();
  SoundStreamHead head;
  reader.ub(8);  // the playback format: a hint for the player's output, not needed
  head.format = readSoundFormat(reader);
  head.samplesPerBlock = reader.u16();
  // Some writers leave the latency field out; it only matters for MP3.
  if (isMp3(head.format) && reader.remaining() >= 2) head.latencySeek = reader.s16();
  if (reader.failed()) return failure("SoundStreamHead", reader);
  return head;
}

Expected<SoundStreamBlock> readSoundStreamBlock(const TagRecord& record,
                                                const SoundFormat& stream) {
  ByteReader reader = record.reader();
  SoundStreamBlock block;
  if (isMp3(stream)) {
    block.sampleCount = reader.u16();
    block.seekSamples = reader.s16();
  }
  if (reader.failed()) return failure("SoundStreamBlock", reader);
  block.data = reader.bytes(reader.remaining());
  return block;
}

Expected<ButtonSounds> readButtonSounds(const TagRecord& record) {
  ByteReader reader = record.reader();
  ButtonSounds sounds;
  sounds.buttonId = reader.u16();
  for (auto& transition : sounds.transitions) {
    if (reader.atEnd()) break;  // trailing transitions left out mean no sound
    transition.sound = reader.u16();
    if (transition.sound != 0) transition.info = readSoundInfo(reader);
  }
  if (reader.failed()) return failure("DefineButtonSound", reader);
  return sounds;
}

}  // namespace quelvo::swf
