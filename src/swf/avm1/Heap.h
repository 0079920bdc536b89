#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "swf/avm1/Object.h"
#include "swf/avm1/ScriptError.h"

namespace quelvo::swf::avm1 {

// Marks objects reachable from the roots, breadth first through a work list
// so that long chains of objects cannot exhaust the C++ stack.
class Marker {
 public:
  void mark(Object* object);
  void mark(const Value& value);

 private:
  friend class Heap;
  std::vector<Object*> pending_;
};

// Owns every object of one VM. Collection is mark and sweep and runs only
// when no script is executing, so objects held in C++ locals during
// execution are never freed under them.
class Heap {
 public:
  explicit Heap(bool caseSensitive) : caseSensitive_(caseSensitive) {}

  bool caseSensitive() const { return caseSensitive_; }
  // Objects past this count are refused (the entry is aborted).
  void setLimit(std::size_t maxObjects) { maxObjects_ = maxObjects; }

  // A new object of type T built from (ObjectInit, extra...). Past the object
  // limit the current entry is aborted instead.
  template <typename T, typename... Extra>
  T* make(Object* proto, Extra&&... extra) {
    if (objects_.size() >= maxObjects_) {
      throw ScriptAbort{QStringLiteral("too many objects (limit %1)").arg(maxObjects_)};
    }
    auto object =
        std::make_unique<T>(ObjectInit{caseSensitive_, proto}, std::forward<Extra>(extra)...);
    T* raw = object.get();
    objects_.push_back(std::move(object));
    return raw;
  }

  // Frees every object the roots do not reach. Returns how many were freed.
  std::size_t collect(const std::function<void(Marker&)>& markRoots);

  std::size_t size() const { return objects_.size(); }
  void forEach(const std::function<void(const Object&)>& visit) const {
    for (const auto& object : objects_) visit(*object);
  }

 private:
  bool caseSensitive_;
  std::size_t maxObjects_ = SIZE_MAX;
  std::vector<std::unique_ptr<Object>> objects_;
};

}  // namespace quelvo::swf::avm1
