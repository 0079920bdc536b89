#include "swf/sound/PcmDecoder.h"

#include <algorithm>

namespace quelvo::swf {

bool decodePcm(std::span<const std::uint8_t> data, bool sixteenBit, bool stereo,
               std::size_t maxFrames, std::vector<std::int16_t>& out) {
  const std::size_t channels = stereo ? 2 : 1;
  const std::size_t bytesPerSample = sixteenBit ? 2 : 1;
  const std::size_t framesPresent = data.size() / (bytesPerSample * channels);
  const std::size_t framesHeld = out.size() / channels;
  const std::size_t room = maxFrames > framesHeld ? maxFrames - framesHeld : 0;
  const std::size_t samples = std::min(framesPresent, room) * channels;

  for (std::size_t index = 0; index < samples; ++index) {
    if (sixteenBit) {
      const std::uint8_t* bytes = &data[index * 2];
      out.push_back(std::int16_t(std::uint16_t(bytes[0] | (bytes[1] << 8))));
    } else {
      out.push_back(std::int16_t((int(data[index]) - 128) * 256));
    }
  }
  return framesPresent <= room;
}

}  // namespace quelvo::swf
