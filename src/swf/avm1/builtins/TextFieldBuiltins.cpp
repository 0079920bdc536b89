// The TextField class: text fields' members as properties of
// TextField.prototype, their methods, and MovieClip.createTextField.
#include <utility>

#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/NativeSupport.h"
#include "swf/avm1/builtins/TextFormatBuiltins.h"

namespace quelvo::swf::avm1 {

namespace {

// createTextField returns the field from this version on.
constexpr int kFieldReturnedFromVersion = 8;

ClipHandle thisField(NativeCall& call) {
  const ClipHandle handle = thisClip(call);
  return handle != kNoClip && call.vm.host().isTextField(handle) ? handle : kNoClip;
}

template <std::size_t Index>
Value getMember(NativeCall& call) {
  const ClipHandle field = thisField(call);
  if (field == kNoClip) return {};
  return call.vm.host().fieldMember(field, kFieldMembers[Index].member);
}

template <std::size_t Index>
Value setMember(NativeCall& call) {
  const ClipHandle field = thisField(call);
  if (field == kNoClip) return {};
  const Value value = call.arg(0);
  Value converted = value;
  switch (kFieldMembers[Index].type) {
    case FieldMemberType::String:
      converted = Value::string(call.vm.toString(value));
      break;
    case FieldMemberType::Number:
      converted = Value::number(call.vm.toNumber(value));
      break;
    case FieldMemberType::Boolean:
      converted = Value::boolean(call.vm.toBoolean(value));
      break;
    case FieldMemberType::Any:
      if (!value.isPrimitive()) converted = Value::string(call.vm.toString(value));
      break;
    case FieldMemberType::ReadOnly:
      return {};
  }
  call.vm.host().setFieldMember(field, kFieldMembers[Index].member, converted);
  return {};
}

template <std::size_t... Index>
void defineMembers(Vm& vm, Object* proto, std::index_sequence<Index...>) {
  const auto define = [&](const FieldMemberInfo& info, NativeFn get, NativeFn set) {
    Property& property = proto->properties().findOrAdd(QString::fromUtf16(info.name));
    property.value = Value();
    property.flags = DontEnum;
    property.getter = vm.newNative(get);
    property.setter = vm.newNative(set);
  };
  (define(kFieldMembers[Index], getMember<Index>, setMember<Index>), ...);
}

// The range a format method names: (), (index) or (begin, end); the
// arguments before the format for setTextFormat.
std::pair<int, int> rangeArgs(NativeCall& call, std::size_t count) {
  const auto index = [&](std::size_t i) {
    const double number = numberArg(call, i);
    return number >= 0 && number < 2147483647.0 ? static_cast<int>(number) : 0;
  };
  if (count == 0) return {0, -1};
  if (count == 1) return {index(0), index(0) + 1};
  return {index(0), index(1)};
}

Value getTextFormat(NativeCall& call) {
  const ClipHandle field = thisField(call);
  if (field == kNoClip) return {};
  const auto [begin, end] = rangeArgs(call, std::min<std::size_t>(call.args.size(), 2));
  return objectOfFormat(call.vm, call.vm.host().textFormat(field, begin, end));
}

Value setTextFormat(NativeCall& call) {
  const ClipHandle field = thisField(call);
  if (field == kNoClip || call.args.empty()) return {};
  const std::size_t count = std::min<std::size_t>(call.args.size() - 1, 2);
  const auto [begin, end] = rangeArgs(call, count);
  call.vm.host().setTextFormat(field, begin, end, formatOfObject(call.vm, call.arg(count)));
  return {};
}

Value getNewTextFormat(NativeCall& call) {
  const ClipHandle field = thisField(call);
  if (field == kNoClip) return {};
  return objectOfFormat(call.vm, call.vm.host().newTextFormat(field));
}

Value setNewTextFormat(NativeCall& call) {
  if (const ClipHandle field = thisField(call)) {
    call.vm.host().setNewTextFormat(field, formatOfObject(call.vm, call.arg(0)));
  }
  return {};
}

Value removeTextField(NativeCall& call) {
  if (const ClipHandle field = thisField(call)) call.vm.host().removeTextField(field);
  return {};
}

Value getDepth(NativeCall& call) {
  const ClipHandle field = thisField(call);
  return field == kNoClip ? Value() : Value::number(call.vm.host().depthOf(field));
}

// MovieClip.createTextField(name, depth, x, y, width, height).
Value createTextField(NativeCall& call) {
  const ClipHandle clip = thisClip(call);
  if (clip == kNoClip || call.args.size() < 6) return {};
  const double depth = numberArg(call, 1);
  if (!(depth >= -16384 && depth <= 1048575)) return {};
  const std::array<double, 4> box{numberArg(call, 2), numberArg(call, 3), numberArg(call, 4),
                                  numberArg(call, 5)};
  const ClipHandle made =
      call.vm.host().createTextField(clip, stringArg(call, 0), static_cast<int>(depth), box);
  if (made == kNoClip || call.vm.swfVersion() < kFieldReturnedFromVersion) return {};
  return Value::object(call.vm.clipObject(made));
}

Value construct(NativeCall&) { return {}; }

}  // namespace

void installTextField(Vm& vm) {
  Object* proto = vm.newObject();
  defineClass(vm, QStringLiteral("TextField"), construct, proto);
  vm.protos().textField = proto;
  defineMembers(vm, proto, std::make_index_sequence<kFieldMembers.size()>());
  const std::pair<const char*, NativeFn> methods[] = {
      {"getTextFormat", getTextFormat},       {"setTextFormat", setTextFormat},
      {"getNewTextFormat", getNewTextFormat}, {"setNewTextFormat", setNewTextFormat},
      {"removeTextField", removeTextField},   {"getDepth", getDepth},
  };
  for (const auto& [name, fn] : methods) vm.defineMethod(proto, QString::fromLatin1(name), fn);
  defineListeners(vm, proto);
  if (Object* movieClip = vm.protos().movieClip) {
    vm.defineMethod(movieClip, QStringLiteral("createTextField"), createTextField);
  }
  installTextFormat(vm);
}

}  // namespace quelvo::swf::avm1
