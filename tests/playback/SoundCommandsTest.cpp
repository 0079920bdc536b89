#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWindow>

#include "core/settings/SettingsStore.h"
#include "playback/MovieControlArray.h"
#include "playback/SoundCommands.h"
#include "support/PlayerFixture.h"

namespace quelvo::test {
namespace {

class SoundCommandsTest : public PlayerFixture {
 protected:
  playback::SoundCommands& sound() { return part<playback::SoundCommands>(); }
  QString stored(const QString& key) { return settings->ReadSetting(QStringLiteral("SOUND"), key); }
  void key(QEvent::Type type, int key, bool autoRepeat = false) {
    QKeyEvent event(type, key, Qt::ControlModifier, QString(), autoRepeat);
    QCoreApplication::sendEvent(form().windowHandle(), &event);
  }
};

TEST_F(SoundCommandsTest, StoredLevelsComeBackClampedAndReachEveryNewMovie) {
  writeSettings("[SOUND]\r\nVOLUME=250\r\nMUTE=True\r\nMINIMIZED=1\r\n");
  ASSERT_TRUE(start());
  EXPECT_EQ(sound().volume(), 100);
  EXPECT_TRUE(sound().muted());
  EXPECT_TRUE(action(QStringLiteral("MNUMUTE"))->isChecked());
  EXPECT_TRUE(action(QStringLiteral("MNUMINMUTE"))->isChecked());

  run(core::Command::VolumeDown);
  run(core::Command::VolumeDown);
  EXPECT_FALSE(sound().muted()) << "choosing a level ends mute";
  EXPECT_EQ(stored(QStringLiteral("VOLUME")), QStringLiteral("80"));
  EXPECT_EQ(stored(QStringLiteral("MUTE")), QStringLiteral("False"));
  open({movieFile(QStringLiteral("a.swf"))});
  EXPECT_EQ(movie().settings().volume, 80);
  EXPECT_FALSE(movie().settings().muted);
}

TEST_F(SoundCommandsTest, MuteIsKeptAndLevelsStayInRange) {
  ASSERT_TRUE(start());
  EXPECT_EQ(sound().volume(), 100) << "no stored level: full volume";
  run(core::Command::VolumeUp);
  EXPECT_EQ(sound().volume(), 100);
  run(core::Command::Mute);
  EXPECT_TRUE(movie().settings().muted);
  EXPECT_EQ(stored(QStringLiteral("MUTE")), QStringLiteral("True"));
  for (int i = 0; i < 12; ++i) run(core::Command::VolumeDown);
  EXPECT_EQ(sound().volume(), 0);
  EXPECT_EQ(stored(QStringLiteral("VOLUME")), QStringLiteral("0"));
}

TEST_F(SoundCommandsTest, HeldCtrlDownKeepsLoweringAndItsReleaseDoesNothing) {
  ASSERT_TRUE(start());
  form().show();
  key(QEvent::KeyPress, Qt::Key_Down);
  for (int repeat = 0; repeat < 2; ++repeat) {
    key(QEvent::KeyRelease, Qt::Key_Down, true);
    key(QEvent::KeyPress, Qt::Key_Down, true);
  }
  key(QEvent::KeyRelease, Qt::Key_Down);
  EXPECT_EQ(sound().volume(), 70);
  key(QEvent::KeyPress, Qt::Key_U);
  EXPECT_TRUE(sound().muted());
}

TEST_F(SoundCommandsTest, MinimizingSilencesOnlyWhenAskedAndLeavesTheStoredMuteAlone) {
  ASSERT_TRUE(start());
  form().show();
  form().showMinimized();
  QCoreApplication::processEvents();
  EXPECT_FALSE(movie().settings().muted);
  form().showNormal();
  QCoreApplication::processEvents();

  action(QStringLiteral("MNUMINMUTE"))->trigger();
  EXPECT_EQ(stored(QStringLiteral("MINIMIZED")), QStringLiteral("True"));
  form().showMinimized();
  QCoreApplication::processEvents();
  EXPECT_TRUE(movie().settings().muted);
  EXPECT_FALSE(sound().muted());
  EXPECT_TRUE(stored(QStringLiteral("MUTE")).isEmpty());
  form().showNormal();
  QCoreApplication::processEvents();
  EXPECT_FALSE(movie().settings().muted);
}

}  // namespace
}  // namespace quelvo::test
