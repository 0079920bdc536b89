#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "support/SwfWriter.h"
#include "swf/HeadlessAudio.h"
#include "swf/Player.h"

namespace quelvo::swf {

using swftest::pcm16;

// One channel (0 left, 1 right) of interleaved stereo, sample frames from..to.
inline std::vector<std::int16_t> channelOf(const std::vector<std::int16_t>& stereo, int channel,
                                           std::size_t from = 0, std::size_t to = SIZE_MAX) {
  std::vector<std::int16_t> samples;
  for (std::size_t i = from; i < std::min(to, stereo.size() / 2); ++i) {
    samples.push_back(stereo[2 * i + std::size_t(channel)]);
  }
  return samples;
}

inline std::vector<std::int16_t> left(const std::vector<std::int16_t>& stereo, std::size_t from = 0,
                                      std::size_t to = SIZE_MAX) {
  return channelOf(stereo, 0, from, to);
}

inline std::vector<std::int16_t> right(const std::vector<std::int16_t>& stereo,
                                       std::size_t from = 0, std::size_t to = SIZE_MAX) {
  return channelOf(stereo, 1, from, to);
}

inline int peak(const std::vector<std::int16_t>& samples) {
  int most = 0;
  for (std::int16_t s : samples) most = std::max(most, std::abs(int(s)));
  return most;
}

// The headless mix of a player's first frames, interleaved stereo.
inline std::vector<std::int16_t> mixed(Player& player, std::uint64_t frames) {
  std::vector<std::int16_t> out;
  playHeadless(player, frames, [&](std::span<const std::int16_t> block) {
    out.insert(out.end(), block.begin(), block.end());
  });
  return out;
}

}  // namespace quelvo::swf
