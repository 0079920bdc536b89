// flash.display.BitmapData and the flash.geom classes as scripts use them.
#include "Avm1Fixtures.h"

namespace quelvo::swf::avm1 {
namespace {

using test::AC;
using test::Asm;
using test::construct;
using test::PushItem;
using test::VmRunner;
using Lines = std::vector<std::string>;

Asm& newBitmap(Asm& code, const char* name, std::initializer_list<PushItem> args) {
  return construct(code, name, "flash.display", "BitmapData", args);
}

Asm& traceCall(Asm& code, const char* variable, const char* method,
               std::initializer_list<PushItem> args) {
  return code.callMethod(variable, method, args).op(AC::Trace);
}

TEST(BitmapDataScriptTest, MakesBitmapsOfAllowedSizesOnly) {
  VmRunner runner(8);
  Asm code;
  newBitmap(code, "b", {3, 2});
  code.traceVar("b.width").traceVar("b.height").traceVar("b.transparent");
  traceCall(code, "b", "getPixel32", {0, 0});  // white, opaque, as a signed number
  newBitmap(code, "big", {2881, 1});
  code.traceVar("big.width").traceVar("big.height");
  newBitmap(code, "none", {0, 5});
  code.traceVar("none.width");
  traceCall(code, "none", "getPixel", {0, 0});
  EXPECT_EQ(runner.traced(code), (Lines{"3", "2", "true", "-1", "-1", "-1", "-1", "-1"}));

  VmRunner swf10(10);
  Asm wide;
  newBitmap(wide, "b", {4000, 2});
  wide.traceVar("b.width");
  EXPECT_EQ(swf10.traced(wide), (Lines{"4000"}));

  VmRunner swf7(7);
  EXPECT_EQ(swf7.tracedOne(Asm().traceVar("flash")), "undefined");
}

TEST(BitmapDataScriptTest, MemoryCapRefusesBitmapsBeyondIt) {
  Limits limits;
  limits.bitmapBytes = 100 * 100 * 4;
  VmRunner runner(8, limits);
  Asm code;
  newBitmap(code, "a", {100, 100});
  newBitmap(code, "b", {1, 1});
  code.traceVar("a.width").traceVar("b.width");
  code.callMethod("a", "dispose", {}).op(AC::Pop);
  newBitmap(code, "c", {1, 1});
  code.traceVar("a.width").traceVar("c.width");
  EXPECT_EQ(runner.traced(code), (Lines{"100", "-1", "-1", "1"}));
}

TEST(BitmapDataScriptTest, PixelsRectanglesAndClones) {
  VmRunner runner(8);
  Asm code;
  newBitmap(code, "b", {4, 4, true, 0});
  construct(code, "r", "flash.geom", "Rectangle", {1, 1, 2, 2});
  code.push({0x7F00FF00}).getVar("r");
  code.push({2}).getVar("b").push({"fillRect"}).op(AC::CallMethod).op(AC::Pop);
  traceCall(code, "b", "getPixel32", {1, 1});
  traceCall(code, "b", "getPixel", {2, 2});
  traceCall(code, "b", "getPixel32", {3, 3});
  code.callMethod("b", "setPixel", {1, 1, 0xFF0000}).op(AC::Pop);  // keeps the alpha
  traceCall(code, "b", "getPixel32", {1, 1});
  code.push({"c", 0}).getVar("b").push({"clone"}).op(AC::CallMethod).op(AC::SetVariable);
  code.callMethod("b", "setPixel32", {1, 1, 0}).op(AC::Pop);
  traceCall(code, "c", "getPixel32", {1, 1});
  code.getVar("b.rectangle").op(AC::Trace);
  code.traceVar("r");
  EXPECT_EQ(runner.traced(code), (Lines{"2130771712", "65280", "0", "2147418112", "2147418112",
                                        "(x=0, y=0, w=4, h=4)", "(x=1, y=1, w=2, h=2)"}));
}

TEST(BitmapDataScriptTest, BlockMethodsTakePlainObjectsForRectanglesAndPoints) {
  VmRunner runner(8);
  Asm code;
  newBitmap(code, "src", {2, 2, false, 0xFF0000});
  newBitmap(code, "dst", {4, 4, false, 0});
  // dst.copyPixels(src, {x: 0, y: 0, width: 2, height: 2}, {x: 2, y: 2})
  code.push({"x", 2, "y", 2, 2}).op(AC::InitObject);
  code.push({"x", 0, "y", 0, "width", 2, "height", 2, 4}).op(AC::InitObject);
  code.getVar("src");
  code.push({3}).getVar("dst").push({"copyPixels"}).op(AC::CallMethod).op(AC::Pop);
  traceCall(code, "dst", "getPixel", {3, 3});
  traceCall(code, "dst", "getPixel", {1, 1});
  // threshold(dst, dst.rectangle, {x: 0, y: 0}, "==", 0xFF000000, 0xFF00FF00, 0xFFFFFFFF)
  code.push({4294967295.0, 4278255360.0, 4278190080.0, "=="});
  code.push({"x", 0, "y", 0, 2}).op(AC::InitObject);
  code.getVar("dst.rectangle").getVar("dst");
  code.push({7}).getVar("dst").push({"threshold"}).op(AC::CallMethod).op(AC::Trace);
  traceCall(code, "dst", "getPixel", {0, 0});
  EXPECT_EQ(runner.traced(code), (Lines{"16711680", "0", "12", "65280"}));
}

TEST(BitmapDataScriptTest, ComparesAndDisposes) {
  VmRunner runner(8);
  Asm code;
  newBitmap(code, "a", {2, 2, true, 0});
  newBitmap(code, "b", {2, 2, true, 0});
  newBitmap(code, "wide", {3, 2, true, 0});
  code.getVar("b").push({1}).getVar("a").push({"compare"}).op(AC::CallMethod).op(AC::Trace);
  code.push({"wide"}).op(AC::GetVariable);
  code.push({1}).getVar("a").push({"compare"}).op(AC::CallMethod).op(AC::Trace);
  code.callMethod("b", "setPixel32", {0, 0, 4278190096.0}).op(AC::Pop);
  code.push({"d", "b"}).op(AC::GetVariable);
  code.push({1}).getVar("a").push({"compare"}).op(AC::CallMethod).op(AC::SetVariable);
  traceCall(code, "d", "getPixel32", {0, 0});
  code.callMethod("a", "dispose", {}).op(AC::Pop);
  code.traceVar("a.width");
  traceCall(code, "a", "getPixel32", {0, 0});
  code.callMethod("a", "fillRect", {}).op(AC::Pop);  // harmless on a disposed bitmap
  EXPECT_EQ(runner.traced(code), (Lines{"0", "-3", "-16776976", "-1", "-1"}));
}

TEST(BitmapDataScriptTest, GeomPointsAndRectangles) {
  VmRunner runner(8);
  Asm code;
  construct(code, "p", "flash.geom", "Point", {1, 2});
  construct(code, "q", "flash.geom", "Point", {3, 5});
  code.push({"q"}).op(AC::GetVariable);
  code.push({1}).getVar("p").push({"add"}).op(AC::CallMethod).op(AC::Trace);
  construct(code, "r", "flash.geom", "Rectangle", {0, 0, 10, 0});
  traceCall(code, "r", "isEmpty", {});
  traceCall(code, "r", "contains", {5, 0});
  code.callMethod("r", "inflate", {1, 2}).op(AC::Pop);
  code.traceVar("r");
  EXPECT_EQ(runner.traced(code), (Lines{"(x=4, y=7)", "true", "false", "(x=-1, y=-2, w=12, h=4)"}));
}

}  // namespace
}  // namespace quelvo::swf::avm1
