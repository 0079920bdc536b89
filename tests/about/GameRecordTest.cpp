#include <gtest/gtest.h>

#include "about/GameRecord.h"
#include "core/settings/SettingsStore.h"
#include "support/TempProgramFolder.h"

namespace quelvo::test {
namespace {

using about::GameRecord;

class GameRecordTest : public ::testing::Test {
 protected:
  GameRecord readWith(const QByteArray& game) {
    folder.writeFile(QStringLiteral("Quelvo.ini"), "[GAME]\r\n" + game);
    return about::readGameRecord(settings);
  }
  TempProgramFolder folder;
  core::SettingsStore settings{folder.settingsPath()};
};

TEST_F(GameRecordTest, WrittenRecordReadsBackBesideOtherSettings) {
  folder.writeFile(QStringLiteral("Quelvo.ini"), "[FORM]\r\nLEFT=10\r\n");
  about::writeGameRecord(settings, {27, QStringLiteral("小明 Ming")});
  const GameRecord record = about::readGameRecord(settings);
  EXPECT_EQ(record.score, 27);
  EXPECT_EQ(record.name, QStringLiteral("小明 Ming"));
  EXPECT_EQ(settings.ReadSetting(QStringLiteral("FORM"), QStringLiteral("LEFT")),
            QStringLiteral("10"));
}

TEST_F(GameRecordTest, MissingFileIsAnEmptyRecord) {
  const GameRecord record = about::readGameRecord(settings);
  EXPECT_EQ(record.score, 0);
  EXPECT_TRUE(record.name.isEmpty());
}

TEST_F(GameRecordTest, ScoreThatIsNotA16BitCountReadsAsZero) {
  EXPECT_EQ(readWith("SCORE=abc\r\n").score, 0);
  EXPECT_EQ(readWith("SCORE=-5\r\n").score, 0);
  EXPECT_EQ(readWith("SCORE=32768\r\n").score, 0);
  EXPECT_EQ(readWith("SCORE=1e300\r\n").score, 0);
  EXPECT_EQ(readWith("SCORE=32767\r\n").score, 32767);
  EXPECT_EQ(readWith("SCORE= 12xyz\r\n").score, 12);
}

TEST(GameRecordHolder, ShowsTheFirstTenCharactersWithoutSplittingOne) {
  EXPECT_EQ(about::holderText(QStringLiteral("abcdefghijkl")), QStringLiteral("abcdefghij"));
  EXPECT_EQ(about::holderText(QStringLiteral("一二三四五六七八九十十一")),
            QStringLiteral("一二三四五六七八九十"));
  // Characters outside the basic plane take two UTF-16 units each.
  const QString faces = QString::fromUtf8("😀😀😀😀😀😀😀😀😀😀😀");
  EXPECT_EQ(about::holderText(faces), faces.left(20));
  EXPECT_EQ(about::holderText(QStringLiteral("短")), QStringLiteral("短"));
}

}  // namespace
}  // namespace quelvo::test
