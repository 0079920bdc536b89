// Fuzz entry point: parses a movie, walks its tag bodies so out-of-range
// spans show up under ASan, then plays it (see MoviePlay.h).

#include <cstddef>
#include <cstdint>
#include <span>

#include "MoviePlay.h"
#include "swf/model/Movie.h"
#include "swf/runtime/FrameClock.h"
#include "swf/runtime/Playhead.h"

namespace {

using namespace quelvo::swf;

unsigned touchFrame(const Frame& frame) {
  unsigned sum = 0;
  for (const TagRecord& record : frame.tags) {
    ByteReader body = record.reader();
    sum += body.u8();
    if (!record.body.empty()) sum += record.body.back();
    body.skip(body.remaining());
  }
  return sum + (frame.label ? static_cast<unsigned>(frame.label->size()) : 0u);
}

unsigned playTimeline(const Timeline& timeline) {
  Playhead playhead(timeline.frames.size());
  playhead.setLoop(false);
  playhead.play();
  unsigned sum = touchFrame(timeline.frames.at(playhead.current()));
  while (playhead.advance()) sum += touchFrame(timeline.frames.at(playhead.current()));
  return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto movie = Movie::parse(std::span<const std::uint8_t>(data, size));
  if (!movie) {
    static_cast<void>(movie.error().describe());
    return 0;
  }
  const Movie& parsed = **movie;
  volatile unsigned sink = playTimeline(parsed.root());
  for (const auto& [id, sprite] : parsed.sprites()) sink = sink + playTimeline(sprite.timeline);
  for (const TagRecord& record : parsed.definitions()) sink = sink + record.reader().remaining();

  FrameClock clock(parsed.frameRate());
  clock.start(0);
  sink = sink + clock.framesDue(clock.nextDueMs()) + parsed.salvageNote().size() +
         static_cast<unsigned>(parsed.widthPixels() + parsed.heightPixels());
  quelvo::fuzz::playMovie(*movie);
  return 0;
}
