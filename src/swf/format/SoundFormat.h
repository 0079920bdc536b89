#pragma once

#include <cstdint>

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

}  // namespace quelvo::swf
