#include "swf/format/Button.h"

#include "swf/format/RecordReaders.h"
#include "swf/format/TagCodes.h"

namespace quelvo::swf {

namespace {

// Flags of a button record besides its states.
constexpr std::uint8_t kHasFilterList = 0x10;
constexpr std::uint8_t kHasBlendMode = 0x20;
constexpr std::uint8_t kStateBits = kButtonUp | kButtonOver | kButtonDown | kButtonHit;
constexpr std::uint8_t kTrackAsMenu = 0x01;
// A condition word: nine transition bits, then a 7-bit key code.
constexpr std::uint16_t kTransitionBits = 0x01ff;
constexpr unsigned kKeyCodeShift = 9;
constexpr std::size_t kCondActionHeader = 4;

// Records up to the 0 flags byte that ends them. Filters and blend modes
// belong to DefineButton2 only.
std::vector<ButtonRecord> readRecords(ByteReader& reader, bool version2) {
  std::vector<ButtonRecord> records;
  while (reader.ok()) {
    const std::uint8_t flags = reader.u8();
    if (flags == 0) break;
    ButtonRecord record;
    record.states = flags & kStateBits;
    record.character = reader.u16();
    record.depth = reader.u16();
    record.matrix = readMatrix(reader);
    if (version2) {
      record.colorTransform = readColorTransform(reader, true);
      if (flags & kHasFilterList) record.filters = readFilters(reader);
      if (flags & kHasBlendMode) record.blendMode = reader.u8();
    }
    if (reader.ok()) records.push_back(std::move(record));
  }
  return records;
}

// BUTTONCONDACTIONs: each gives the distance to the next (0 for the last),
// its conditions, then its actions.
std::vector<ButtonAction> readCondActions(ByteReader& reader) {
  std::vector<ButtonAction> actions;
  bool last = false;
  while (!last && reader.ok()) {
    const std::uint16_t size = reader.u16();
    const std::uint16_t conditions = reader.u16();
    if (reader.failed()) break;
    last = size == 0;
    if (!last && size < kCondActionHeader) {
      reader.reject("button condition record shorter than its header");
      break;
    }
    ButtonAction action;
    action.conditions = conditions & kTransitionBits;
    action.keyCode = static_cast<std::uint8_t>(conditions >> kKeyCodeShift);
    action.offset = reader.offset();
    action.actions = reader.bytes(last ? reader.remaining() : size - kCondActionHeader);
    if (reader.ok()) actions.push_back(action);
  }
  return actions;
}

Expected<Button> readButton1(ByteReader& reader) {
  Button button;
  button.id = reader.u16();
  button.records = readRecords(reader, false);
  if (reader.failed()) return failure("DefineButton", reader);
  ButtonAction release;
  release.conditions = kOverDownToOverUp;
  release.offset = reader.offset();
  release.actions = reader.bytes(reader.remaining());
  if (!release.actions.empty()) button.actions.push_back(release);
  return button;
}

Expected<Button> readButton2(const TagRecord& record) {
  ByteReader reader = record.reader();
  Button button;
  button.id = reader.u16();
  button.trackAsMenu = (reader.u8() & kTrackAsMenu) != 0;
  const std::size_t actionOffsetField = record.body.size() - reader.remaining();
  const std::uint16_t actionOffset = reader.u16();
  button.records = readRecords(reader, true);
  if (reader.failed()) return failure("DefineButton2", reader);
  if (actionOffset == 0) return button;
  // The actions start where the offset says, counted from its own field.
  const std::size_t actionStart = actionOffsetField + actionOffset;
  const std::size_t recordsEnd = record.body.size() - reader.remaining();
  if (actionStart < recordsEnd || actionStart > record.body.size()) {
    return Error{
        "DefineButton2: action offset " + std::to_string(actionOffset) + " outside the record",
        record.bodyOffset() + actionOffsetField};
  }
  ByteReader actions(record.body.subspan(actionStart), record.bodyOffset() + actionStart);
  button.actions = readCondActions(actions);
  if (actions.failed()) return failure("DefineButton2", actions);
  return button;
}

}  // namespace

bool isButtonTag(std::uint16_t code) {
  return code == tags::DefineButton || code == tags::DefineButton2;
}

Expected<Button> readButton(const TagRecord& record) {
  if (record.code == tags::DefineButton2) return readButton2(record);
  if (record.code != tags::DefineButton) return Error{"not a DefineButton record", record.offset};
  ByteReader reader = record.reader();
  return readButton1(reader);
}

Expected<ButtonCxform> readButtonCxform(const TagRecord& record) {
  if (record.code != tags::DefineButtonCxform) {
    return Error{"not a DefineButtonCxform record", record.offset};
  }
  ByteReader reader = record.reader();
  ButtonCxform cxform;
  cxform.id = reader.u16();
  cxform.colorTransform = readColorTransform(reader, false);
  if (reader.failed()) return failure("DefineButtonCxform", reader);
  return cxform;
}

}  // namespace quelvo::swf
