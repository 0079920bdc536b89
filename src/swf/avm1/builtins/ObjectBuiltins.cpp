#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/NativeSupport.h"

namespace quelvo::swf::avm1 {

namespace {

Value objectConstructor(NativeCall& call) {
  const Value value = call.arg(0);
  if (value.isObject()) return value;
  if (!value.isNullish()) return Value::object(call.vm.toObject(value));
  if (call.constructing && call.thisObject() != nullptr) return call.thisValue;
  return Value::object(call.vm.newObject());
}

Value objectToString(NativeCall&) { return Value::string(QStringLiteral("[object Object]")); }

Value objectValueOf(NativeCall& call) { return call.thisValue; }

Value hasOwnProperty(NativeCall& call) {
  Object* self = call.thisObject();
  if (self == nullptr) return Value::boolean(false);
  const QString name = stringArg(call, 0);
  if (self->properties().find(name) != nullptr) return Value::boolean(true);
  if (const ArrayObject* array = asArray(self)) {
    const auto index = arrayIndex(name);
    return Value::boolean(index && *index < array->elements.size());
  }
  return Value::boolean(false);
}

Value isPropertyEnumerable(NativeCall& call) {
  Object* self = call.thisObject();
  if (self == nullptr) return Value::boolean(false);
  const Property* property = self->properties().find(stringArg(call, 0));
  return Value::boolean(property != nullptr && (property->flags & DontEnum) == 0);
}

Value isPrototypeOf(NativeCall& call) {
  Object* self = call.thisObject();
  Object* other = call.arg(0).objectOrNull();
  for (int hops = 0; other != nullptr && hops < 256; ++hops) {
    other = other->proto();
    if (other == self) return Value::boolean(self != nullptr);
  }
  return Value::boolean(false);
}

// addProperty(name, getter, setter): a property read and written through
// functions; setter may be null for a read-only property.
Value addProperty(NativeCall& call) {
  Object* self = call.thisObject();
  const QString name = stringArg(call, 0);
  Object* getter = call.arg(1).objectOrNull();
  Object* setter = call.arg(2).objectOrNull();
  if (self == nullptr || name.isEmpty() || getter == nullptr || !getter->isFunction()) {
    return Value::boolean(false);
  }
  if (setter != nullptr && !setter->isFunction()) return Value::boolean(false);
  Property& property = self->properties().findOrAdd(name);
  property.value = Value();
  property.getter = getter;
  property.setter = setter;
  return Value::boolean(true);
}

// registerClass(linkageName, constructor): clips of the exported symbol are
// made as instances of the class from now on; null ends that. False when no
// symbol is exported under the name.
Value registerClass(NativeCall& call) {
  const int character = call.vm.host().exportedCharacter(stringArg(call, 0));
  Object* constructor = call.arg(1).objectOrNull();
  if (character < 0 || (constructor != nullptr && !constructor->isFunction())) {
    return Value::boolean(false);
  }
  call.vm.registerClass(character, constructor);
  return Value::boolean(true);
}

}  // namespace

void installObject(Vm& vm) {
  Object* proto = vm.protos().object;
  NativeFunction* constructor = defineClass(vm, QStringLiteral("Object"), objectConstructor, proto);
  vm.defineMethod(proto, QStringLiteral("toString"), objectToString);
  vm.defineMethod(proto, QStringLiteral("toLocaleString"), objectToString);
  vm.defineMethod(proto, QStringLiteral("valueOf"), objectValueOf);
  vm.defineMethod(proto, QStringLiteral("hasOwnProperty"), hasOwnProperty);
  vm.defineMethod(proto, QStringLiteral("isPropertyEnumerable"), isPropertyEnumerable);
  vm.defineMethod(proto, QStringLiteral("isPrototypeOf"), isPrototypeOf);
  vm.defineMethod(proto, QStringLiteral("addProperty"), addProperty);
  vm.defineMethod(constructor, QStringLiteral("registerClass"), registerClass);
}

}  // namespace quelvo::swf::avm1
