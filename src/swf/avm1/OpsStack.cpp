#include <cmath>

#include "swf/avm1/Interpreter.h"
#include "swf/avm1/Vm.h"

namespace quelvo::swf::avm1 {

std::vector<Value> ValueStack::popArguments(double count) {
  const std::size_t wanted =
      count >= 1
          ? static_cast<std::size_t>(std::min<double>(count, static_cast<double>(values_.size())))
          : 0;
  std::vector<Value> popped;
  popped.reserve(wanted);
  for (std::size_t i = 0; i < wanted; ++i) popped.push_back(pop());
  return popped;
}

void Interpreter::opPush(Frame& frame, const Action& action) {
  for (const PushValue& pushed : std::get<std::vector<PushValue>>(action.operand)) {
    switch (pushed.kind) {
      case PushValue::Kind::String:
        frame.stack.push(Value::string(pushed.string));
        break;
      case PushValue::Kind::Number:
        frame.stack.push(Value::number(pushed.number));
        break;
      case PushValue::Kind::Null:
        frame.stack.push(Value::null());
        break;
      case PushValue::Kind::Undefined:
        frame.stack.push(Value());
        break;
      case PushValue::Kind::Boolean:
        frame.stack.push(Value::boolean(pushed.number != 0));
        break;
      case PushValue::Kind::Register:
        frame.stack.push(pushed.index < frame.registers.size() ? frame.registers[pushed.index]
                                                               : Value());
        break;
      case PushValue::Kind::Constant: {
        const ConstantList* pool = frame.constants.get();
        frame.stack.push(pool != nullptr && pushed.index < pool->size()
                             ? Value::string((*pool)[pushed.index])
                             : Value());
        break;
      }
    }
  }
}

void Interpreter::opPushDuplicate(Frame& frame) { frame.stack.push(frame.stack.peek()); }

void Interpreter::opStackSwap(Frame& frame) {
  Value top = frame.stack.pop();
  Value below = frame.stack.pop();
  frame.stack.push(std::move(top));
  frame.stack.push(std::move(below));
}

void Interpreter::opStoreRegister(Frame& frame, const Action& action) {
  const auto index = static_cast<std::size_t>(action.integer());
  if (index < frame.registers.size()) frame.registers[index] = frame.stack.peek();
}

void Interpreter::opConstantPool(Frame& frame, const Action& action) {
  frame.constants = std::get<std::shared_ptr<const ConstantList>>(action.operand);
}

}  // namespace quelvo::swf::avm1
