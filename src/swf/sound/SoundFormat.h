#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quelvo::swf {

// The codec numbers of SWF sound data (the 4-bit SoundFormat field).
enum class SoundCodec : std::uint8_t {
  PcmNativeEndian = 0,  // read as little-endian, as every player does
  Adpcm = 1,
  Mp3 = 2,
  PcmLittleEndian = 3,
  Nellymoser16k = 4,
  Nellymoser8k = 5,
  Nellymoser = 6,
  Speex = 11,
};

// How a DefineSound's or a stream's data is stored.
struct SoundFormat {
  std::uint8_t codec = 0;     // a SoundCodec value; unknown values are kept as read
  std::uint8_t rateCode = 0;  // 0: 5512.5 Hz, 1: 11 025, 2: 22 050, 3: 44 100
  bool sixteenBit = true;     // PCM and ADPCM output only; compressed codecs are 16-bit
  bool stereo = false;

  // The rate of the samples the data decodes to: Nellymoser 8k/16k and Speex have their own
  // fixed rates; MP3 data may carry another rate in its frames, which the decoder reports.
  double sampleRate() const;
};

// Decoded sound: 16-bit samples interleaved by channel.
struct DecodedSound {
  std::vector<std::int16_t> samples;
  int channels = 1;
  double sampleRate = 44100;
  // For each packet handed to the decoder, the sample frame where its output begins.
  std::vector<std::size_t> packetStarts;

  std::size_t frames() const { return channels > 0 ? samples.size() / std::size_t(channels) : 0; }
};

}  // namespace quelvo::swf
