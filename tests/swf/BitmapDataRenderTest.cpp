// Script bitmaps on the stage: attached to clips, drawn from clips, loaded
// from the library, through the player and its renderer.
#include <gtest/gtest.h>

#include "Avm1Fixtures.h"
#include "BitmapFixtures.h"
#include "PlayerTestSupport.h"

namespace quelvo::swf {
namespace {

namespace st = swftest;
using avm1::test::AC;
using avm1::test::Asm;
using avm1::test::PushItem;

Asm& call(Asm& code, const char* target, const char* method, std::initializer_list<PushItem> args) {
  return code.callMethod(target, method, args).op(AC::Pop);
}

// name = new flash.display.BitmapData(args)
Asm& newBitmap(Asm& code, const char* name, std::initializer_list<PushItem> args) {
  return avm1::test::construct(code, name, "flash.display", "BitmapData", args);
}

// An empty clip "holder" at depth 1, moved to (20, 10), showing bitmap b.
Asm& attachToHolder(Asm& code) {
  call(code, "_root", "createEmptyMovieClip", {"holder", 1});
  code.push({1}).getVar("b").push({2}).getVar("holder").push({"attachBitmap"});
  code.op(AC::CallMethod).op(AC::Pop);
  code.getVar("holder").push({"_x", 20}).op(AC::SetMember);
  return code.getVar("holder").push({"_y", 10}).op(AC::SetMember);
}

TEST(BitmapDataRenderTest, AttachedBitmapShowsItsPixelsAsTheyChange) {
  st::TagStream tags;
  Asm first;
  newBitmap(first, "b", {10, 10, false, 0xFF0000});
  attachToHolder(first);
  first.push({"w"}).getVar("holder").push({"_width"}).op(AC::GetMember).op(AC::SetVariable);
  tags.doAction(first.program()).showFrame();
  Asm second;
  second.push({0x0000FF}).getVar("b.rectangle");
  second.push({2}).getVar("b").push({"fillRect"}).op(AC::CallMethod).op(AC::Pop);
  tags.doAction(second.program()).showFrame();
  Asm third;
  call(third, "b", "dispose", {}).op(AC::Stop);
  tags.doAction(third.program()).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  EXPECT_EQ(player->scriptVariable("_root.w"), "10");
  QImage image = renderStage(*player);
  EXPECT_EQ(rgbAt(image, 20, 10), std::make_tuple(255, 0, 0));
  EXPECT_EQ(rgbAt(image, 29, 19), std::make_tuple(255, 0, 0));
  EXPECT_EQ(rgbAt(image, 30, 19), std::make_tuple(255, 255, 255));
  EXPECT_EQ(rgbAt(image, 19, 10), std::make_tuple(255, 255, 255));
  player->tick();
  image = renderStage(*player);
  EXPECT_EQ(rgbAt(image, 25, 15), std::make_tuple(0, 0, 255));
  player->tick();
  image = renderStage(*player);
  EXPECT_EQ(rgbAt(image, 25, 15), std::make_tuple(255, 255, 255));
}

TEST(BitmapDataRenderTest, TransparentPixelsShowWhatIsBelow) {
  st::TagStream tags;
  Asm code;
  newBitmap(code, "b", {4, 4, true, 0});
  call(code, "b", "setPixel32", {1, 1, 0x400000FF});
  attachToHolder(code);
  tags.doAction(code.program()).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  const QImage image = renderStage(*player);
  EXPECT_EQ(rgbAt(image, 20, 10), std::make_tuple(255, 255, 255));
  const auto [r, g, b] = rgbAt(image, 21, 11);
  EXPECT_NEAR(r, 191, 2);
  EXPECT_NEAR(b, 255, 1);
}

TEST(BitmapDataRenderTest, DrawPaintsAClipThroughAMatrix) {
  st::TagStream tags;
  Asm code;
  call(code, "_root", "createEmptyMovieClip", {"sq", 2});
  call(code, "sq", "beginFill", {0xFF0000});
  call(code, "sq", "moveTo", {0, 0});
  call(code, "sq", "lineTo", {10, 0});
  call(code, "sq", "lineTo", {10, 10});
  call(code, "sq", "lineTo", {0, 10});
  call(code, "sq", "endFill", {});
  newBitmap(code, "b", {20, 20, false, 0xFFFFFF});
  code.push({"m", 5, 5, 1, 0, 0, 1, 6}).getVar("flash.geom").push({"Matrix"});
  code.op(AC::NewMethod).op(AC::SetVariable);
  code.getVar("m").getVar("sq").push({2}).getVar("b").push({"draw"}).op(AC::CallMethod).op(AC::Pop);
  code.push({"inside"}).callMethod("b", "getPixel", {7, 7}).op(AC::SetVariable);
  code.push({"outside"}).callMethod("b", "getPixel", {3, 3}).op(AC::SetVariable);
  tags.doAction(code.program()).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  EXPECT_EQ(player->scriptVariable("_root.inside"), QString::number(0xFF0000));
  EXPECT_EQ(player->scriptVariable("_root.outside"), QString::number(0xFFFFFF));
}

TEST(BitmapDataRenderTest, BitmapFillsTileTheBitmapAsItIsNow) {
  st::TagStream tags;
  Asm first;
  newBitmap(first, "b", {2, 2, false, 0x00FF00});
  call(first, "b", "setPixel", {1, 0, 0x0000FF});
  call(first, "_root", "createEmptyMovieClip", {"f", 1});
  first.getVar("b");
  first.push({1}).getVar("f").push({"beginBitmapFill"}).op(AC::CallMethod).op(AC::Pop);
  call(first, "f", "moveTo", {0, 0});
  call(first, "f", "lineTo", {10, 0});
  call(first, "f", "lineTo", {10, 10});
  call(first, "f", "lineTo", {0, 10});
  call(first, "f", "endFill", {});
  tags.doAction(first.program()).showFrame();
  Asm second;
  call(second, "b", "setPixel", {0, 0, 0xFF0000});
  second.op(AC::Stop);
  tags.doAction(second.program()).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  QImage image = renderStage(*player);
  EXPECT_EQ(rgbAt(image, 0, 0), std::make_tuple(0, 255, 0));
  EXPECT_EQ(rgbAt(image, 3, 0), std::make_tuple(0, 0, 255));  // repeated every 2 pixels
  EXPECT_EQ(rgbAt(image, 12, 0), std::make_tuple(255, 255, 255));
  player->tick();
  image = renderStage(*player);
  EXPECT_EQ(rgbAt(image, 4, 2), std::make_tuple(255, 0, 0));
}

TEST(BitmapDataRenderTest, LoadBitmapCopiesAnExportedLibraryBitmap) {
  st::TagStream tags;
  // DefineBitsLossless2 (format 5: ARGB) of 2 x 1 pixels: green, then half-alpha nothing.
  const bitmaptest::Bytes argb{0xFF, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00};
  bitmaptest::Bytes body{7, 0, 5, 2, 0, 1, 0};
  const bitmaptest::Bytes packed = bitmaptest::zlib(argb);
  body.insert(body.end(), packed.begin(), packed.end());
  tags.tag(36, body).exportAsset(7, "pic");
  Asm code;
  code.push({"b", "pic", 1}).getVar("flash.display.BitmapData");
  code.push({"loadBitmap"}).op(AC::CallMethod).op(AC::SetVariable);
  code.push({"size"}).getVar("b.width").op(AC::SetVariable);
  code.push({"left"}).callMethod("b", "getPixel32", {0, 0}).op(AC::SetVariable);
  code.push({"missing", "nothing", 1}).getVar("flash.display.BitmapData");
  code.push({"loadBitmap"}).op(AC::CallMethod).op(AC::SetVariable);
  tags.doAction(code.program()).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  EXPECT_EQ(player->scriptVariable("_root.size"), "2");
  EXPECT_EQ(player->scriptVariable("_root.left"), QString::number(std::int32_t(0xFF00FF00)));
  EXPECT_EQ(player->scriptVariable("_root.missing"), "undefined");
}

}  // namespace
}  // namespace quelvo::swf
