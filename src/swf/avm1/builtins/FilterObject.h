#pragma once

#include <cstdint>

#include "swf/avm1/Heap.h"
#include "swf/avm1/Object.h"
#include "swf/effects/FilterParams.h"

namespace quelvo::swf::avm1 {

// The flash.filters classes, in the order FilterClasses.cpp describes them.
enum class FilterClassId : std::uint8_t {
  Blur,
  DropShadow,
  Glow,
  Bevel,
  GradientGlow,
  GradientBevel,
  ColorMatrix,
  Convolution,
  DisplacementMap,
};

// A flash.filters object: which class it is and the parameters it stands
// for, kept in the form the renderer draws. A displacement map also keeps
// the BitmapData it was given, whose pixels count at the time it is used.
class FilterObject : public Object {
 public:
  FilterObject(const ObjectInit& init, FilterClassId id, effects::FilterParams params)
      : Object(init), id(id), params(std::move(params)) {}

  void traceReferences(Marker& marker) const override {
    Object::traceReferences(marker);
    marker.mark(mapBitmap);
  }

  FilterClassId id;
  effects::FilterParams params;
  Object* mapBitmap = nullptr;
};

// The filter object a value holds; nullptr when it is none.
inline FilterObject* filterOf(const Value& value) {
  return dynamic_cast<FilterObject*>(value.objectOrNull());
}

}  // namespace quelvo::swf::avm1
