#include "swf/avm1/builtins/DataLoading.h"
#include "swf/avm1/builtins/NativeSupport.h"
#include "swf/base/Log.h"

namespace quelvo::swf::avm1 {

namespace {

// Queues the file for target; false when this is no object or too many wait.
bool queueLoad(NativeCall& call, Object* target, const QString& url) {
  if (target == nullptr) return false;
  call.vm.defineValue(target, QStringLiteral("loaded"), Value::boolean(false));
  return call.vm.loadEvents().loadData(target, url);
}

// load(url)
Value load(NativeCall& call) {
  return Value::boolean(queueLoad(call, call.thisObject(), stringArg(call, 0)));
}

// sendAndLoad(url, target, method): the reply is the local file read into
// target; this object's variables are not sent anywhere.
Value sendAndLoad(NativeCall& call) {
  const QString url = stringArg(call, 0);
  movielog::refusedLoad(url, QStringLiteral("variables are not sent; the file is read only"));
  return Value::boolean(queueLoad(call, call.arg(1).objectOrNull(), url));
}

// send(url, window, method) would hand the variables to a browser.
Value send(NativeCall& call) {
  movielog::refusedLoad(stringArg(call, 0), QStringLiteral("sending is not supported"));
  return Value::boolean(false);
}

// Undefined until a load has arrived.
Value getBytesLoaded(NativeCall& call) {
  return call.vm.getMember(call.thisValue, LoadEvents::bytesLoadedName());
}

Value getBytesTotal(NativeCall& call) {
  return call.vm.getMember(call.thisValue, LoadEvents::bytesTotalName());
}

// Headers only matter to requests over the network.
Value addRequestHeader(NativeCall&) { return {}; }

}  // namespace

void defineDataLoading(Vm& vm, Object* prototype) {
  const std::pair<const char*, NativeFn> methods[] = {
      {"load", load},
      {"sendAndLoad", sendAndLoad},
      {"send", send},
      {"getBytesLoaded", getBytesLoaded},
      {"getBytesTotal", getBytesTotal},
      {"addRequestHeader", addRequestHeader},
  };
  for (const auto& [name, fn] : methods) vm.defineMethod(prototype, QString::fromLatin1(name), fn);
}

Value receiveData(NativeCall& call, const QString& parseMethod) {
  Object* self = call.thisObject();
  if (self == nullptr) return {};
  const Value text = call.arg(0);
  const bool success = !text.isUndefined();
  if (success) {
    const Value argument[] = {text};
    call.vm.callMethod(call.thisValue, parseMethod, argument);
  }
  call.vm.defineValue(self, QStringLiteral("loaded"), Value::boolean(success));
  const Value result[] = {Value::boolean(success)};
  call.vm.callMethod(call.thisValue, QStringLiteral("onLoad"), result);
  return {};
}

}  // namespace quelvo::swf::avm1
