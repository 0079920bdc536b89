#pragma once

#include "swf/avm1/Host.h"
#include "swf/avm1/Object.h"

namespace quelvo::swf::avm1 {

// A movie clip as scripts see it. Its display properties, children and
// timeline live in the host; the object holds the variables scripts set on
// the clip (timeline variables, onEnterFrame...). The VM keeps one object
// per live clip, pinned until the host says the clip has gone.
class ClipObject : public Object {
 public:
  ClipObject(const ObjectInit& init, ClipHandle handle)
      : Object(ObjectKind::Clip, init), handle(handle) {}

  ClipHandle handle;
  bool constructed = false;  // its registered class has been applied
};

}  // namespace quelvo::swf::avm1
