#include <gtest/gtest.h>

#include <cmath>

#include "PlayerTestSupport.h"

namespace quelvo::swf {
namespace {

namespace st = swftest;
using st::Placement;
using RGB = std::tuple<int, int, int>;

const st::Colour kRed{255, 0, 0};
const st::Colour kGreen{0, 255, 0};
const RGB kWhite{255, 255, 255};

// A square from `from` to `to` pixels each way.
st::TwipsRect square(int from, int to) { return {from * 20, to * 20, from * 20, to * 20}; }

void fixed(st::ByteWriter& out, double value) {
  out.u32(static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(value * 65536))));
}

// A FILTERLIST of one drop shadow (or one blur when colour is absent).
std::vector<std::uint8_t> dropShadow(const st::Colour& colour, double blur, double distance) {
  st::ByteWriter out;
  out.u8(1).u8(0).colour(colour, true);
  for (const double v : {blur, blur, 0.0, distance}) fixed(out, v);
  out.u16(0x0100).u8(0x20 | 1);
  return out.data();
}

std::vector<std::uint8_t> blur(double size) {
  st::ByteWriter out;
  out.u8(1).u8(1);
  fixed(out, size);
  fixed(out, size);
  out.u8(1 << 3);
  return out.data();
}

// A red square 20-40 pixels placed at depth 1 with what `with` sets, drawn.
QImage renderRedSquare(const std::function<void(Placement&)>& with,
                       Quality quality = Quality::Low) {
  st::TagStream tags;
  tags.defineRectangle(1, square(20, 40), kRed);
  Placement placement = Placement::place(1, 1);
  with(placement);
  tags.placeObject(placement).showFrame().end();
  const auto player = playerFor(tags);
  return player ? renderStage(*player, quality) : QImage();
}

TEST(EffectsRenderTest, BlendModeCombinesWithWhatIsBelow) {
  // Red less white is cyan; beside the square the stage is untouched.
  const QImage image = renderRedSquare([](Placement& p) { p.blendMode = 7; });
  EXPECT_EQ(rgbAt(image, 30, 30), (RGB{0, 255, 255}));
  EXPECT_EQ(rgbAt(image, 50, 30), kWhite);
}

TEST(EffectsRenderTest, DropShadowAndBlurDrawAroundTheObject) {
  const QImage shadowed = renderRedSquare([](Placement& p) {
    p.filterList = dropShadow({0, 0, 0, 255}, 1, 10);
  });
  EXPECT_EQ(rgbAt(shadowed, 30, 30), (RGB{255, 0, 0}));
  EXPECT_EQ(rgbAt(shadowed, 45, 30), (RGB{0, 0, 0}));
  EXPECT_EQ(rgbAt(shadowed, 55, 30), kWhite);
  EXPECT_EQ(rgbAt(shadowed, 15, 30), kWhite);

  // At a finer sample grid the shadow keeps its distance in stage pixels.
  const QImage fine = renderRedSquare(
      [](Placement& p) {
        p.filterList = dropShadow({0, 0, 0, 255}, 1, 10);
      },
      Quality::High);
  EXPECT_EQ(rgbAt(fine, 45, 30), (RGB{0, 0, 0}));
  EXPECT_EQ(rgbAt(fine, 55, 30), kWhite);

  const QImage blurred = renderRedSquare([](Placement& p) { p.filterList = blur(10); });
  const auto [r, g, b] = rgbAt(blurred, 18, 30);  // just outside: pink
  EXPECT_EQ(r, 255);
  EXPECT_GT(g, 60);
  EXPECT_LT(g, 250);
  EXPECT_EQ(rgbAt(blurred, 10, 30), kWhite);
  EXPECT_EQ(rgbAt(blurred, 30, 30), (RGB{255, 0, 0}));
}

TEST(EffectsRenderTest, CacheAsBitmapAloneLooksTheSame) {
  const QImage plain = renderRedSquare([](Placement&) {});
  const QImage cached = renderRedSquare([](Placement& p) { p.cacheAsBitmap = true; });
  EXPECT_EQ(plain, cached);
}

// A sprite (blend mode `outer`) holding a green stage-sized square and, above
// it, a red square 40-60 with blend mode `inner`; the movie's stage is white.
QImage renderNested(std::uint8_t outer, std::uint8_t inner) {
  st::TagStream sprite;
  Placement top = Placement::place(2, 2);
  top.blendMode = inner;
  sprite.placeObject(Placement::place(1, 1)).placeObject(top).showFrame().end();
  st::TagStream tags;
  tags.defineRectangle(1, square(0, 100), kGreen).defineRectangle(2, square(40, 60), kRed);
  tags.defineSprite(3, sprite);
  Placement placement = Placement::place(1, 3);
  placement.blendMode = outer;
  tags.placeObject(placement).showFrame().end();
  const auto player = playerFor(tags);
  return player ? renderStage(*player) : QImage();
}

TEST(EffectsRenderTest, EraseAndAlphaActOnTheirGroupsLayer) {
  constexpr std::uint8_t kNormal = 1, kLayer = 2, kAlpha = 11, kErase = 12;
  // Erasing within a layer shows the stage through the hole.
  const QImage erased = renderNested(kLayer, kErase);
  EXPECT_EQ(rgbAt(erased, 50, 50), kWhite);
  EXPECT_EQ(rgbAt(erased, 10, 10), (RGB{0, 255, 0}));
  // Alpha keeps the layer only where the object is.
  const QImage kept = renderNested(kLayer, kAlpha);
  EXPECT_EQ(rgbAt(kept, 50, 50), (RGB{0, 255, 0}));
  EXPECT_EQ(rgbAt(kept, 10, 10), kWhite);
  // Without a layer to act on they draw nothing and erase nothing.
  const QImage loose = renderNested(kNormal, kErase);
  EXPECT_EQ(rgbAt(loose, 50, 50), (RGB{0, 255, 0}));
}

}  // namespace
}  // namespace quelvo::swf
