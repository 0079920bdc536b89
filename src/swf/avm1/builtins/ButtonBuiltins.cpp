// The Button class: the prototype of the buttons scripts reach by name.
// Their display properties (_x, _alpha, _name...) are those of clips; the
// members here say how they take the pointer.
#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/NativeSupport.h"

namespace quelvo::swf::avm1 {

namespace {

Value construct(NativeCall&) { return {}; }

}  // namespace

void installButton(Vm& vm) {
  Object* proto = vm.newObject();
  defineClass(vm, QStringLiteral("Button"), construct, proto);
  vm.protos().button = proto;
  // A button's depth is found as a clip's is.
  if (Object* movieClip = vm.protos().movieClip) {
    const QString getDepth = QStringLiteral("getDepth");
    vm.defineValue(proto, getDepth, vm.getMember(Value::object(movieClip), getDepth));
  }
  // trackAsMenu each button takes from its definition when scripts reach it.
  vm.defineValue(proto, QStringLiteral("enabled"), Value::boolean(true));
  vm.defineValue(proto, QStringLiteral("useHandCursor"), Value::boolean(true));
}

}  // namespace quelvo::swf::avm1
