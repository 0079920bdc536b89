#pragma once

#include <QHash>
#include <QString>
#include <cstdint>
#include <vector>

#include "swf/avm1/Value.h"

namespace quelvo::swf::avm1 {

// Attribute bits as ASSetPropFlags sets them.
enum PropertyFlag : std::uint8_t {
  DontEnum = 0x01,
  DontDelete = 0x02,
  ReadOnly = 0x04,
};

struct Property {
  QString name;  // as first written
  Value value;
  std::uint8_t flags = 0;
  // addProperty: the value is read and written through these functions.
  Object* getter = nullptr;
  Object* setter = nullptr;

  bool isAccessor() const { return getter != nullptr; }
};

// The own properties of an object, in insertion order. Names compare
// case-insensitively for movies of SWF 6 and earlier.
class PropertyMap {
 public:
  explicit PropertyMap(bool caseSensitive) : caseSensitive_(caseSensitive) {}

  Property* find(const QString& name);
  const Property* find(const QString& name) const;
  // The property, added (undefined, no flags) when missing.
  Property& findOrAdd(const QString& name);
  bool erase(const QString& name);
  void clear() {
    entries_.clear();
    index_.clear();
  }

  // Callers may change values and flags in place, never names or the count.
  std::vector<Property>& entries() { return entries_; }
  const std::vector<Property>& entries() const { return entries_; }
  std::size_t size() const { return entries_.size(); }

 private:
  // Small maps are searched in place; larger ones keep a hash index.
  static constexpr std::size_t kIndexThreshold = 8;

  QString key(const QString& name) const;
  std::ptrdiff_t position(const QString& name) const;
  void rebuildIndex();

  bool caseSensitive_;
  std::vector<Property> entries_;
  QHash<QString, std::size_t> index_;
};

}  // namespace quelvo::swf::avm1
