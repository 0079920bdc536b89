#pragma once

#include <cstdint>
#include <optional>

namespace quelvo::swf {

class Player;

// How the root timeline's stream sound paces it: frames whose blocks are
// already being heard are due now (a picture that fell behind skips to the
// sound), and the next one is due when its block starts to be heard.
struct StreamPace {
  int framesDue = 0;
  std::int64_t msToNext = 0;  // 0 when framesDue > 0
};

// The pace while the root plays its stream, given the sample frames the
// sound device has taken from the mixer but not yet played; at most maxDue
// frames are due at once. Nothing when no stream plays or the next frame has
// no block of it (a movie's last frame, a stream that ended): the frame
// clock paces those.
std::optional<StreamPace> streamPace(Player& player, std::uint64_t queuedFrames, int maxDue);

}  // namespace quelvo::swf
