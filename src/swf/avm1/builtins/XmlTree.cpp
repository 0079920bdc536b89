#include "swf/avm1/builtins/XmlTree.h"

#include <utility>
#include <vector>

#include "swf/xml/XmlText.h"

namespace quelvo::swf::avm1 {

namespace {

Object* attributesOf(Vm& vm, XmlNodeObject& node) {
  if (node.attributes == nullptr) node.attributes = vm.newObject();
  return node.attributes;
}

// Builds the parsed nodes under the document as the parser reads them.
class TreeBuilder final : public xml::Sink {
 public:
  TreeBuilder(Vm& vm, XmlNodeObject& document) : vm_(vm), current_(&document) {}

  void startElement(const QString& name, std::vector<xml::Attribute> attributes) override {
    XmlNodeObject* element = newXmlNode(vm_, XmlNodeObject::kElement, Value::string(name));
    if (!attributes.empty()) {
      Object* into = attributesOf(vm_, *element);
      for (xml::Attribute& attribute : attributes) {
        vm_.setMember(into, attribute.name, Value::string(std::move(attribute.value)));
      }
    }
    current_->children.push_back(element);
    element->parent = current_;
    current_ = element;
  }

  void endElement() override {
    if (current_->parent != nullptr) current_ = current_->parent;
  }

  void text(const QString& value) override {
    XmlNodeObject* node = newXmlNode(vm_, XmlNodeObject::kText, Value::string(value));
    current_->children.push_back(node);
    node->parent = current_;
  }

 private:
  Vm& vm_;
  XmlNodeObject* current_;
};

// Stops building markup that has grown past the string limit.
void checkLength(Vm& vm, const QString& out) {
  if (out.size() > vm.limits().stringLength) vm.reserveString(out.size());
}

void appendAttributes(Vm& vm, XmlNodeObject& node, QString& out) {
  if (node.attributes == nullptr) return;
  std::vector<QString> names;
  for (const Property& property : node.attributes->properties().entries()) {
    if ((property.flags & DontEnum) == 0) names.push_back(property.name);
  }
  for (const QString& name : names) {
    const QString value = vm.toString(vm.getMember(Value::object(node.attributes), name));
    out += u' ' + name + QLatin1String("=\"") + xml::escapeText(value) + u'"';
    checkLength(vm, out);
  }
}

// Writes the node's opening; true when its children and closing tag follow.
bool openNode(Vm& vm, XmlNodeObject& node, QString& out) {
  if (node.nodeType != XmlNodeObject::kElement) {
    if (!node.value.isNullish()) out += xml::escapeText(vm.toString(node.value));
    return false;
  }
  if (node.name.isNullish()) return !node.children.empty();
  out += u'<' + vm.toString(node.name);
  appendAttributes(vm, node, out);
  if (node.children.empty()) {
    out += QLatin1String(" />");
    return false;
  }
  out += u'>';
  return true;
}

void closeNode(Vm& vm, XmlNodeObject& node, QString& out) {
  if (!node.name.isNullish()) out += QLatin1String("</") + vm.toString(node.name) + u'>';
}

void appendDeclarations(Vm& vm, XmlNodeObject& document, QString& out) {
  for (const char* member : {"xmlDecl", "docTypeDecl"}) {
    const Value declaration = vm.getMember(Value::object(&document), QString::fromLatin1(member));
    if (!declaration.isNullish()) out += vm.toString(declaration);
  }
}

}  // namespace

XmlNodeObject* newXmlNode(Vm& vm, int nodeType, const Value& text) {
  auto* node = vm.heap().make<XmlNodeObject>(vm.protos().xmlNode, nodeType);
  const Value content = text.isNullish() ? Value::null() : Value::string(vm.toString(text));
  (nodeType == XmlNodeObject::kElement ? node->name : node->value) = content;
  return node;
}

xml::Result parseIntoDocument(Vm& vm, XmlNodeObject& document, QStringView source,
                              bool ignoreWhite) {
  for (XmlNodeObject* child : document.children) child->parent = nullptr;
  document.children.clear();
  TreeBuilder builder(vm, document);
  return xml::parse(source, ignoreWhite, builder);
}

QString xmlMarkup(Vm& vm, XmlNodeObject& node) {
  QString out;
  if (node.nodeType == XmlNodeObject::kElement && node.name.isNullish()) {
    appendDeclarations(vm, node, out);
  }
  struct Step {
    XmlNodeObject* node;
    std::size_t next = 0;
  };
  std::vector<Step> open;
  if (openNode(vm, node, out)) open.push_back({&node});
  while (!open.empty()) {
    Step& step = open.back();
    if (step.next >= step.node->children.size()) {
      closeNode(vm, *step.node, out);
      open.pop_back();
      continue;
    }
    XmlNodeObject* child = step.node->children[step.next++];
    if (openNode(vm, *child, out)) open.push_back({child});
    checkLength(vm, out);
  }
  return out;
}

XmlNodeObject* cloneXmlNode(Vm& vm, XmlNodeObject& node, bool deep) {
  const auto copyOne = [&vm](XmlNodeObject& original) {
    auto* copy = vm.heap().make<XmlNodeObject>(original.proto(), original.nodeType);
    copy->name = original.name;
    copy->value = original.value;
    if (original.attributes != nullptr) {
      Object* attributes = attributesOf(vm, *copy);
      for (const Property& property : original.attributes->properties().entries()) {
        if ((property.flags & DontEnum) == 0) {
          vm.setMember(attributes, property.name, property.value);
        }
      }
    }
    return copy;
  };
  XmlNodeObject* root = copyOne(node);
  if (!deep) return root;
  std::vector<std::pair<XmlNodeObject*, XmlNodeObject*>> pending{{&node, root}};
  while (!pending.empty()) {
    const auto [original, copy] = pending.back();
    pending.pop_back();
    for (XmlNodeObject* child : original->children) {
      XmlNodeObject* childCopy = copyOne(*child);
      copy->children.push_back(childCopy);
      childCopy->parent = copy;
      pending.emplace_back(child, childCopy);
    }
  }
  return root;
}

}  // namespace quelvo::swf::avm1
