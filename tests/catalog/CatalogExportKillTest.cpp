#include <gtest/gtest.h>

#include <array>

#include "catalog/CatalogText.h"
#include "platform/TextEncoding.h"
#include "support/KilledWriter.h"
#include "support/TempProgramFolder.h"

namespace quelvo::test {
namespace {

using catalog::Entry;

// A catalog of thousands of entries; the two contents differ in every line and in length.
std::vector<Entry> catalogEntries(int content) {
  std::vector<Entry> entries;
  for (int entry = 0; entry < 20000 + 5000 * content; ++entry) {
    entries.push_back({QStringLiteral("D:\\动画\\%1\\movie%2.swf").arg(content).arg(entry),
                       QStringLiteral("动画 %1").arg(entry)});
  }
  return entries;
}

const KilledWriter kExport("catalog-export", [](const QString& path, int content) {
  static const std::array catalogs{catalogEntries(0), catalogEntries(1)};
  catalog::writeCatalogFile(path, catalogs[content]);
});

TEST(CatalogExportKill, AKilledExportLeavesTheOldOrTheNewFileWhole) {
  TempProgramFolder folder;
  const QString path = folder.filePath(QStringLiteral("list.qvl"));
  const std::vector<QByteArray> found = kExport.killRepeatedly(path, 20, 60, 1210);
  ASSERT_EQ(found.size(), 20u);
  const std::array<QByteArray, 2> contents{
      platform::encodeText(catalog::catalogText(catalogEntries(0))),
      platform::encodeText(catalog::catalogText(catalogEntries(1)))};
  for (std::size_t kill = 0; kill < found.size(); ++kill) {
    EXPECT_TRUE(found[kill] == contents[0] || found[kill] == contents[1])
        << "kill " << kill << " left " << found[kill].size() << " bytes";
  }
  const auto entries = catalog::readCatalogFile(path);
  ASSERT_TRUE(entries);
  EXPECT_TRUE(entries->size() == 20000u || entries->size() == 25000u);
}

}  // namespace
}  // namespace quelvo::test
