#include "swf/Library.h"

#include "swf/Log.h"
#include "swf/format/TagCodes.h"

namespace quelvo::swf {

namespace {

// Definition tags that add data to a character defined elsewhere rather than
// defining one of their own.
bool definesCharacter(std::uint16_t code) {
  switch (code) {
    case tags::JpegTables:
    case tags::DefineFontInfo:
    case tags::DefineFontInfo2:
    case tags::DefineButtonSound:
    case tags::DefineButtonCxform:
    case tags::DefineFontAlignZones:
    case tags::CsmTextSettings:
    case tags::DefineScalingGrid:
    case tags::DefineFontName:
      return false;
    default:
      return isDefinitionTag(code);
  }
}

}  // namespace

Library::Library(const Movie& movie)
    : movie_(movie), bitmaps_(movie.definitions()), text_(movie.definitions()) {
  for (const TagRecord& record : movie.definitions()) {
    if (!definesCharacter(record.code) || record.body.size() < 2) continue;
    const auto id = static_cast<std::uint16_t>(record.body[0] | record.body[1] << 8);
    definitions_.try_emplace(id, record);
  }
}

CharacterKind Library::kind(std::uint16_t id) const {
  const auto found = definitions_.find(id);
  if (found == definitions_.end()) return CharacterKind::None;
  if (shapeVersion(found->second.code) != 0) return CharacterKind::Shape;
  if (found->second.code == tags::DefineSprite) return CharacterKind::Sprite;
  if (isStaticTextTag(found->second.code)) return CharacterKind::StaticText;
  if (found->second.code == tags::DefineEditText) return CharacterKind::EditText;
  return CharacterKind::Other;
}

const Shape* Library::shape(std::uint16_t id) {
  if (kind(id) != CharacterKind::Shape) return nullptr;
  auto [entry, added] = shapes_.try_emplace(id);
  if (added) {
    auto shape = readShape(definitions_.at(id), edgeBudget_);
    if (shape) {
      entry->second = std::move(*shape);
    } else {
      qCDebug(lcSwf) << "unreadable shape:" << shape.error().describe().c_str();
    }
  }
  return entry->second ? &*entry->second : nullptr;
}

const Sprite* Library::sprite(std::uint16_t id) const {
  if (kind(id) != CharacterKind::Sprite) return nullptr;
  const auto found = movie_.sprites().find(id);
  return found != movie_.sprites().end() ? &found->second : nullptr;
}

}  // namespace quelvo::swf
