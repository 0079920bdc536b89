#include "swf/avm1/Operators.h"

#include <cmath>

#include "swf/avm1/Vm.h"

namespace quelvo::swf::avm1 {

Value add(Vm& vm, const Value& a, const Value& b) {
  const Value left = vm.toPrimitive(a);
  const Value right = vm.toPrimitive(b);
  if (left.isString() || right.isString()) {
    const QString first = vm.toString(left);
    const QString second = vm.toString(right);
    vm.reserveString(first.size() + second.size());
    return Value::string(first + second);
  }
  return Value::number(vm.toNumber(left) + vm.toNumber(right));
}

bool strictEquals(const Value& a, const Value& b) {
  if (a.type() != b.type()) return false;
  switch (a.type()) {
    case Value::Type::Undefined:
    case Value::Type::Null:
      return true;
    case Value::Type::Boolean:
      return a.asBoolean() == b.asBoolean();
    case Value::Type::Number:
      return a.asNumber() == b.asNumber();
    case Value::Type::String:
      return a.asString() == b.asString();
    case Value::Type::Object:
      return a.asObject() == b.asObject();
  }
  return false;
}

bool looseEquals(Vm& vm, const Value& a, const Value& b) {
  if (a.type() == b.type()) return strictEquals(a, b);
  if (a.isNullish() || b.isNullish()) return a.isNullish() && b.isNullish();
  if (a.isBoolean()) return looseEquals(vm, Value::number(a.asBoolean() ? 1 : 0), b);
  if (b.isBoolean()) return looseEquals(vm, a, Value::number(b.asBoolean() ? 1 : 0));
  if (a.isObject() && b.isObject()) return a.asObject() == b.asObject();
  if (a.isObject()) {
    const Value primitive = vm.toPrimitive(a);
    return primitive.isObject() ? false : looseEquals(vm, primitive, b);
  }
  if (b.isObject()) {
    const Value primitive = vm.toPrimitive(b);
    return primitive.isObject() ? false : looseEquals(vm, a, primitive);
  }
  // One number, one string.
  return vm.toNumber(a) == vm.toNumber(b);
}

std::optional<bool> lessThan(Vm& vm, const Value& a, const Value& b) {
  const Value left = vm.toPrimitive(a, PrimitiveHint::Number);
  const Value right = vm.toPrimitive(b, PrimitiveHint::Number);
  if (left.isString() && right.isString()) return left.asString() < right.asString();
  const double x = vm.toNumber(left);
  const double y = vm.toNumber(right);
  if (std::isnan(x) || std::isnan(y)) return std::nullopt;
  return x < y;
}

}  // namespace quelvo::swf::avm1
