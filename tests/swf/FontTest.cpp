#include <gtest/gtest.h>

#include "MovieTestSupport.h"
#include "swf/format/Font.h"
#include "swf/format/TagCodes.h"
#include "swf/format/Text.h"

namespace quelvo::swf {
namespace {

namespace st = swftest;

// Two glyphs: a square ('A') and a triangle ('B'), in a 1024 EM.
st::FontSpec twoGlyphFont() {
  st::FontSpec font;
  font.name = "Test Sans";
  font.bold = true;
  font.glyphs.push_back(st::Glyph::polygon('A', {{0, -800}, {600, -800}, {600, 0}, {0, 0}}, 700));
  font.glyphs.push_back(st::Glyph::polygon('B', {{0, -800}, {500, 0}, {0, 0}}, 550));
  font.kerning.push_back({'A', 'B', -40});
  return font;
}

std::shared_ptr<const Movie> movieOf(const st::TagStream& tags, std::uint8_t version = 10) {
  st::MovieOptions options;
  options.version = version;
  return parseOk(options, tags);
}

const TagRecord* recordWithCode(const Movie& movie, std::uint16_t code) {
  for (const TagRecord& record : movie.definitions()) {
    if (record.code == code) return &record;
  }
  return nullptr;
}

Expected<Font> readOnly(const st::TagStream& tags, std::uint16_t code, std::uint8_t version = 10) {
  const auto movie = movieOf(tags, version);
  const TagRecord* record = movie ? recordWithCode(*movie, code) : nullptr;
  if (!record) return Error{"no font record", 0};
  EdgeBudget budget;
  return readFont(*record, budget);
}

TEST(FontTest, DefineFont2And3ReadGlyphsCodesAndLayout) {
  for (const bool wide : {false, true}) {
    st::FontSpec spec = twoGlyphFont();
    spec.wideOffsets = wide;
    spec.wideCodes = wide;
    for (const int version : {2, 3}) {
      st::TagStream tags;
      tags.defineFont2(4, spec, version).end();
      const auto font = readOnly(tags, version == 3 ? tags::DefineFont3 : tags::DefineFont2);
      ASSERT_TRUE(font) << font.error().describe();
      EXPECT_EQ(font->id, 4);
      EXPECT_EQ(font->version, version);
      EXPECT_EQ(font->emSquare(), version == 3 ? 20480 : 1024);
      EXPECT_EQ(font->name, QStringLiteral("Test Sans"));
      EXPECT_TRUE(font->bold);
      EXPECT_FALSE(font->italic);
      ASSERT_EQ(font->glyphs.size(), 2u);
      EXPECT_EQ(font->glyphs[1].code, 'B');
      EXPECT_EQ(font->glyphs[0].shape.edgeCount(), 4u);
      EXPECT_EQ(font->glyphs[1].shape.edgeCount(), 3u);
      EXPECT_TRUE(font->glyphs[1].shape.complete);
      EXPECT_EQ(font->glyphs[0].advance, 700);
      ASSERT_TRUE(font->layout);
      EXPECT_EQ(font->layout->ascent, 800);
      ASSERT_EQ(font->layout->kerning.size(), 1u);
      EXPECT_EQ(font->layout->kerning[0].adjustment, -40);
    }
  }
}

TEST(FontTest, DefineFontTakesNameStyleAndCodesFromItsInfo) {
  const st::FontSpec spec = twoGlyphFont();
  for (const bool version2 : {false, true}) {
    st::TagStream tags;
    tags.defineFont(2, spec.glyphs).defineFontInfo(2, spec, version2).end();
    const auto movie = movieOf(tags);
    ASSERT_TRUE(movie);
    EdgeBudget budget;
    auto font = readFont(*recordWithCode(*movie, tags::DefineFont), budget);
    ASSERT_TRUE(font) << font.error().describe();
    ASSERT_EQ(font->glyphs.size(), 2u);
    EXPECT_EQ(font->glyphs[0].shape.edgeCount(), 4u);
    const auto info =
        recordWithCode(*movie, version2 ? tags::DefineFontInfo2 : tags::DefineFontInfo);
    ASSERT_TRUE(applyFontInfo(*font, *info));
    EXPECT_EQ(font->name, QStringLiteral("Test Sans"));
    EXPECT_TRUE(font->bold);
    EXPECT_FALSE(font->italic);
    EXPECT_EQ(font->glyphs[1].code, 'B');
  }
}

TEST(FontTest, ChineseNamesDecodeAsUtf8OrGbk) {
  // 宋体 in GB2312 and in UTF-8.
  const std::string gbk("\xCB\xCE\xCC\xE5");
  const std::string utf8("\xE5\xAE\x8B\xE4\xBD\x93");
  EXPECT_EQ(decodeMovieText(gbk), QStringLiteral("宋体"));
  EXPECT_EQ(decodeMovieText(utf8), QStringLiteral("宋体"));

  st::FontSpec spec = twoGlyphFont();
  spec.name = gbk;
  st::TagStream tags;
  tags.defineFont2(1, spec).end();
  const auto font = readOnly(tags, tags::DefineFont2, 5);
  ASSERT_TRUE(font);
  EXPECT_EQ(font->name, QStringLiteral("宋体"));
}

TEST(FontTest, BogusCountsAndOffsetsAreErrorsWithOffsets) {
  st::FontSpec tooMany = twoGlyphFont();
  tooMany.glyphCount = 40000;
  st::TagStream tags;
  tags.defineFont2(1, tooMany).end();
  const auto font = readOnly(tags, tags::DefineFont2);
  ASSERT_FALSE(font);
  EXPECT_NE(font.error().message.find("glyphs"), std::string::npos);
  EXPECT_GT(font.error().offset, 0u);

  // An offset table claiming more than the record holds.
  st::ByteWriter body;
  body.u16(3).u16(0x7FFE).u16(4);
  st::TagStream broken;
  broken.tag(tags::DefineFont, body).end();
  EXPECT_FALSE(readOnly(broken, tags::DefineFont));

  // A record cut off anywhere reads or fails, never past its end.
  st::TagStream whole;
  whole.defineFont2(1, twoGlyphFont(), 3).end();
  const auto movie = movieOf(whole);
  ASSERT_TRUE(movie);
  const TagRecord full = *recordWithCode(*movie, tags::DefineFont3);
  for (std::size_t length = 0; length < full.body.size(); ++length) {
    TagRecord cut = full;
    cut.body = full.body.first(length);
    EdgeBudget budget;
    const auto partial = readFont(cut, budget);
    if (partial) {
      EXPECT_LE(partial->glyphs.size(), 2u);
    }
  }
}

TEST(FontTest, TextRecordsKeepTheirFieldsAndTruncationFails) {
  st::TagStream tags;
  tags.defineText(5, {0, 2000, 0, 1000}, st::Matrix::translate(100, 200),
                  {{1, st::Colour{10, 20, 30, 40}, 300, 400, 480, {{0, 500}, {1, -20}}},
                   {std::nullopt, std::nullopt, std::nullopt, 900, 0, {{1, 0}}}},
                  true)
      .end();
  const auto movie = movieOf(tags);
  ASSERT_TRUE(movie);
  const TagRecord record = *recordWithCode(*movie, tags::DefineText2);
  const auto text = readStaticText(record);
  ASSERT_TRUE(text) << text.error().describe();
  EXPECT_EQ(text->matrix.translateX, 100);
  ASSERT_EQ(text->records.size(), 2u);
  EXPECT_EQ(text->records[0].colour, (Rgba{10, 20, 30, 40}));
  EXPECT_EQ(text->records[0].height, 480);
  EXPECT_EQ(text->records[0].glyphs[1].advance, -20);
  EXPECT_FALSE(text->records[1].font);
  EXPECT_EQ(text->records[1].y, 900);

  TagRecord cut = record;
  cut.body = record.body.first(record.body.size() - 3);
  const auto truncated = readStaticText(cut);
  ASSERT_FALSE(truncated);
  EXPECT_GE(truncated.error().offset, record.bodyOffset());
}

TEST(FontTest, EditTextReadsFlagsLayoutAndStrings) {
  st::EditTextSpec spec;
  spec.bounds = {-40, 4000, 0, 800};
  spec.wordWrap = spec.multiline = spec.border = spec.html = true;
  spec.font = 3;
  spec.height = 300;
  spec.colour = st::Colour{1, 2, 3, 4};
  spec.maxLength = 12;
  spec.align = 2;
  spec.variableName = "_root.score";
  spec.text = "<b>\xE4\xB8\xAD</b>";
  st::TagStream tags;
  tags.defineEditText(9, spec).end();
  const auto movie = movieOf(tags);
  ASSERT_TRUE(movie);
  const auto text = readEditText(*recordWithCode(*movie, tags::DefineEditText));
  ASSERT_TRUE(text) << text.error().describe();
  EXPECT_EQ(text->bounds.xMin, -40);
  EXPECT_TRUE(text->wordWrap && text->multiline && text->border && text->html);
  EXPECT_FALSE(text->password || text->useOutlines);
  EXPECT_EQ(text->font, 3);
  EXPECT_EQ(text->height, 300);
  EXPECT_EQ(text->colour, (Rgba{1, 2, 3, 4}));
  EXPECT_EQ(text->maxLength, 12);
  EXPECT_EQ(text->align, TextAlign::Center);
  EXPECT_EQ(text->variableName, QStringLiteral("_root.score"));
  EXPECT_EQ(text->initialText, QStringLiteral("<b>中</b>"));
}

}  // namespace
}  // namespace quelvo::swf
