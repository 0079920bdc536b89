#include <cmath>
#include <limits>

#include "swf/avm1/NumberText.h"
#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/NativeSupport.h"

namespace quelvo::swf::avm1 {

namespace {

Value wrap(NativeCall& call, ObjectKind kind, const Value& primitive) {
  if (!call.constructing || call.thisObject() == nullptr) return primitive;
  return Value::object(
      call.vm.heap().make<PrimitiveObject>(call.thisObject()->proto(), kind, primitive));
}

Value numberConstructor(NativeCall& call) {
  const double number = call.args.empty() ? 0.0 : numberArg(call, 0);
  return wrap(call, ObjectKind::Number, Value::number(number));
}

double thisNumber(NativeCall& call) { return call.vm.toNumber(unwrap(call.thisValue)); }

Value numberToString(NativeCall& call) {
  const double radix = call.arg(0).isUndefined() ? 10 : numberArg(call, 0);
  const int base = std::isfinite(radix) ? static_cast<int>(radix) : 10;
  return Value::string(formatNumberInRadix(thisNumber(call), base));
}

Value numberValueOf(NativeCall& call) { return Value::number(thisNumber(call)); }

Value booleanConstructor(NativeCall& call) {
  const bool truth = !call.args.empty() && call.vm.toBoolean(call.arg(0));
  return wrap(call, ObjectKind::Boolean, Value::boolean(truth));
}

Value booleanToString(NativeCall& call) {
  return Value::string(call.vm.toBoolean(unwrap(call.thisValue)) ? QStringLiteral("true")
                                                                 : QStringLiteral("false"));
}

Value booleanValueOf(NativeCall& call) {
  return Value::boolean(call.vm.toBoolean(unwrap(call.thisValue)));
}

}  // namespace

void installNumberAndBoolean(Vm& vm) {
  Object* numberProto = vm.newObject();
  vm.protos().number = numberProto;
  NativeFunction* number =
      defineClass(vm, QStringLiteral("Number"), numberConstructor, numberProto);
  constexpr std::uint8_t kConstant = DontEnum | DontDelete | ReadOnly;
  vm.defineValue(number, QStringLiteral("MAX_VALUE"),
                 Value::number(std::numeric_limits<double>::max()), kConstant);
  vm.defineValue(number, QStringLiteral("MIN_VALUE"),
                 Value::number(std::numeric_limits<double>::denorm_min()), kConstant);
  vm.defineValue(number, QStringLiteral("NaN"), Value::number(std::nan("")), kConstant);
  vm.defineValue(number, QStringLiteral("POSITIVE_INFINITY"),
                 Value::number(std::numeric_limits<double>::infinity()), kConstant);
  vm.defineValue(number, QStringLiteral("NEGATIVE_INFINITY"),
                 Value::number(-std::numeric_limits<double>::infinity()), kConstant);
  vm.defineMethod(numberProto, QStringLiteral("toString"), numberToString);
  vm.defineMethod(numberProto, QStringLiteral("valueOf"), numberValueOf);

  Object* booleanProto = vm.newObject();
  vm.protos().boolean = booleanProto;
  defineClass(vm, QStringLiteral("Boolean"), booleanConstructor, booleanProto);
  vm.defineMethod(booleanProto, QStringLiteral("toString"), booleanToString);
  vm.defineMethod(booleanProto, QStringLiteral("valueOf"), booleanValueOf);
}

}  // namespace quelvo::swf::avm1
