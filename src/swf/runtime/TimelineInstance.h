#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>

#include "swf/model/Library.h"
#include "swf/model/Timeline.h"
#include "swf/runtime/DisplayList.h"
#include "swf/runtime/FieldTexts.h"
#include "swf/runtime/SoundRunner.h"

namespace quelvo::swf {

class TimelineInstance;
class ButtonInstance;

// What scripts made of a button: whether it takes the pointer and keys,
// whether it tracks as a menu (nothing: as its definition says), and whether
// the pointer shows a hand over it.
struct ButtonScripting {
  bool enabled = true;
  std::optional<bool> trackAsMenu;
  bool handCursor = true;
};

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
  // A DoInitAction body (sprite id, then actions) met in clip's frame.
  virtual void runInitActions(TimelineInstance&, std::span<const std::uint8_t>, std::uint64_t) {}
  // A sprite instance was made for placement and is about to show its first frame.
  virtual void clipLoaded(TimelineInstance&, const DisplayObject&) {}
  // A sprite instance's tick, before it moves to its next frame.
  virtual void clipEnteringFrame(TimelineInstance&) {}
  // A sprite instance has gone; only its id is left.
  virtual void clipGone(std::uint64_t) {}
  // A button of holder's list went through a transition (a DefineButton2
  // condition bit): the handlers scripts gave it run.
  virtual void buttonEvent(TimelineInstance& /*holder*/, const ButtonInstance&,
                           std::uint16_t /*condition*/) {}
  virtual ButtonScripting buttonScripting(TimelineInstance& /*holder*/, const ButtonInstance&) {
    return {};
  }
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

  explicit PlayContext(Library& library) : library(library), fields(library.text()) {}
  void startStep() { workLeft = kStepWork; }

  // The live instance with this id, or nullptr.
  TimelineInstance* instance(std::uint64_t id) const {
    const auto found = instances.find(id);
    return found == instances.end() ? nullptr : found->second;
  }

  Library& library;
  FieldTexts fields;
  ActionRunner* actions = nullptr;
  SoundRunner* sounds = nullptr;
  std::size_t spriteInstances = 0;
  std::size_t workLeft = kStepWork;
  // Live instances by id; ids count up from 1 and are never reused.
  std::map<std::uint64_t, TimelineInstance*> instances;
  std::uint64_t nextInstanceId = 1;
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
  TimelineInstance(const Timeline& timeline, PlayContext& context, int nesting,
                   TimelineInstance* parent = nullptr);
  ~TimelineInstance();
  TimelineInstance(const TimelineInstance&) = delete;
  TimelineInstance& operator=(const TimelineInstance&) = delete;

  std::size_t frameCount() const { return timeline_.frames.size(); }
  // Before the first showFrame, 0.
  std::size_t currentFrame() const { return current_.value_or(0); }
  const DisplayList& displayList() const { return list_; }
  DisplayList& displayList() { return list_; }
  const Timeline& timeline() const { return timeline_; }

  // Identity for scripts: never reused within a playback.
  std::uint64_t id() const { return id_; }
  TimelineInstance* parent() const { return parent_; }
  // This instance's entry in its parent's display list; nullptr for the root.
  DisplayObject* placement() const;
  int nesting() const { return nesting_; }

  // Sprite instances play unless a script stops them; the root follows the
  // player's playhead instead.
  bool isPlaying() const { return playing_; }
  void setPlaying(bool playing) { playing_ = playing; }

  // What scripts drew on the clip, drawn below its children.
  const Shape* drawing() const { return drawing_.get(); }
  void setDrawing(std::shared_ptr<const Shape> drawing) { drawing_ = std::move(drawing); }
  // The clip masking this one (setMask), and whether this one masks another.
  std::uint64_t maskId() const { return maskId_; }
  const TimelineInstance* maskClip() const { return context_.instance(maskId_); }
  // The text field masking this one instead, with the timeline whose list holds it.
  struct FieldMask {
    const TimelineInstance* holder = nullptr;
    const DisplayObject* field = nullptr;
  };
  std::optional<FieldMask> maskField() const;
  void setMaskId(std::uint64_t id) { maskId_ = id; }
  bool masksAnother() const { return masking_ > 0; }
  void countMasking(int change) { masking_ += change; }

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

  // Makes the sprite instance of a new object in this list, showing its first
  // frame: the instance of timeline when given, else of the object's sprite.
  void instantiate(DisplayObject& object, const Timeline* timeline = nullptr);

 private:
  bool runFrame(std::size_t frame, DisplayList& list, bool instantiate);
  void runFrameActions(std::size_t frame);
  bool rebuild(std::size_t frame);

  const Timeline& timeline_;
  PlayContext& context_;
  int nesting_;
  TimelineInstance* parent_;
  std::uint64_t id_;
  std::optional<std::size_t> current_;
  DisplayList list_;
  bool playing_ = true;
  std::shared_ptr<const Shape> drawing_;
  std::uint64_t maskId_ = 0;
  int masking_ = 0;
};

}  // namespace quelvo::swf
