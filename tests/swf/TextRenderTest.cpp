#include <gtest/gtest.h>

#include <QRawFont>
#include <QTextLayout>

#include "PlayerTestSupport.h"
#include "swf/geometry/ShapePaths.h"
#include "swf/text/DeviceFonts.h"
#include "swf/text/TextRuns.h"

namespace quelvo::swf {
namespace {

namespace st = swftest;
using st::Placement;
using RGB = std::tuple<int, int, int>;

const RGB kWhite{255, 255, 255};

// One glyph 'A': a 600 x 800 box standing on the baseline, in a 1024 EM;
// scaled by `scale` for fonts with a larger EM.
st::FontSpec boxFont(int scale = 1) {
  st::FontSpec font;
  font.name = "Box";
  const std::int32_t w = 600 * scale, h = 800 * scale;
  font.glyphs.push_back(st::Glyph::polygon('A', {{0, -h}, {w, -h}, {w, 0}, {0, 0}},
                                           static_cast<std::int16_t>(700 * scale)));
  font.ascent = static_cast<std::int16_t>(800 * scale);
  font.descent = static_cast<std::int16_t>(200 * scale);
  return font;
}

// Two boxes at 1024 twips per EM from (200, 1000): x 200-800 and 1000-1600,
// y 200-1000 twips, i.e. pixels 10-40 and 50-80 across, 10-50 down.
st::TextRecordSpec twoBoxes(const st::Colour& colour) {
  return {1, colour, 200, 1000, 1024, {{0, 800}, {0, 800}}};
}

QImage renderTags(st::TagStream& tags) {
  tags.showFrame().end();
  const auto player = playerFor(tags);
  return player ? renderStage(*player) : QImage();
}

// Counts pixels that are not white inside and outside a pixel rectangle.
std::pair<int, int> inkInsideAndOutside(const QImage& image, const QRect& area) {
  int inside = 0, outside = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (rgbAt(image, x, y) == kWhite) continue;
      (area.contains(x, y) ? inside : outside)++;
    }
  }
  return {inside, outside};
}

TEST(TextRenderTest, StaticTextDrawsGlyphShapesInTheRecordColour) {
  for (const int version : {2, 3}) {
    st::TagStream tags;
    tags.defineFont2(1, boxFont(version == 3 ? 20 : 1), version);
    tags.defineText(2, {0, 2000, 0, 2000}, {}, {twoBoxes({255, 0, 0})});
    tags.placeObject(Placement::place(1, 2));
    const QImage image = renderTags(tags);
    EXPECT_EQ(rgbAt(image, 25, 30), (RGB{255, 0, 0})) << version;
    EXPECT_EQ(rgbAt(image, 65, 30), (RGB{255, 0, 0})) << version;
    EXPECT_EQ(rgbAt(image, 45, 30), kWhite) << version;  // between the glyphs
    EXPECT_EQ(rgbAt(image, 25, 5), kWhite) << version;   // above
    EXPECT_EQ(rgbAt(image, 25, 55), kWhite) << version;  // below the baseline
  }
}

TEST(TextRenderTest, StaticTextFollowsMatrixAlphaAndColourTransform) {
  st::TagStream tags;
  tags.defineFont2(1, boxFont());
  // Text2 with a translucent blue, moved 20 pixels right by the text matrix.
  tags.defineText(2, {0, 2000, 0, 2000}, st::Matrix::translate(400, 0),
                  {twoBoxes({0, 0, 255, 128})}, true);
  st::Placement placement = Placement::place(1, 2);
  st::ColorTransform redder;
  redder.add = {255, 0, 0, 0};
  placement.colorTransform = redder;
  tags.placeObject(placement);
  const QImage image = renderTags(tags);
  EXPECT_EQ(rgbAt(image, 25, 30), kWhite);  // moved away from here
  const auto [red, green, blue] = rgbAt(image, 45, 30);
  EXPECT_EQ(red, 255);
  EXPECT_NEAR(green, 127, 2);
  EXPECT_EQ(blue, 255);
}

TEST(TextRenderTest, StaticTextMasksWithItsGlyphs) {
  st::TagStream tags;
  tags.defineFont2(1, boxFont());
  tags.defineText(2, {0, 2000, 0, 2000}, {}, {twoBoxes({0, 0, 0})});
  tags.defineRectangle(3, {0, 2000, 0, 2000}, {0, 255, 0});
  st::Placement mask = Placement::place(1, 2);
  mask.clipDepth = 2;
  tags.placeObject(mask).placeObject(Placement::place(2, 3));
  const QImage image = renderTags(tags);
  EXPECT_EQ(rgbAt(image, 25, 30), (RGB{0, 255, 0}));
  EXPECT_EQ(rgbAt(image, 45, 30), kWhite);
  EXPECT_EQ(rgbAt(image, 90, 90), kWhite);
}

TEST(TextRenderTest, EditTextWithOutlinesUsesTheEmbeddedGlyphs) {
  st::TagStream tags;
  tags.defineFont2(1, boxFont(20), 3);
  st::EditTextSpec field;
  field.bounds = {0, 2000, 0, 2000};
  field.font = 1;
  field.height = 1024;
  field.colour = st::Colour{0, 0, 255};
  field.useOutlines = true;
  field.text = "AA";
  tags.defineEditText(2, field).placeObject(Placement::place(1, 2));
  const QImage image = renderTags(tags);
  // Baseline at the 2-pixel gutter plus the ascent (800 twips): 42 pixels.
  EXPECT_EQ(rgbAt(image, 10, 30), (RGB{0, 0, 255}));
  EXPECT_EQ(rgbAt(image, 40, 30), (RGB{0, 0, 255}));  // second glyph from 37 pixels on
  EXPECT_EQ(rgbAt(image, 10, 45), kWhite);
  EXPECT_EQ(rgbAt(image, 80, 30), kWhite);
}

TEST(TextRenderTest, DeviceTextStaysInsideItsFieldAndAligns) {
  st::EditTextSpec field;
  field.bounds = {200, 1800, 200, 800};
  field.colour = st::Colour{0, 0, 0};
  field.border = true;
  field.text = "Hello World, a line far too long for its field 中文";
  st::TagStream tags;
  tags.defineEditText(1, field).placeObject(Placement::place(1, 1));
  const QImage bordered = renderTags(tags);
  const QRect fieldPixels(9, 9, 83, 33);  // the border's pixels included
  const auto [inside, outside] = inkInsideAndOutside(bordered, fieldPixels);
  EXPECT_GT(inside, 100);
  EXPECT_EQ(outside, 0);

  field.border = false;
  field.text = "Hi";
  st::TagStream left;
  left.defineEditText(1, field).placeObject(Placement::place(1, 1));
  field.align = 1;
  st::TagStream right;
  right.defineEditText(1, field).placeObject(Placement::place(1, 1));
  const auto leftInk = inkInsideAndOutside(renderTags(left), QRect(10, 10, 40, 31));
  const auto rightInk = inkInsideAndOutside(renderTags(right), QRect(50, 10, 41, 31));
  EXPECT_GT(leftInk.first, 0);
  EXPECT_EQ(leftInk.second, 0);
  EXPECT_GT(rightInk.first, 0);
  EXPECT_EQ(rightInk.second, 0);
}

TEST(TextRenderTest, FieldTextCanBeReplacedPerPlayback) {
  st::EditTextSpec field;
  field.bounds = {0, 2000, 0, 600};
  field.variableName = "score";
  field.text = "";
  st::TagStream tags;
  tags.defineEditText(1, field).placeObject(Placement::place(1, 1)).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  EXPECT_EQ(player->library().text().editText(1)->variableName, QStringLiteral("score"));
  EXPECT_EQ(inkInsideAndOutside(renderStage(*player), QRect()).second, 0);
  FieldTexts& texts = player->fieldTexts();
  texts.setText(1, QStringLiteral("42"));
  EXPECT_EQ(texts.text(1), QStringLiteral("42"));
  EXPECT_GT(inkInsideAndOutside(renderStage(*player), QRect()).second, 0);
}

TEST(TextRenderTest, ChangingFieldTextKeepsMemoryBoundedAndPathsCurrent) {
  st::TagStream tags;
  tags.defineFont2(1, boxFont(20), 3);
  st::EditTextSpec field;
  field.bounds = {0, 8000, 0, 2000};
  field.font = 1;
  field.height = 1024;
  field.useOutlines = true;
  field.text = "A";
  tags.defineEditText(2, field).placeObject(Placement::place(1, 2)).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  FieldTexts& texts = player->fieldTexts();
  ShapePathCache cache;
  // Each new text drops the shape before, whose memory the next one may take:
  // the paths must still be those of the current text.
  for (int i = 1; i <= 3 * static_cast<int>(ShapePathCache::kTransientEntriesKept); ++i) {
    const int glyphs = 1 + i % 3;
    texts.setText(2, QString(glyphs, QChar('A')));
    const Shape* shape = texts.shape(2);
    ASSERT_NE(shape, nullptr);
    const QRectF ink = cache.paths(*shape).layers.at(0).fills.at(0).boundingRect();
    ASSERT_NEAR(ink.width(), 600 + (glyphs - 1) * 700, 2) << i;
    ASSERT_LE(cache.size(), ShapePathCache::kTransientEntriesKept) << i;
  }
  EXPECT_GT(inkInsideAndOutside(renderStage(*player), QRect()).second, 0);
}

TEST(TextRenderTest, ChineseFontNamesFallBackToFamiliesWithTheGlyphs) {
  for (const char* name : {"宋体", "黑体", "_sans", "_serif", "Arial"}) {
    QTextLayout layout(QStringLiteral("中文字体"),
                       deviceFont(QString::fromUtf8(name), 240, false, false));
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const auto runs = layout.glyphRuns();
    ASSERT_FALSE(runs.isEmpty()) << name;
    for (const QGlyphRun& run : runs) {
      for (const quint32 index : run.glyphIndexes()) EXPECT_NE(index, 0u) << name << " draws a box";
    }
  }
  EXPECT_EQ(deviceFontFamilies(QStringLiteral("宋体")).front(), QStringLiteral("宋体"));
}

TEST(TextRenderTest, HtmlTagsBecomeRunsAndParagraphs) {
  TextFormat base;
  base.face = QStringLiteral("_sans");
  const auto paragraphs = htmlTextParagraphs(
      QStringLiteral("<p align=\"center\">a<b>b</b><font color='#FF0000' size=\"20\" "
                     "face=\"Arial\">c</font></p><p>d &lt;&amp;&gt;<br>e<i><u>f</u></i>"),
      base, TextAlign::Left);
  ASSERT_EQ(paragraphs.size(), 3u);
  EXPECT_EQ(paragraphs[0].align, TextAlign::Center);
  ASSERT_EQ(paragraphs[0].runs.size(), 3u);
  EXPECT_FALSE(paragraphs[0].runs[0].format.bold);
  EXPECT_TRUE(paragraphs[0].runs[1].format.bold);
  const TextFormat& red = paragraphs[0].runs[2].format;
  EXPECT_EQ(red.colour, (Rgba{255, 0, 0, 255}));
  EXPECT_EQ(red.size, 400);
  EXPECT_EQ(red.face, QStringLiteral("Arial"));
  EXPECT_EQ(paragraphs[1].align, TextAlign::Left);
  EXPECT_EQ(paragraphs[1].runs[0].text, QStringLiteral("d <&>"));
  ASSERT_EQ(paragraphs[2].runs.size(), 2u);
  EXPECT_TRUE(paragraphs[2].runs[1].format.italic && paragraphs[2].runs[1].format.underline);

  const auto plain =
      plainTextParagraphs(QStringLiteral("one\r\ntwo\rthree"), base, TextAlign::Right);
  ASSERT_EQ(plain.size(), 3u);
  EXPECT_EQ(plain[2].runs[0].text, QStringLiteral("three"));
  EXPECT_EQ(plain[2].align, TextAlign::Right);
}

}  // namespace
}  // namespace quelvo::swf
