#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "swf/Library.h"
#include "swf/timeline/DisplayList.h"
#include "swf/timeline/Timeline.h"

namespace quelvo::swf {

class TimelineInstance;

// Runs ActionScript on behalf of the timelines (frame actions, button
// actions, clip events). The player sets one when scripts are on; without
// one, actions are skipped.
class ActionRunner {
 public:
  virtual ~ActionRunner() = default;
  // Runs, or queues to run, an action list with clip as its target.
  // actions points into the movie's bytes; offset is its position there.
  virtual void runActions(TimelineInstance& clip, std::span<const std::uint8_t> actions,
                          std::uint64_t offset) = 0;
};

// What every timeline of one playback shares, with the limits that keep a
// hostile movie from running away: sprites nested deeper than kMaxNesting or
// beyond kMaxSpriteInstances live ones are not instantiated (they draw
// nothing), and one step (a tick or a seek) applies at most kStepWork
// display-list tags.
struct PlayContext {
  static constexpr int kMaxNesting = 64;
  static constexpr std::size_t kMaxSpriteInstances = 50000;
  static constexpr std::size_t kStepWork = std::size_t{1} << 21;

  explicit PlayContext(Library& library) : library(library) {}
  void startStep() { workLeft = kStepWork; }

  Library& library;
  ActionRunner* actions = nullptr;
  std::size_t spriteInstances = 0;
  std::size_t workLeft = kStepWork;
};

// The playback state of one timeline (the root's or a sprite instance's): its
// frame and its display list.
//
// Showing the frame after the current one runs that frame's PlaceObject and
// RemoveObject tags. Showing any other frame (a seek, or a loop back to the
// first frame) rebuilds the list by running frames 0..n from an empty list:
// the result is the list that playing frame by frame gives. Objects that are
// in both the old and the new list (same depth, character and placing tag)
// keep their sprite instances with their own frame positions; new sprite
// instances start at their first frame. Buttons keep their instances alike.
class TimelineInstance {
 public:
  TimelineInstance(const Timeline& timeline, PlayContext& context, int nesting);
  ~TimelineInstance();
  TimelineInstance(const TimelineInstance&) = delete;
  TimelineInstance& operator=(const TimelineInstance&) = delete;

  std::size_t frameCount() const { return timeline_.frames.size(); }
  // Before the first showFrame, 0.
  std::size_t currentFrame() const { return current_.value_or(0); }
  const DisplayList& displayList() const { return list_; }

  // Clamped to the timeline. Returns whether the display list changed.
  bool showFrame(std::size_t frame);
  // One tick of a sprite instance: its children first, then its next frame,
  // looping at the end.
  bool advance();
  // One tick for every sprite instance in the display list.
  bool advanceChildren();
  // Whether ticks can still change something: some sprite instance at any
  // level has more than one frame.
  bool animating() const;

 private:
  bool runFrame(std::size_t frame, DisplayList& list, bool instantiate);
  bool rebuild(std::size_t frame);

  const Timeline& timeline_;
  PlayContext& context_;
  int nesting_;
  std::optional<std::size_t> current_;
  DisplayList list_;
};

}  // namespace quelvo::swf
