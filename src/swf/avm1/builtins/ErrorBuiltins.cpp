#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/NativeSupport.h"

namespace quelvo::swf::avm1 {

namespace {

Value errorConstructor(NativeCall& call) {
  Object* self = call.constructing ? call.thisObject() : nullptr;
  if (self == nullptr) self = call.vm.newObject(call.vm.protos().error);
  if (!call.arg(0).isUndefined()) {
    call.vm.setMember(self, QStringLiteral("message"), Value::string(stringArg(call, 0)));
  }
  return Value::object(self);
}

Value errorToString(NativeCall& call) {
  return Value::string(
      call.vm.toString(call.vm.getMember(call.thisValue, QStringLiteral("message"))));
}

}  // namespace

void installError(Vm& vm) {
  Object* proto = vm.newObject();
  vm.protos().error = proto;
  defineClass(vm, QStringLiteral("Error"), errorConstructor, proto);
  vm.defineValue(proto, QStringLiteral("name"), Value::string(QStringLiteral("Error")));
  vm.defineValue(proto, QStringLiteral("message"), Value::string(QStringLiteral("Error")));
  vm.defineMethod(proto, QStringLiteral("toString"), errorToString);
}

}  // namespace quelvo::swf::avm1
