#pragma once

#include <cstddef>
#include <vector>

#include "swf/avm1/Object.h"

namespace quelvo::swf::avm1 {

class Marker;

// A node of an XML tree: an element (nodeType 1, a name, attributes and
// children) or a text node (nodeType 3, a value). An XML document is an
// element without a name. The tree links both ways; the collector sees them.
class XmlNodeObject : public Object {
 public:
  static constexpr int kElement = 1;
  static constexpr int kText = 3;

  XmlNodeObject(const ObjectInit& init, int nodeType)
      : Object(ObjectKind::XmlNode, init), nodeType(nodeType) {}

  void traceReferences(Marker& marker) const override;

  // Whether node is this one or below it; adds the nodes passed to steps.
  bool contains(const XmlNodeObject* node, std::size_t& steps) const;
  // Takes the node out of its parent's children.
  void detach();
  // Puts child among the children at index (clamped), out of wherever it
  // was. False, changing nothing, when child is this node or holds it.
  // Checking that walks up from this node when child has children: steps
  // counts the nodes passed, for scripts to be charged.
  bool insert(XmlNodeObject* child, std::size_t index, std::size_t& steps);
  std::ptrdiff_t indexInParent() const;
  // The brother at offset from this node in its parent's children.
  XmlNodeObject* sibling(std::ptrdiff_t offset) const;

  int nodeType;
  Value name;   // elements: a string, or null for a document
  Value value;  // text nodes: a string
  XmlNodeObject* parent = nullptr;
  std::vector<XmlNodeObject*> children;
  Object* attributes = nullptr;  // made when first asked for
};

}  // namespace quelvo::swf::avm1
