#include "swf/avm1/ArrayObject.h"

#include "swf/avm1/Heap.h"

namespace quelvo::swf::avm1 {

void ArrayObject::traceReferences(Marker& marker) const {
  Object::traceReferences(marker);
  for (const Value& element : elements) marker.mark(element);
}

std::optional<std::uint32_t> arrayIndex(const QString& name) {
  if (name.isEmpty() || name.size() > 10) return std::nullopt;
  if (name.size() > 1 && name[0] == u'0') return std::nullopt;
  std::uint64_t value = 0;
  for (QChar c : name) {
    if (c.unicode() < '0' || c.unicode() > '9') return std::nullopt;
    value = value * 10 + (c.unicode() - '0');
  }
  if (value >= UINT32_MAX) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

}  // namespace quelvo::swf::avm1
