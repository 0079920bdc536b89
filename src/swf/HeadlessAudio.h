#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace quelvo::swf {

class Player;

// The frame rate sound follows: the movie's own, or the player's default
// for a declared rate of 0.
double soundFrameRate(const Player& player);

// Output sample frames that `frames` frames last.
std::uint64_t headlessLength(const Player& player, std::uint64_t frames);

// Plays a movie with no device and no clock: frame f (from 0) runs, then the
// mix of its time, from output sample round(f × 44 100 / rate) up to the next
// frame's start, goes to `sink` as interleaved 16-bit stereo. The player is
// as just made: its first frame is already shown.
void playHeadless(Player& player, std::uint64_t frames,
                  const std::function<void(std::span<const std::int16_t>)>& sink);

}  // namespace quelvo::swf
