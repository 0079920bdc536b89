#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "swf/base/Expected.h"
#include "swf/format/SoundFormat.h"
#include "swf/format/TagRecord.h"

namespace quelvo::swf {

// A DefineSound: its format, its declared length and its data. For MP3 the
// data starts after the SeekSamples field, which is kept apart.
struct SoundDefinition {
  std::uint16_t id = 0;
  SoundFormat format;
  std::uint32_t sampleCount = 0;  // per channel, at the format's rate
  std::int16_t seekSamples = 0;   // MP3 only: samples of decoder delay to skip
  std::span<const std::uint8_t> data;
};

// One point of a sound envelope: a position in 44.1 kHz samples from the
// sound's start and the channel levels there, 0 to 32768.
struct EnvelopePoint {
  std::uint32_t position = 0;
  std::uint16_t left = 32768;
  std::uint16_t right = 32768;
};

// How a StartSound, a button sound or a script starts a sound. In and out
// points count 44.1 kHz samples.
struct SoundInfo {
  bool syncStop = false;
  bool syncNoMultiple = false;
  std::optional<std::uint32_t> inPoint;
  std::optional<std::uint32_t> outPoint;
  std::uint16_t loopCount = 1;  // plays; 0 counts as 1
  std::vector<EnvelopePoint> envelope;
};

// StartSound names the sound by id; StartSound2 by its class name.
struct StartSound {
  std::optional<std::uint16_t> id;
  std::string className;
  SoundInfo info;
};

// SoundStreamHead or SoundStreamHead2: the format of the stream blocks that
// follow on the same timeline.
struct SoundStreamHead {
  SoundFormat format;
  std::uint16_t samplesPerBlock = 0;  // average, per frame
  std::int16_t latencySeek = 0;       // MP3 only
};

// A SoundStreamBlock's sound data. For MP3 the block starts with its sample
// count and seek samples, kept apart from the frames.
struct SoundStreamBlock {
  std::uint16_t sampleCount = 0;  // MP3 only
  std::int16_t seekSamples = 0;   // MP3 only
  std::span<const std::uint8_t> data;
};

// A DefineButtonSound: the sound of each state change, in the order
// over-up to idle, idle to over-up, over-up to over-down, over-down to over-up.
struct ButtonSounds {
  struct Transition {
    std::uint16_t sound = 0;  // 0: none
    SoundInfo info;
  };
  std::uint16_t buttonId = 0;
  std::array<Transition, 4> transitions;
};

bool isSoundFrameTag(std::uint16_t code);  // StartSound(2), stream head and block

Expected<SoundDefinition> readDefineSound(const TagRecord& record);
Expected<StartSound> readStartSound(const TagRecord& record);
Expected<SoundStreamHead> readSoundStreamHead(const TagRecord& record);
// The stream's codec decides whether the block has the MP3 fields.
Expected<SoundStreamBlock> readSoundStreamBlock(const TagRecord& record, const SoundFormat& stream);
Expected<ButtonSounds> readButtonSounds(const TagRecord& record);

}  // namespace quelvo::swf
