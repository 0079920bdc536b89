#pragma once

#include <span>

#include "swf/avm1/Host.h"
#include "swf/format/Shape.h"

namespace quelvo::swf {

// Turns the drawing API calls made on a clip into a shape the renderer draws
// like any other. Each fill begins a layer of its own, so later fills cover
// earlier ones and their lines; a fill's outline is closed back to where it
// began when it ends, moves or a new fill begins. Coordinates are pixels in
// the clip's space.
Shape drawingShape(std::span<const avm1::DrawCommand> commands);

}  // namespace quelvo::swf
