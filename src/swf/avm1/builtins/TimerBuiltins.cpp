#include <cmath>

#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/NativeSupport.h"

namespace quelvo::swf::avm1 {

namespace {

// setInterval(function, ms, args...) or setInterval(object, "method", ms, args...)
Value addTimer(NativeCall& call, bool repeat) {
  Timer timer;
  timer.repeat = repeat;
  std::size_t next = 0;
  const Value first = call.arg(0);
  if (first.isObject() && first.asObject()->isFunction()) {
    timer.function = first;
    next = 1;
  } else if (first.isObject() && call.arg(1).isString()) {
    timer.thisValue = first;
    timer.method = call.arg(1).asString();
    next = 2;
  } else {
    return {};
  }
  const double period = numberArg(call, next);
  timer.periodMs = std::isfinite(period) && period > 1 ? period : 1;
  if (call.args.size() > next + 1) timer.args.assign(call.args.begin() + next + 1, call.args.end());
  if (call.vm.timers().size() >= call.vm.limits().timers) {
    call.vm.log(
        QStringLiteral("timer not set: %1 timers already running").arg(call.vm.timers().size()));
    return {};
  }
  timer.dueMs = call.vm.host().timerMs() + timer.periodMs;
  return Value::number(call.vm.timers().add(std::move(timer)));
}

Value setInterval(NativeCall& call) { return addTimer(call, true); }
Value setTimeout(NativeCall& call) { return addTimer(call, false); }

Value clearTimer(NativeCall& call) {
  const double id = numberArg(call, 0);
  if (std::isfinite(id)) call.vm.timers().remove(static_cast<int>(id));
  return {};
}

}  // namespace

void installTimers(Vm& vm) {
  vm.defineMethod(vm.global(), QStringLiteral("setInterval"), setInterval);
  vm.defineMethod(vm.global(), QStringLiteral("clearInterval"), clearTimer);
  vm.defineMethod(vm.global(), QStringLiteral("setTimeout"), setTimeout);
  vm.defineMethod(vm.global(), QStringLiteral("clearTimeout"), clearTimer);
}

}  // namespace quelvo::swf::avm1
