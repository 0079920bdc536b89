// The formatted text of fields scripts reach: ranges, paragraphs, HTML.
#include <gtest/gtest.h>

#include "swf/text/FieldContent.h"

namespace quelvo::swf {
namespace {

FieldFormat base() {
  EditText field;
  return definitionFormat(field, QStringLiteral("_sans"));
}

FieldFormat bold() {
  FieldFormat format;
  format.bold = true;
  return format;
}

TEST(TextFieldContentTest, FormatsApplyToRangesAndMixedMembersReadAsUnset) {
  FieldContent content;
  content.setText(QStringLiteral("abcdef"), base());
  content.applyFormat(1, 3, bold());
  EXPECT_EQ(content.formatOf(0, 1).bold, false);
  EXPECT_EQ(content.formatOf(1, 3).bold, true);
  EXPECT_EQ(content.formatOf(0, 6).bold, std::nullopt);
  EXPECT_EQ(content.formatOf(0, 6).font, QStringLiteral("_sans"));
  // An empty range reads the character there; at the end, the last one.
  EXPECT_EQ(content.formatOf(2, 2).bold, true);
  content.applyFormat(5, 6, bold());
  EXPECT_EQ(content.formatOf(6, 6).bold, true);
  // Ranges past the text are cut to it.
  FieldFormat large;
  large.size = 30;
  content.applyFormat(-4, 100, large);
  EXPECT_EQ(content.formatOf(0, 6).size, 30);

  const auto paragraphs = content.paragraphs();
  ASSERT_EQ(paragraphs.size(), 1u);
  ASSERT_EQ(paragraphs[0].runs.size(), 4u);
  EXPECT_EQ(paragraphs[0].runs[1].text, QStringLiteral("bc"));
  EXPECT_TRUE(paragraphs[0].runs[1].format.bold);
  EXPECT_EQ(paragraphs[0].runs[1].format.size, 600);
}

TEST(TextFieldContentTest, ParagraphSettingsCoverWholeParagraphs) {
  FieldContent content;
  content.setText(QStringLiteral("one\r\ntwo\rthree"), base());
  FieldFormat centred;
  centred.align = TextAlign::Center;
  centred.leftMargin = 10;
  content.applyFormat(6, 7, centred);
  const auto paragraphs = content.paragraphs();
  ASSERT_EQ(paragraphs.size(), 3u);
  EXPECT_EQ(paragraphs[0].align, TextAlign::Left);
  EXPECT_EQ(paragraphs[1].align, TextAlign::Center);
  EXPECT_EQ(paragraphs[1].spacing.leftMargin, 200);
  EXPECT_EQ(paragraphs[2].align, TextAlign::Left);
  EXPECT_EQ(paragraphs[1].runs.at(0).text, QStringLiteral("two"));
  EXPECT_EQ(content.formatOf(5, 8).align, TextAlign::Center);
}

TEST(TextFieldContentTest, ReplacingKeepsTheFormatsAroundAndTheTextIsCapped) {
  FieldContent content;
  content.setText(QStringLiteral("abcdef"), base());
  content.applyFormat(0, 2, bold());
  content.replace(2, 4, QStringLiteral("XYZ"), base());
  EXPECT_EQ(content.text(), QStringLiteral("abXYZef"));
  EXPECT_EQ(content.formatOf(0, 2).bold, true);
  EXPECT_EQ(content.formatOf(2, 7).bold, false);
  content.replace(7, 7, QStringLiteral("!"), bold());
  EXPECT_EQ(content.text(), QStringLiteral("abXYZef!"));
  EXPECT_EQ(content.formatOf(7, 8).bold, true);

  content.setText(QString(FieldContent::kMaxLength + 10, u'x'), base());
  EXPECT_EQ(content.text().size(), FieldContent::kMaxLength);
  content.replace(0, 1, QStringLiteral("too many"), base());
  EXPECT_EQ(content.text().size(), FieldContent::kMaxLength);
  EXPECT_TRUE(content.text().startsWith(u't'));
}

TEST(TextFieldContentTest, HtmlReadsAndWritesTheSameFormats) {
  FieldContent content;
  content.setHtml(QStringLiteral("<p align='right'><b>bold</b> <font color='#ff0000'>red</font></p>"
                                 "<p>a &lt; b</p>"),
                  base());
  EXPECT_EQ(content.text(), QStringLiteral("bold red\ra < b"));
  EXPECT_EQ(content.formatOf(0, 4).bold, true);
  EXPECT_EQ(content.formatOf(5, 8).color, 0xFF0000u);
  EXPECT_EQ(content.formatOf(0, 0).align, TextAlign::Right);
  EXPECT_EQ(content.formatOf(9, 9).align, TextAlign::Left);
  const QString html = content.html();
  EXPECT_TRUE(html.contains(QStringLiteral("<B>bold</B>"))) << html.toStdString();
  EXPECT_TRUE(html.contains(QStringLiteral("a &lt; b"))) << html.toStdString();
  FieldContent again;
  again.setHtml(html, base());
  EXPECT_EQ(again.text(), content.text());
  for (qsizetype i = 0; i < content.text().size(); ++i) {
    EXPECT_EQ(again.formatOf(i, i + 1), content.formatOf(i, i + 1)) << i;
  }
}

}  // namespace
}  // namespace quelvo::swf
