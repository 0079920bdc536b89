#include "swf/avm1/LoadEvents.h"

#include <utility>

#include "swf/avm1/Heap.h"

namespace quelvo::swf::avm1 {

bool LoadEvents::loadData(Object* target, const QString& url) {
  if (data_.size() >= kMaxPendingData) return false;
  data_.push_back({target, url});
  return true;
}

std::optional<LoadEvents::DataLoad> LoadEvents::takeDataLoad() {
  if (data_.empty()) return std::nullopt;
  DataLoad load = std::move(data_.front());
  data_.pop_front();
  return load;
}

std::uint64_t LoadEvents::startClipLoad(Object* loader) {
  if (clips_.size() >= kMaxPendingClips) return 0;
  const std::uint64_t id = nextClipLoad_++;
  clips_[id] = loader;
  return id;
}

Object* LoadEvents::clipLoader(std::uint64_t id) const {
  const auto found = clips_.find(id);
  return found == clips_.end() ? nullptr : found->second;
}

void LoadEvents::mark(Marker& marker) const {
  for (const DataLoad& load : data_) marker.mark(load.target);
  for (const auto& [id, loader] : clips_) marker.mark(loader);
}

}  // namespace quelvo::swf::avm1
