#pragma once

#include <memory>

#include "swf/avm1/Vm.h"
#include "swf/bitmapdata/BitmapSurface.h"

namespace quelvo::swf::avm1 {

// A new BitmapData object of the class scripts see for these pixels;
// undefined when there are none.
Value newBitmapData(Vm& vm, std::shared_ptr<BitmapSurface> surface);

// The methods that make pictures and read them as a whole (noise,
// threshold, hitTest, draw ...) on BitmapData.prototype.
void defineBitmapDataEffects(Vm& vm, Object* proto);

}  // namespace quelvo::swf::avm1
