#include "swf/avm1/PropertyMap.h"

namespace quelvo::swf::avm1 {

QString PropertyMap::key(const QString& name) const {
  return caseSensitive_ ? name : name.toCaseFolded();
}

std::ptrdiff_t PropertyMap::position(const QString& name) const {
  if (entries_.size() > kIndexThreshold) {
    const auto found = index_.constFind(key(name));
    return found == index_.cend() ? -1 : static_cast<std::ptrdiff_t>(*found);
  }
  const Qt::CaseSensitivity cs = caseSensitive_ ? Qt::CaseSensitive : Qt::CaseInsensitive;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].name.compare(name, cs) == 0) return static_cast<std::ptrdiff_t>(i);
  }
  return -1;
}

Property* PropertyMap::find(const QString& name) {
  const auto at = position(name);
  return at < 0 ? nullptr : &entries_[static_cast<std::size_t>(at)];
}

const Property* PropertyMap::find(const QString& name) const {
  const auto at = position(name);
  return at < 0 ? nullptr : &entries_[static_cast<std::size_t>(at)];
}

Property& PropertyMap::findOrAdd(const QString& name) {
  if (Property* existing = find(name)) return *existing;
  entries_.push_back(Property{name, Value(), 0, nullptr, nullptr});
  if (entries_.size() == kIndexThreshold + 1) {
    rebuildIndex();
  } else if (entries_.size() > kIndexThreshold) {
    index_.insert(key(name), entries_.size() - 1);
  }
  return entries_.back();
}

bool PropertyMap::erase(const QString& name) {
  const auto at = position(name);
  if (at < 0) return false;
  entries_.erase(entries_.begin() + at);
  rebuildIndex();
  return true;
}

void PropertyMap::rebuildIndex() {
  index_.clear();
  if (entries_.size() <= kIndexThreshold) return;
  index_.reserve(static_cast<qsizetype>(entries_.size()));
  for (std::size_t i = 0; i < entries_.size(); ++i) index_.insert(key(entries_[i].name), i);
}

}  // namespace quelvo::swf::avm1
