#include "swf/HeadlessAudio.h"

#include <vector>

#include "swf/Player.h"
#include "swf/runtime/FrameClock.h"

namespace quelvo::swf {

double soundFrameRate(const Player& player) {
  return FrameClock(player.movie().frameRate()).framesPerSecond();
}

std::uint64_t headlessLength(const Player& player, std::uint64_t frames) {
  return frameStartSample(frames, soundFrameRate(player));
}

void playHeadless(Player& player, std::uint64_t frames,
                  const std::function<void(std::span<const std::int16_t>)>& sink) {
  const double rate = soundFrameRate(player);
  std::vector<std::int16_t> block;
  player.autoplay();
  for (std::uint64_t frame = 0; frame < frames; ++frame) {
    if (frame > 0) player.tick();
    const std::uint64_t length = frameStartSample(frame + 1, rate) - frameStartSample(frame, rate);
    block.resize(std::size_t(length) * 2);
    player.sounds().mixer().mix(block);
    sink(block);
  }
}

}  // namespace quelvo::swf
