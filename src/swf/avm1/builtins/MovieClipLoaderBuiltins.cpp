#include <cmath>

#include "swf/avm1/Interpreter.h"
#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/NativeSupport.h"

namespace quelvo::swf::avm1 {

namespace {

// A new loader tells itself first: handlers set on it hear its loads.
Value movieClipLoaderConstructor(NativeCall& call) {
  Object* self = call.thisObject();
  if (!call.constructing || self == nullptr) return {};
  call.vm.defineValue(self, Vm::listenersName(),
                      Value::object(call.vm.newArray({Value::object(self)})));
  return {};
}

// The request for a target given as a clip, a level number or a path.
UrlRequest requestFor(NativeCall& call, const Value& target) {
  UrlRequest request;
  request.targetIsClip = true;
  if (target.isNumber()) {
    const double level = target.asNumber();
    if (std::isfinite(level) && level >= 0) {
      request.target = QStringLiteral("_level%1").arg(static_cast<long long>(level));
    }
    return request;
  }
  request.targetClip = Vm::clipOf(target);
  if (request.targetClip == kNoClip && target.isString()) {
    request.target = target.asString();
    if (!request.target.startsWith(QLatin1String("_level"), Qt::CaseInsensitive)) {
      request.targetClip =
          Vm::clipOf(call.vm.interpreter().getVariable(call.vm.host().rootClip(), request.target));
    }
  }
  if (request.targetClip != kNoClip) request.target = call.vm.dotPath(request.targetClip);
  return request;
}

// loadClip(url, target): false when the target names nothing or too many
// loads are going; events follow on later ticks.
Value loadClip(NativeCall& call) {
  Object* self = call.thisObject();
  if (self == nullptr) return Value::boolean(false);
  UrlRequest request = requestFor(call, call.arg(1));
  if (request.target.isEmpty()) return Value::boolean(false);
  request.url = stringArg(call, 0);
  request.loadId = call.vm.loadEvents().startClipLoad(self);
  if (request.loadId == 0) return Value::boolean(false);
  call.vm.host().getUrl(request);
  return Value::boolean(true);
}

Value unloadClip(NativeCall& call) {
  UrlRequest request = requestFor(call, call.arg(0));
  if (request.target.isEmpty()) return Value::boolean(false);
  call.vm.host().getUrl(request);  // no address: unload
  return Value::boolean(true);
}

// getProgress(target): {bytesLoaded, bytesTotal} of the clip.
Value getProgress(NativeCall& call) {
  const Value target = call.arg(0);
  Object* progress = call.vm.newObject();
  for (const char* member : {"bytesLoaded", "bytesTotal"}) {
    const QString name = QString::fromLatin1(member);
    const QString method = QStringLiteral("getB") + name.mid(1);
    call.vm.setMember(
        progress, name,
        Vm::clipOf(target) != kNoClip ? call.vm.callMethod(target, method, {}) : Value());
  }
  return Value::object(progress);
}

}  // namespace

void installMovieClipLoader(Vm& vm) {
  Object* proto = vm.newObject();
  defineClass(vm, QStringLiteral("MovieClipLoader"), movieClipLoaderConstructor, proto);
  vm.defineMethod(proto, QStringLiteral("loadClip"), loadClip);
  vm.defineMethod(proto, QStringLiteral("unloadClip"), unloadClip);
  vm.defineMethod(proto, QStringLiteral("getProgress"), getProgress);
  defineListeners(vm, proto);
}

}  // namespace quelvo::swf::avm1
