// The sound fuzz work: the input is the body of every sound tag in turn, then
// drives the decoders and the mixer:
//   format byte (codec, rate, size, channels, as in a DefineSound),
//   u16 packet size (0: the data is one packet),
//   u8 flags (1 in point, 2 out point, 4 envelope), u32 in, u32 out, u16 loops,
//   u8 envelope points (up to 8), each u32 position, u16 left, u16 right,
//   u8 volume, u8 pan,
//   then the sound data.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "FuzzEntries.h"
#include "FuzzInput.h"
#include "swf/format/Sound.h"
#include "swf/format/TagCodes.h"
#include "swf/sound/AdpcmDecoder.h"
#include "swf/sound/Mixer.h"
#include "swf/sound/PcmDecoder.h"
#include "swf/sound/SoundDecoder.h"

namespace quelvo::fuzz {
namespace {

using namespace quelvo::swf;

// Enough for several seconds of any codec, few enough to keep runs fast.
constexpr std::size_t kMaxFrames = std::size_t{1} << 18;
constexpr std::size_t kMixChunkFrames = 1024;
constexpr int kMixChunks = 4;
constexpr std::size_t kMaxEnvelopePoints = 8;

SoundFormat formatOf(std::uint8_t byte) {
  SoundFormat format;
  format.codec = std::uint8_t(byte >> 4);
  format.rateCode = std::uint8_t((byte >> 2) & 3);
  format.sixteenBit = (byte & 2) != 0;
  format.stereo = (byte & 1) != 0;
  return format;
}

TagRecord tagOf(std::uint16_t code, std::span<const std::uint8_t> body) {
  return TagRecord{code, 6, 0, body};
}

unsigned readTags(std::span<const std::uint8_t> bytes, const SoundFormat& format) {
  unsigned sum = 0;
  if (const auto sound = readDefineSound(tagOf(tags::DefineSound, bytes))) {
    sum += sound->format.codec + unsigned(sound->data.size());
  }
  for (const std::uint16_t code : {tags::StartSound, tags::StartSound2}) {
    if (const auto start = readStartSound(tagOf(code, bytes))) {
      sum += unsigned(start->info.envelope.size() + start->className.size());
    }
  }
  for (const std::uint16_t code : {tags::SoundStreamHead, tags::SoundStreamHead2}) {
    if (const auto head = readSoundStreamHead(tagOf(code, bytes))) {
      sum += head->samplesPerBlock;
      if (const auto block =
              readSoundStreamBlock(tagOf(tags::SoundStreamBlock, bytes), head->format)) {
        sum += unsigned(block->data.size());
      }
    }
  }
  if (const auto block = readSoundStreamBlock(tagOf(tags::SoundStreamBlock, bytes), format)) {
    sum += block->sampleCount;
  }
  if (const auto sounds = readButtonSounds(tagOf(tags::DefineButtonSound, bytes))) {
    for (const auto& transition : sounds->transitions) sum += transition.info.loopCount;
  }
  return sum;
}

std::size_t decodeDirectly(std::span<const std::uint8_t> data) {
  std::vector<std::int16_t> out;
  for (const bool stereo : {false, true}) {
    decodeAdpcm(data, stereo, kMaxFrames, out);
    for (const bool sixteenBit : {false, true}) {
      decodePcm(data, sixteenBit, stereo, kMaxFrames, out);
    }
    out.clear();
  }
  return out.size();
}

std::vector<std::span<const std::uint8_t>> packetsOf(std::span<const std::uint8_t> data,
                                                     std::size_t packetBytes) {
  std::vector<std::span<const std::uint8_t>> packets;
  if (packetBytes == 0) packetBytes = std::max<std::size_t>(data.size(), 1);
  for (std::size_t offset = 0; offset < data.size(); offset += packetBytes) {
    packets.push_back(data.subspan(offset, std::min(packetBytes, data.size() - offset)));
  }
  return packets;
}

SoundInfo soundInfoOf(FuzzInput& input) {
  SoundInfo info;
  const std::uint8_t flags = input.u8();
  const std::uint32_t in = input.u32();
  const std::uint32_t out = input.u32();
  if (flags & 1) info.inPoint = in;
  if (flags & 2) info.outPoint = out;
  info.loopCount = input.u16();
  const std::size_t points = std::min<std::size_t>(input.u8(), kMaxEnvelopePoints);
  for (std::size_t i = 0; (flags & 4) && i < points; ++i) {
    EnvelopePoint point;
    point.position = input.u32();
    point.left = input.u16();
    point.right = input.u16();
    info.envelope.push_back(point);
  }
  return info;
}

std::int64_t mix(std::shared_ptr<const DecodedSound> sound, SoundInfo info,
                 const SoundTransform& transform) {
  Mixer mixer;
  Voice voice;
  voice.sound = std::move(sound);
  voice.soundId = 1;
  voice.owners = {7};
  voice.info = std::move(info);
  mixer.setTransform(7, transform);
  if (!mixer.start(voice)) return 0;
  mixer.start(voice);  // a second voice of the same sound on top
  std::vector<std::int16_t> out(kMixChunkFrames * 2);
  std::int64_t sum = 0;
  for (int chunk = 0; chunk < kMixChunks; ++chunk) {
    mixer.mix(out);
    for (const std::int16_t sample : out) sum += sample;
    mixer.skip(kMixChunkFrames / 2);
  }
  return sum;
}

}  // namespace

void fuzzSound(std::span<const std::uint8_t> bytes) {
  FuzzInput input(bytes);
  const SoundFormat format = formatOf(input.u8());
  const std::size_t packetBytes = input.u16();
  SoundInfo info = soundInfoOf(input);
  SoundTransform transform;
  transform.volume = input.u8();
  transform.lr = transform.rl = input.u8();
  const std::span<const std::uint8_t> data = input.rest();

  volatile std::int64_t sink = readTags(bytes, format) + decodeDirectly(data);
  const auto packets = packetsOf(data, packetBytes);
  auto decoded = decodeSound(format, packets, kMaxFrames);
  if (!decoded) {
    sink = sink + std::int64_t(decoded.error().describe().size());
    return;
  }
  sink = sink + std::int64_t(decoded->packetStarts.size() + outputLength(*decoded));
  sink = sink +
         mix(std::make_shared<const DecodedSound>(std::move(*decoded)), std::move(info), transform);
}

}  // namespace quelvo::fuzz
