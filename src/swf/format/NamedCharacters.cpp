#include "swf/format/NamedCharacters.h"

namespace quelvo::swf {

std::vector<NamedCharacter> readNamedCharacters(const TagRecord& record) {
  std::vector<NamedCharacter> named;
  ByteReader reader = record.reader();
  const std::uint16_t count = reader.u16();
  for (std::uint16_t i = 0; i < count && reader.ok(); ++i) {
    NamedCharacter character;
    character.id = reader.u16();
    character.name = reader.string();
    if (reader.ok()) named.push_back(std::move(character));
  }
  return named;
}

}  // namespace quelvo::swf
