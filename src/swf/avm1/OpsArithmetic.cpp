#include <cmath>

#include "swf/avm1/Interpreter.h"
#include "swf/avm1/NumberText.h"
#include "swf/avm1/Operators.h"
#include "swf/avm1/Vm.h"

namespace quelvo::swf::avm1 {

// SWF 4 movies had no NaN in their arithmetic: what does not read as a
// number counts as 0.
double Interpreter::legacyNumber(const Value& value) {
  const double number = vm_.toNumber(value);
  return vm_.swfVersion() <= 4 && std::isnan(number) ? 0.0 : number;
}

// SWF 4 pushes 1 and 0 for true and false.
Value Interpreter::legacyBoolean(bool value) const {
  if (vm_.swfVersion() <= 4) return Value::number(value ? 1 : 0);
  return Value::boolean(value);
}

void Interpreter::opLegacyArithmetic(Frame& frame, ActionCode code) {
  const double a = legacyNumber(frame.stack.pop());
  const double b = legacyNumber(frame.stack.pop());
  switch (code) {
    case ActionCode::Add:
      frame.stack.push(Value::number(b + a));
      break;
    case ActionCode::Subtract:
      frame.stack.push(Value::number(b - a));
      break;
    case ActionCode::Multiply:
      frame.stack.push(Value::number(b * a));
      break;
    default:
      if (a == 0 && vm_.swfVersion() <= 4) {
        frame.stack.push(Value::string(QStringLiteral("#ERROR#")));
      } else {
        frame.stack.push(Value::number(b / a));
      }
      break;
  }
}

void Interpreter::opLegacyLogic(Frame& frame, ActionCode code) {
  const Value a = frame.stack.pop();
  const Value b = frame.stack.pop();
  const auto truth = [this](const Value& v) {
    return vm_.swfVersion() <= 4 ? legacyNumber(v) != 0 : vm_.toBoolean(v);
  };
  const bool result = code == ActionCode::And ? truth(b) && truth(a) : truth(b) || truth(a);
  frame.stack.push(legacyBoolean(result));
}

void Interpreter::opNot(Frame& frame) {
  const Value value = frame.stack.pop();
  const bool truth = vm_.swfVersion() <= 4 ? legacyNumber(value) != 0 : vm_.toBoolean(value);
  frame.stack.push(legacyBoolean(!truth));
}

void Interpreter::opAdd2(Frame& frame) {
  const Value a = frame.stack.pop();
  const Value b = frame.stack.pop();
  frame.stack.push(add(vm_, b, a));
}

void Interpreter::opArithmetic(Frame& frame, ActionCode) {
  const double a = vm_.toNumber(frame.stack.pop());
  const double b = vm_.toNumber(frame.stack.pop());
  frame.stack.push(Value::number(std::fmod(b, a)));
}

void Interpreter::opBitwise(Frame& frame, ActionCode code) {
  const double a = vm_.toNumber(frame.stack.pop());
  const double b = vm_.toNumber(frame.stack.pop());
  const std::int32_t x = toInt32(b);
  const std::uint32_t shift = toUint32(a) & 31;
  double result = 0;
  switch (code) {
    case ActionCode::BitAnd:
      result = x & toInt32(a);
      break;
    case ActionCode::BitOr:
      result = x | toInt32(a);
      break;
    case ActionCode::BitXor:
      result = x ^ toInt32(a);
      break;
    case ActionCode::BitLShift:
      result = static_cast<std::int32_t>(toUint32(b) << shift);
      break;
    case ActionCode::BitRShift:
      result = x >> shift;
      break;
    default:
      result = toUint32(b) >> shift;
      break;
  }
  frame.stack.push(Value::number(result));
}

void Interpreter::opUnary(Frame& frame, ActionCode code) {
  const Value value = frame.stack.pop();
  switch (code) {
    case ActionCode::Increment:
      frame.stack.push(Value::number(vm_.toNumber(value) + 1));
      break;
    case ActionCode::Decrement:
      frame.stack.push(Value::number(vm_.toNumber(value) - 1));
      break;
    case ActionCode::ToInteger:
      frame.stack.push(Value::number(toInteger(legacyNumber(value))));
      break;
    case ActionCode::ToNumber:
      frame.stack.push(Value::number(vm_.toNumber(value)));
      break;
    default:
      frame.stack.push(Value::string(vm_.toString(value)));
      break;
  }
}

}  // namespace quelvo::swf::avm1
