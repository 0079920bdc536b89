#include "swf/avm1/Interpreter.h"
#include "swf/avm1/Vm.h"

namespace quelvo::swf::avm1 {

void Interpreter::opGetVariable(Frame& frame) {
  const QString name = vm_.toString(frame.stack.pop());
  frame.stack.push(scope(frame).get(name));
}

void Interpreter::opSetVariable(Frame& frame) {
  const Value value = frame.stack.pop();
  const QString name = vm_.toString(frame.stack.pop());
  scope(frame).set(name, value);
}

void Interpreter::opDefineLocal(Frame& frame) {
  const Value value = frame.stack.pop();
  const QString name = vm_.toString(frame.stack.pop());
  scope(frame).defineLocal(name, value);
}

// "var x;": declares without changing a value already there.
void Interpreter::opDefineLocal2(Frame& frame) {
  const QString name = vm_.toString(frame.stack.pop());
  Object* holder = frame.activation != nullptr ? frame.activation
                   : frame.scope.empty()       ? vm_.global()
                                               : frame.scope.front();
  if (holder->properties().find(name) == nullptr && !vm_.hasProperty(holder, name)) {
    scope(frame).defineLocal(name, Value());
  }
}

void Interpreter::opDelete2(Frame& frame) {
  const QString name = vm_.toString(frame.stack.pop());
  frame.stack.push(Value::boolean(scope(frame).remove(name)));
}

}  // namespace quelvo::swf::avm1
