#include "swf/avm1/SoundObject.h"

#include "swf/avm1/Heap.h"

namespace quelvo::swf::avm1 {

SoundObject* SoundEvents::ended(SoundChannel channel) {
  const auto found = playing_.find(channel);
  if (found == playing_.end()) return nullptr;
  SoundObject* sound = found->second;
  playing_.erase(found);
  return sound;
}

std::optional<std::pair<SoundObject*, bool>> SoundEvents::takeLoad() {
  if (loads_.empty()) return std::nullopt;
  const auto load = loads_.front();
  loads_.pop_front();
  return load;
}

void SoundEvents::mark(Marker& marker) const {
  for (const auto& [channel, sound] : playing_) marker.mark(sound);
  for (const auto& [sound, success] : loads_) marker.mark(sound);
}

}  // namespace quelvo::swf::avm1
