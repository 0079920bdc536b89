#include <tuple>

#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/builtins/NativeSupport.h"
#include "swf/avm1/builtins/XmlTree.h"

namespace quelvo::swf::avm1 {

namespace {

XmlNodeObject* asNode(const Value& value) {
  Object* object = value.objectOrNull();
  return object != nullptr && object->kind() == ObjectKind::XmlNode
             ? static_cast<XmlNodeObject*>(object)
             : nullptr;
}

XmlNodeObject* thisNode(NativeCall& call) { return asNode(call.thisValue); }

Value nodeOrNull(XmlNodeObject* node) { return node ? Value::object(node) : Value::null(); }

// Moves child under parent at index; the check against loops costs steps.
void insertChild(NativeCall& call, XmlNodeObject& parent, XmlNodeObject* child, std::size_t index) {
  std::size_t steps = 0;
  parent.insert(child, index, steps);
  call.vm.chargeSteps(steps);
}

// new XMLNode(type, text): type 3 makes a text node, anything else an element.
Value xmlNodeConstructor(NativeCall& call) {
  if (!call.constructing || call.thisObject() == nullptr) return {};
  const int type =
      numberArg(call, 0) == XmlNodeObject::kText ? XmlNodeObject::kText : XmlNodeObject::kElement;
  XmlNodeObject* node = newXmlNode(call.vm, type, call.arg(1));
  node->setProto(call.thisObject()->proto());
  return Value::object(node);
}

Value firstChild(NativeCall& call) {
  const XmlNodeObject* self = thisNode(call);
  return nodeOrNull(self && !self->children.empty() ? self->children.front() : nullptr);
}

Value lastChild(NativeCall& call) {
  const XmlNodeObject* self = thisNode(call);
  return nodeOrNull(self && !self->children.empty() ? self->children.back() : nullptr);
}

Value parentNode(NativeCall& call) {
  const XmlNodeObject* self = thisNode(call);
  return nodeOrNull(self ? self->parent : nullptr);
}

Value nextSibling(NativeCall& call) {
  const XmlNodeObject* self = thisNode(call);
  return nodeOrNull(self ? self->sibling(1) : nullptr);
}

Value previousSibling(NativeCall& call) {
  const XmlNodeObject* self = thisNode(call);
  return nodeOrNull(self ? self->sibling(-1) : nullptr);
}

// A new array each time: changing it does not change the tree.
Value childNodes(NativeCall& call) {
  const XmlNodeObject* self = thisNode(call);
  if (self == nullptr) return {};
  call.vm.reserveArray(0, self->children.size());
  std::vector<Value> children;
  children.reserve(self->children.size());
  for (XmlNodeObject* child : self->children) children.push_back(Value::object(child));
  return Value::object(call.vm.newArray(std::move(children)));
}

Value nodeType(NativeCall& call) {
  const XmlNodeObject* self = thisNode(call);
  return self ? Value::number(self->nodeType) : Value();
}

Value nodeName(NativeCall& call) {
  const XmlNodeObject* self = thisNode(call);
  if (self == nullptr) return {};
  return self->nodeType == XmlNodeObject::kElement ? self->name : Value::null();
}

Value setNodeName(NativeCall& call) {
  XmlNodeObject* self = thisNode(call);
  if (self != nullptr && self->nodeType == XmlNodeObject::kElement) {
    self->name = call.arg(0).isNullish() ? Value::null() : Value::string(stringArg(call, 0));
  }
  return {};
}

Value nodeValue(NativeCall& call) {
  const XmlNodeObject* self = thisNode(call);
  if (self == nullptr) return {};
  return self->nodeType == XmlNodeObject::kText ? self->value : Value::null();
}

Value setNodeValue(NativeCall& call) {
  XmlNodeObject* self = thisNode(call);
  if (self != nullptr && self->nodeType == XmlNodeObject::kText) {
    self->value = call.arg(0).isNullish() ? Value::null() : Value::string(stringArg(call, 0));
  }
  return {};
}

Value attributes(NativeCall& call) {
  XmlNodeObject* self = thisNode(call);
  if (self == nullptr) return {};
  if (self->attributes == nullptr) self->attributes = call.vm.newObject();
  return Value::object(self->attributes);
}

Value setAttributes(NativeCall& call) {
  XmlNodeObject* self = thisNode(call);
  if (self != nullptr && call.arg(0).isObject()) self->attributes = call.arg(0).asObject();
  return {};
}

// appendChild(node): moves node to the end of this node's children. A node
// cannot go below itself.
Value appendChild(NativeCall& call) {
  XmlNodeObject* self = thisNode(call);
  if (self != nullptr) insertChild(call, *self, asNode(call.arg(0)), self->children.size());
  return {};
}

// insertBefore(node, before): nothing happens when before is not a child.
Value insertBefore(NativeCall& call) {
  XmlNodeObject* self = thisNode(call);
  const XmlNodeObject* before = asNode(call.arg(1));
  if (self == nullptr || before == nullptr || before->parent != self) return {};
  insertChild(call, *self, asNode(call.arg(0)), static_cast<std::size_t>(before->indexInParent()));
  return {};
}

Value removeNode(NativeCall& call) {
  if (XmlNodeObject* self = thisNode(call)) self->detach();
  return {};
}

Value cloneNode(NativeCall& call) {
  XmlNodeObject* self = thisNode(call);
  return self ? Value::object(cloneXmlNode(call.vm, *self, call.vm.toBoolean(call.arg(0))))
              : Value();
}

Value hasChildNodes(NativeCall& call) {
  const XmlNodeObject* self = thisNode(call);
  return Value::boolean(self != nullptr && !self->children.empty());
}

Value toString(NativeCall& call) {
  XmlNodeObject* self = thisNode(call);
  return self ? Value::string(xmlMarkup(call.vm, *self)) : Value();
}

}  // namespace

void installXmlNode(Vm& vm) {
  Object* proto = vm.newObject();
  vm.protos().xmlNode = proto;
  defineClass(vm, QStringLiteral("XMLNode"), xmlNodeConstructor, proto);
  const std::pair<const char*, NativeFn> methods[] = {
      {"appendChild", appendChild}, {"insertBefore", insertBefore},   {"removeNode", removeNode},
      {"cloneNode", cloneNode},     {"hasChildNodes", hasChildNodes}, {"toString", toString},
  };
  for (const auto& [name, fn] : methods) vm.defineMethod(proto, QString::fromLatin1(name), fn);
  const std::tuple<const char*, NativeFn, NativeFn> accessors[] = {
      {"firstChild", firstChild, nullptr},
      {"lastChild", lastChild, nullptr},
      {"parentNode", parentNode, nullptr},
      {"nextSibling", nextSibling, nullptr},
      {"previousSibling", previousSibling, nullptr},
      {"childNodes", childNodes, nullptr},
      {"nodeType", nodeType, nullptr},
      {"nodeName", nodeName, setNodeName},
      {"nodeValue", nodeValue, setNodeValue},
      {"attributes", attributes, setAttributes},
  };
  for (const auto& [name, getter, setter] : accessors) {
    defineAccessor(vm, proto, QString::fromLatin1(name), getter, setter);
  }
}

}  // namespace quelvo::swf::avm1
