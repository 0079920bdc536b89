#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "swf/geometry/ShapePaths.h"
#include "swf/text/FieldLayout.h"

namespace quelvo::swf {
namespace {

// A DefineFont3-sized font (20480 units per EM) with one glyph 'A': a box
// 10000 units wide standing on the baseline, advancing 14800 units, with the
// ascent and descent of a common sans face.
Font boxFont() {
  Font font;
  font.version = 3;
  font.name = QStringLiteral("Box");
  FontGlyph glyph;
  glyph.code = 'A';
  glyph.advance = 14800;
  ShapeLayer layer;
  layer.fills.emplace_back();
  const ShapePoint corners[] = {{0, -15000}, {10000, -15000}, {10000, 0}, {0, 0}};
  for (std::size_t i = 0; i < 4; ++i) {
    ShapeEdge edge;
    edge.from = corners[i];
    edge.to = corners[(i + 1) % 4];
    edge.fill1 = 1;
    layer.edges.push_back(edge);
  }
  glyph.shape.layers.push_back(std::move(layer));
  font.glyphs.push_back(std::move(glyph));
  font.layout = FontLayout{18540, 4340, 0, {}};
  return font;
}

EditText outlinedField(const Rect& bounds) {
  EditText field;
  field.bounds = bounds;
  field.font = 1;
  field.height = 600;
  field.useOutlines = true;
  return field;
}

const EmbeddedFonts kNoOtherFonts = [](const QString&, bool, bool) -> const Font* {
  return nullptr;
};

TEST(FieldLayoutTest, EmbeddedMetricsAreCutToWholeTwips) {
  const Font font = boxFont();
  const Shape shape =
      layoutField(outlinedField({0, 4000, 0, 2000}), QStringLiteral("AAA"), &font, kNoOtherFonts);
  ASSERT_EQ(shape.layers.size(), 1u);
  std::set<std::int32_t> lefts;
  std::int32_t bottom = 0;
  for (const ShapeEdge& edge : shape.layers[0].edges) {
    if (edge.from.x == edge.to.x && edge.from.y > edge.to.y) lefts.insert(edge.from.x);
    bottom = std::max({bottom, edge.from.y, edge.to.y});
  }
  // Advances of 433.59 twips step by 433 from the 40 twip gutter; unrounded
  // they would put the third glyph at 907.
  EXPECT_EQ(lefts, (std::set<std::int32_t>{40, 473, 906}));
  // The baseline sits at the gutter plus the ascent of 543.16 twips, cut to 543.
  EXPECT_EQ(bottom, 583);
}

TEST(FieldLayoutTest, BorderFrameTakesThePixelsFromEachEdgeOn) {
  EditText field = outlinedField({0, 2000, 0, 1000});
  field.border = true;
  const Shape shape = layoutField(field, QString(), nullptr, kNoOtherFonts);
  ASSERT_FALSE(shape.layers.empty());
  const LayerPaths paths = buildShapePaths(shape).layers.at(0);
  ASSERT_EQ(paths.fills.size(), 2u);
  EXPECT_EQ(paths.fills[0].boundingRect(), QRectF(20, 20, 1980, 980));  // white inside
  const QPainterPath& frame = paths.fills[1];
  EXPECT_EQ(frame.boundingRect(), QRectF(0, 0, 2020, 1020));
  EXPECT_TRUE(frame.contains(QPointF(10, 500)));
  EXPECT_TRUE(frame.contains(QPointF(2010, 500)));
  EXPECT_TRUE(frame.contains(QPointF(1000, 1010)));
  EXPECT_FALSE(frame.contains(QPointF(1000, 500)));
  EXPECT_EQ(shape.bounds, (Rect{0, 2020, 0, 1020}));
}

}  // namespace
}  // namespace quelvo::swf
