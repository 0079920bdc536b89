#include "swf/format/Text.h"

#include "swf/format/Font.h"
#include "swf/format/RecordReaders.h"
#include "swf/format/TagCodes.h"

namespace quelvo::swf {

namespace {

constexpr std::uint8_t kHasFont = 0x08;
constexpr std::uint8_t kHasColour = 0x04;
constexpr std::uint8_t kHasYOffset = 0x02;
constexpr std::uint8_t kHasXOffset = 0x01;

Error failure(const char* what, std::uint16_t id, const ByteReader& reader) {
  return Error{std::string(what) + " " + std::to_string(id) + ": " + reader.error()->message,
               reader.error()->offset};
}

TextRecord readTextRecord(ByteReader& reader, std::uint8_t flags, bool withAlpha,
                          unsigned glyphBits, unsigned advanceBits) {
  TextRecord record;
  if (flags & kHasFont) record.font = reader.u16();
  if (flags & kHasColour) {
    if (withAlpha) {
      record.colour = reader.rgba();
    } else {
      const Rgb colour = reader.rgb();
      record.colour = Rgba{colour.red, colour.green, colour.blue, 255};
    }
  }
  if (flags & kHasXOffset) record.x = reader.s16();
  if (flags & kHasYOffset) record.y = reader.s16();
  if (flags & kHasFont) record.height = reader.u16();
  const std::uint8_t count = reader.u8();
  record.glyphs.reserve(count);
  for (std::uint8_t i = 0; i < count && reader.ok(); ++i) {
    GlyphEntry glyph;
    glyph.index = reader.ub(glyphBits);
    glyph.advance = reader.sb(advanceBits);
    record.glyphs.push_back(glyph);
  }
  reader.alignToByte();
  return record;
}

QString readString(ByteReader& reader) { return decodeMovieText(reader.string()); }

}  // namespace

bool isStaticTextTag(std::uint16_t tagCode) {
  return tagCode == tags::DefineText || tagCode == tags::DefineText2;
}

Expected<StaticText> readStaticText(const TagRecord& record) {
  if (!isStaticTextTag(record.code)) return Error{"not a DefineText record", record.offset};
  const bool withAlpha = record.code == tags::DefineText2;
  ByteReader reader = record.reader();
  StaticText text;
  text.id = reader.u16();
  text.bounds = reader.rect();
  text.matrix = readMatrix(reader);
  const unsigned glyphBits = reader.u8();
  const unsigned advanceBits = reader.u8();
  if (reader.failed()) return failure("DefineText", text.id, reader);
  while (true) {
    const std::uint8_t flags = reader.u8();
    if (reader.failed()) return failure("DefineText", text.id, reader);
    if (flags == 0) break;  // end of records
    text.records.push_back(readTextRecord(reader, flags, withAlpha, glyphBits, advanceBits));
    if (reader.failed()) return failure("DefineText", text.id, reader);
  }
  return text;
}

Expected<EditText> readEditText(const TagRecord& record) {
  if (record.code != tags::DefineEditText) {
    return Error{"not a DefineEditText record", record.offset};
  }
  ByteReader reader = record.reader();
  EditText text;
  text.id = reader.u16();
  text.bounds = reader.rect();
  const std::uint8_t first = reader.u8();
  const std::uint8_t second = reader.u8();
  const bool hasText = first & 0x80;
  text.wordWrap = first & 0x40;
  text.multiline = first & 0x20;
  text.password = first & 0x10;
  text.readOnly = first & 0x08;
  const bool hasColour = first & 0x04;
  const bool hasMaxLength = first & 0x02;
  const bool hasFont = first & 0x01;
  const bool hasFontClass = second & 0x80;
  text.autoSize = second & 0x40;
  const bool hasLayout = second & 0x20;
  text.noSelect = second & 0x10;
  text.border = second & 0x08;
  text.wasStatic = second & 0x04;
  text.html = second & 0x02;
  text.useOutlines = second & 0x01;
  if (hasFont) text.font = reader.u16();
  if (hasFontClass) text.fontClass = reader.string();
  if (hasFont || hasFontClass) text.height = reader.u16();
  if (hasColour) text.colour = reader.rgba();
  if (hasMaxLength) text.maxLength = reader.u16();
  if (hasLayout) {
    const std::uint8_t align = reader.u8();
    text.align = align <= 3 ? static_cast<TextAlign>(align) : TextAlign::Left;
    text.leftMargin = reader.u16();
    text.rightMargin = reader.u16();
    text.indent = reader.u16();
    text.leading = reader.s16();
  }
  text.variableName = readString(reader);
  if (hasText) text.initialText = readString(reader);
  if (reader.failed()) return failure("DefineEditText", text.id, reader);
  return text;
}

}  // namespace quelvo::swf
