#include "swf/avm1/NumberText.h"
#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/NativeSupport.h"

namespace quelvo::swf::avm1 {

namespace {

Value isDown(NativeCall& call) {
  return Value::boolean(call.vm.host().isKeyDown(toInt32(numberArg(call, 0))));
}

Value getCode(NativeCall& call) { return Value::number(call.vm.host().lastKeyCode()); }

Value isToggled(NativeCall&) { return Value::boolean(false); }

}  // namespace

void installKey(Vm& vm) {
  Object* key = vm.newObject();
  vm.defineValue(vm.global(), QStringLiteral("Key"), Value::object(key));
  const std::pair<const char*, int> codes[] = {
      {"BACKSPACE", 8}, {"TAB", 9},     {"ENTER", 13},     {"SHIFT", 16}, {"CONTROL", 17},
      {"CAPSLOCK", 20}, {"ESCAPE", 27}, {"SPACE", 32},     {"PGUP", 33},  {"PGDN", 34},
      {"END", 35},      {"HOME", 36},   {"LEFT", 37},      {"UP", 38},    {"RIGHT", 39},
      {"DOWN", 40},     {"INSERT", 45}, {"DELETEKEY", 46},
  };
  for (const auto& [name, code] : codes) {
    vm.defineValue(key, QString::fromLatin1(name), Value::number(code),
                   DontEnum | DontDelete | ReadOnly);
  }
  vm.defineMethod(key, QStringLiteral("isDown"), isDown);
  vm.defineMethod(key, QStringLiteral("getCode"), getCode);
  vm.defineMethod(key, QStringLiteral("isToggled"), isToggled);
  makeBroadcaster(vm, key);
}

}  // namespace quelvo::swf::avm1
