#include <gtest/gtest.h>

#include <QPainterPath>
#include <cmath>
#include <set>

#include "PlayerTestSupport.h"
#include "swf/geometry/StrokeOutline.h"

namespace quelvo::swf {
namespace {

namespace st = swftest;
using st::Matrix;
using st::Placement;
using st::Point;
using RGB = std::tuple<int, int, int>;

const st::Colour kRed{255, 0, 0};
const st::Colour kGreen{0, 255, 0};
const st::Colour kBlue{0, 0, 255};
const RGB kWhite{255, 255, 255};

// One shape at depth 1 on a 100 x 100 pixel stage, rendered at low quality.
QImage renderShape(const st::ShapeBuilder& shape, Quality quality = Quality::Low) {
  st::TagStream tags;
  tags.defineShape(1, shape).placeObject(Placement::place(1, 1)).showFrame().end();
  const auto player = playerFor(tags);
  return player ? renderStage(*player, quality) : QImage();
}

TEST(RenderTest, FillsComeFromBothSidesOfEdgesInAnyOrder) {
  // Left square red, right square blue, sharing the edge x = 1000 twips.
  // Edges are given out of order, some drawn with the fill on their left.
  st::ShapeBuilder shape;
  shape.styles({st::FillStyle::solid(kRed), st::FillStyle::solid(kBlue)});
  shape.select(1, 2, std::nullopt, Point{1000, 1000}).lineTo({1000, 0});  // shared edge, going up
  shape.select(0, 1, std::nullopt, Point{0, 1000}).lineTo({0, 0});        // red's left side
  shape.select(1, 0, std::nullopt, Point{0, 1000}).lineTo({1000, 1000});  // red's bottom, reversed
  shape.select(0, 1, std::nullopt, Point{0, 0}).lineTo({1000, 0});        // red's top
  shape.select(0, 2, std::nullopt, Point{1000, 0}).lineTo({1500, 0}).lineTo({1500, 1000});
  shape.lineTo({1000, 1000});
  const QImage image = renderShape(shape);

  EXPECT_EQ(rgbAt(image, 10, 25), (RGB{255, 0, 0}));
  EXPECT_EQ(rgbAt(image, 49, 25), (RGB{255, 0, 0}));
  EXPECT_EQ(rgbAt(image, 50, 25), (RGB{0, 0, 255}));
  EXPECT_EQ(rgbAt(image, 74, 49), (RGB{0, 0, 255}));
  EXPECT_EQ(rgbAt(image, 75, 25), kWhite);
  EXPECT_EQ(rgbAt(image, 25, 50), kWhite);
}

TEST(RenderTest, OpenPathsCloseAndBadEdgesAreHarmless) {
  st::ShapeBuilder shape;
  shape.styles({st::FillStyle::solid(kGreen)});
  // A triangle whose last side is missing, a zero-length edge and an edge
  // whose fill number is past the style array.
  shape.select(0, 1, std::nullopt, Point{0, 0}).lineTo({1800, 0}).lineTo({1800, 1800});
  shape.lineTo({1800, 1800});
  shape.styleBits(3, 0).select(5, std::nullopt, std::nullopt, Point{100, 1900}).lineTo({1900, 100});
  const QImage image = renderShape(shape);
  EXPECT_EQ(rgbAt(image, 80, 10), (RGB{0, 255, 0}));  // inside the triangle
  EXPECT_EQ(rgbAt(image, 10, 80), kWhite);            // beyond its closing side
}

TEST(RenderTest, NewStylesDrawAboveEarlierLayersAndLinesAboveFills) {
  st::ShapeBuilder shape(2);
  shape.styles({st::FillStyle::solid(kRed)}, {st::LineStyle::solid(100, kGreen)});
  shape.select(0, 1).polygon({{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}});
  shape.newStyles({st::FillStyle::solid(kBlue)}, {}, 0, 1, std::nullopt, Point{500, 500});
  shape.lineTo({1500, 500}).lineTo({1500, 1500}).lineTo({500, 1500}).lineTo({500, 500});
  // A stroke of the first layer, drawn before the second layer's fill.
  shape.select(std::nullopt, std::nullopt, std::nullopt);
  const QImage image = renderShape(shape);
  EXPECT_EQ(rgbAt(image, 10, 10), (RGB{255, 0, 0}));
  EXPECT_EQ(rgbAt(image, 40, 40), (RGB{0, 0, 255}));  // second layer over the first
  EXPECT_EQ(rgbAt(image, 70, 70), (RGB{0, 0, 255}));
}

TEST(RenderTest, StrokesAreAtLeastOnePixelWide) {
  st::ShapeBuilder shape(4);
  st::LineStyle hairline = st::LineStyle::solid(0, kBlue);
  shape.styles({}, {hairline});
  shape.select(std::nullopt, std::nullopt, 1, Point{0, 1010}).lineTo({2000, 1010});
  st::TagStream tags;
  // Scaled to a tenth: still one pixel.
  tags.defineShape(1, shape).placeObject(Placement::place(1, 1, Matrix{1, 0.1, 0, 0, 0, 900}));
  tags.showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  for (const Quality quality : {Quality::Low, Quality::High}) {
    const QImage image = renderStage(*player, quality);
    double coverage = 0;  // in pixels, down one column
    for (int y = 0; y < 100; ++y) coverage += (255 - std::get<0>(rgbAt(image, 50, y))) / 255.0;
    EXPECT_NEAR(coverage, 1, 0.05) << static_cast<int>(quality);
  }
}

TEST(RenderTest, PixelCentresOnAnEdgeGoToItsTopOrLeftSide) {
  // A 5 pixel line along y = 50 has its sides through the centres of rows 47
  // and 52; a square from 20.5 to 30.5 pixels has its sides through centres
  // too. Each takes the rows and columns on its top/left side of such a side.
  st::ShapeBuilder shape(3);
  shape.styles({st::FillStyle::solid(kGreen)},
               {st::LineStyle::solid(100, kRed), st::LineStyle::solid(0, kBlue)});
  shape.select(0, 1, std::nullopt).polygon({{410, 410}, {610, 410}, {610, 610}, {410, 610}});
  shape.select(0, 0, 1, Point{400, 1000}).lineTo({1600, 1000});
  // A hairline along y = 70 spans rows 69.5 to 70.5: row 69 takes it.
  shape.select(0, 0, 2, Point{400, 1400}).lineTo({1600, 1400});
  const QImage image = renderShape(shape);
  EXPECT_EQ(rgbAt(image, 50, 69), (RGB{0, 0, 255}));
  EXPECT_EQ(rgbAt(image, 50, 70), kWhite);
  const RGB green{0, 255, 0}, red{255, 0, 0};
  EXPECT_EQ(rgbAt(image, 20, 20), green);
  EXPECT_EQ(rgbAt(image, 29, 29), green);
  EXPECT_EQ(rgbAt(image, 30, 25), kWhite);
  EXPECT_EQ(rgbAt(image, 25, 30), kWhite);
  EXPECT_EQ(rgbAt(image, 19, 25), kWhite);
  EXPECT_EQ(rgbAt(image, 50, 46), kWhite);
  EXPECT_EQ(rgbAt(image, 50, 47), red);
  EXPECT_EQ(rgbAt(image, 50, 51), red);
  EXPECT_EQ(rgbAt(image, 50, 52), kWhite);
}

TEST(RenderTest, MitersReachingPastTheLimitAreBevelled) {
  // Lines 5 pixels wide with miter joins. A right angle's miter reaches 3.5
  // pixels past its corner, within a limit of one line width; a 45 degree
  // corner's reaches 6.5, past that limit but within three widths.
  st::ShapeBuilder shape(4);
  st::LineStyle tight = st::LineStyle::solid(100, kRed), loose = tight;
  tight.join = loose.join = 2;
  tight.miterLimit = 1;
  shape.styles({}, {tight, loose});
  shape.select(std::nullopt, std::nullopt, 1, Point{1100, 1500}).lineTo({1400, 1200});
  shape.lineTo({1700, 1500});
  shape.select(std::nullopt, std::nullopt, 1, Point{200, 400}).lineTo({1000, 400});
  shape.lineTo({200, 1200});
  shape.select(std::nullopt, std::nullopt, 2, Point{200, 1800}).lineTo({1000, 1800});
  shape.lineTo({200, 2600});
  const QImage image = renderShape(shape);
  const RGB red{255, 0, 0};
  EXPECT_EQ(rgbAt(image, 69, 57), red);  // the right angle's point
  EXPECT_EQ(rgbAt(image, 70, 57), red);
  EXPECT_EQ(rgbAt(image, 54, 18), kWhite);  // bevelled
  EXPECT_EQ(rgbAt(image, 54, 88), red);     // mitred
}

// Dark pixels across row y.
int darkRun(const QImage& image, int y) {
  int dark = 0;
  for (int x = 0; x < image.width(); ++x) dark += std::get<0>(rgbAt(image, x, y)) < 128;
  return dark;
}

TEST(RenderTest, StrokesScaleWithTheirShapeUnlessTheStyleKeepsTheirWidth) {
  // A vertical line 2 pixels wide in each style, in a shape stretched four
  // times across by its own matrix: scaled (by the stretch of a 45 degree
  // length, sqrt(17 / 2), the pen staying round), kept horizontally (so scaled
  // by the vertical 1), kept vertically (scaled by the horizontal 4), kept
  // both ways.
  st::LineStyle scaled = st::LineStyle::solid(40, kBlue);
  st::LineStyle keepHorizontal = scaled, keepVertical = scaled, keepBoth = scaled;
  keepHorizontal.noHorizontalScale = true;
  keepVertical.noVerticalScale = true;
  keepBoth.noHorizontalScale = keepBoth.noVerticalScale = true;
  st::ShapeBuilder shape(4);
  shape.styles({}, {scaled, keepHorizontal, keepVertical, keepBoth});
  for (std::uint32_t style = 1; style <= 4; ++style) {
    const std::int32_t x = static_cast<std::int32_t>(style) * 80 - 40;
    shape.select(std::nullopt, std::nullopt, style,
                 Point{x, (static_cast<std::int32_t>(style) - 1) * 500});
    shape.lineTo({x, static_cast<std::int32_t>(style) * 500 - 100});
  }
  st::TagStream tags;
  tags.defineShape(1, shape).placeObject(Placement::place(1, 1, Matrix{4, 1, 0, 0, 0, 0}));
  tags.showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  const QImage image = renderStage(*player);
  EXPECT_EQ(darkRun(image, 10), 6);
  EXPECT_EQ(darkRun(image, 35), 2);
  EXPECT_EQ(darkRun(image, 60), 8);
  EXPECT_EQ(darkRun(image, 85), 2);
}

// Darkness, in pixels, along count pixels from (x, y) stepping by (dx, dy),
// and where along that run its middle lies.
struct DarkRun {
  double amount = 0;
  double centre = 0;
};
DarkRun darkAlong(const QImage& image, int x, int y, int dx, int dy, int count) {
  DarkRun run;
  for (int i = 0; i < count; ++i) {
    const double dark = (255 - std::get<0>(rgbAt(image, x + i * dx, y + i * dy))) / 255.0;
    run.amount += dark;
    run.centre += dark * (i + 0.5);
  }
  if (run.amount > 0) run.centre /= run.amount;
  return run;
}

TEST(RenderTest, StrokesOfSkewedShapesAreEvenBandsOnTheDevice) {
  // A shape skewed by its own matrix (x axis to (3, 0), y axis to (-1, 2)),
  // whose 45 degree length grows to 2: its 2 pixel strokes are 4 pixel bands
  // across each line's major axis, whichever way the line runs. The level
  // band sits a sixteenth of its width below its path.
  st::ShapeBuilder shape(4);
  shape.styles({}, {st::LineStyle::solid(40, kBlue)});
  shape.select(std::nullopt, std::nullopt, 1, Point{0, 0}).lineTo({600, 0});  // y 90, x 5..95
  shape.select(std::nullopt, std::nullopt, 1, Point{100, -800})
      .lineTo({100, -200});  // (60, 10) to (30, 70)
  st::TagStream tags;
  tags.defineShape(1, shape).placeObject(Placement::place(1, 1, Matrix{3, 2, 0, -1, 100, 1800}));
  tags.showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  const QImage image = renderStage(*player, Quality::High);
  const DarkRun level = darkAlong(image, 50, 80, 0, 1, 20);
  EXPECT_NEAR(level.amount, 4, 0.1);
  EXPECT_NEAR(80 + level.centre, 90.25, 0.1);
  const DarkRun steep = darkAlong(image, 35, 40, 1, 0, 20);  // the line crosses x 45
  EXPECT_NEAR(steep.amount, 4, 0.1);
}

TEST(RenderTest, StrokedCurvesFollowTheirTrueOutline) {
  // An eighth of a circle of radius 100 drawn as one quadratic curve and
  // stroked 20 wide: along the curve, points just inside its offsets at
  // 10 either side are covered and points just outside are not.
  const QPointF start(100, 0), control(100, 41.42), end(70.71, 70.71);
  QPainterPath curve(start);
  curve.quadTo(control, end);
  const QPen pen(Qt::black, 20, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
  const QPainterPath area = outline(curve, pen, 0.01);
  constexpr double kSlack = 0.05;
  for (int step = 1; step < 20; ++step) {
    const double t = step / 20.0, u = 1 - t;
    const QPointF at = u * u * start + 2 * u * t * control + t * t * end;
    const QPointF tangent = 2 * u * (control - start) + 2 * t * (end - control);
    const QPointF normal =
        QPointF(-tangent.y(), tangent.x()) / std::hypot(tangent.x(), tangent.y());
    for (const double side : {-1.0, 1.0}) {
      EXPECT_TRUE(area.contains(at + side * (10 - kSlack) * normal)) << t << " " << side;
      EXPECT_FALSE(area.contains(at + side * (10 + kSlack) * normal)) << t << " " << side;
    }
  }
}

TEST(RenderTest, StrokesStretchWithTheirParents) {
  // A vertical line 2 pixels wide in a shape at its own scale, in a sprite
  // stretched four times across: the stroke stretches with the sprite.
  st::ShapeBuilder shape(4);
  shape.styles({}, {st::LineStyle::solid(40, kBlue)});
  shape.select(std::nullopt, std::nullopt, 1, Point{40, 0}).lineTo({40, 1000});
  st::TagStream sprite;
  sprite.placeObject(Placement::place(1, 1)).showFrame().end();
  st::TagStream tags;
  tags.defineShape(1, shape).defineSprite(2, sprite);
  tags.placeObject(Placement::place(1, 2, Matrix{4, 1, 0, 0, 0, 0})).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  EXPECT_EQ(darkRun(renderStage(*player), 10), 8);
}

TEST(RenderTest, AdjacentFillsShowNoSeamWhenAntialiased) {
  // Two black triangles sharing the diagonal of a square.
  st::ShapeBuilder shape;
  shape.styles({st::FillStyle::solid({}), st::FillStyle::solid({})});
  shape.select(0, 1).polygon({{0, 0}, {2000, 0}, {0, 1900}});
  shape.select(0, 2).polygon({{2000, 0}, {2000, 1900}, {0, 1900}});
  st::TagStream tags;
  tags.defineShape(1, shape).placeObject(Placement::place(1, 1)).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  const QImage image = renderStageDirectly(*player, Quality::High);
  int lightest = 0;
  for (int y = 0; y < 94; ++y) {
    for (int x = 0; x < 100; ++x) lightest = std::max(lightest, std::get<0>(rgbAt(image, x, y)));
  }
  EXPECT_LE(lightest, 2);
}

TEST(RenderTest, ClipLayersMaskTheDepthsUpToTheirClipDepth) {
  st::TagStream tags;
  tags.defineRectangle(1, {0, 1000, 0, 2000}, kBlue);      // mask: the left half
  tags.defineRectangle(2, {0, 2000, 0, 1000}, kRed);       // top half
  tags.defineRectangle(3, {0, 2000, 1000, 2000}, kGreen);  // bottom half
  Placement mask = Placement::place(1, 1);
  mask.clipDepth = 2;
  tags.placeObject(mask).placeObject(Placement::place(2, 2)).placeObject(Placement::place(3, 3));
  tags.showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  const QImage image = renderStage(*player);
  EXPECT_EQ(rgbAt(image, 25, 25), (RGB{255, 0, 0}));  // masked, inside
  EXPECT_EQ(rgbAt(image, 75, 25), kWhite);            // masked, outside
  EXPECT_EQ(rgbAt(image, 75, 75), (RGB{0, 255, 0}));  // above the clip depth: whole
  EXPECT_EQ(rgbAt(image, 25, 75), (RGB{0, 255, 0}));
}

TEST(RenderTest, OverlappingMasksIntersectAndEndInAnyOrder) {
  st::TagStream tags;
  tags.defineRectangle(1, {0, 1200, 0, 2000}, kBlue);    // x < 60
  tags.defineRectangle(2, {800, 2000, 0, 2000}, kBlue);  // x >= 40
  tags.defineRectangle(3, {0, 2000, 0, 2000}, kRed);
  Placement left = Placement::place(1, 1);
  left.clipDepth = 3;  // covers depths 2-3
  Placement right = Placement::place(2, 2);
  right.clipDepth = 5;  // covers depths 3-5: ends after the first mask
  tags.placeObject(left).placeObject(right);
  st::ColorTransform toGreen;
  toGreen.multiply = {0, 0, 0, 256};
  toGreen.add = {0, 255, 0, 0};
  Placement green = Placement::place(5, 3);
  green.colorTransform = toGreen;
  tags.placeObject(Placement::place(3, 3)).placeObject(green).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  const QImage image = renderStage(*player);
  EXPECT_EQ(rgbAt(image, 20, 50), kWhite);  // depth 3: both masks
  // The right mask lies within the left one's depths, so the left one clips
  // it even where it goes on alone: depth 5 shows only where both overlap.
  EXPECT_EQ(rgbAt(image, 80, 50), kWhite);
  EXPECT_EQ(rgbAt(image, 50, 50), (RGB{0, 255, 0}));  // both drawn, green on top
  EXPECT_EQ(rgbAt(image, 20, 50), kWhite);
}

TEST(RenderTest, ColourTransformsComposeDownTheTree) {
  st::TagStream tags;
  tags.defineRectangle(1, {0, 2000, 0, 2000}, {200, 100, 50});
  st::ColorTransform halfRed;
  halfRed.multiply = {128, 256, 256, 256};
  st::ColorTransform addBlue;
  addBlue.add = {0, 0, 100, 0};
  st::TagStream sprite;
  Placement inner = Placement::place(1, 1);
  inner.colorTransform = halfRed;
  sprite.placeObject(inner).showFrame().end();
  tags.defineSprite(2, sprite);
  Placement outer = Placement::place(1, 2);
  outer.colorTransform = addBlue;
  tags.placeObject(outer).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  EXPECT_EQ(rgbAt(renderStage(*player), 50, 50), (RGB{100, 100, 150}));
}

TEST(RenderTest, TranslucentFillsBlendWithWhatIsBelow) {
  st::TagStream tags;
  tags.backgroundColor({0, 0, 0});
  tags.defineRectangle(1, {0, 2000, 0, 2000}, {255, 255, 255, 128});
  tags.placeObject(Placement::place(1, 1)).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  const auto [red, green, blue] = rgbAt(renderStage(*player), 50, 50);
  EXPECT_NEAR(red, 128, 1);
  EXPECT_EQ(red, green);
  EXPECT_EQ(green, blue);
}

TEST(RenderTest, LinearGradientsSpanTheirSquare) {
  // The square's 32768 twips scaled to 2000: red at the left edge, blue at the right.
  st::ShapeBuilder shape;
  shape.styles({st::FillStyle::linear({{0, kRed}, {255, kBlue}},
                                      Matrix{2000.0 / 32768, 1, 0, 0, 1000, 1000})});
  shape.select(0, 1).polygon({{0, 0}, {2000, 0}, {2000, 2000}, {0, 2000}});
  const QImage image = renderShape(shape);
  const auto [leftRed, leftGreen, leftBlue] = rgbAt(image, 0, 50);
  const auto [rightRed, rightGreen, rightBlue] = rgbAt(image, 99, 50);
  EXPECT_GT(leftRed, 245);
  EXPECT_LT(leftBlue, 10);
  EXPECT_LT(rightRed, 10);
  EXPECT_GT(rightBlue, 245);
  const auto [midRed, midGreen, midBlue] = rgbAt(image, 50, 50);
  EXPECT_NEAR(midRed, 127, 3);
  EXPECT_NEAR(midBlue, 127, 3);
}

TEST(RenderTest, SampledGradientsTakeEachPixelsColourFromItsCentre) {
  // Only the edges are antialiased: inside, every pixel of the sampled
  // picture has the colour the unsampled one reads at the pixel's centre.
  st::ShapeBuilder shape;
  shape.styles({st::FillStyle::linear({{0, kRed}, {255, kBlue}},
                                      Matrix{2000.0 / 32768, 1, 0, 0, 1000, 1000})});
  shape.select(0, 1).polygon({{0, 0}, {2000, 0}, {2000, 2000}, {0, 2000}});
  const QImage low = renderShape(shape, Quality::Low);
  const QImage high = renderShape(shape, Quality::High);
  for (int x = 1; x < 99; ++x) EXPECT_EQ(rgbAt(high, x, 50), rgbAt(low, x, 50)) << "x " << x;
}

TEST(RenderTest, WindingRuleShapesFillWhereContoursOverlap) {
  // One fill drawn as two overlapping squares in one direction.
  st::ShapeBuilder shape(4);
  shape.styles({st::FillStyle::solid(kRed)});
  shape.select(0, 1).polygon({{0, 0}, {1200, 0}, {1200, 1200}, {0, 1200}});
  shape.moveTo({800, 800}).lineTo({2000, 800}).lineTo({2000, 2000}).lineTo({800, 2000});
  shape.lineTo({800, 800});
  EXPECT_EQ(rgbAt(renderShape(shape), 50, 50), kWhite);  // even-odd: the overlap is a hole
  shape.windingFill();
  EXPECT_EQ(rgbAt(renderShape(shape), 50, 50), (RGB{255, 0, 0}));
}

TEST(RenderTest, AntialiasingOnlyAboveLowQuality) {
  st::ShapeBuilder shape;
  shape.styles({st::FillStyle::solid(kBlue)});
  shape.select(0, 1).polygon({{0, 0}, {1990, 100}, {100, 1990}});  // slanted edges
  const auto shadesOf = [](const QImage& image) {
    std::set<int> shades;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) shades.insert(std::get<0>(rgbAt(image, x, y)));
    }
    return shades.size();
  };
  EXPECT_EQ(shadesOf(renderShape(shape, Quality::Low)), 2u);
  EXPECT_GT(shadesOf(renderShape(shape, Quality::Medium)), 2u);
  EXPECT_GT(shadesOf(renderShape(shape, Quality::High)),
            shadesOf(renderShape(shape, Quality::Medium)));
}

TEST(RenderTest, DirectRenderingDrawsTheSameShapes) {
  st::TagStream tags;
  tags.defineRectangle(1, {500, 1500, 500, 1500}, kRed);
  tags.placeObject(Placement::place(1, 1)).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  const QImage image = renderStageDirectly(*player, Quality::High);
  EXPECT_EQ(rgbAt(image, 50, 50), (RGB{255, 0, 0}));
  EXPECT_EQ(rgbAt(image, 10, 10), kWhite);
}

}  // namespace
}  // namespace quelvo::swf
