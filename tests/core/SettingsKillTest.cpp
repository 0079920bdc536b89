#include <gtest/gtest.h>

#include <array>

#include "core/settings/SettingsStore.h"
#include "support/KilledWriter.h"
#include "support/TempProgramFolder.h"

namespace quelvo::core {
namespace {

// A large settings document; the two contents differ in every value and in length.
ProfileDocument settingsDocument(int content) {
  ProfileDocument document;
  for (int key = 0; key < 4000 + 1000 * content; ++key) {
    document.set(QStringLiteral("S%1").arg(key / 50), QStringLiteral("K%1").arg(key),
                 QStringLiteral("value %1 of content %2").arg(key).arg(content));
  }
  return document;
}

const test::KilledWriter kSettingsWriter("settings", [](const QString& path, int content) {
  static const std::array documents{settingsDocument(0), settingsDocument(1)};
  SettingsStore(path).save(documents[content]);
});

TEST(SettingsKill, AKilledWriterLeavesTheOldOrTheNewFileWhole) {
  test::TempProgramFolder folder;
  const QString path = folder.settingsPath();
  const std::vector<QByteArray> found = kSettingsWriter.killRepeatedly(path, 12, 40, 20261210);
  ASSERT_EQ(found.size(), 12u);
  const std::array<QByteArray, 2> contents{settingsDocument(0).toBytes(),
                                           settingsDocument(1).toBytes()};
  for (std::size_t kill = 0; kill < found.size(); ++kill) {
    EXPECT_TRUE(found[kill] == contents[0] || found[kill] == contents[1])
        << "kill " << kill << " left " << found[kill].size() << " bytes";
  }
  // Temporary files a kill left behind are never taken for the settings file.
  SettingsStore store(path);
  EXPECT_TRUE(store.write(QStringLiteral("WIN"), QStringLiteral("W"), QStringLiteral("1")));
  EXPECT_EQ(store.ReadSetting(QStringLiteral("WIN"), QStringLiteral("W")), u"1");
}

}  // namespace
}  // namespace quelvo::core
