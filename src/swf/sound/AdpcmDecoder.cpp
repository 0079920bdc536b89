#include "swf/sound/AdpcmDecoder.h"

#include <algorithm>
#include <array>

#include "swf/io/ByteReader.h"

namespace quelvo::swf {
namespace {

constexpr int kFramesPerPacket = 4096;

constexpr std::array<int, 89> kStepSizes = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,   21,    23,
    25,    28,    31,    34,    37,    41,    45,    50,    55,    60,    66,   73,    80,
    88,    97,    107,   118,   130,   143,   157,   173,   190,   209,   230,  253,   279,
    307,   337,   371,   408,   449,   494,   544,   598,   658,   724,   796,  876,   963,
    1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,  2272,  2499,  2749, 3024,  3327,
    3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,  9493, 10442, 11487,
    12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};

// How far each magnitude moves the step index, by code size 2 to 5.
constexpr std::array<std::array<int, 16>, 4> kIndexChanges = {{
    {-1, 2},
    {-1, -1, 2, 4},
    {-1, -1, -1, -1, 2, 4, 6, 8},
    {-1, -1, -1, -1, -1, -1, -1, -1, 1, 2, 4, 6, 8, 10, 13, 16},
}};

struct ChannelState {
  int predictor = 0;
  int stepIndex = 0;
};

// One code: a sign bit, then magnitude bits worth step, step / 2, ... on top of a base of
// step >> (codeBits - 1), so the difference is about (magnitude + 0.5) * step / 2^(codeBits - 2).
void applyCode(ChannelState& state, unsigned code, unsigned codeBits) {
  const unsigned signBit = 1u << (codeBits - 1);
  const unsigned magnitude = code & (signBit - 1);
  const int step = kStepSizes[std::size_t(state.stepIndex)];
  int difference = step >> (codeBits - 1);
  for (unsigned shift = 0; shift + 1 < codeBits; ++shift) {
    if (magnitude & (signBit >> (shift + 1))) difference += step >> shift;
  }
  const int predicted =
      (code & signBit) ? state.predictor - difference : state.predictor + difference;
  state.predictor = std::clamp(predicted, -32768, 32767);
  state.stepIndex = std::clamp(state.stepIndex + kIndexChanges[codeBits - 2][magnitude], 0, 88);
}

}  // namespace

bool decodeAdpcm(std::span<const std::uint8_t> block, bool stereo, std::size_t maxFrames,
                 std::vector<std::int16_t>& out) {
  const std::size_t channels = stereo ? 2 : 1;
  std::size_t frames = out.size() / channels;
  ByteReader reader(block);
  const unsigned codeBits = reader.ub(2) + 2;
  std::array<ChannelState, 2> states;
  std::array<unsigned, 2> codes{};

  while (true) {
    for (std::size_t channel = 0; channel < channels; ++channel) {
      states[channel].predictor = reader.sb(16);
      states[channel].stepIndex = int(reader.ub(6));
    }
    if (reader.failed()) return true;
    for (int index = 0; index < kFramesPerPacket; ++index) {
      if (index > 0) {
        for (std::size_t channel = 0; channel < channels; ++channel)
          codes[channel] = reader.ub(codeBits);
        if (reader.failed()) return true;
      }
      if (frames >= maxFrames) return false;
      for (std::size_t channel = 0; channel < channels; ++channel) {
        if (index > 0) applyCode(states[channel], codes[channel], codeBits);
        out.push_back(std::int16_t(states[channel].predictor));
      }
      ++frames;
    }
  }
}

}  // namespace quelvo::swf
