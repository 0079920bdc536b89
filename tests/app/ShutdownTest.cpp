#include <gtest/gtest.h>

#include <QAction>

#include "catalog/CatalogModel.h"
#include "core/settings/CatalogLines.h"
#include "layout/PaneLayout.h"
#include "playback/PlayModes.h"
#include "skins/SkinSwitcher.h"
#include "support/PlayerFixture.h"

namespace quelvo::test {
namespace {

class Shutdown : public PlayerFixture {
 protected:
  QByteArray exitAndRead() {
    form().close();
    return folder.readFile(QStringLiteral("Quelvo.ini"));
  }
};

TEST_F(Shutdown, FirstExitEverWritesTheDefaultsAndTheFixedBars) {
  ASSERT_TRUE(start());
  // The default window: 556 x 433 pixels at (362, 183) on a 1280 x 800 screen.
  EXPECT_EQ(exitAndRead(),
            QByteArray("[EXIT]\r\nSAVE=True\r\nOPEN=1\r\nLOAD=1\r\nOPTI=0\r\nCONT=0\r\nWIN1=0\r\n"
                       "WIN2=0\r\nSKIN=1\r\nFILE=0\r\n"
                       "[PATH]\r\nOPEN=\r\nLOAD=\r\n"
                       "[SKIN]\r\nINDEX=0\r\n"
                       "[WINDOWS]\r\nPLAY=False\r\nMENU=True\r\nLIST=False\r\nSBAR=False\r\n"
                       "WIDTH=11520\r\nHEIGHT=7200\r\nLEFT=5430\r\nTOP=2752.5\r\n"));
}

TEST_F(Shutdown, RememberedStateRoundTripsThroughTheNextStart) {
  writeSettings(
      "[EXIT]\r\nSAVE=True\r\nOPEN=1\r\nLOAD=1\r\nOPTI=1\r\nCONT=1\r\nWIN1=1\r\nWIN2=1\r\n"
      "SKIN=1\r\nFILE=1\r\n");
  ASSERT_TRUE(start());
  part<layout::PaneLayout>().MNUMU_Click();
  part<layout::PaneLayout>().MNUBAR_Click();
  part<playback::PlayModes>().MnuOptions_Click(core::PlayMode::SingleLoop);
  catalog().append({{QStringLiteral("/m/a.swf"), QStringLiteral("a")},
                    {QStringLiteral("/m/b.swf"), QStringLiteral("b|c")}});
  session().folders.setOpen(QStringLiteral("/movies/"));
  form().move(150, 90);
  form().resize(700, 500);
  form().close();

  ASSERT_TRUE(start());
  EXPECT_TRUE(part<layout::PaneLayout>().MNUMU->isChecked());
  EXPECT_TRUE(part<layout::PaneLayout>().MNUBAR->isChecked());
  EXPECT_FALSE(part<layout::PaneLayout>().MNUBUTTON->isChecked());
  EXPECT_EQ(session().playMode.mode(), core::PlayMode::SingleLoop);
  ASSERT_EQ(catalog().count(), 2);
  EXPECT_EQ(catalog().displayText(1), QStringLiteral("b|c"));
  EXPECT_EQ(session().folders.open(), QStringLiteral("/movies/"));
  EXPECT_EQ(form().frameGeometry(), QRect(150, 90, 700, 500));
}

TEST_F(Shutdown, SavingOffResetsButKeepsTheSwitches) {
  writeSettings(
      "[EXIT]\r\nSAVE=False\r\nWIN1=1\r\nWIN2=1\r\nFILE=1\r\n[LIST]\r\nSUM=1\r\n1=/a.swf|a\r\n"
      "[WINDOWS]\r\nCONT=4\r\nWIDTH=9000\r\nHEIGHT=6000\r\n");
  ASSERT_TRUE(start());
  form().close();
  EXPECT_EQ(settings->ReadSetting(QStringLiteral("EXIT"), QStringLiteral("SAVE")),
            QStringLiteral("False"));
  EXPECT_EQ(settings->ReadSetting(QStringLiteral("EXIT"), QStringLiteral("WIN1")),
            QStringLiteral("1"));
  EXPECT_EQ(settings->ReadSetting(QStringLiteral("WINDOWS"), QStringLiteral("WIDTH")),
            QStringLiteral("11520"));
  // The old 600 x 400 window centred.
  EXPECT_EQ(settings->ReadSetting(QStringLiteral("WINDOWS"), QStringLiteral("LEFT")),
            QStringLiteral("5100"));
  EXPECT_FALSE(settings->load().hasKey(QStringLiteral("WINDOWS"), QStringLiteral("CONT")));
  EXPECT_FALSE(settings->load().hasKey(QStringLiteral("LIST"), QStringLiteral("SUM")));
  EXPECT_EQ(settings->ReadSetting(QStringLiteral("WINDOWS"), QStringLiteral("MENU")),
            QStringLiteral("True"));
}

TEST_F(Shutdown, BitmapSchemeStoresMenuOneAndLeavesGeometry) {
  writeSettings("[EXIT]\r\nSAVE=True\r\nCONT=1\r\nSKIN=1\r\n[WINDOWS]\r\nWIDTH=1234\r\n");
  ASSERT_TRUE(start());
  session().skin.setScheme(core::SkinScheme::Face);
  form().close();
  EXPECT_EQ(settings->ReadSetting(QStringLiteral("WINDOWS"), QStringLiteral("MENU")),
            QStringLiteral("1"));
  EXPECT_EQ(settings->ReadSetting(QStringLiteral("WINDOWS"), QStringLiteral("WIDTH")),
            QStringLiteral("1234"));
  EXPECT_EQ(settings->ReadSetting(QStringLiteral("SKIN"), QStringLiteral("INDEX")),
            QStringLiteral("2"));
}

TEST_F(Shutdown, EmptyCatalogWithFileOnWritesOnlyTheCount) {
  writeSettings("[EXIT]\r\nFILE=1\r\n[LIST]\r\nSUM=2\r\n1=/a|a\r\n2=/b|b\r\n");
  ASSERT_TRUE(start());
  catalog().clear();
  EXPECT_TRUE(exitAndRead().endsWith("[LIST]\r\nSUM=0\r\n"));
}

TEST_F(Shutdown, LongCatalogPathsSurviveTheRestart) {
  writeSettings("[EXIT]\r\nFILE=1\r\n");
  ASSERT_TRUE(start());
  const QString longPath =
      QStringLiteral("/") + QString(300, QLatin1Char('d')) + QStringLiteral("/a.swf");
  catalog().append({{longPath, QStringLiteral("a")}});
  form().close();
  ASSERT_TRUE(start());
  ASSERT_EQ(catalog().count(), 1);
  EXPECT_EQ(catalog().path(0), longPath);
}

TEST_F(Shutdown, FullCatalogIsWrittenWhole) {
  writeSettings("[EXIT]\r\nFILE=1\r\n");
  ASSERT_TRUE(start());
  std::vector<catalog::Entry> entries;
  for (int i = 0; i < catalog::CatalogModel::kMaxEntries; ++i) {
    entries.push_back({QStringLiteral("/m/%1.swf").arg(i), QString::number(i)});
  }
  catalog().append(entries);
  form().close();
  const auto restored = core::readSettingsCatalog(settings->load());
  ASSERT_EQ(restored.size(), entries.size());
  EXPECT_EQ(restored.back().path, entries.back().path);
}

}  // namespace
}  // namespace quelvo::test
