#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "swf/avm1/Object.h"

namespace quelvo::swf::avm1 {

// An Array: its elements are kept densely, holes as undefined, and "length"
// is the number of elements. Other properties live in the property map.
class ArrayObject : public Object {
 public:
  explicit ArrayObject(const ObjectInit& init) : Object(ObjectKind::Array, init) {}

  void traceReferences(Marker& marker) const override;

  std::vector<Value> elements;
};

// The object as an array, or nullptr when it is none.
inline ArrayObject* asArray(Object* object) {
  return object != nullptr && object->kind() == ObjectKind::Array
             ? static_cast<ArrayObject*>(object)
             : nullptr;
}
inline ArrayObject* asArray(const Value& value) { return asArray(value.objectOrNull()); }

// The element index a property name stands for: "0", "17", never "017",
// "-1" or "1.5".
std::optional<std::uint32_t> arrayIndex(const QString& name);

}  // namespace quelvo::swf::avm1
