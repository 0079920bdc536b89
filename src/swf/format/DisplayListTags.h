#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "swf/base/Expected.h"
#include "swf/base/Records.h"
#include "swf/format/Filters.h"
#include "swf/format/TagRecord.h"

namespace quelvo::swf {

// PlaceObject, PlaceObject2 or PlaceObject3. Absent fields leave the
// object's current value unchanged (or the default for a new object).
struct PlaceObject {
  int version = 2;  // 1, 2 or 3
  std::uint16_t depth = 0;
  bool move = false;  // modify or replace what is at depth
  std::optional<std::uint16_t> character;
  std::optional<Matrix> matrix;
  std::optional<ColorTransform> colorTransform;
  std::optional<std::uint16_t> ratio;
  std::optional<std::string> name;
  std::optional<std::uint16_t> clipDepth;
  // PlaceObject3 only.
  std::optional<std::string> className;
  std::optional<std::vector<Filter>> filters;
  std::optional<std::uint8_t> blendMode;
  std::optional<bool> cacheAsBitmap;
  std::optional<bool> visible;
  std::optional<Rgba> opaqueBackground;
  // Clip event actions as stored, for the script engine; empty when none.
  std::span<const std::uint8_t> clipActions;
};

// RemoveObject names the character too; RemoveObject2 only the depth.
struct RemoveObject {
  std::optional<std::uint16_t> character;
  std::uint16_t depth = 0;
};

// True for the tag codes the two readers below accept.
bool isPlaceObjectTag(std::uint16_t code);
bool isRemoveObjectTag(std::uint16_t code);

Expected<PlaceObject> readPlaceObject(const TagRecord& record);
Expected<RemoveObject> readRemoveObject(const TagRecord& record);

}  // namespace quelvo::swf
