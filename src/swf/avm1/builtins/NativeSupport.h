#pragma once

#include <QString>
#include <cstddef>
#include <vector>

#include "swf/avm1/Function.h"
#include "swf/avm1/Vm.h"

namespace quelvo::swf::avm1 {

// A built-in class: its constructor function under name in _global, linked
// with its prototype.
NativeFunction* defineClass(Vm& vm, const QString& name, NativeFn constructor, Object* prototype);

// The value a wrapper object (new String(), new Number(), a Date) holds, or
// the value itself.
Value unwrap(const Value& value);

// The string a String method works on: this as a string.
QString thisString(NativeCall& call);

double numberArg(NativeCall& call, std::size_t index);
QString stringArg(NativeCall& call, std::size_t index);

// The clip a MovieClip method runs on; kNoClip when this is no clip.
ClipHandle thisClip(NativeCall& call);

// The elements of an array-like value (its length and numbered members), at
// most limit of them; none for a value that is no object. Charges a step each.
std::vector<Value> arrayElements(Vm& vm, const Value& list, std::size_t limit);

// A built-in property read (and written, given a setter) through natives.
void defineAccessor(Vm& vm, Object* target, const QString& name, NativeFn getter,
                    NativeFn setter = nullptr);

}  // namespace quelvo::swf::avm1
