#include <gtest/gtest.h>

#include <algorithm>

#include "swf/render/GradientRamp.h"

namespace quelvo::swf {
namespace {

// Entry i of the colour table (the stop at its middle), as red, green,
// blue, alpha.
std::array<int, 4> entry(const QGradientStops& ramp, int i) {
  const auto at = std::find_if(ramp.begin(), ramp.end(), [&](const QGradientStop& stop) {
    return stop.first == (i + 0.5) / 256;
  });
  EXPECT_NE(at, ramp.end()) << i;
  if (at == ramp.end()) return {};
  const QColor colour = at->second;
  return {colour.red(), colour.green(), colour.blue(), colour.alpha()};
}

// Whether the colours step, without blending, from entry i to entry i + 1.
bool stepsAfter(const QGradientStops& ramp, int i) {
  const double edge = (i + 1) / 256.0;
  return std::any_of(ramp.begin(), ramp.end(),
                     [&](const QGradientStop& stop) { return stop.first == edge; });
}

Gradient gradient(std::vector<GradientStop> stops) {
  Gradient g;
  g.stops = std::move(stops);
  return g;
}

const Rgba kRed{255, 0, 0, 255};
const Rgba kGreen{0, 255, 0, 255};
const Rgba kBlue{0, 0, 255, 255};

TEST(GradientRampTest, TwoRecordsSpanTheTableAndPadBeyondThem) {
  const auto ramp = gradientRamp(gradient({{64, kRed}, {192, Rgba{0, 0, 255, 0}}}), {});
  ASSERT_EQ(ramp.size(), 256);  // one stop per entry, blending between them
  EXPECT_DOUBLE_EQ(ramp.front().first, 0.5 / 256);
  EXPECT_DOUBLE_EQ(ramp.back().first, 255.5 / 256);
  EXPECT_EQ(entry(ramp, 0), (std::array{255, 0, 0, 255}));
  EXPECT_EQ(entry(ramp, 64), (std::array{255, 0, 0, 255}));
  // Halfway: each channel, alpha too, halfway without premultiplying.
  EXPECT_EQ(entry(ramp, 128), (std::array{128, 0, 128, 128}));
  EXPECT_EQ(entry(ramp, 192), (std::array{0, 0, 255, 0}));
  EXPECT_EQ(entry(ramp, 255), (std::array{0, 0, 255, 0}));
}

TEST(GradientRampTest, RecordsAreTakenInStoredOrder) {
  // 80 comes before 50: green gets one entry of its own, then 50 -> 100 runs on.
  const auto ramp =
      gradientRamp(gradient({{20, kRed}, {80, kGreen}, {50, kBlue}, {100, kRed}}), {});
  EXPECT_EQ(entry(ramp, 79)[1], 251);  // 59/60 of the way from red to green
  EXPECT_EQ(entry(ramp, 80), (std::array{0, 255, 0, 255}));
  EXPECT_TRUE(stepsAfter(ramp, 79));
  EXPECT_TRUE(stepsAfter(ramp, 80));
  EXPECT_FALSE(stepsAfter(ramp, 81));
  const auto afterGreen = entry(ramp, 81);  // 31/50 of the way from blue to red
  EXPECT_NEAR(afterGreen[0], 158, 1);
  EXPECT_NEAR(afterGreen[2], 97, 1);
  EXPECT_EQ(entry(ramp, 100), (std::array{255, 0, 0, 255}));
}

TEST(GradientRampTest, RecordsSharingARatioTakeOneEntryEach) {
  const auto ramp = gradientRamp(gradient({{10, kRed}, {10, kGreen}, {10, kBlue}, {20, kRed}}), {});
  EXPECT_EQ(entry(ramp, 9), (std::array{255, 0, 0, 255}));
  EXPECT_EQ(entry(ramp, 10), (std::array{255, 0, 0, 255}));
  EXPECT_EQ(entry(ramp, 11), (std::array{0, 255, 0, 255}));
  // The last of them starts the way on to the next ratio.
  EXPECT_EQ(entry(ramp, 12), (std::array{51, 0, 204, 255}));
  EXPECT_EQ(entry(ramp, 15), (std::array{128, 0, 128, 255}));
}

TEST(GradientRampTest, LinearRgbInterpolatesInLinearLight) {
  Gradient g = gradient({{0, Rgba{0, 0, 0, 255}}, {255, Rgba{255, 255, 255, 255}}});
  g.interpolation = InterpolationMode::LinearRgb;
  const auto mid = entry(gradientRamp(g, {}), 127);  // linear 0.5: sRGB 188
  EXPECT_NEAR(mid[0], 188, 1);
}

TEST(GradientRampTest, ColourTransformAppliesToRecordsAndNoRecordsIsBlack) {
  ColorTransform toWhite;
  toWhite.add = {255, 255, 255, 0};
  EXPECT_EQ(entry(gradientRamp(gradient({{0, kRed}, {255, kBlue}}), toWhite), 100),
            (std::array{255, 255, 255, 255}));
  EXPECT_EQ(entry(gradientRamp(gradient({}), {}), 200), (std::array{0, 0, 0, 255}));
}

}  // namespace
}  // namespace quelvo::swf
