// The pixel store of script bitmaps and its operations, on small pictures
// worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include "swf/bitmapdata/BitmapColor.h"
#include "swf/bitmapdata/BitmapCopy.h"
#include "swf/bitmapdata/BitmapFill.h"
#include "swf/bitmapdata/BitmapNoise.h"
#include "swf/bitmapdata/BitmapQuery.h"

namespace quelvo::swf {
namespace {

constexpr std::size_t kPlenty = std::size_t{64} << 20;

std::shared_ptr<PixelBudget> budget(std::size_t bytes = kPlenty) {
  return std::make_shared<PixelBudget>(bytes);
}

std::shared_ptr<BitmapSurface> make(int width, int height, bool transparent, std::uint32_t fill,
                                    const std::shared_ptr<PixelBudget>& pay = budget()) {
  auto surface =
      BitmapSurface::create(width, height, transparent, fill, BitmapSizeLimit::forVersion(8), pay);
  EXPECT_TRUE(surface);
  return surface;
}

TEST(BitmapDataPixelsTest, StoresPremultipliedAndReadsBackWhatSurvived) {
  auto bitmap = make(2, 1, true, 0);
  bitmap->setPixel32(0, 0, 0x80FF8040);
  EXPECT_EQ(bitmap->pixel32(0, 0), 0x80FF8040u);
  // An alpha of 1 keeps one level of each colour: the colour comes back coarse.
  bitmap->setPixel32(1, 0, 0x01336699);
  EXPECT_EQ(bitmap->pixel32(1, 0), 0x010000FFu);
  bitmap->setPixel32(1, 0, 0x00FFFFFF);
  EXPECT_EQ(bitmap->pixel32(1, 0), 0u);
  EXPECT_EQ(bitmap->pixel32(-1, 0), 0u);
  EXPECT_EQ(bitmap->pixel32(2, 0), 0u);

  auto opaque = make(1, 1, false, 0x00123456);
  EXPECT_EQ(opaque->pixel32(0, 0), 0xFF123456u);
  opaque->setPixel32(0, 0, 0x10ABCDEF);
  EXPECT_EQ(opaque->pixel32(0, 0), 0xFFABCDEFu);
}

TEST(BitmapDataPixelsTest, SizeLimitsDependOnTheVersionAndRefuseOddSizes) {
  const auto v8 = BitmapSizeLimit::forVersion(8);
  const auto v10 = BitmapSizeLimit::forVersion(10);
  EXPECT_TRUE(v8.allows(2880, 2880));
  EXPECT_FALSE(v8.allows(2881, 1));
  EXPECT_TRUE(v10.allows(8191, 2048));
  EXPECT_FALSE(v10.allows(8191, 2049));  // past 16 777 215 pixels
  EXPECT_FALSE(v10.allows(8192, 1));
  for (const double bad : {0.0, -5.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
    EXPECT_FALSE(v8.allows(bad, 10)) << bad;
    EXPECT_FALSE(v8.allows(10, bad)) << bad;
  }
}

TEST(BitmapDataPixelsTest, BudgetRefusesBeforeAllocatingAndGetsItsShareBack) {
  const auto pay = budget(100 * 100 * 4);
  auto first = make(100, 100, true, 0, pay);
  EXPECT_EQ(pay->used(), 40000u);
  EXPECT_FALSE(BitmapSurface::create(1, 1, true, 0, BitmapSizeLimit::forVersion(8), pay));
  EXPECT_FALSE(first->clone());
  EXPECT_EQ(pay->used(), 40000u);
  first->dispose();
  EXPECT_TRUE(first->disposed());
  EXPECT_EQ(first->width(), 0);
  EXPECT_EQ(pay->used(), 0u);
  auto second = make(50, 50, true, 0, pay);
  auto copy = second->clone();
  ASSERT_TRUE(copy);
  EXPECT_EQ(pay->used(), 20000u);
  copy.reset();
  second.reset();
  EXPECT_EQ(pay->used(), 0u);
}

TEST(BitmapDataPixelsTest, FillRectClipsToTheBitmap) {
  auto bitmap = make(4, 4, true, 0);
  fillRect(*bitmap, {-5, -5, 7, 7}, 0xFFFF0000);  // covers 0..1
  fillRect(*bitmap, {3, 3, 1 << 28, 1 << 28}, 0xFF00FF00);
  fillRect(*bitmap, pixelRect(std::nan(""), 0, 1, 1), 0xFF0000FF);  // NaN x is 0
  fillRect(*bitmap, {2, 0, 0, 4}, 0xFFFFFFFF);                      // empty
  fillRect(*bitmap, {4, 1, -1, -1}, 0xFFFFFF00);                    // reaches back to (3, 0)
  EXPECT_EQ(bitmap->pixel32(0, 0), 0xFF0000FFu);
  EXPECT_EQ(bitmap->pixel32(1, 1), 0xFFFF0000u);
  EXPECT_EQ(bitmap->pixel32(2, 2), 0u);
  EXPECT_EQ(bitmap->pixel32(3, 3), 0xFF00FF00u);
  EXPECT_EQ(bitmap->pixel32(2, 0), 0u);
  EXPECT_EQ(bitmap->pixel32(3, 0), 0xFFFFFF00u);
}

TEST(BitmapDataPixelsTest, FloodFillFollowsTheConnectedRegionOnly) {
  // A wall down column 2 splits a 5 x 3 bitmap; the fill stays on its side.
  auto bitmap = make(5, 3, false, 0xFFFFFF);
  fillRect(*bitmap, {2, 0, 1, 3}, 0x000000);
  floodFill(*bitmap, 0, 1, 0xFF0000);
  EXPECT_EQ(bitmap->pixel32(1, 2), 0xFFFF0000u);
  EXPECT_EQ(bitmap->pixel32(2, 1), 0xFF000000u);
  EXPECT_EQ(bitmap->pixel32(3, 0), 0xFFFFFFFFu);
  floodFill(*bitmap, 99, 0, 0x00FF00);  // outside: nothing
  EXPECT_EQ(bitmap->pixel32(4, 2), 0xFFFFFFFFu);
}

TEST(BitmapDataPixelsTest, CopyPixelsReplacesMergesAndMasks) {
  auto source = make(2, 1, true, 0);
  source->setPixel32(0, 0, 0xFFFF0000);
  source->setPixel32(1, 0, 0x800000FF);
  auto dest = make(3, 1, true, 0xFF00FF00);
  copyPixels(*dest, *source, {{0, 0, 2, 1}, 1, 0}, {}, false);
  EXPECT_EQ(dest->pixel32(0, 0), 0xFF00FF00u);
  EXPECT_EQ(dest->pixel32(1, 0), 0xFFFF0000u);
  EXPECT_EQ(dest->pixel32(2, 0), 0x800000FFu);  // replaced, alpha and all

  auto merged = make(2, 1, true, 0xFF00FF00);
  copyPixels(*merged, *source, {{0, 0, 2, 1}, 0, 0}, {}, true);
  EXPECT_EQ(merged->pixel32(1, 0), 0xFF007F80u);  // half blue over green

  // The mask's alpha scales the source; outside the mask nothing is copied.
  auto mask = make(1, 1, true, 0x80000000);
  auto masked = make(2, 1, true, 0xFF000000);
  copyPixels(*masked, *source, {{0, 0, 2, 1}, 0, 0}, {mask.get(), 0, 0}, false);
  EXPECT_EQ(masked->pixel32(0, 0), 0x80FF0000u);
  EXPECT_EQ(masked->pixel32(1, 0), 0xFF000000u);
  copyPixels(*masked, *source, {{0, 0, 2, 1}, 0, 0}, {mask.get(), 0, 0}, true);
  EXPECT_EQ(masked->pixel32(0, 0), 0xC0FF0000u);  // half red over half red
  // An opaque destination blends even without mergeAlpha: half red over black.
  auto opaque = make(1, 1, false, 0x000000);
  copyPixels(*opaque, *source, {{0, 0, 1, 1}, 0, 0}, {mask.get(), 0, 0}, false);
  EXPECT_EQ(opaque->pixel32(0, 0), 0xFF800000u);
}

TEST(BitmapDataPixelsTest, CopiesWithinOneBitmapReadTheOldPixels) {
  auto bitmap = make(4, 1, true, 0);
  for (int x = 0; x < 4; ++x) bitmap->setPixel32(x, 0, 0xFF000000u | std::uint32_t(x + 1));
  copyPixels(*bitmap, *bitmap, {{0, 0, 3, 1}, 1, 0}, {}, false);
  EXPECT_EQ(bitmap->pixel32(1, 0) & 0xFF, 1u);
  EXPECT_EQ(bitmap->pixel32(3, 0) & 0xFF, 3u);
  scroll(*bitmap, -2, 0);
  EXPECT_EQ(bitmap->pixel32(0, 0) & 0xFF, 2u);
  EXPECT_EQ(bitmap->pixel32(3, 0) & 0xFF, 3u);  // uncovered: as it was
  scroll(*bitmap, 1 << 28, -(1 << 28));         // far off: nothing lands
  EXPECT_EQ(bitmap->pixel32(0, 0) & 0xFF, 2u);
}

TEST(BitmapDataPixelsTest, ChannelsMergeTransformsAndPalettes) {
  auto source = make(1, 1, true, 0xFF336699);
  auto dest = make(1, 1, true, 0xFF000000);
  copyChannel(*dest, *source, {{0, 0, 1, 1}, 0, 0}, 4, 1);  // blue into red
  EXPECT_EQ(dest->pixel32(0, 0), 0xFF990000u);
  copyChannel(*dest, *source, {{0, 0, 1, 1}, 0, 0}, 3, 1);  // two channels: ignored
  EXPECT_EQ(dest->pixel32(0, 0), 0xFF990000u);

  const int halves[4] = {128, 256, 0, 999};
  merge(*dest, *source, {{0, 0, 1, 1}, 0, 0}, halves);
  EXPECT_EQ(dest->pixel32(0, 0), 0xFF666600u);  // red (0x33 + 0x99) / 2, green all source

  ColorTransform invert;
  invert.multiply = {-1, 1, 1, 1};
  invert.add = {255, 16, 0, 0};
  colorTransform(*dest, dest->bounds(), invert);
  EXPECT_EQ(dest->pixel32(0, 0), 0xFF997600u);

  Palette palette;
  auto& red = palette.tables[0].emplace();
  for (std::uint32_t i = 0; i < 256; ++i) red[i] = i;  // red value into blue
  paletteMap(*dest, *source, {{0, 0, 1, 1}, 0, 0}, palette);
  EXPECT_EQ(dest->pixel32(0, 0), 0xFF006699u + 0x33u);
}

TEST(BitmapDataPixelsTest, ThresholdCountsAndPaintsThePassingPixels) {
  auto source = make(3, 1, true, 0);
  source->setPixel32(0, 0, 0xFF000010);
  source->setPixel32(1, 0, 0xFF000080);
  source->setPixel32(2, 0, 0xFF0000F0);
  auto dest = make(3, 1, true, 0xFFFFFFFF);
  ASSERT_TRUE(thresholdTest(">="));
  EXPECT_FALSE(thresholdTest("=>"));
  const Threshold rule{*thresholdTest(">="), 0x80, 0xFFFF0000, 0xFF, true};
  EXPECT_EQ(threshold(*dest, *source, {{0, 0, 3, 1}, 0, 0}, rule), 2);
  EXPECT_EQ(dest->pixel32(0, 0), 0xFF000010u);  // failed: copied from the source
  EXPECT_EQ(dest->pixel32(1, 0), 0xFFFF0000u);
  EXPECT_EQ(dest->pixel32(2, 0), 0xFFFF0000u);
}

TEST(BitmapDataPixelsTest, NoiseIsRepeatableAndWithinItsRange) {
  auto first = make(8, 8, true, 0);
  auto second = make(8, 8, true, 0);
  noise(*first, 42, 10, 20, {7, false});
  noise(*second, 42, 10, 20, {7, false});
  std::set<std::uint32_t> reds;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const std::uint32_t pixel = first->pixel32(x, y);
      ASSERT_EQ(pixel, second->pixel32(x, y));
      EXPECT_EQ(pixel >> 24, 255u);  // alpha not chosen
      EXPECT_GE((pixel >> 16) & 0xFF, 10u);
      EXPECT_LE((pixel >> 16) & 0xFF, 20u);
      reds.insert((pixel >> 16) & 0xFF);
    }
  }
  EXPECT_GT(reds.size(), 5u);
  noise(*second, 43, 10, 20, {7, false});
  EXPECT_FALSE(first->image() == second->image());

  noise(*first, 1, 0, 255, {1 | 8, true});  // grey copies red everywhere
  const std::uint32_t pixel = first->pixel32(3, 3);
  EXPECT_EQ((pixel >> 16) & 0xFF, pixel & 0xFF);
}

TEST(BitmapDataPixelsTest, PerlinNoiseIsSmoothRepeatableAndTiles) {
  PerlinNoise settings;
  settings.baseX = settings.baseY = 16;
  settings.octaves = 3;
  settings.seed = 7;
  settings.fractal = true;
  settings.stitch = true;
  auto first = make(32, 32, false, 0);
  auto second = make(32, 32, false, 0);
  perlinNoise(*first, settings);
  perlinNoise(*second, settings);
  EXPECT_TRUE(first->image() == second->image());
  // Neighbours differ a little, and with stitch the last column meets the first.
  const auto red = [&](int x, int y) { return int((first->pixel32(x, y) >> 16) & 0xFF); };
  EXPECT_LT(std::abs(red(10, 10) - red(11, 10)), 40);
  EXPECT_LT(std::abs(red(31, 5) - red(0, 5)), 40);
  settings.octaves = 1000;  // capped, not a hang
  perlinNoise(*second, settings);
}

TEST(BitmapDataPixelsTest, PixelDissolveVisitsEveryPixelOnceAcrossCalls) {
  auto source = make(5, 4, true, 0xFF0000FF);
  auto dest = make(5, 4, true, 0);
  const BlockCopy whole{{0, 0, 5, 4}, 0, 0};
  int seed = pixelDissolve(*dest, *source, whole, 3, 7, 0);
  int copied = 0;
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) copied += dest->pixel32(x, y) != 0;
  }
  EXPECT_EQ(copied, 8);  // the seed's own pixel and seven more
  seed = pixelDissolve(*dest, *source, whole, seed, 12, 0);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(dest->pixel32(x, y), 0xFF0000FFu) << x << "," << y;
  }
  // Dissolving a bitmap into itself paints the fill colour; one pixel short
  // of the area still covers all of it.
  pixelDissolve(*dest, *dest, whole, seed, 19, 0x80FF0000);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(dest->pixel32(x, y), 0x80FF0000u) << x << "," << y;
  }
  EXPECT_NE(pixelDissolve(*dest, *dest, whole, 0, 1 << 30, 0), 0);  // huge counts stop
}

TEST(BitmapDataPixelsTest, HitTestsBoundsAndComparisons) {
  auto bitmap = make(4, 4, true, 0);
  bitmap->setPixel32(2, 1, 0x80FFFFFF);
  const PlacedBitmap placed{bitmap.get(), 10, 10, 0x80};
  EXPECT_TRUE(hitsPoint(placed, 12, 11));
  EXPECT_FALSE(hitsPoint(placed, 11, 11));
  EXPECT_FALSE(hitsPoint({bitmap.get(), 10, 10, 0x81}, 12, 11));
  EXPECT_TRUE(hitsArea(placed, {0, 0, 13, 12}));
  EXPECT_FALSE(hitsArea(placed, {0, 0, 12, 12}));
  auto dot = make(1, 1, false, 0);
  EXPECT_TRUE(hitsBitmap(placed, {dot.get(), 12, 11, 1}));
  EXPECT_FALSE(hitsBitmap(placed, {dot.get(), 13, 11, 1}));

  EXPECT_EQ(colorBounds(*bitmap, 0xFF000000, 0x80000000, true), (PixelRect{2, 1, 1, 1}));
  EXPECT_EQ(colorBounds(*bitmap, 0xFF000000, 0, false), (PixelRect{2, 1, 1, 1}));
  EXPECT_TRUE(colorBounds(*bitmap, 0xFFFFFFFF, 0x12345678, true).empty());

  auto other = make(4, 4, true, 0);
  EXPECT_EQ(compare(*bitmap, *make(5, 4, true, 0)).code, -3);
  EXPECT_EQ(compare(*bitmap, *make(4, 3, true, 0)).code, -4);
  EXPECT_FALSE(compare(*other, *make(4, 4, true, 0)).differences);
  other->setPixel32(2, 1, 0xFFFFFFFF);
  other->setPixel32(0, 0, 0xFF102030);
  const Comparison result = compare(*other, *bitmap);
  ASSERT_TRUE(result.differences);
  EXPECT_EQ(result.differences->pixel32(2, 1), 0x7FFFFFFFu);  // alphas only
  EXPECT_EQ(result.differences->pixel32(0, 0), 0xFF102030u);
  EXPECT_EQ(result.differences->pixel32(3, 3), 0u);
}

}  // namespace
}  // namespace quelvo::swf
