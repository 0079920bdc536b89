#include <algorithm>

#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/NativeSupport.h"

namespace quelvo::swf::avm1 {

namespace {

// The listener list of the source the method was called on; made when asked.
ArrayObject* listeners(NativeCall& call, bool make) {
  Object* source = call.thisObject();
  if (source == nullptr) return nullptr;
  const QString name = Vm::listenersName();
  if (ArrayObject* list = asArray(call.vm.getMember(call.thisValue, name))) return list;
  if (!make) return nullptr;
  ArrayObject* list = call.vm.newArray();
  call.vm.defineValue(source, name, Value::object(list));
  return list;
}

auto findListener(ArrayObject& list, const Object* listener) {
  return std::find_if(list.elements.begin(), list.elements.end(),
                      [&](const Value& value) { return value.objectOrNull() == listener; });
}

// addListener(object): once each, in the order added.
Value addListener(NativeCall& call) {
  Object* listener = call.arg(0).objectOrNull();
  ArrayObject* list = listener ? listeners(call, true) : nullptr;
  if (list == nullptr) return Value::boolean(false);
  if (findListener(*list, listener) == list->elements.end()) {
    call.vm.reserveArray(list->elements.size(), list->elements.size() + 1);
    list->elements.push_back(Value::object(listener));
  }
  return Value::boolean(true);
}

Value removeListener(NativeCall& call) {
  const Object* listener = call.arg(0).objectOrNull();
  ArrayObject* list = listener ? listeners(call, false) : nullptr;
  if (list == nullptr) return Value::boolean(false);
  const auto found = findListener(*list, listener);
  if (found == list->elements.end()) return Value::boolean(false);
  list->elements.erase(found);
  return Value::boolean(true);
}

// The pointer is the desktop's: hiding it is not the movie's to do.
Value showOrHide(NativeCall&) { return Value::number(1); }

}  // namespace

void defineListeners(Vm& vm, Object* source) {
  vm.defineMethod(source, QStringLiteral("addListener"), addListener);
  vm.defineMethod(source, QStringLiteral("removeListener"), removeListener);
}

void installMouse(Vm& vm) {
  Object* mouse = vm.newObject();
  vm.defineValue(vm.global(), QStringLiteral("Mouse"), Value::object(mouse));
  defineListeners(vm, mouse);
  vm.defineMethod(mouse, QStringLiteral("show"), showOrHide);
  vm.defineMethod(mouse, QStringLiteral("hide"), showOrHide);
}

}  // namespace quelvo::swf::avm1
