#include "swf/avm1/builtins/NativeSupport.h"

#include <algorithm>

namespace quelvo::swf::avm1 {

NativeFunction* defineClass(Vm& vm, const QString& name, NativeFn constructor, Object* prototype) {
  NativeFunction* function = vm.newNative(constructor);
  vm.attachPrototype(function, prototype);
  vm.defineValue(vm.global(), name, Value::object(function));
  return function;
}

Value unwrap(const Value& value) {
  const Object* object = value.objectOrNull();
  if (object == nullptr) return value;
  switch (object->kind()) {
    case ObjectKind::Boolean:
    case ObjectKind::Number:
    case ObjectKind::String:
    case ObjectKind::Date:
      return static_cast<const PrimitiveObject*>(object)->primitive;
    default:
      return value;
  }
}

QString thisString(NativeCall& call) { return call.vm.toString(unwrap(call.thisValue)); }

double numberArg(NativeCall& call, std::size_t index) { return call.vm.toNumber(call.arg(index)); }

QString stringArg(NativeCall& call, std::size_t index) { return call.vm.toString(call.arg(index)); }

ClipHandle thisClip(NativeCall& call) { return Vm::clipOf(call.thisValue); }

void defineAccessor(Vm& vm, Object* target, const QString& name, NativeFn getter, NativeFn setter) {
  Property& property = target->properties().findOrAdd(name);
  property.getter = vm.newNative(getter);
  property.setter = setter != nullptr ? vm.newNative(setter) : nullptr;
  property.flags = DontEnum | DontDelete;
}

std::vector<Value> arrayElements(Vm& vm, const Value& list, std::size_t limit) {
  std::vector<Value> result;
  if (list.objectOrNull() == nullptr) return result;
  const double length = vm.toNumber(vm.getMember(list, QStringLiteral("length")));
  const std::size_t count =
      length > 0 ? std::min(limit, static_cast<std::size_t>(std::min(length, 1e9))) : 0;
  vm.chargeSteps(count);
  for (std::size_t i = 0; i < count; ++i) result.push_back(vm.getMember(list, QString::number(i)));
  return result;
}

}  // namespace quelvo::swf::avm1
