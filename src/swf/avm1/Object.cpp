#include "swf/avm1/Object.h"

#include "swf/avm1/Function.h"
#include "swf/avm1/Heap.h"

namespace quelvo::swf::avm1 {

void Object::traceReferences(Marker& marker) const {
  marker.mark(proto_);
  for (const Property& property : properties_.entries()) {
    marker.mark(property.value);
    marker.mark(property.getter);
    marker.mark(property.setter);
  }
  for (Object* face : interfaces_) marker.mark(face);
}

void SuperObject::traceReferences(Marker& marker) const {
  Object::traceReferences(marker);
  marker.mark(self);
  marker.mark(base);
  marker.mark(constructor);
}

void ScriptFunction::traceReferences(Marker& marker) const {
  Object::traceReferences(marker);
  for (Object* link : scope) marker.mark(link);
}

}  // namespace quelvo::swf::avm1
