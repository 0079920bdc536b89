#include <QStringList>

#include "swf/avm1/UrlEncoding.h"
#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/DataLoading.h"
#include "swf/avm1/builtins/NativeSupport.h"

namespace quelvo::swf::avm1 {

namespace {

Value loadVarsConstructor(NativeCall&) { return {}; }

// decode("a=1&b=x+y"): sets each variable on this object as a string.
Value decode(NativeCall& call) {
  Object* self = call.thisObject();
  if (self == nullptr) return {};
  for (const auto& [name, value] : decodeVariables(stringArg(call, 0), call.vm.swfVersion())) {
    call.vm.setMember(self, name, Value::string(value));
  }
  return {};
}

// The enumerable variables as "name=value&..." with both sides escaped.
Value toString(NativeCall& call) {
  Object* self = call.thisObject();
  if (self == nullptr) return {};
  QStringList pairs;
  qsizetype length = 0;
  for (const QString& name : call.vm.enumerate(self)) {
    const QString value = call.vm.toString(call.vm.getMember(call.thisValue, name));
    pairs.push_back(urlEscape(name) + u'=' + urlEscape(value));
    length += pairs.back().size() + 1;
    call.vm.reserveString(length);
  }
  return Value::string(pairs.join(u'&'));
}

Value onData(NativeCall& call) { return receiveData(call, QStringLiteral("decode")); }

}  // namespace

void installLoadVars(Vm& vm) {
  Object* proto = vm.newObject();
  defineClass(vm, QStringLiteral("LoadVars"), loadVarsConstructor, proto);
  vm.defineMethod(proto, QStringLiteral("decode"), decode);
  vm.defineMethod(proto, QStringLiteral("toString"), toString);
  vm.defineMethod(proto, QStringLiteral("onData"), onData);
  defineDataLoading(vm, proto);
  vm.defineValue(proto, QStringLiteral("contentType"),
                 Value::string(QStringLiteral("application/x-www-form-urlencoded")));
}

}  // namespace quelvo::swf::avm1
