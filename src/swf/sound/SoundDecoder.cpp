#include "swf/sound/SoundDecoder.h"

#include "swf/base/Log.h"
#include "swf/sound/AdpcmDecoder.h"
#include "swf/sound/CodecAudio.h"
#include "swf/sound/PcmDecoder.h"

namespace quelvo::swf {
namespace {

// Runs decodePacket over the packets in order, noting where each one's output begins. Stops
// decoding once a packet reports it was cut at the frame limit.
template <typename DecodePacket>
bool decodePackets(std::span<const std::span<const std::uint8_t>> packets, DecodedSound& sound,
                   DecodePacket decodePacket) {
  bool complete = true;
  for (const auto packet : packets) {
    sound.packetStarts.push_back(sound.frames());
    if (complete) complete = decodePacket(packet);
  }
  return complete;
}

}  // namespace

Expected<DecodedSound> decodeSound(const SoundFormat& format,
                                   std::span<const std::span<const std::uint8_t>> packets,
                                   std::size_t maxFrames) {
  DecodedSound sound;
  sound.channels = format.stereo ? 2 : 1;
  sound.sampleRate = format.sampleRate();
  const auto codec = static_cast<SoundCodec>(format.codec);
  bool complete = true;

  if (codec == SoundCodec::PcmNativeEndian || codec == SoundCodec::PcmLittleEndian) {
    complete = decodePackets(packets, sound, [&](auto packet) {
      return decodePcm(packet, format.sixteenBit, format.stereo, maxFrames, sound.samples);
    });
  } else if (codec == SoundCodec::Adpcm) {
    complete = decodePackets(packets, sound, [&](auto packet) {
      return decodeAdpcm(packet, format.stereo, maxFrames, sound.samples);
    });
  } else {
    auto opened = CodecAudio::open(format);
    if (!opened) return opened.error();
    CodecAudio& audio = **opened;
    complete = decodePackets(packets, sound, [&](auto packet) {
      const bool fitted = audio.decode(packet, maxFrames, sound.samples);
      // MP3 frames set the layout, which packetStarts counts frames by.
      sound.channels = audio.channels();
      return fitted;
    });
    complete = complete && audio.finish(maxFrames, sound.samples);
    sound.channels = audio.channels();
    sound.sampleRate = audio.sampleRate();
  }

  if (!complete) qCDebug(lcSwf) << "sound cut at" << maxFrames << "sample frames";
  return sound;
}

}  // namespace quelvo::swf
