#include <gtest/gtest.h>

#include "MovieTestSupport.h"
#include "swf/format/Shape.h"
#include "swf/format/TagCodes.h"

namespace quelvo::swf {
namespace {

namespace st = swftest;
using st::Point;

const st::Colour kRed{255, 0, 0};
const st::Colour kBlue{0, 0, 255};

// Parses the single DefineShape a builder makes.
Expected<Shape> readBuilt(const st::ShapeBuilder& builder, EdgeBudget budget = {}) {
  st::TagStream tags;
  tags.defineShape(7, builder).showFrame().end();
  const auto movie = parseOk({}, tags);
  if (!movie || movie->definitions().size() != 1) return Error{"no definition", 0};
  return readShape(movie->definitions().front(), budget);
}

TEST(ShapeTest, EdgesCarryTheirSelectedStylesAndAbsolutePositions) {
  st::ShapeBuilder builder(1);
  builder.styles({st::FillStyle::solid(kRed), st::FillStyle::solid(kBlue)},
                 {st::LineStyle::solid(40, kRed)});
  builder.select(0, 1, 1, Point{100, 200}).lineTo({300, 200});
  builder.select(2, std::nullopt).curveTo({400, 300}, {300, 400});
  builder.select(std::nullopt, std::nullopt, 0).lineTo({100, 200});

  const auto shape = readBuilt(builder);
  ASSERT_TRUE(shape) << shape.error().describe();
  EXPECT_EQ(shape->id, 7);
  EXPECT_TRUE(shape->complete);
  ASSERT_EQ(shape->layers.size(), 1u);
  const ShapeLayer& layer = shape->layers[0];
  ASSERT_EQ(layer.fills.size(), 2u);
  EXPECT_EQ(layer.fills[1].colour, (Rgba{0, 0, 255, 255}));  // RGB styles are opaque
  ASSERT_EQ(layer.lines.size(), 1u);
  EXPECT_EQ(layer.lines[0].width, 40);
  ASSERT_EQ(layer.edges.size(), 3u);
  const ShapeEdge& line = layer.edges[0];
  EXPECT_EQ(line.from, (ShapePoint{100, 200}));
  EXPECT_EQ(line.to, (ShapePoint{300, 200}));
  EXPECT_EQ(std::tuple(line.fill0, line.fill1, line.line), std::tuple(0, 1, 1));
  const ShapeEdge& curve = layer.edges[1];
  EXPECT_TRUE(curve.curved);
  EXPECT_EQ(curve.control, (ShapePoint{400, 300}));
  EXPECT_EQ(curve.to, (ShapePoint{300, 400}));
  EXPECT_EQ(std::tuple(curve.fill0, curve.fill1, curve.line), std::tuple(2, 1, 1));
  EXPECT_EQ(layer.edges[2].line, 0);
}

TEST(ShapeTest, GradientAndBitmapFillsKeepTheirParameters) {
  st::FillStyle linear = st::FillStyle::linear({{0, kRed}, {255, {0, 0, 255, 128}}},
                                               st::Matrix{0.5, 0.25, 0, 0, 100, -100});
  linear.spread = 1;
  linear.interpolation = 1;
  st::FillStyle focal = linear;
  focal.kind = st::FillKind::FocalGradient;
  focal.spread = 2;
  focal.focalPoint = -0.5;
  st::FillStyle bitmap;
  bitmap.kind = st::FillKind::ClippedBitmap;
  bitmap.bitmapId = 42;
  st::ShapeBuilder builder(3);
  builder.styles({linear, focal, bitmap});

  const auto shape = readBuilt(builder);
  ASSERT_TRUE(shape) << shape.error().describe();
  const auto& fills = shape->layers.at(0).fills;
  ASSERT_EQ(fills.size(), 3u);
  EXPECT_EQ(fills[0].kind, FillKind::LinearGradient);
  EXPECT_EQ(fills[0].matrix, (Matrix{0.5, 0, 0, 0.25, 100, -100}));
  EXPECT_EQ(fills[0].gradient.spread, SpreadMode::Reflect);
  EXPECT_EQ(fills[0].gradient.interpolation, InterpolationMode::LinearRgb);
  ASSERT_EQ(fills[0].gradient.stops.size(), 2u);
  EXPECT_EQ(fills[0].gradient.stops[1], (GradientStop{255, Rgba{0, 0, 255, 128}}));
  EXPECT_EQ(fills[1].kind, FillKind::FocalGradient);
  EXPECT_EQ(fills[1].gradient.spread, SpreadMode::Repeat);
  EXPECT_DOUBLE_EQ(fills[1].gradient.focalPoint, -0.5);
  EXPECT_EQ(fills[2].kind, FillKind::Bitmap);
  EXPECT_EQ(fills[2].bitmapId, 42);
  EXPECT_FALSE(fills[2].bitmapRepeats);
  EXPECT_TRUE(fills[2].bitmapSmoothed);
}

TEST(ShapeTest, LineStyle2ReadsCapsJoinsFlagsAndFill) {
  st::LineStyle mitered = st::LineStyle::solid(60, kRed);
  mitered.startCap = 1;
  mitered.endCap = 2;
  mitered.join = 2;
  mitered.miterLimit = 2.5;
  mitered.noHorizontalScale = true;
  mitered.pixelHinting = true;
  mitered.noClose = true;
  st::LineStyle filled = st::LineStyle::solid(20, {});
  filled.join = 1;
  filled.noVerticalScale = true;
  filled.fill = st::FillStyle::linear({{0, kRed}, {255, kBlue}});
  st::ShapeBuilder builder(4);
  builder.styles({}, {mitered, filled}).windingFill();

  const auto shape = readBuilt(builder);
  ASSERT_TRUE(shape) << shape.error().describe();
  EXPECT_TRUE(shape->windingFill);
  const auto& lines = shape->layers.at(0).lines;
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].startCap, CapStyle::None);
  EXPECT_EQ(lines[0].endCap, CapStyle::Square);
  EXPECT_EQ(lines[0].join, JoinStyle::Miter);
  EXPECT_DOUBLE_EQ(lines[0].miterLimit, 2.5);
  EXPECT_TRUE(lines[0].noHorizontalScale);
  EXPECT_FALSE(lines[0].noVerticalScale);
  EXPECT_TRUE(lines[0].pixelHinting);
  EXPECT_TRUE(lines[0].noClose);
  EXPECT_EQ(lines[0].colour, (Rgba{255, 0, 0, 255}));
  EXPECT_EQ(lines[1].join, JoinStyle::Bevel);
  EXPECT_TRUE(lines[1].noVerticalScale);
  ASSERT_TRUE(lines[1].fill);
  EXPECT_EQ(lines[1].fill->kind, FillKind::LinearGradient);
}

TEST(ShapeTest, NewStylesStartALayerWithItsOwnNumbering) {
  st::ShapeBuilder builder(2);
  builder.styles({st::FillStyle::solid(kRed)});
  builder.select(std::nullopt, 1, std::nullopt, Point{0, 0}).lineTo({100, 0});
  // Numbers in the record that brings new styles refer to the new arrays.
  builder.newStyles({st::FillStyle::solid(kBlue), st::FillStyle::solid(kRed)}, {}, std::nullopt, 1,
                    std::nullopt, Point{0, 0});
  builder.lineTo({0, 100}).select(std::nullopt, 2).lineTo({0, 200});
  builder.newStyles({st::FillStyle::solid(kBlue)}, {}, std::nullopt, std::nullopt);
  builder.lineTo({50, 50});  // nothing selected in the third layer: not kept

  const auto shape = readBuilt(builder);
  ASSERT_TRUE(shape) << shape.error().describe();
  ASSERT_EQ(shape->layers.size(), 3u);
  EXPECT_EQ(shape->layers[0].edges.size(), 1u);
  ASSERT_EQ(shape->layers[1].edges.size(), 2u);
  EXPECT_EQ(shape->layers[1].edges[0].fill1, 1);
  EXPECT_EQ(shape->layers[1].edges[1].fill1, 2);
  EXPECT_EQ(shape->layers[1].fills.size(), 2u);
  EXPECT_TRUE(shape->layers[2].edges.empty());
}

TEST(ShapeTest, StyleNumbersPastTheArraysReadAsNone) {
  st::ShapeBuilder builder(3);
  builder.styles({st::FillStyle::solid(kRed)});
  builder.styleBits(4, 4).select(9, 1, 3, Point{0, 0}).lineTo({100, 100});

  const auto shape = readBuilt(builder);
  ASSERT_TRUE(shape) << shape.error().describe();
  const ShapeEdge& edge = shape->layers.at(0).edges.at(0);
  EXPECT_EQ(std::tuple(edge.fill0, edge.fill1, edge.line), std::tuple(0, 1, 0));
}

TEST(ShapeTest, ZeroLengthEdgesAndStylelessMovesAreHarmless) {
  st::ShapeBuilder builder(3);
  builder.styles({st::FillStyle::solid(kRed)});
  builder.moveTo({10, 10}).lineTo({500, 500});  // no style: moves the pen only
  builder.select(0, 1).lineTo({500, 500}).lineTo({600, 500});

  const auto shape = readBuilt(builder);
  ASSERT_TRUE(shape) << shape.error().describe();
  const auto& edges = shape->layers.at(0).edges;
  ASSERT_EQ(edges.size(), 2u);
  EXPECT_EQ(edges[0].from, edges[0].to);
  EXPECT_EQ(edges[1].from, (ShapePoint{500, 500}));
}

TEST(ShapeTest, RecordsCutShortKeepWhatWasRead) {
  st::ShapeBuilder builder(3);
  builder.styles({st::FillStyle::solid(kRed)}).select(0, 1, std::nullopt, Point{0, 0});
  builder.lineTo({100, 0}).lineTo({1000, 1000});
  // The last byte holds the end of the second edge and the end marker.
  auto cut = builder.body(7);
  cut.pop_back();
  st::TagStream stream;
  stream.tag(tags::DefineShape3, cut).showFrame().end();
  const auto movie = parseOk({}, stream);
  ASSERT_TRUE(movie);
  EdgeBudget unlimited;
  const auto shape = readShape(movie->definitions().at(0), unlimited);
  ASSERT_TRUE(shape) << shape.error().describe();
  EXPECT_FALSE(shape->complete);
  EXPECT_EQ(shape->edgeCount(), 1u);

  EdgeBudget budget;
  budget.remaining = 1;
  const auto limited = readBuilt(builder, budget);
  ASSERT_TRUE(limited);
  EXPECT_FALSE(limited->complete);
  EXPECT_EQ(limited->edgeCount(), 1u);
}

TEST(ShapeTest, UnreadableStylesFailWithTheirOffset) {
  // A fill style type the format does not define.
  st::ByteWriter unknownType;
  unknownType.u16(1).rect({0, 100, 0, 100}).u8(1).u8(0x33).u8(0).u8(0);
  // Twenty fill styles announced, one present.
  st::ByteWriter countTooHigh;
  countTooHigh.u16(2).rect({0, 100, 0, 100}).u8(20).u8(0).colour(st::Colour{}, false);
  for (const auto* body : {&unknownType, &countTooHigh}) {
    st::TagStream stream;
    stream.tag(tags::DefineShape, *body).showFrame().end();
    const auto movie = parseOk({}, stream);
    ASSERT_TRUE(movie);
    const TagRecord& record = movie->definitions().at(0);
    EdgeBudget budget;
    const auto shape = readShape(record, budget);
    ASSERT_FALSE(shape);
    EXPECT_GT(shape.error().offset, record.bodyOffset());
    EXPECT_LE(shape.error().offset, record.bodyOffset() + record.body.size());
  }
}

TEST(ShapeTest, ExtendedStyleCountsFromVersionTwo) {
  std::vector<st::FillStyle> many(300, st::FillStyle::solid(kRed));
  st::ShapeBuilder builder(2);
  builder.styles(many).select(0, 300, std::nullopt, Point{0, 0}).lineTo({10, 10});
  const auto shape = readBuilt(builder);
  ASSERT_TRUE(shape) << shape.error().describe();
  EXPECT_EQ(shape->layers.at(0).fills.size(), 300u);
  EXPECT_EQ(shape->layers.at(0).edges.at(0).fill1, 300);
}

}  // namespace
}  // namespace quelvo::swf
