#include "swf/avm1/Interpreter.h"
#include "swf/avm1/Vm.h"

namespace quelvo::swf::avm1 {

namespace {

constexpr int kMaxChain = 256;

}  // namespace

// Counts one level of call nesting for as long as the call runs.
class CallDepthGuard {
 public:
  CallDepthGuard(std::uint32_t& depth, std::uint32_t limit) : depth_(depth) {
    if (++depth_ > limit) {
      --depth_;
      throw ScriptAbort{QStringLiteral("calls nested deeper than %1").arg(limit)};
    }
  }
  ~CallDepthGuard() { --depth_; }
  CallDepthGuard(const CallDepthGuard&) = delete;
  CallDepthGuard& operator=(const CallDepthGuard&) = delete;

 private:
  std::uint32_t& depth_;
};

Value Vm::call(const Value& function, const Value& thisValue, std::span<const Value> args,
               Object* home) {
  return invoke(function, thisValue, args, home, false);
}

Value Vm::invoke(const Value& function, const Value& thisValue, std::span<const Value> args,
                 Object* home, bool constructing) {
  Object* callee = function.objectOrNull();
  if (callee == nullptr || !callee->isFunction()) return {};
  CallDepthGuard guard(callDepth_, limits_.callDepth);
  chargeSteps(1);
  if (static_cast<FunctionObject*>(callee)->isNative()) {
    NativeCall nativeCall{*this, thisValue, args, constructing};
    return static_cast<NativeFunction*>(callee)->fn(nativeCall);
  }
  return interpreter_->invoke(*static_cast<ScriptFunction*>(callee), thisValue, args, home);
}

void Vm::runNested(ClipHandle target, const ActionBlock& block) {
  CallDepthGuard guard(callDepth_, limits_.callDepth);
  interpreter_->runBlock(decoded(block), target);
}

Value Vm::callMethod(const Value& target, const QString& name, std::span<const Value> args,
                     bool reportMissing) {
  Object* object = target.objectOrNull();
  if (object != nullptr && object->kind() == ObjectKind::Super) {
    auto* super = static_cast<SuperObject*>(object);
    if (name.isEmpty()) {  // super(...): the superclass constructor on this object
      const Value constructor = Value::object(super->constructor);
      Object* home = getMember(constructor, QStringLiteral("prototype")).objectOrNull();
      return call(constructor, Value::object(super->self), args, home);
    }
    Object* holder = nullptr;
    Property* property = nullptr;
    if (!findProperty(super->base, name, holder, property)) return {};
    const Value method = readProperty(Value::object(super->self), holder, *property);
    return call(method, Value::object(super->self), args, holder);
  }
  if (name.isEmpty()) return call(target, Value(), args);
  const Value method = getMember(target, name);
  if (reportMissing && !(method.isObject() && method.asObject()->isFunction())) {
    noteMissingMethod(target, name);
  }
  Object* home = nullptr;
  if (object != nullptr) {
    Property* property = nullptr;
    findProperty(object, name, home, property);
  }
  return call(method, target, args, home);
}

Value Vm::construct(const Value& constructor, std::span<const Value> args) {
  Object* callee = constructor.objectOrNull();
  if (callee == nullptr || !callee->isFunction()) return {};
  Object* proto = getMember(constructor, QStringLiteral("prototype")).objectOrNull();
  Object* instance = newObject(proto);
  defineValue(instance, QStringLiteral("__constructor__"), constructor);
  if (swfVersion_ < 6) defineValue(instance, QStringLiteral("constructor"), constructor);
  const Value result = invoke(constructor, Value::object(instance), args, instance->proto(), true);
  return result.isObject() ? result : Value::object(instance);
}

bool Vm::instanceOf(const Value& value, Object* constructor) {
  Object* object = value.objectOrNull();
  if (object == nullptr || constructor == nullptr) return false;
  Object* proto = getMember(Value::object(constructor), QStringLiteral("prototype")).objectOrNull();
  if (proto == nullptr) return false;
  int hops = 0;
  for (Object* link = object->proto(); link != nullptr && hops < kMaxChain;
       link = link->proto(), ++hops) {
    if (link == proto) return true;
    for (Object* face : link->interfaces()) {
      if (face == constructor) return true;
    }
  }
  return false;
}

}  // namespace quelvo::swf::avm1
