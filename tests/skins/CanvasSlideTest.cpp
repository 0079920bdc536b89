#include <gtest/gtest.h>

#include <vector>

#include "skins/CanvasSlide.h"
#include "skins/SkinLayout.h"

namespace quelvo::test {
namespace {

using skins::SlideState;

// A Canvas face just applied: 6050 wide, frame 9000, strip 180 wide at 6060.
SlideState freshCanvas() {
  SlideState s;
  s.windowWidth = skins::kCanvasInWidth;
  s.frameWidth = 9000;
  s.stripLeft = 6060;
  s.stripWidth = 180;
  s.stripShown = true;
  return s;
}

std::vector<int> widthsUntilStopped(SlideState& s) {
  std::vector<int> widths;
  for (int tick = 0; tick < 100; ++tick) {
    const bool running = skins::slideStep(s);
    widths.push_back(s.windowWidth);
    if (!running) break;
  }
  return widths;
}

TEST(CanvasSlide, SlidesOutInStepsThenShowsTheCatalogAtTheFramesWidth) {
  SlideState s = freshCanvas();
  s.ListOut = true;
  const std::vector<int> widths = widthsUntilStopped(s);
  ASSERT_EQ(widths.size(), 13u);
  EXPECT_EQ(widths.front(), 6300);
  EXPECT_EQ(widths[11], 9050);
  EXPECT_EQ(widths.back(), 9000);
  EXPECT_TRUE(s.catalogShown);
  EXPECT_FALSE(s.stripShown);
  EXPECT_EQ(s.stripLeft, 9000 - 180);
}

TEST(CanvasSlide, SlidesBackInToTheStartWidth) {
  SlideState s = freshCanvas();
  s.ListOut = true;
  widthsUntilStopped(s);
  s.ListOut = false;
  ASSERT_TRUE(skins::slideStep(s));
  EXPECT_EQ(s.windowWidth, 8750);
  EXPECT_FALSE(s.catalogShown);
  EXPECT_TRUE(s.stripShown);
  const std::vector<int> widths = widthsUntilStopped(s);
  EXPECT_EQ(widths.back(), skins::kCanvasInWidth);
  EXPECT_FALSE(s.stripShown);
}

TEST(CanvasSlide, ASecondClickReversesFromWhereTheSlideIs) {
  SlideState s = freshCanvas();
  s.ListOut = true;
  for (int i = 0; i < 4; ++i) skins::slideStep(s);
  EXPECT_EQ(s.windowWidth, 7050);
  s.ListOut = false;
  const std::vector<int> widths = widthsUntilStopped(s);
  EXPECT_EQ(widths, (std::vector<int>{6800, 6550, 6300, 6050, 6050}));
  EXPECT_FALSE(s.catalogShown);
}

}  // namespace
}  // namespace quelvo::test
