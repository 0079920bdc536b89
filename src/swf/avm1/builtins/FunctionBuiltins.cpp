#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/NativeSupport.h"

namespace quelvo::swf::avm1 {

namespace {

Value functionConstructor(NativeCall&) { return {}; }

Value functionCall(NativeCall& call) {
  const std::span<const Value> rest = call.args.empty() ? call.args : call.args.subspan(1);
  return call.vm.call(call.thisValue, call.arg(0), rest);
}

Value functionApply(NativeCall& call) {
  std::vector<Value> args;
  if (const ArrayObject* array = asArray(call.arg(1))) {
    call.vm.chargeSteps(array->elements.size());
    args = array->elements;
  }
  return call.vm.call(call.thisValue, call.arg(0), args);
}

Value functionToString(NativeCall&) { return Value::string(QStringLiteral("[type Function]")); }

}  // namespace

void installFunction(Vm& vm) {
  Object* proto = vm.protos().function;
  defineClass(vm, QStringLiteral("Function"), functionConstructor, proto);
  vm.defineMethod(proto, QStringLiteral("call"), functionCall);
  vm.defineMethod(proto, QStringLiteral("apply"), functionApply);
  vm.defineMethod(proto, QStringLiteral("toString"), functionToString);
}

}  // namespace quelvo::swf::avm1
