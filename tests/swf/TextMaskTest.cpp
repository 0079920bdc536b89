// Text fields as masks, as a clip layer and through setMask: what they let
// through is where their glyphs are drawn, not their box, border or background.
#include <gtest/gtest.h>

#include "ClipScriptSupport.h"

namespace quelvo::swf {
namespace {

namespace st = swftest;
using namespace cliptest;
using RGB = std::tuple<int, int, int>;

const RGB kGreen{0, 255, 0};
const RGB kWhite{255, 255, 255};
constexpr std::uint16_t kFont = 1;
constexpr std::uint16_t kField = 2;
constexpr std::uint16_t kGreenSquare = 3;

// Glyph 'A' is a 600 x 800 box on the baseline of a 20480 EM.
st::FontSpec boxFont() {
  st::FontSpec font;
  font.name = "Box";
  font.glyphs.push_back(
      st::Glyph::polygon('A', {{0, -16000}, {12000, -16000}, {12000, 0}, {0, 0}}, 14000));
  font.ascent = 16000;
  font.descent = 4000;
  return font;
}

// A bordered field over the whole stage. With the box font at 1024 twips the
// first line's glyphs cover 2-32 pixels across and 2-42 down, the second
// line's 52-92 down.
st::EditTextSpec borderedField(const char* text) {
  st::EditTextSpec field;
  field.bounds = {0, 2000, 0, 2000};
  field.border = true;
  field.multiline = true;
  field.height = 1024;
  field.text = text;
  return field;
}

st::EditTextSpec boxFontField() {
  st::EditTextSpec field = borderedField("A\rA");
  field.font = kFont;
  field.useOutlines = true;
  return field;
}

void expectGlyphsOnly(const QImage& image) {
  EXPECT_EQ(rgbAt(image, 10, 30), kGreen);  // first line
  EXPECT_EQ(rgbAt(image, 10, 75), kGreen);  // second line
  EXPECT_EQ(rgbAt(image, 10, 47), kWhite);  // between the lines
  EXPECT_EQ(rgbAt(image, 70, 30), kWhite);  // in the box, past the text
  EXPECT_EQ(rgbAt(image, 0, 47), kWhite);   // the border
}

// The field at depth 1 clips the green square above it.
std::unique_ptr<Player> clipLayerOver(const st::EditTextSpec& field) {
  st::TagStream tags;
  tags.defineFont2(kFont, boxFont(), 3);
  tags.defineEditText(kField, field);
  tags.defineRectangle(kGreenSquare, {0, 2000, 0, 2000}, {0, 255, 0});
  st::Placement mask = st::Placement::place(1, kField);
  mask.clipDepth = 2;
  tags.placeObject(mask).placeObject(st::Placement::place(2, kGreenSquare)).showFrame().end();
  return playerFor(tags);
}

TEST(TextMaskTest, AFieldClipLayerMasksWithItsGlyphs) {
  const auto player = clipLayerOver(boxFontField());
  ASSERT_TRUE(player);
  expectGlyphsOnly(renderStage(*player));
}

TEST(TextMaskTest, SetMaskWithAFieldShowsTheClipUnderItsGlyphsAndHidesTheField) {
  Asm code;
  makeClip(code, "_root", "c", 1);
  fillRect(code, "c", 0x00FF00, 0, 0, 100, 100);
  code.getVar("label").push({1}).getVar("c").push({"setMask"}).op(AC::CallMethod).op(AC::Pop);
  code.push({"hits"}).callMethod("c", "hitTest", {10, 30, true});
  code.push({","}).op(AC::Add2).callMethod("c", "hitTest", {70, 30, true}).op(AC::Add2);
  code.op(AC::SetVariable);
  st::TagStream tags;
  tags.defineFont2(kFont, boxFont(), 3);
  tags.defineEditText(kField, boxFontField());
  st::Placement field = st::Placement::place(1, kField);
  field.name = "label";
  tags.placeObject(field).doAction(code.program()).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  expectGlyphsOnly(renderStage(*player));
  EXPECT_EQ(player->scriptVariable("hits"), "true,false");  // hit where it shows
}

// Device text: the masked picture is green where the field alone draws
// solid ink and white where it draws nothing.
TEST(TextMaskTest, DeviceTextMasksWhereItsGlyphsAre) {
  st::EditTextSpec field = borderedField("HH\rHH");
  field.height = 800;
  st::TagStream tags;
  tags.defineEditText(kField, field).placeObject(st::Placement::place(1, kField));
  tags.showFrame().end();
  const auto plain = playerFor(tags);
  const auto masked = clipLayerOver(field);
  ASSERT_TRUE(plain && masked);
  const QImage text = renderStage(*plain);
  const QImage image = renderStage(*masked);
  int ink = 0, blank = 0;
  for (int y = 4; y < 96; ++y) {
    for (int x = 4; x < 96; ++x) {
      const auto [r, g, b] = rgbAt(text, x, y);
      if (r < 40 && g < 40 && b < 40) {
        ++ink;
        EXPECT_EQ(rgbAt(image, x, y), kGreen) << x << "," << y;
      } else if (r == 255 && g == 255 && b == 255) {
        ++blank;
        EXPECT_EQ(rgbAt(image, x, y), kWhite) << x << "," << y;
      }
    }
  }
  EXPECT_GT(ink, 50);
  EXPECT_GT(blank, 2000);
}

}  // namespace
}  // namespace quelvo::swf
