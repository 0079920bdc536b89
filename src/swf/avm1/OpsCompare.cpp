#include "swf/avm1/Interpreter.h"
#include "swf/avm1/Operators.h"
#include "swf/avm1/Vm.h"

namespace quelvo::swf::avm1 {

void Interpreter::opLegacyCompare(Frame& frame, ActionCode code) {
  const double a = legacyNumber(frame.stack.pop());
  const double b = legacyNumber(frame.stack.pop());
  frame.stack.push(legacyBoolean(code == ActionCode::Equals ? b == a : b < a));
}

void Interpreter::opCompare(Frame& frame, ActionCode code) {
  const Value a = frame.stack.pop();
  const Value b = frame.stack.pop();
  switch (code) {
    case ActionCode::Equals2:
      frame.stack.push(Value::boolean(looseEquals(vm_, b, a)));
      break;
    case ActionCode::StrictEquals:
      frame.stack.push(Value::boolean(strictEquals(b, a)));
      break;
    default: {
      const auto result = code == ActionCode::Less2 ? lessThan(vm_, b, a) : lessThan(vm_, a, b);
      frame.stack.push(result ? Value::boolean(*result) : Value());
      break;
    }
  }
}

void Interpreter::opStringCompare(Frame& frame, ActionCode code) {
  const QString a = vm_.toString(frame.stack.pop());
  const QString b = vm_.toString(frame.stack.pop());
  switch (code) {
    case ActionCode::StringEquals:
      frame.stack.push(legacyBoolean(b == a));
      break;
    case ActionCode::StringLess:
      frame.stack.push(legacyBoolean(b < a));
      break;
    default:
      frame.stack.push(legacyBoolean(b > a));
      break;
  }
}

}  // namespace quelvo::swf::avm1
