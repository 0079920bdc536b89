#include "swf/avm1/Heap.h"

#include <algorithm>

namespace quelvo::swf::avm1 {

void Marker::mark(Object* object) {
  if (object == nullptr || object->marked_) return;
  object->marked_ = true;
  pending_.push_back(object);
}

void Marker::mark(const Value& value) {
  if (value.isObject()) mark(value.asObject());
}

std::size_t Heap::collect(const std::function<void(Marker&)>& markRoots) {
  Marker marker;
  markRoots(marker);
  while (!marker.pending_.empty()) {
    Object* next = marker.pending_.back();
    marker.pending_.pop_back();
    next->traceReferences(marker);
  }
  const auto live = std::partition(objects_.begin(), objects_.end(),
                                   [](const std::unique_ptr<Object>& o) { return o->marked_; });
  const auto freed = static_cast<std::size_t>(objects_.end() - live);
  objects_.erase(live, objects_.end());
  for (const auto& object : objects_) object->marked_ = false;
  return freed;
}

}  // namespace quelvo::swf::avm1
