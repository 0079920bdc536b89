// The Selection object: which text field (or button) has the focus, its
// selection and caret, and the listeners told when the focus moves (onSetFocus).
#include <algorithm>
#include <cmath>

#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/NativeSupport.h"

namespace quelvo::swf::avm1 {

namespace {

// The focused field's full path, or null.
Value getFocus(NativeCall& call) {
  const ClipHandle field = call.vm.host().focusedField();
  return field == kNoClip ? Value::null() : Value::string(call.vm.dotPath(field));
}

// setFocus(field, button or path): true when it has the focus now; null or
// undefined takes the focus away.
Value setFocus(NativeCall& call) {
  Host& host = call.vm.host();
  const Value target = call.arg(0);
  if (target.isNullish()) {
    host.setFocusedField(kNoClip);
    return Value::boolean(true);
  }
  const ClipHandle field =
      target.isObject()
          ? Vm::clipOf(target)
          : Vm::clipOf(call.vm.getVariable(host.rootClip(), call.vm.toString(target)));
  if (field == kNoClip || !(host.isTextField(field) || host.isButton(field))) {
    return Value::boolean(false);
  }
  return Value::boolean(host.setFocusedField(field));
}

// The indexes are -1 without a focused field.
template <int FieldSelection::*Part>
Value selectionIndex(NativeCall& call) {
  const auto selection = call.vm.host().selection();
  return Value::number(selection ? (*selection).*Part : -1);
}

int indexArg(NativeCall& call, std::size_t index) {
  const double number = numberArg(call, index);
  return std::isfinite(number) ? static_cast<int>(std::clamp(number, 0.0, 2147483647.0)) : 0;
}

Value setSelection(NativeCall& call) {
  call.vm.host().setSelection(indexArg(call, 0), indexArg(call, 1));
  return {};
}

}  // namespace

void installSelection(Vm& vm) {
  Object* selection = vm.newObject();
  vm.defineValue(vm.global(), QStringLiteral("Selection"), Value::object(selection));
  makeBroadcaster(vm, selection);
  const std::pair<const char*, NativeFn> methods[] = {
      {"getFocus", getFocus},
      {"setFocus", setFocus},
      {"getBeginIndex", selectionIndex<&FieldSelection::begin>},
      {"getEndIndex", selectionIndex<&FieldSelection::end>},
      {"getCaretIndex", selectionIndex<&FieldSelection::caret>},
      {"setSelection", setSelection},
  };
  for (const auto& [name, fn] : methods) vm.defineMethod(selection, QString::fromLatin1(name), fn);
}

}  // namespace quelvo::swf::avm1
