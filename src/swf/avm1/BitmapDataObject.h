#pragma once

#include <memory>

#include "swf/avm1/Object.h"
#include "swf/bitmapdata/BitmapSurface.h"

namespace quelvo::swf::avm1 {

// A flash.display.BitmapData: its pixels, shared with the clips showing
// them; none when the size asked for was refused.
class BitmapDataObject : public Object {
 public:
  BitmapDataObject(const ObjectInit& init, std::shared_ptr<BitmapSurface> surface)
      : Object(ObjectKind::BitmapData, init), surface(std::move(surface)) {}

  // The pixels while there are any (not refused, not disposed).
  BitmapSurface* live() const { return surface && !surface->disposed() ? surface.get() : nullptr; }

  std::shared_ptr<BitmapSurface> surface;
};

}  // namespace quelvo::swf::avm1
