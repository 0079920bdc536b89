#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "swf/format/TagRecord.h"

namespace quelvo::swf {

struct NamedCharacter {
  std::uint16_t id = 0;
  std::string name;  // bytes as stored
};

// The pairs of an ExportAssets or SymbolClass record (the two share one
// layout), up to the first that cannot be read.
std::vector<NamedCharacter> readNamedCharacters(const TagRecord& record);

}  // namespace quelvo::swf
