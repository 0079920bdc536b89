#pragma once

#include "swf/avm1/Vm.h"
#include "swf/text/FieldFormat.h"

namespace quelvo::swf::avm1 {

// A TextFormat object's members as a format: null or undefined members are
// unset.
FieldFormat formatOfObject(Vm& vm, const Value& object);
// A new TextFormat object with the format's members, null where unset.
Value objectOfFormat(Vm& vm, const FieldFormat& format);

}  // namespace quelvo::swf::avm1
