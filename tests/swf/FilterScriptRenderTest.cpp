// Filters and blend modes scripts set on clips, drawn by the renderer.
#include <gtest/gtest.h>

#include "Avm1Fixtures.h"
#include "PlayerTestSupport.h"

namespace quelvo::swf {
namespace {

namespace st = swftest;
using avm1::test::AC;
using avm1::test::Asm;
using RGB = std::tuple<int, int, int>;

const RGB kWhite{255, 255, 255};

// A clip "box" holding a red square from 20 to 40 pixels, with the frame's
// script run on it before it is drawn.
QImage renderBox(const Asm& script) {
  st::TagStream tags;
  tags.defineRectangle(1, {400, 800, 400, 800}, {255, 0, 0});
  st::TagStream sprite;
  sprite.placeObject(st::Placement::place(1, 1)).showFrame().end();
  tags.defineSprite(2, sprite);
  st::Placement box = st::Placement::place(1, 2);
  box.name = "box";
  tags.placeObject(box).doAction(script.program()).showFrame().end();
  const auto player = playerFor(tags);
  return player ? renderStage(*player) : QImage();
}

TEST(FilterScriptRenderTest, ScriptSetGlowDrawsAroundTheClip) {
  const QImage plain = renderBox(Asm());
  ASSERT_FALSE(plain.isNull());
  EXPECT_EQ(rgbAt(plain, 42, 30), kWhite);

  // box.filters = [new flash.filters.GlowFilter(0x0000FF, 1, 8, 8, 4)]
  Asm code;
  code.getVar("box").push({"filters", 4, 8, 8, 1, 0x0000FF, 5}).getVar("flash.filters");
  code.push({"GlowFilter"}).op(AC::NewMethod).push({1}).op(AC::InitArray).op(AC::SetMember);
  const QImage glowing = renderBox(code);
  EXPECT_EQ(rgbAt(glowing, 30, 30), (RGB{255, 0, 0}));
  const auto [r, g, b] = rgbAt(glowing, 42, 30);
  EXPECT_LT(r, 200);
  EXPECT_GT(b, 200);
  EXPECT_EQ(rgbAt(glowing, 60, 30), kWhite);
}

TEST(FilterScriptRenderTest, ScriptSetBlendModeCombinesWithTheStage) {
  Asm code;
  code.getVar("box").push({"blendMode", "difference"}).op(AC::SetMember);
  const QImage image = renderBox(code);
  // Red taken from white is cyan.
  EXPECT_EQ(rgbAt(image, 30, 30), (RGB{0, 255, 255}));
  EXPECT_EQ(rgbAt(image, 50, 30), kWhite);
}

}  // namespace
}  // namespace quelvo::swf
