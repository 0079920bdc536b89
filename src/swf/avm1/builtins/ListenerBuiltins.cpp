// Listener lists: AsBroadcaster, the event sources made like it (Key, Mouse,
// Stage, Selection) and addListener/removeListener on prototypes whose
// instances keep lists of their own (text fields, MovieClipLoader).
#include <algorithm>

#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/NativeSupport.h"

namespace quelvo::swf::avm1 {

namespace {

// The listener list of the source the method was called on (its own or one
// it inherits); made on the source itself when asked.
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

// broadcastMessage(name, args...): calls name with args on each listener in
// order. The list is read once, so listeners that add or remove others (or
// themselves) neither skip nor repeat anyone this time.
Value broadcastMessage(NativeCall& call) {
  const ArrayObject* list = listeners(call, false);
  if (list == nullptr || list->elements.empty() || call.args.empty()) return Value::boolean(false);
  const QString name = stringArg(call, 0);
  const std::vector<Value> snapshot = list->elements;
  for (const Value& listener : snapshot) call.vm.callMethod(listener, name, call.args.subspan(1));
  return Value::boolean(true);
}

// AsBroadcaster.initialize(object): object becomes a source of its own.
Value initialize(NativeCall& call) {
  if (Object* target = call.arg(0).objectOrNull()) makeBroadcaster(call.vm, target);
  return {};
}

// The pointer is the desktop's: hiding it is not the movie's to do.
Value showOrHide(NativeCall&) { return Value::number(1); }

}  // namespace

void defineListeners(Vm& vm, Object* source) {
  vm.defineMethod(source, QStringLiteral("addListener"), addListener);
  vm.defineMethod(source, QStringLiteral("removeListener"), removeListener);
  vm.defineMethod(source, QStringLiteral("broadcastMessage"), broadcastMessage);
}

void makeBroadcaster(Vm& vm, Object* source) {
  defineListeners(vm, source);
  vm.defineValue(source, Vm::listenersName(), Value::object(vm.newArray()));
}

void installAsBroadcaster(Vm& vm) {
  Object* broadcaster = vm.newObject();
  vm.defineValue(vm.global(), QStringLiteral("AsBroadcaster"), Value::object(broadcaster));
  defineListeners(vm, broadcaster);
  vm.defineMethod(broadcaster, QStringLiteral("initialize"), initialize);
}

void installMouse(Vm& vm) {
  Object* mouse = vm.newObject();
  vm.defineValue(vm.global(), QStringLiteral("Mouse"), Value::object(mouse));
  makeBroadcaster(vm, mouse);
  vm.defineMethod(mouse, QStringLiteral("show"), showOrHide);
  vm.defineMethod(mouse, QStringLiteral("hide"), showOrHide);
}

}  // namespace quelvo::swf::avm1
