#include "swf/StreamClock.h"

#include "swf/Player.h"
#include "swf/sound/Mixer.h"

namespace quelvo::swf {

std::optional<StreamPace> streamPace(Player& player, std::uint64_t queuedFrames, int maxDue) {
  if (!player.isPlaying()) return std::nullopt;
  const std::optional<std::uint64_t> position = player.rootStreamPosition();
  const StreamSound* stream = player.rootStream();
  if (!position || !stream) return std::nullopt;
  const auto& starts = stream->frameStarts;
  const std::size_t next = player.currentFrame() + 1;
  if (next >= starts.size() || !starts[next]) return std::nullopt;

  const std::uint64_t heard = *position > queuedFrames ? *position - queuedFrames : 0;
  StreamPace pace;
  for (std::size_t frame = next; frame < starts.size() && pace.framesDue < maxDue; ++frame) {
    if (!starts[frame] || *starts[frame] > heard) break;
    ++pace.framesDue;
  }
  if (pace.framesDue == 0) {
    const std::uint64_t wait = *starts[next] - heard;
    pace.msToNext = std::int64_t((wait * 1000 + kOutputRate - 1) / kOutputRate);
  }
  return pace;
}

}  // namespace quelvo::swf
