#include <gtest/gtest.h>

#include "core/settings/CatalogLines.h"

namespace quelvo::core {
namespace {

const QString kList = QStringLiteral("LIST");

TEST(CatalogLinesTest, LineSplitsAtTheFirstBar) {
  EXPECT_EQ(decodeSettingsCatalogLine(u"C:\\a.swf|Movie"), (CatalogEntry{"C:\\a.swf", "Movie"}));
  EXPECT_EQ(decodeSettingsCatalogLine(u"a.swf|x|y"), (CatalogEntry{"a.swf", "x|y"}));
  EXPECT_EQ(decodeSettingsCatalogLine(u"|"), (CatalogEntry{"", ""}));
  EXPECT_EQ(decodeSettingsCatalogLine(u"no bar"), std::nullopt);
  EXPECT_EQ(decodeSettingsCatalogLine(u""), std::nullopt);
  EXPECT_EQ(encodeCatalogLine({"a.swf", "x|y"}), u"a.swf|x|y");
}

TEST(CatalogLinesTest, ReadSkipsMissingAndUndecodableLines) {
  const ProfileDocument document =
      ProfileDocument::fromBytes("[LIST]\r\nSUM=4\r\n1=a|A\r\n3=c|C\r\n4=no bar\r\n5=e|E\r\n");
  EXPECT_EQ(readSettingsCatalog(document), (std::vector<CatalogEntry>{{"a", "A"}, {"c", "C"}}));
  for (const char* count : {"", "abc", "-5", "0"}) {
    ProfileDocument other = document;
    other.set(kList, QStringLiteral("SUM"), QString::fromLatin1(count));
    EXPECT_TRUE(readSettingsCatalog(other).empty()) << count;
  }
}

TEST(CatalogLinesTest, WriteReplacesTheListSectionOnly) {
  ProfileDocument document = ProfileDocument::fromBytes(
      "[LIST]\r\nSUM=9\r\n9=old|Old\r\n[WIN]\r\nW=1\r\n[list]\r\n1=old|Old\r\n");
  writeSettingsCatalog(document, {{"a", "A"}, {"b\nc", "broken"}, {"c", "C|D"}});
  EXPECT_EQ(document.toBytes(), "[WIN]\r\nW=1\r\n[LIST]\r\nSUM=3\r\n1=a|A\r\n3=c|C|D\r\n");
  EXPECT_EQ(readSettingsCatalog(document), (std::vector<CatalogEntry>{{"a", "A"}, {"c", "C|D"}}));
}

TEST(CatalogLinesTest, LargestCatalogRoundTripsThroughBytes) {
  std::vector<CatalogEntry> entries;
  for (int i = 0; i < kMaxCatalogEntries + 5; ++i) {
    entries.push_back(
        {QStringLiteral("D:\\动画\\%1.swf").arg(i), QStringLiteral("第 %1 部").arg(i)});
  }
  ProfileDocument document;
  writeSettingsCatalog(document, entries);
  EXPECT_EQ(document.read(kList, QStringLiteral("SUM")), u"32767");
  entries.resize(kMaxCatalogEntries);
  EXPECT_EQ(readSettingsCatalog(ProfileDocument::fromBytes(document.toBytes())), entries);
}

}  // namespace
}  // namespace quelvo::core
