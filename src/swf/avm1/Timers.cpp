#include "swf/avm1/Timers.h"

#include <algorithm>

#include "swf/avm1/Heap.h"

namespace quelvo::swf::avm1 {

int Timers::add(Timer timer) {
  timer.id = nextId_++;
  const int id = timer.id;
  timers_.emplace(id, std::move(timer));
  return id;
}

bool Timers::remove(int id) { return timers_.erase(id) > 0; }

Timer* Timers::find(int id) {
  const auto found = timers_.find(id);
  return found == timers_.end() ? nullptr : &found->second;
}

std::vector<int> Timers::due(double nowMs) const {
  std::vector<const Timer*> due;
  for (const auto& [id, timer] : timers_) {
    if (timer.dueMs <= nowMs) due.push_back(&timer);
  }
  std::stable_sort(due.begin(), due.end(),
                   [](const Timer* a, const Timer* b) { return a->dueMs < b->dueMs; });
  std::vector<int> ids;
  for (const Timer* timer : due) ids.push_back(timer->id);
  return ids;
}

void Timers::mark(Marker& marker) const {
  for (const auto& [id, timer] : timers_) {
    marker.mark(timer.function);
    marker.mark(timer.thisValue);
    for (const Value& arg : timer.args) marker.mark(arg);
  }
}

}  // namespace quelvo::swf::avm1
