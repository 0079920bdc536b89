#include "swf/format/DisplayListTags.h"

#include "swf/format/RecordReaders.h"
#include "swf/format/TagCodes.h"

namespace quelvo::swf {

namespace {

// First flags byte of PlaceObject2 and PlaceObject3.
constexpr std::uint8_t kHasClipActions = 0x80;
constexpr std::uint8_t kHasClipDepth = 0x40;
constexpr std::uint8_t kHasName = 0x20;
constexpr std::uint8_t kHasRatio = 0x10;
constexpr std::uint8_t kHasColorTransform = 0x08;
constexpr std::uint8_t kHasMatrix = 0x04;
constexpr std::uint8_t kHasCharacter = 0x02;
constexpr std::uint8_t kMove = 0x01;
// Second flags byte of PlaceObject3.
constexpr std::uint8_t kHasOpaqueBackground = 0x40;
constexpr std::uint8_t kHasVisible = 0x20;
constexpr std::uint8_t kHasImage = 0x10;
constexpr std::uint8_t kHasClassName = 0x08;
constexpr std::uint8_t kHasCacheAsBitmap = 0x04;
constexpr std::uint8_t kHasBlendMode = 0x02;
constexpr std::uint8_t kHasFilterList = 0x01;

Expected<PlaceObject> readPlaceObject1(ByteReader& reader) {
  PlaceObject place;
  place.version = 1;
  place.character = reader.u16();
  place.depth = reader.u16();
  place.matrix = readMatrix(reader);
  if (reader.ok() && !reader.atEnd()) place.colorTransform = readColorTransform(reader, false);
  if (reader.failed()) return failure("PlaceObject", reader);
  return place;
}

Expected<PlaceObject> readPlaceObject23(ByteReader& reader, int version) {
  PlaceObject place;
  place.version = version;
  const std::uint8_t flags = reader.u8();
  const std::uint8_t moreFlags = version == 3 ? reader.u8() : 0;
  place.depth = reader.u16();
  place.move = (flags & kMove) != 0;
  const bool hasCharacter = (flags & kHasCharacter) != 0;
  if ((moreFlags & kHasClassName) || ((moreFlags & kHasImage) && hasCharacter)) {
    place.className = reader.string();
  }
  if (hasCharacter) place.character = reader.u16();
  if (flags & kHasMatrix) place.matrix = readMatrix(reader);
  if (flags & kHasColorTransform) place.colorTransform = readColorTransform(reader, true);
  if (flags & kHasRatio) place.ratio = reader.u16();
  if (flags & kHasName) place.name = reader.string();
  if (flags & kHasClipDepth) place.clipDepth = reader.u16();
  if (moreFlags & kHasFilterList) place.filters = readFilters(reader);
  if (moreFlags & kHasBlendMode) place.blendMode = reader.u8();
  if (moreFlags & kHasCacheAsBitmap) place.cacheAsBitmap = reader.u8() != 0;
  if (moreFlags & kHasVisible) place.visible = reader.u8() != 0;
  if (moreFlags & kHasOpaqueBackground) place.opaqueBackground = reader.rgba();
  if (reader.failed()) return failure(version == 3 ? "PlaceObject3" : "PlaceObject2", reader);
  if (flags & kHasClipActions) place.clipActions = reader.bytes(reader.remaining());
  return place;
}

}  // namespace

bool isPlaceObjectTag(std::uint16_t code) {
  return code == tags::PlaceObject || code == tags::PlaceObject2 || code == tags::PlaceObject3;
}

bool isRemoveObjectTag(std::uint16_t code) {
  return code == tags::RemoveObject || code == tags::RemoveObject2;
}

Expected<PlaceObject> readPlaceObject(const TagRecord& record) {
  ByteReader reader = record.reader();
  switch (record.code) {
    case tags::PlaceObject:
      return readPlaceObject1(reader);
    case tags::PlaceObject2:
      return readPlaceObject23(reader, 2);
    case tags::PlaceObject3:
      return readPlaceObject23(reader, 3);
    default:
      return Error{"not a PlaceObject record", record.offset};
  }
}

Expected<RemoveObject> readRemoveObject(const TagRecord& record) {
  ByteReader reader = record.reader();
  RemoveObject remove;
  if (record.code == tags::RemoveObject) {
    remove.character = reader.u16();
  } else if (record.code != tags::RemoveObject2) {
    return Error{"not a RemoveObject record", record.offset};
  }
  remove.depth = reader.u16();
  if (reader.failed()) return failure("RemoveObject", reader);
  return remove;
}

}  // namespace quelvo::swf
