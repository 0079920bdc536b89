#include <gtest/gtest.h>

#include "PlayerTestSupport.h"
#include "swf/format/MorphFrame.h"
#include "swf/format/MorphShape.h"
#include "swf/geometry/ShapePaths.h"
#include "swf/model/Library.h"

namespace quelvo::swf {
namespace {

namespace st = swftest;
using st::Placement;
using st::Point;
using RGB = std::tuple<int, int, int>;

const st::Colour kRed{255, 0, 0};
const st::Colour kGreen{0, 255, 0};
const st::Colour kBlue{0, 0, 255};

TagRecord recordOf(const st::MorphShapeBuilder& builder, const std::vector<std::uint8_t>& body,
                   std::size_t length) {
  return TagRecord{builder.tagCode(), 2, 0, std::span(body.data(), length)};
}

Expected<MorphShape> readBuilt(const st::MorphShapeBuilder& builder) {
  const auto body = builder.body(5);
  EdgeBudget budget;
  return readMorphShape(recordOf(builder, body, body.size()), budget);
}

// A square of 500 twips that moves 1000 twips right and turns from red to
// blue; its top side is straight at the start and curved at the end.
st::MorphShapeBuilder movingSquare() {
  st::MorphShapeBuilder builder;
  builder.styles({st::MorphFillStyle::solid(kRed, kBlue)});
  builder.start().select(0, 1, std::nullopt, Point{0, 0}).lineTo({500, 0});
  builder.start().lineTo({500, 500}).lineTo({0, 500}).lineTo({0, 0});
  builder.end().moveTo({1000, 0}).curveTo({1250, -100}, {1500, 0});
  builder.end().lineTo({1500, 500}).lineTo({1000, 500}).lineTo({1000, 0});
  return builder;
}

TEST(MorphShapeTest, StartAndEndEdgesPairInOrderWithTheirStyles) {
  st::MorphShapeBuilder builder = movingSquare();
  builder.styles({st::MorphFillStyle::solid(kRed, kBlue)},
                 {st::MorphLineStyle{st::LineStyle::solid(20, kGreen),
                                     st::LineStyle::solid(100, {0, 0, 0, 128})}});
  const auto morph = readBuilt(builder);
  ASSERT_TRUE(morph) << morph.error().describe();
  EXPECT_EQ(morph->id, 5);
  EXPECT_TRUE(morph->complete);
  ASSERT_EQ(morph->fills.size(), 1u);
  EXPECT_EQ(morph->fills[0].start.colour, (Rgba{255, 0, 0, 255}));
  EXPECT_EQ(morph->fills[0].end.colour, (Rgba{0, 0, 255, 255}));
  ASSERT_EQ(morph->lines.size(), 1u);
  EXPECT_EQ(morph->lines[0].start.width, 20);
  EXPECT_EQ(morph->lines[0].end.width, 100);
  EXPECT_EQ(morph->lines[0].end.colour, (Rgba{0, 0, 0, 128}));
  ASSERT_EQ(morph->edges.size(), 4u);
  EXPECT_FALSE(morph->edges[0].start.curved);
  EXPECT_TRUE(morph->edges[0].end.curved);
  EXPECT_EQ(morph->edges[0].end.from, (ShapePoint{1000, 0}));
  EXPECT_EQ(morph->edges[0].end.control, (ShapePoint{1250, -100}));
  EXPECT_EQ(morph->edges[2].start.to, (ShapePoint{0, 500}));
  EXPECT_EQ(morph->edges[2].end.to, (ShapePoint{1000, 500}));
  EXPECT_EQ(morph->edges[3].start.fill1, 1);
}

TEST(MorphShapeTest, Version2ReadsLineFlagsGradientsAndFocalPoints) {
  st::MorphShapeBuilder builder(2);
  st::MorphFillStyle focal{st::FillStyle::linear({{0, kRed}, {255, kGreen}}, st::Matrix{0.5, 0.5}),
                           st::FillStyle::linear({{64, kBlue}, {200, kRed}}, st::Matrix{2, 2})};
  focal.start.kind = focal.end.kind = st::FillKind::FocalGradient;
  focal.start.spread = 1;
  focal.start.focalPoint = 0.5;
  focal.end.focalPoint = -0.25;
  st::LineStyle line = st::LineStyle::solid(40, kRed);
  line.join = 2;
  line.miterLimit = 2;
  line.noHorizontalScale = true;
  builder.styles({focal}, {st::MorphLineStyle{line, st::LineStyle::solid(80, kBlue)}});
  builder.start().select(0, 1, 1, Point{0, 0}).lineTo({100, 0});
  builder.end().lineTo({200, 0});

  const auto morph = readBuilt(builder);
  ASSERT_TRUE(morph) << morph.error().describe();
  EXPECT_EQ(morph->version, 2);
  EXPECT_TRUE(morph->usesScalingStrokes);
  const MorphFillStyle& fill = morph->fills.at(0);
  EXPECT_EQ(fill.start.kind, FillKind::FocalGradient);
  EXPECT_EQ(fill.start.gradient.spread, SpreadMode::Reflect);
  EXPECT_DOUBLE_EQ(fill.start.matrix.scaleX, 0.5);
  EXPECT_DOUBLE_EQ(fill.end.matrix.scaleY, 2);
  ASSERT_EQ(fill.end.gradient.stops.size(), 2u);
  EXPECT_EQ(fill.end.gradient.stops[0], (GradientStop{64, Rgba{0, 0, 255, 255}}));
  EXPECT_DOUBLE_EQ(fill.start.gradient.focalPoint, 0.5);
  EXPECT_DOUBLE_EQ(fill.end.gradient.focalPoint, -0.25);
  const MorphLineStyle& stroke = morph->lines.at(0);
  EXPECT_EQ(stroke.start.join, JoinStyle::Miter);
  EXPECT_DOUBLE_EQ(stroke.end.miterLimit, 2);
  EXPECT_TRUE(stroke.end.noHorizontalScale);
  EXPECT_EQ(stroke.end.width, 80);
  EXPECT_EQ(stroke.end.colour, (Rgba{0, 0, 255, 255}));
  ASSERT_EQ(morph->edges.size(), 1u);
  EXPECT_EQ(morph->edges[0].end.to, (ShapePoint{200, 0}));
}

TEST(MorphShapeTest, DamagedRecordsFailWithOffsetsOrEndEarly) {
  const st::MorphShapeBuilder builder = movingSquare();
  const auto body = builder.body(5);
  for (std::size_t length = 0; length < body.size(); ++length) {
    EdgeBudget budget;
    const auto morph = readMorphShape(recordOf(builder, body, length), budget);
    if (morph) {
      // Only the end edges' end marker can go without losing an edge.
      EXPECT_EQ(morph->complete, morph->edges.size() == 4u) << "cut at " << length;
      EXPECT_LE(morph->edges.size(), 4u) << "cut at " << length;
    } else {
      EXPECT_LE(morph.error().offset, 2 + length) << "cut at " << length;
    }
  }
  // An offset to the end edges past the record's end.
  const auto broken = readBuilt(st::MorphShapeBuilder(movingSquare()).endEdgesOffset(60000));
  ASSERT_FALSE(broken);
  EXPECT_NE(broken.error().message.find("offset"), std::string::npos);
  const std::size_t rectSize = st::ByteWriter().rect({0, 2000, 0, 2000}).size();
  EXPECT_EQ(broken.error().offset, 2 + 2 + 2 * rectSize);  // the offset field
}

TEST(MorphShapeTest, FramesInterpolateEverythingAndCurveStraightEdges) {
  const auto morph = readBuilt(movingSquare());
  ASSERT_TRUE(morph);
  const Shape start = morphFrame(*morph, 0);
  ASSERT_EQ(start.layers.size(), 1u);
  EXPECT_EQ(start.layers[0].fills.at(0).colour, (Rgba{255, 0, 0, 255}));
  EXPECT_EQ(start.layers[0].edges.at(1).from, (ShapePoint{500, 0}));

  // Blended colour channels drop their fraction: 127.5 and 127.5 both give 127.
  const Shape middle = morphFrame(*morph, 32768);
  EXPECT_EQ(middle.layers[0].fills.at(0).colour, (Rgba{127, 0, 127, 255}));
  EXPECT_EQ(morphFrame(*morph, 43691).layers[0].fills.at(0).colour, (Rgba{84, 0, 170, 255}));
  const ShapeEdge& top = middle.layers[0].edges.at(0);
  EXPECT_TRUE(top.curved);
  EXPECT_EQ(top.from, (ShapePoint{500, 0}));
  EXPECT_EQ(top.to, (ShapePoint{1000, 0}));
  // The straight start edge counts as a curve through its midpoint (250, 0).
  EXPECT_EQ(top.control, (ShapePoint{750, -50}));

  const Shape end = morphFrame(*morph, 65535);
  EXPECT_EQ(end.layers[0].fills.at(0).colour, (Rgba{0, 0, 255, 255}));
  EXPECT_EQ(end.layers[0].edges.at(2).to, (ShapePoint{1000, 500}));
}

TEST(MorphShapeTest, LibraryKeepsRecentFramesAndRemakesOldOnes) {
  st::TagStream tags;
  tags.defineMorphShape(1, movingSquare()).showFrame().end();
  const auto movie = parseOk({}, tags);
  ASSERT_TRUE(movie);
  Library library(*movie);
  EXPECT_EQ(library.kind(1), CharacterKind::MorphShape);
  EXPECT_EQ(library.shape(1), nullptr);
  const Shape* first = library.morphShape(1, 0);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(library.morphShape(1, 0), first);
  EXPECT_NE(first->transientKey, 0u);
  const std::uint64_t firstKey = first->transientKey;
  for (std::uint16_t ratio = 1; ratio <= Library::kMorphFramesKept + 8; ++ratio) {
    ASSERT_NE(library.morphShape(1, ratio), nullptr);
  }
  // Ratio 0 was dropped long ago: it is made again, as a new shape.
  const Shape* again = library.morphShape(1, 0);
  ASSERT_NE(again, nullptr);
  EXPECT_NE(again->transientKey, firstKey);
  EXPECT_EQ(again->layers.at(0).fills.at(0).colour, (Rgba{255, 0, 0, 255}));
}

TEST(MorphShapeTest, PathCacheTellsTransientShapesAtOneAddressApart) {
  const auto morph = readBuilt(movingSquare());
  ASSERT_TRUE(morph);
  Shape shape = morphFrame(*morph, 0);
  shape.transientKey = 1;
  ShapePathCache cache;
  EXPECT_EQ(cache.paths(shape).layers.at(0).fills.at(0).boundingRect(), QRectF(0, 0, 500, 500));
  // Another frame made where the first one was.
  shape = morphFrame(*morph, 65535);
  shape.transientKey = 2;
  EXPECT_EQ(cache.paths(shape).layers.at(0).fills.at(0).boundingRect().left(), 1000);
}

// The morph at depth 1 with ratio 0, then 32768, then 65535, a frame each.
std::unique_ptr<Player> morphMovie(const st::MorphShapeBuilder& builder) {
  st::TagStream tags;
  tags.defineMorphShape(1, builder);
  for (const std::uint16_t ratio : {0, 32768, 65535}) {
    Placement placement = ratio == 0 ? Placement::place(1, 1) : Placement{};
    placement.move = ratio != 0;
    placement.ratio = ratio;
    tags.placeObject(placement).showFrame();
  }
  tags.end();
  return playerFor(tags);
}

TEST(MorphShapeTest, RendersAtThePlacedRatio) {
  st::MorphShapeBuilder builder = movingSquare();
  const auto player = morphMovie(builder);
  ASSERT_TRUE(player);
  QImage image = renderStage(*player);
  EXPECT_EQ(rgbAt(image, 10, 10), (RGB{255, 0, 0}));
  EXPECT_EQ(rgbAt(image, 30, 10), (RGB{255, 255, 255}));

  player->gotoFrame(1);
  image = renderStage(*player);
  EXPECT_EQ(rgbAt(image, 20, 10), (RGB{255, 255, 255}));
  EXPECT_EQ(rgbAt(image, 30, 10), (RGB{127, 0, 127}));
  EXPECT_EQ(rgbAt(image, 52, 10), (RGB{255, 255, 255}));

  player->gotoFrame(2);
  image = renderStage(*player);
  EXPECT_EQ(rgbAt(image, 10, 10), (RGB{255, 255, 255}));
  EXPECT_EQ(rgbAt(image, 60, 10), (RGB{0, 0, 255}));
  EXPECT_EQ(rgbAt(image, 60, 1), (RGB{0, 0, 255}));  // above y 0, under the curve
}

TEST(MorphShapeTest, MasksWithTheAreaOfItsRatio) {
  st::TagStream tags;
  tags.defineMorphShape(1, movingSquare());
  tags.defineRectangle(2, {0, 2000, 0, 2000}, kGreen);
  Placement mask = Placement::place(1, 1);
  mask.ratio = 65535;
  mask.clipDepth = 2;
  tags.placeObject(mask).placeObject(Placement::place(2, 2)).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  const QImage image = renderStage(*player);
  EXPECT_EQ(rgbAt(image, 60, 10), (RGB{0, 255, 0}));      // inside the end square
  EXPECT_EQ(rgbAt(image, 10, 10), (RGB{255, 255, 255}));  // where it started
}

TEST(MorphShapeTest, GradientsMorphTheirColours) {
  // Across the stage: red to green at the start, all blue at the end.
  const st::Matrix across{2000.0 / 32768, 2000.0 / 32768, 0, 0, 1000, 1000};
  st::MorphShapeBuilder builder;
  builder.styles({st::MorphFillStyle{st::FillStyle::linear({{0, kRed}, {255, kGreen}}, across),
                                     st::FillStyle::linear({{0, kBlue}, {255, kBlue}}, across)}});
  for (st::ShapeBuilder* edges : {&builder.start(), &builder.end()}) {
    edges->select(0, 1).polygon({{0, 0}, {2000, 0}, {2000, 2000}, {0, 2000}});
  }
  const auto player = morphMovie(builder);
  ASSERT_TRUE(player);
  QImage image = renderStage(*player);
  const auto [leftRed, leftGreen, leftBlue] = rgbAt(image, 2, 50);
  EXPECT_GT(leftRed, 230);
  EXPECT_LT(leftGreen, 25);
  const auto [rightRed, rightGreen, rightBlue] = rgbAt(image, 97, 50);
  EXPECT_LT(rightRed, 25);
  EXPECT_GT(rightGreen, 230);

  player->gotoFrame(2);
  image = renderStage(*player);
  EXPECT_EQ(rgbAt(image, 2, 50), (RGB{0, 0, 255}));
  EXPECT_EQ(rgbAt(image, 97, 50), (RGB{0, 0, 255}));
}

}  // namespace
}  // namespace quelvo::swf
