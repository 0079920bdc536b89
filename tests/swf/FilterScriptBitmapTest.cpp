// BitmapData.applyFilter, generateFilterRect and the blend mode of draw.
#include "Avm1Fixtures.h"
#include "swf/avm1/BitmapDataObject.h"
#include "swf/effects/ApplyFilter.h"

namespace quelvo::swf::avm1 {
namespace {

using test::AC;
using test::Asm;
using test::construct;
using test::PushItem;
using test::VmRunner;
using Lines = std::vector<std::string>;

// A 12 x 12 clear bitmap "src" with a red square from 4 to 8, a clear
// bitmap "dst" of the same size, a glow "f" and a point "origin".
Asm setUp() {
  Asm code;
  construct(code, "src", "flash.display", "BitmapData", {12, 12, true, 0});
  construct(code, "square", "flash.geom", "Rectangle", {4, 4, 4, 4});
  code.push({4294901760.0}).getVar("square");
  code.push({2}).getVar("src").push({"fillRect"}).op(AC::CallMethod).op(AC::Pop);
  construct(code, "dst", "flash.display", "BitmapData", {12, 12, true, 0});
  construct(code, "f", "flash.filters", "GlowFilter", {0x0000FF, 1, 4, 4, 2});
  construct(code, "origin", "flash.geom", "Point", {0, 0});
  return code;
}

// dst.applyFilter(src, <rect>, origin, <filter>), traced.
Asm& applyFilter(Asm& code, const char* rect, const char* filter) {
  code.getVar(filter).getVar("origin").getVar(rect).getVar("src");
  return code.push({4}).getVar("dst").push({"applyFilter"}).op(AC::CallMethod).op(AC::Trace);
}

const BitmapSurface* surface(VmRunner& runner, const char* name) {
  const auto* bitmap = dynamic_cast<BitmapDataObject*>(runner.variable(name).objectOrNull());
  return bitmap ? bitmap->live() : nullptr;
}

effects::EdgeParams blueGlow() {
  effects::EdgeParams glow;
  glow.kind = effects::EdgeParams::Kind::Glow;
  glow.stops = {{qRgba(0, 0, 255, 0), 0}, {qRgba(0, 0, 255, 255), 255}};
  glow.blur = {4, 4, 1};
  glow.strength = 2;
  return glow;
}

// Every pixel of dst is the filtered picture's, placed at its offset from at.
void expectFiltered(const BitmapSurface& dst, const effects::Filtered& expected, QPoint at) {
  for (int y = 0; y < dst.height(); ++y) {
    for (int x = 0; x < dst.width(); ++x) {
      const QPoint from = QPoint(x, y) - at - expected.offset;
      const QRgb want = expected.image.rect().contains(from) ? expected.image.pixel(from) : 0;
      ASSERT_EQ(dst.stored(x, y), want) << x << "," << y;
    }
  }
}

TEST(FilterScriptBitmapTest, ApplyFilterMatchesTheRenderersFilter) {
  VmRunner runner(8);
  Asm code = setUp();
  applyFilter(code, "src.rectangle", "f");
  EXPECT_EQ(runner.traced(code), (Lines{"0"}));
  const BitmapSurface* src = surface(runner, "src");
  const BitmapSurface* dst = surface(runner, "dst");
  ASSERT_TRUE(src && dst);
  expectFiltered(*dst, effects::applyFilter(src->image(), blueGlow()), {0, 0});

  // A part of the source lands with its top-left at the point.
  VmRunner part(8);
  Asm partCode = setUp();
  applyFilter(partCode, "square", "f");
  EXPECT_EQ(part.traced(partCode), (Lines{"0"}));
  const QImage square = surface(part, "src")->image().copy(4, 4, 4, 4);
  expectFiltered(*surface(part, "dst"), effects::applyFilter(square, blueGlow()), {0, 0});
}

TEST(FilterScriptBitmapTest, ApplyFilterRefusesWhatItCannotDo) {
  VmRunner runner(8);
  Asm code = setUp();
  code.setVar("notFilter", 5);
  applyFilter(code, "src.rectangle", "notFilter");
  // An opaque target stays opaque.
  construct(code, "dst", "flash.display", "BitmapData", {12, 12, false, 0xFFFFFF});
  applyFilter(code, "src.rectangle", "f");
  code.callMethod("dst", "getPixel32", {0, 0}).op(AC::Trace);
  EXPECT_EQ(runner.traced(code), (Lines{"-1", "0", "-16777216"}));

  // The pictures a filter works on are paid for from the bitmap budget.
  Limits limits;
  limits.bitmapBytes = 3 * 12 * 12 * 4;
  VmRunner tight(8, limits);
  Asm tightCode = setUp();
  applyFilter(tightCode, "src.rectangle", "f");
  EXPECT_EQ(tight.traced(tightCode), (Lines{"-1"}));
}

TEST(FilterScriptBitmapTest, GenerateFilterRectGrowsByTheFiltersReach) {
  VmRunner runner(8);
  Asm code;
  construct(code, "b", "flash.display", "BitmapData", {4, 4});
  construct(code, "r", "flash.geom", "Rectangle", {0, 0, 10, 10});
  construct(code, "f", "flash.filters", "BlurFilter", {8, 2, 2});
  code.getVar("f").getVar("r");
  code.push({2}).getVar("b").push({"generateFilterRect"}).op(AC::CallMethod).op(AC::Trace);
  const QMargins reach = effects::filterReach(effects::BlurParams{8, 2, 2});
  ASSERT_GT(reach.left(), reach.top());
  const std::string expected = "(x=" + std::to_string(-reach.left()) +
                               ", y=" + std::to_string(-reach.top()) +
                               ", w=" + std::to_string(10 + reach.left() + reach.right()) +
                               ", h=" + std::to_string(10 + reach.top() + reach.bottom()) + ")";
  EXPECT_EQ(runner.traced(code), (Lines{expected}));
}

TEST(FilterScriptBitmapTest, DrawBlendsByItsBlendMode) {
  VmRunner runner(8);
  Asm code;
  construct(code, "red", "flash.display", "BitmapData", {2, 2, false, 0xFF0000});
  construct(code, "corner", "flash.geom", "Rectangle", {0, 0, 1, 1});
  const auto drawWith = [&](PushItem mode, bool clipped) {
    construct(code, "dst", "flash.display", "BitmapData", {2, 2, false, 0x808080});
    if (clipped) {
      code.getVar("corner");
    } else {
      code.push({test::Undefined{}});
    }
    code.push({mode, test::Null{}, test::Null{}}).getVar("red");
    code.push({5}).getVar("dst").push({"draw"}).op(AC::CallMethod).op(AC::Pop);
    code.callMethod("dst", "getPixel", {0, 0}).op(AC::Trace);
    code.callMethod("dst", "getPixel", {1, 1}).op(AC::Trace);
  };
  drawWith("multiply", false);
  drawWith(7, true);  // difference, in the corner only
  drawWith("bogus", false);
  EXPECT_EQ(runner.traced(code),
            (Lines{"8388608", "8388608", "8355968", "8421504", "16711680", "16711680"}));
}

}  // namespace
}  // namespace quelvo::swf::avm1
