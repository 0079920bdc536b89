#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quelvo::swf {

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
