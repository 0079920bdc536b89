#pragma once

#include <QString>
#include <cstddef>
#include <map>
#include <vector>

#include "swf/avm1/Value.h"

namespace quelvo::swf::avm1 {

class Marker;

// A setInterval or setTimeout timer: calls function, or thisValue[method]
// when method is set, with args every periodMs (once for a timeout).
struct Timer {
  int id = 0;
  Value function;
  Value thisValue;
  QString method;
  std::vector<Value> args;
  double periodMs = 0;
  double dueMs = 0;
  bool repeat = true;
};

// The timers of one VM, by id. Ids count up from 1 and are never reused.
class Timers {
 public:
  int add(Timer timer);
  bool remove(int id);
  Timer* find(int id);
  // Ids of the timers due at nowMs, earliest first.
  std::vector<int> due(double nowMs) const;
  std::size_t size() const { return timers_.size(); }
  void clear() { timers_.clear(); }
  void mark(Marker& marker) const;

 private:
  std::map<int, Timer> timers_;
  int nextId_ = 1;
};

}  // namespace quelvo::swf::avm1
