#include "swf/avm1/Interpreter.h"
#include "swf/avm1/Vm.h"

namespace quelvo::swf::avm1 {

void Interpreter::opDefineFunction(Frame& frame, const Action& action) {
  const FunctionDef& def = std::get<FunctionDef>(action.operand);
  const std::uint32_t bodyEnd = action.next() + def.bodySize;
  if (!isBoundary(frame, bodyEnd)) {
    fail(frame, QStringLiteral("function body does not end on an action"));
    return;
  }
  auto* function = vm_.heap().make<ScriptFunction>(vm_.protos().function, frame.code, frame.pc - 1);
  function->scope = frame.scope;
  function->constants = frame.constants;
  function->target = frame.target;
  vm_.attachPrototype(function, vm_.newObject());
  jumpTo(frame, bodyEnd);
  if (def.name.isEmpty()) {
    frame.stack.push(Value::object(function));
  } else {
    scope(frame).defineLocal(def.name, Value::object(function));
  }
}

// Registers 1, 2... get this, arguments, super, _root, _parent and _global,
// in that order, for each one the function asks for.
void Interpreter::preloadRegisters(Frame& frame, const FunctionDef& def, Object* arguments) {
  std::size_t next = 1;
  const auto load = [&](const Value& value) {
    if (next < frame.registers.size()) frame.registers[next] = value;
    ++next;
  };
  if (def.flags & PreloadThis) load(frame.thisValue);
  if (def.flags & PreloadArguments) load(Value::object(arguments));
  if (def.flags & PreloadSuper) load(Value::object(scope(frame).makeSuper()));
  if (def.flags & PreloadRoot) load(Value::object(vm_.clipObject(vm_.host().rootClip())));
  if (def.flags & PreloadParent) {
    load(Value::object(vm_.clipObject(vm_.host().parentClip(frame.target))));
  }
  if (def.flags & PreloadGlobal) load(Value::object(vm_.global()));
}

void Interpreter::opCallFunction(Frame& frame) {
  const QString name = vm_.toString(frame.stack.pop());
  const std::vector<Value> args = frame.stack.popArguments(vm_.toNumber(frame.stack.pop()));
  const Value function = scope(frame).get(name);
  Object* object = function.objectOrNull();
  if (object != nullptr && object->kind() == ObjectKind::Super) {
    frame.stack.push(vm_.callMethod(function, QString(), args));
    return;
  }
  if (object == nullptr || !object->isFunction()) noteMissingFunction(frame, name);
  frame.stack.push(vm_.call(function, Value::object(vm_.clipObject(frame.target)), args));
}

void Interpreter::opCallMethod(Frame& frame) {
  const Value name = frame.stack.pop();
  const Value target = frame.stack.pop();
  const std::vector<Value> args = frame.stack.popArguments(vm_.toNumber(frame.stack.pop()));
  const QString method = name.isUndefined() ? QString() : vm_.toString(name);
  frame.stack.push(vm_.callMethod(target, method, args, true));
}

}  // namespace quelvo::swf::avm1
