#include "swf/format/Font.h"

#include <QStringDecoder>

#include "swf/format/TagCodes.h"

namespace quelvo::swf {

namespace {

constexpr std::uint8_t kHasLayout = 0x80;
constexpr std::uint8_t kShiftJis = 0x40;
constexpr std::uint8_t kSmallText = 0x20;
constexpr std::uint8_t kAnsi = 0x10;
constexpr std::uint8_t kWideOffsets = 0x08;
constexpr std::uint8_t kWideCodes = 0x04;
constexpr std::uint8_t kItalic = 0x02;
constexpr std::uint8_t kBold = 0x01;

// DefineFontInfo orders its flags differently.
constexpr std::uint8_t kInfoSmallText = 0x20;
constexpr std::uint8_t kInfoShiftJis = 0x10;
constexpr std::uint8_t kInfoAnsi = 0x08;
constexpr std::uint8_t kInfoItalic = 0x04;
constexpr std::uint8_t kInfoBold = 0x02;
constexpr std::uint8_t kInfoWideCodes = 0x01;

Error failure(const char* what, std::uint16_t id, const ByteReader& reader) {
  return Error{std::string(what) + " " + std::to_string(id) + ": " + reader.error()->message,
               reader.error()->offset};
}

Error invalid(const char* what, std::uint16_t id, const std::string& problem,
              std::uint64_t offset) {
  return Error{std::string(what) + " " + std::to_string(id) + ": " + problem, offset};
}

QString readName(ByteReader& reader) {
  const auto bytes = reader.bytes(reader.u8());
  std::string name(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  // Names are often stored with their terminating zero.
  while (!name.empty() && name.back() == '\0') name.pop_back();
  return decodeMovieText(name);
}

void readCodeTable(ByteReader& reader, Font& font, bool wide) {
  for (FontGlyph& glyph : font.glyphs) glyph.code = wide ? reader.u16() : reader.u8();
}

// Glyph shapes from offsets relative to the table start; each runs until its
// end record, at the latest where the glyph table ends.
std::optional<Error> readGlyphs(ByteReader& table, std::size_t tableSize,
                                const std::vector<std::uint32_t>& offsets, Font& font,
                                EdgeBudget& budget) {
  const std::uint64_t tableOffset = table.offset();
  const auto data = table.bytes(tableSize);
  for (std::size_t i = 0; i < offsets.size(); ++i) {
    if (offsets[i] > tableSize) {
      return invalid("DefineFont", font.id,
                     "glyph " + std::to_string(i) + " offset " + std::to_string(offsets[i]) +
                         " is past the glyph table of " + std::to_string(tableSize) + " bytes",
                     tableOffset);
    }
    ByteReader glyph(data.subspan(offsets[i]), tableOffset + offsets[i]);
    font.glyphs[i].shape = readGlyphShape(glyph, budget);
  }
  return std::nullopt;
}

void readLayout(ByteReader& reader, Font& font) {
  FontLayout layout;
  layout.ascent = reader.u16();
  layout.descent = reader.u16();
  layout.leading = reader.s16();
  for (FontGlyph& glyph : font.glyphs) glyph.advance = reader.s16();
  for (FontGlyph& glyph : font.glyphs) glyph.bounds = reader.rect();
  const std::uint16_t kerningCount = reader.u16();
  const std::size_t pairSize = font.wideCodes ? 6 : 4;
  if (reader.ok() && reader.remaining() / pairSize >= kerningCount) {
    layout.kerning.reserve(kerningCount);
    for (std::uint16_t i = 0; i < kerningCount; ++i) {
      KerningPair pair;
      pair.left = font.wideCodes ? reader.u16() : reader.u8();
      pair.right = font.wideCodes ? reader.u16() : reader.u8();
      pair.adjustment = reader.s16();
      layout.kerning.push_back(pair);
    }
  }
  // Writers often cut the layout short; what was read is kept.
  font.layout = std::move(layout);
}

Expected<Font> readFont1(ByteReader& reader, Font font, EdgeBudget& budget) {
  const std::uint64_t tableOffset = reader.offset();
  const std::size_t tableSize = reader.remaining();
  ByteReader offsetsReader = reader;
  const std::uint16_t first = offsetsReader.u16();
  if (offsetsReader.failed() || first == 0) return font;  // a font with no glyphs
  if (first % 2 != 0 || first > tableSize) {
    return invalid("DefineFont", font.id, "offset table of " + std::to_string(first) + " bytes",
                   tableOffset);
  }
  std::vector<std::uint32_t> offsets(first / 2);
  offsets[0] = first;
  for (std::size_t i = 1; i < offsets.size(); ++i) offsets[i] = offsetsReader.u16();
  font.glyphs.resize(offsets.size());
  if (auto error = readGlyphs(reader, tableSize, offsets, font, budget)) return *error;
  return font;
}

Expected<Font> readFont2(ByteReader& reader, Font font, EdgeBudget& budget) {
  const std::uint8_t flags = reader.u8();
  font.shiftJis = flags & kShiftJis;
  font.smallText = flags & kSmallText;
  font.ansi = flags & kAnsi;
  font.wideCodes = flags & kWideCodes;
  font.italic = flags & kItalic;
  font.bold = flags & kBold;
  const bool wideOffsets = flags & kWideOffsets;
  font.languageCode = reader.u8();
  font.name = readName(reader);
  const std::uint16_t glyphCount = reader.u16();
  if (reader.failed()) return failure("DefineFont2", font.id, reader);
  if (glyphCount == 0) {
    // Device fonts: the code table offset and layout may follow, or not.
    if (flags & kHasLayout && reader.remaining() >= (wideOffsets ? 4u : 2u) + 6) {
      reader.skip(wideOffsets ? 4 : 2);
      readLayout(reader, font);
    }
    return font;
  }
  const std::size_t offsetSize = wideOffsets ? 4 : 2;
  const std::uint64_t tableOffset = reader.offset();
  if (reader.remaining() / offsetSize < std::size_t{glyphCount} + 1) {
    return invalid("DefineFont2", font.id,
                   std::to_string(glyphCount) + " glyphs do not fit the " +
                       std::to_string(reader.remaining()) + " bytes left",
                   tableOffset);
  }
  ByteReader table = reader;
  std::vector<std::uint32_t> offsets(glyphCount);
  for (auto& offset : offsets) offset = wideOffsets ? reader.u32() : reader.u16();
  const std::uint32_t codeTableOffset = wideOffsets ? reader.u32() : reader.u16();
  const std::size_t headerSize = (std::size_t{glyphCount} + 1) * offsetSize;
  if (codeTableOffset < headerSize || codeTableOffset > table.remaining()) {
    return invalid("DefineFont2", font.id,
                   "code table offset " + std::to_string(codeTableOffset) + " is outside the font",
                   reader.offset());
  }
  font.glyphs.resize(glyphCount);
  if (auto error = readGlyphs(table, codeTableOffset, offsets, font, budget)) return *error;
  reader = table;  // now at the code table
  readCodeTable(reader, font, font.wideCodes);
  if (reader.failed()) return failure("DefineFont2", font.id, reader);
  if (flags & kHasLayout) readLayout(reader, font);
  return font;
}

}  // namespace

int fontVersion(std::uint16_t tagCode) {
  switch (tagCode) {
    case tags::DefineFont:
      return 1;
    case tags::DefineFont2:
      return 2;
    case tags::DefineFont3:
      return 3;
    default:
      return 0;
  }
}

QString decodeMovieText(const std::string& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  if (!utf8.hasError()) return text;
  QStringDecoder codePage("GB18030", QStringDecoder::Flag::Stateless);
  if (!codePage.isValid())
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  return codePage.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

Expected<Font> readFont(const TagRecord& record, EdgeBudget& budget) {
  ByteReader reader = record.reader();
  Font font;
  font.version = fontVersion(record.code);
  if (font.version == 0) return Error{"not a DefineFont record", record.offset};
  font.id = reader.u16();
  if (reader.failed()) return failure("DefineFont", font.id, reader);
  return font.version == 1 ? readFont1(reader, std::move(font), budget)
                           : readFont2(reader, std::move(font), budget);
}

Expected<bool> applyFontInfo(Font& font, const TagRecord& record) {
  ByteReader reader = record.reader();
  reader.u16();  // font id
  font.name = readName(reader);
  const std::uint8_t flags = reader.u8();
  font.smallText = flags & kInfoSmallText;
  font.shiftJis = flags & kInfoShiftJis;
  font.ansi = flags & kInfoAnsi;
  font.italic = flags & kInfoItalic;
  font.bold = flags & kInfoBold;
  font.wideCodes = flags & kInfoWideCodes;
  if (record.code == tags::DefineFontInfo2) {
    font.languageCode = reader.u8();
    font.wideCodes = true;
  }
  if (reader.failed()) return failure("DefineFontInfo", font.id, reader);
  const std::size_t codeSize = font.wideCodes ? 2 : 1;
  if (reader.remaining() / codeSize < font.glyphs.size()) {
    return invalid("DefineFontInfo", font.id,
                   "code table too short for " + std::to_string(font.glyphs.size()) + " glyphs",
                   reader.offset());
  }
  readCodeTable(reader, font, font.wideCodes);
  return true;
}

}  // namespace quelvo::swf
