#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "swf/avm1/Action.h"
#include "swf/avm1/Host.h"
#include "swf/avm1/Object.h"

namespace quelvo::swf::avm1 {

class Vm;

// The arguments of a call into a built-in.
struct NativeCall {
  Vm& vm;
  Value thisValue;
  std::span<const Value> args;
  bool constructing = false;  // called by new

  // The argument, or undefined past the end.
  Value arg(std::size_t i) const { return i < args.size() ? args[i] : Value(); }
  Object* thisObject() const { return thisValue.objectOrNull(); }
};

using NativeFn = Value (*)(NativeCall& call);

// A callable object: a built-in or a function defined by a script.
class FunctionObject : public Object {
 public:
  explicit FunctionObject(const ObjectInit& init) : Object(ObjectKind::Function, init) {}
  virtual bool isNative() const = 0;
};

class NativeFunction : public FunctionObject {
 public:
  NativeFunction(const ObjectInit& init, NativeFn fn) : FunctionObject(init), fn(fn) {}
  bool isNative() const override { return true; }

  NativeFn fn;
};

// DefineFunction / DefineFunction2: the body's place in its decoded block,
// the scope chain it closed over and the constant pool in force where it was
// defined.
class ScriptFunction : public FunctionObject {
 public:
  ScriptFunction(const ObjectInit& init, std::shared_ptr<const DecodedBlock> code,
                 std::size_t definition)
      : FunctionObject(init), code(std::move(code)), definition(definition) {}
  bool isNative() const override { return false; }
  void traceReferences(Marker& marker) const override;

  const FunctionDef& def() const {
    return std::get<FunctionDef>(code->actions[definition].operand);
  }
  std::uint32_t bodyStart() const { return code->actions[definition].next(); }
  std::uint32_t bodyEnd() const { return bodyStart() + def().bodySize; }

  std::shared_ptr<const DecodedBlock> code;
  std::size_t definition;      // index of the defining record in code->actions
  std::vector<Object*> scope;  // outermost first
  std::shared_ptr<const ConstantList> constants;
  ClipHandle target = kNoClip;  // the timeline it was defined on
};

}  // namespace quelvo::swf::avm1
