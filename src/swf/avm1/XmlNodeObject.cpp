#include "swf/avm1/XmlNodeObject.h"

#include <algorithm>

#include "swf/avm1/Heap.h"

namespace quelvo::swf::avm1 {

void XmlNodeObject::traceReferences(Marker& marker) const {
  Object::traceReferences(marker);
  marker.mark(name);
  marker.mark(value);
  marker.mark(parent);
  marker.mark(attributes);
  for (XmlNodeObject* child : children) marker.mark(child);
}

bool XmlNodeObject::contains(const XmlNodeObject* node, std::size_t& steps) const {
  for (; node != nullptr; node = node->parent, ++steps) {
    if (node == this) return true;
  }
  return false;
}

std::ptrdiff_t XmlNodeObject::indexInParent() const {
  if (parent == nullptr) return -1;
  const auto& brothers = parent->children;
  const auto found = std::find(brothers.begin(), brothers.end(), this);
  return found == brothers.end() ? -1 : found - brothers.begin();
}

void XmlNodeObject::detach() {
  const std::ptrdiff_t index = indexInParent();
  if (index >= 0) parent->children.erase(parent->children.begin() + index);
  parent = nullptr;
}

bool XmlNodeObject::insert(XmlNodeObject* child, std::size_t index, std::size_t& steps) {
  // A node without children holds no other node.
  if (child == nullptr || child == this) return false;
  if (!child->children.empty() && child->contains(this, steps)) return false;
  if (child->parent == this && static_cast<std::size_t>(child->indexInParent()) < index) --index;
  child->detach();
  index = std::min(index, children.size());
  children.insert(children.begin() + static_cast<std::ptrdiff_t>(index), child);
  child->parent = this;
  return true;
}

XmlNodeObject* XmlNodeObject::sibling(std::ptrdiff_t offset) const {
  const std::ptrdiff_t index = indexInParent();
  if (index < 0) return nullptr;
  const std::ptrdiff_t at = index + offset;
  if (at < 0 || at >= static_cast<std::ptrdiff_t>(parent->children.size())) return nullptr;
  return parent->children[static_cast<std::size_t>(at)];
}

}  // namespace quelvo::swf::avm1
