#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/DataLoading.h"
#include "swf/avm1/builtins/NativeSupport.h"
#include "swf/avm1/builtins/XmlTree.h"

namespace quelvo::swf::avm1 {

namespace {

XmlNodeObject* thisDocument(NativeCall& call) {
  Object* self = call.thisObject();
  return self != nullptr && self->kind() == ObjectKind::XmlNode ? static_cast<XmlNodeObject*>(self)
                                                                : nullptr;
}

void setOrDelete(Vm& vm, Object* target, const QString& name, const QString& text) {
  if (text.isEmpty()) {
    vm.deleteMember(target, name);
  } else {
    vm.setMember(target, name, Value::string(text));
  }
}

// Replaces the document's tree with the one parsed from source and sets
// status, xmlDecl and docTypeDecl.
void parseSource(Vm& vm, XmlNodeObject& document, const QString& source) {
  const bool ignoreWhite =
      vm.toBoolean(vm.getMember(Value::object(&document), QStringLiteral("ignoreWhite")));
  const xml::Result result = parseIntoDocument(vm, document, source, ignoreWhite);
  vm.setMember(&document, QStringLiteral("status"), Value::number(static_cast<int>(result.status)));
  setOrDelete(vm, &document, QStringLiteral("xmlDecl"), result.xmlDecl);
  setOrDelete(vm, &document, QStringLiteral("docTypeDecl"), result.docTypeDecl);
}

// new XML(source): a document, parsed from source when one is given.
Value xmlConstructor(NativeCall& call) {
  if (!call.constructing || call.thisObject() == nullptr) return {};
  XmlNodeObject* document = newXmlNode(call.vm, XmlNodeObject::kElement, Value::null());
  document->setProto(call.thisObject()->proto());
  call.vm.setMember(document, QStringLiteral("status"), Value::number(0));
  if (!call.arg(0).isNullish()) parseSource(call.vm, *document, stringArg(call, 0));
  return Value::object(document);
}

Value parseXml(NativeCall& call) {
  if (XmlNodeObject* self = thisDocument(call)) parseSource(call.vm, *self, stringArg(call, 0));
  return {};
}

Value createElement(NativeCall& call) {
  return Value::object(newXmlNode(call.vm, XmlNodeObject::kElement, call.arg(0)));
}

Value createTextNode(NativeCall& call) {
  return Value::object(newXmlNode(call.vm, XmlNodeObject::kText, call.arg(0)));
}

Value onData(NativeCall& call) { return receiveData(call, QStringLiteral("parseXML")); }

}  // namespace

void installXml(Vm& vm) {
  installXmlNode(vm);
  Object* proto = vm.newObject(vm.protos().xmlNode);
  defineClass(vm, QStringLiteral("XML"), xmlConstructor, proto);
  const std::pair<const char*, NativeFn> methods[] = {
      {"parseXML", parseXml},
      {"createElement", createElement},
      {"createTextNode", createTextNode},
      {"onData", onData},
  };
  for (const auto& [name, fn] : methods) vm.defineMethod(proto, QString::fromLatin1(name), fn);
  defineDataLoading(vm, proto);
  vm.defineValue(proto, QStringLiteral("ignoreWhite"), Value::boolean(false));
  vm.defineValue(proto, QStringLiteral("contentType"),
                 Value::string(QStringLiteral("application/x-www-form-urlencoded")));
}

}  // namespace quelvo::swf::avm1
