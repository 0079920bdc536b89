#pragma once

#include <optional>

#include "swf/avm1/Value.h"

namespace quelvo::swf::avm1 {

class Vm;

// The typed operators of SWF 5 and later (ECMA-262 semantics with the
// player's conversions).

// a + b: concatenation when either side is a string after ToPrimitive.
Value add(Vm& vm, const Value& a, const Value& b);
// a == b: null and undefined equal each other only; numbers and strings
// compare as numbers; booleans as numbers; objects by identity, or through
// ToPrimitive against a primitive.
bool looseEquals(Vm& vm, const Value& a, const Value& b);
// a === b: same type and same value; NaN equals nothing.
bool strictEquals(const Value& a, const Value& b);
// a < b: strings compare by UTF-16 code units, anything else as numbers;
// nullopt (scripts see undefined) when either number is NaN.
std::optional<bool> lessThan(Vm& vm, const Value& a, const Value& b);

}  // namespace quelvo::swf::avm1
