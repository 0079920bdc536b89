#pragma once

#include <cstddef>
#include <deque>
#include <map>
#include <optional>
#include <utility>

#include "swf/avm1/Host.h"
#include "swf/avm1/Object.h"

namespace quelvo::swf::avm1 {

class Marker;

// A Sound object: the clip whose sounds it controls (kNoClip for all), the
// sound attachSound or loadSound gave it, and its last start.
class SoundObject : public Object {
 public:
  SoundObject(const ObjectInit& init, ClipHandle target)
      : Object(ObjectKind::Sound, init), target(target) {}

  ClipHandle target;
  SoundId sound = 0;
  SoundChannel channel = 0;  // the last start, while it plays
  double positionMs = 0;     // where the last start was when it ended
};

// What Sound objects wait for: the end of each channel they started, and
// the onLoad call due after a loadSound. Keeps those objects alive meanwhile.
class SoundEvents {
 public:
  // onLoad calls waiting at once; a script loading in a loop gets no more.
  static constexpr std::size_t kMaxPendingLoads = 64;

  void started(SoundChannel channel, SoundObject* sound) { playing_[channel] = sound; }
  // The object that started the channel, no longer waiting; nullptr for none.
  SoundObject* ended(SoundChannel channel);
  void loaded(SoundObject* sound, bool success) {
    if (loads_.size() < kMaxPendingLoads) loads_.emplace_back(sound, success);
  }
  // The oldest load not yet announced, no longer waiting; the others stay
  // alive while its handler runs.
  std::optional<std::pair<SoundObject*, bool>> takeLoad();
  std::size_t pendingLoads() const { return loads_.size(); }
  void mark(Marker& marker) const;

 private:
  std::map<SoundChannel, SoundObject*> playing_;
  std::deque<std::pair<SoundObject*, bool>> loads_;
};

}  // namespace quelvo::swf::avm1
