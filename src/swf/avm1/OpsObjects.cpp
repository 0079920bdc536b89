#include "swf/avm1/Interpreter.h"
#include "swf/avm1/Vm.h"

namespace quelvo::swf::avm1 {

void Interpreter::opGetMember(Frame& frame) {
  const QString name = vm_.toString(frame.stack.pop());
  const Value target = frame.stack.pop();
  frame.stack.push(vm_.getMember(target, name));
}

void Interpreter::opSetMember(Frame& frame) {
  const Value value = frame.stack.pop();
  const QString name = vm_.toString(frame.stack.pop());
  const Value target = frame.stack.pop();
  if (Object* object = target.objectOrNull()) vm_.setMember(object, name, value);
}

void Interpreter::opDelete(Frame& frame) {
  const QString name = vm_.toString(frame.stack.pop());
  Object* object = frame.stack.pop().objectOrNull();
  frame.stack.push(Value::boolean(object != nullptr && vm_.deleteMember(object, name)));
}

void Interpreter::opNewObject(Frame& frame) {
  const QString name = vm_.toString(frame.stack.pop());
  const std::vector<Value> args = frame.stack.popArguments(vm_.toNumber(frame.stack.pop()));
  const Value constructor = scope(frame).get(name);
  frame.stack.push(vm_.construct(constructor, args));
}

void Interpreter::opNewMethod(Frame& frame) {
  const Value name = frame.stack.pop();
  const Value target = frame.stack.pop();
  const std::vector<Value> args = frame.stack.popArguments(vm_.toNumber(frame.stack.pop()));
  const QString method = name.isUndefined() ? QString() : vm_.toString(name);
  const Value constructor = method.isEmpty() ? target : vm_.getMember(target, method);
  frame.stack.push(vm_.construct(constructor, args));
}

void Interpreter::opInitObject(Frame& frame) {
  const double count = vm_.toNumber(frame.stack.pop());
  Object* object = vm_.newObject();
  const double pairs = std::min(count, static_cast<double>(frame.stack.size() / 2));
  for (double i = 0; i < pairs; ++i) {
    const Value value = frame.stack.pop();
    const QString name = vm_.toString(frame.stack.pop());
    vm_.setMember(object, name, value);
  }
  frame.stack.push(Value::object(object));
}

void Interpreter::opInitArray(Frame& frame) {
  std::vector<Value> elements = frame.stack.popArguments(vm_.toNumber(frame.stack.pop()));
  frame.stack.push(Value::object(vm_.newArray(std::move(elements))));
}

void Interpreter::opTypeOf(Frame& frame) {
  frame.stack.push(Value::string(vm_.typeOf(frame.stack.pop())));
}

void Interpreter::opInstanceOf(Frame& frame) {
  Object* constructor = frame.stack.pop().objectOrNull();
  const Value value = frame.stack.pop();
  frame.stack.push(Value::boolean(vm_.instanceOf(value, constructor)));
}

void Interpreter::opCastOp(Frame& frame) {
  const Value value = frame.stack.pop();
  Object* constructor = frame.stack.pop().objectOrNull();
  frame.stack.push(vm_.instanceOf(value, constructor) ? value : Value::null());
}

void Interpreter::opImplementsOp(Frame& frame) {
  const Value constructor = frame.stack.pop();
  const std::vector<Value> faces = frame.stack.popArguments(vm_.toNumber(frame.stack.pop()));
  Object* proto = vm_.getMember(constructor, QStringLiteral("prototype")).objectOrNull();
  if (proto == nullptr) return;
  proto->interfaces().clear();
  for (const Value& face : faces) {
    if (Object* object = face.objectOrNull()) proto->interfaces().push_back(object);
  }
}

void Interpreter::opExtends(Frame& frame) {
  const Value superclass = frame.stack.pop();
  Object* subclass = frame.stack.pop().objectOrNull();
  if (subclass == nullptr || !superclass.isObject()) return;
  Object* superProto = vm_.getMember(superclass, QStringLiteral("prototype")).objectOrNull();
  Object* proto = vm_.newObject(superProto);
  vm_.defineValue(proto, QStringLiteral("__constructor__"), superclass);
  vm_.defineValue(subclass, QStringLiteral("prototype"), Value::object(proto));
}

// Pushes null, then the names so that the first one to visit is on top.
void Interpreter::opEnumerate(Frame& frame, bool fromObject) {
  const Value target =
      fromObject ? frame.stack.pop() : scope(frame).get(vm_.toString(frame.stack.pop()));
  frame.stack.push(Value::null());
  Object* object = target.objectOrNull();
  if (object == nullptr) return;
  const std::vector<QString> names = vm_.enumerate(object);
  for (auto name = names.rbegin(); name != names.rend(); ++name) {
    frame.stack.push(Value::string(*name));
  }
}

void Interpreter::opTargetPath(Frame& frame) {
  const ClipHandle clip = Vm::clipOf(frame.stack.pop());
  frame.stack.push(clip == kNoClip ? Value() : Value::string(vm_.dotPath(clip)));
}

}  // namespace quelvo::swf::avm1
