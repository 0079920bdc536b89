#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QWindow>

#include "core/Dispatcher.h"
#include "integration/KeyboardHook.h"
#include "layout/WindowCommands.h"
#include "playback/FrameSlider.h"
#include "playback/MovieControlArray.h"
#include "playback/PlaybackCommands.h"
#include "playback/StatusBar.h"
#include "support/PlayerFixture.h"

namespace quelvo::test {
namespace {

class KeyboardHookTest : public PlayerFixture {
 protected:
  void SetUp() override {
    ASSERT_TRUE(start());
    form().show();
    // Every command number records itself instead of running.
    for (int n = 1; n <= 31; ++n) {
      if (const std::optional<core::Command> command = core::numberedCommand(n)) {
        part<core::Dispatcher>().bind(*command, new QAction(&form()),
                                      [this, n] { commands.push_back(n); });
      }
    }
  }

  // Delivers a key event as the platform does: to a window first.
  bool send(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
            bool autoRepeat = false, QWindow* window = nullptr) {
    QKeyEvent event(type, key, modifiers, QString(), autoRepeat);
    QCoreApplication::sendEvent(window ? window : form().windowHandle(), &event);
    return event.isAccepted();
  }
  void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, QWindow* window = nullptr) {
    send(QEvent::KeyPress, key, modifiers, false, window);
    send(QEvent::KeyRelease, key, modifiers, false, window);
  }
  // Opens a movie past the recording dispatcher.
  void openMovie(int frames = 30) {
    platform.openFilesAnswers.push_back({movieFile(QStringLiteral("a.swf"), frames)});
    part<playback::PlaybackCommands>().openCommand();
  }

  std::vector<int> commands;
};

TEST_F(KeyboardHookTest, EveryTableRowReachesItsCommand) {
  const std::pair<int, int> ctrl[] = {{Qt::Key_O, 1},         {Qt::Key_W, 2},  {Qt::Key_Q, 3},
                                      {Qt::Key_A, 4},         {Qt::Key_Z, 5},  {Qt::Key_F, 6},
                                      {Qt::Key_L, 20},        {Qt::Key_M, 21}, {Qt::Key_H, 22},
                                      {Qt::Key_P, 13},        {Qt::Key_R, 8},  {Qt::Key_PageUp, 11},
                                      {Qt::Key_PageDown, 12}, {Qt::Key_C, 15}, {Qt::Key_D, 17},
                                      {Qt::Key_E, 16},        {Qt::Key_G, 18}, {Qt::Key_T, 19}};
  for (const auto& [key, command] : ctrl) {
    commands.clear();
    press(key, Qt::ControlModifier);
    EXPECT_EQ(commands, std::vector<int>{command}) << key;
  }
  const std::pair<int, int> alt[] = {
      {Qt::Key_M, 14}, {Qt::Key_Q, 23}, {Qt::Key_1, 24}, {Qt::Key_2, 25}, {Qt::Key_3, 26}};
  for (const auto& [key, command] : alt) {
    commands.clear();
    press(key, Qt::AltModifier);
    EXPECT_EQ(commands, std::vector<int>{command}) << key;
  }
  for (const auto& [key, command] : {std::pair{Qt::Key_A, 30}, std::pair{Qt::Key_Z, 31}}) {
    commands.clear();
    press(key, Qt::ShiftModifier);
    EXPECT_EQ(commands, std::vector<int>{command}) << key;
  }
}

TEST_F(KeyboardHookTest, OrderOfTestsDecidesOverlaps) {
  press(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
  press(Qt::Key_F1, Qt::ShiftModifier);
  press(Qt::Key_F1, Qt::ControlModifier);
  EXPECT_EQ(commands, (std::vector<int>{4, 27}));
}

TEST_F(KeyboardHookTest, CtrlFirstPressesAreSwallowedOtherKeysPassOn) {
  EXPECT_TRUE(part<integration::KeyboardHook>().KeyboardProc(
      QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::ControlModifier)));
  EXPECT_FALSE(part<integration::KeyboardHook>().KeyboardProc(
      QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier)));
  EXPECT_FALSE(part<integration::KeyboardHook>().KeyboardProc(
      QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::AltModifier)));
  EXPECT_TRUE(commands.empty());
}

TEST_F(KeyboardHookTest, EscapeLeavesFullScreenOnlyAndIsPassedOn) {
  EXPECT_FALSE(part<integration::KeyboardHook>().KeyboardProc(
      QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {})));
  EXPECT_TRUE(commands.empty());
  part<layout::WindowCommands>().MNUFULL->setChecked(true);
  EXPECT_FALSE(part<integration::KeyboardHook>().KeyboardProc(
      QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {})));
  EXPECT_EQ(commands, std::vector<int>{6});
}

TEST_F(KeyboardHookTest, CtrlRightStepsOnReleaseAndOncePerRepeat) {
  openMovie(60);
  movie().Stop();
  send(QEvent::KeyPress, Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(movie().FrameNum(), 0);
  send(QEvent::KeyRelease, Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(movie().FrameNum(), 1);

  send(QEvent::KeyPress, Qt::Key_Right, Qt::ControlModifier);
  for (int repeat = 0; repeat < 3; ++repeat) {
    send(QEvent::KeyRelease, Qt::Key_Right, Qt::ControlModifier, true);
    send(QEvent::KeyPress, Qt::Key_Right, Qt::ControlModifier, true);
  }
  send(QEvent::KeyRelease, Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(movie().FrameNum(), 5);
  EXPECT_FALSE(tmrsld()->isActive());
  EXPECT_EQ(part<playback::FrameSlider>().value(), 6);
  EXPECT_EQ(panel(Panel::CurrentFrame), QStringLiteral("6"));

  send(QEvent::KeyRelease, Qt::Key_Left, Qt::ControlModifier);
  EXPECT_EQ(movie().FrameNum(), 4);
}

TEST_F(KeyboardHookTest, CtrlEnterTogglesPlayEvenWithoutAMovie) {
  press(Qt::Key_Return, Qt::ControlModifier);
  EXPECT_TRUE(tmrsld()->isActive());
  EXPECT_EQ(panel(Panel::CurrentFrame), QStringLiteral("0"));
  openMovie();
  press(Qt::Key_Return, Qt::ControlModifier);
  EXPECT_FALSE(movie().IsPlaying());
  EXPECT_FALSE(tmrsld()->isActive());
  press(Qt::Key_Enter, Qt::ControlModifier);
  EXPECT_TRUE(movie().IsPlaying());
}

TEST_F(KeyboardHookTest, KeysOfOtherWindowsReachTheMainWindowsCommands) {
  QWidget other;
  auto* field = new QLineEdit(QStringLiteral("text"), &other);
  other.show();
  field->setFocus();
  field->selectAll();
  int fieldKeys = 0;
  struct Counter : QObject {
    int& count;
    explicit Counter(int& c) : count(c) {}
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::KeyPress) ++count;
      return false;
    }
  } counter(fieldKeys);
  field->installEventFilter(&counter);
  press(Qt::Key_O, Qt::ControlModifier, other.windowHandle());
  press(Qt::Key_C, Qt::ControlModifier, other.windowHandle());
  EXPECT_EQ(commands, (std::vector<int>{1, 15}));
  EXPECT_EQ(fieldKeys, 0);
  // Ordinary typing still reaches the field, once.
  send(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, false, other.windowHandle());
  EXPECT_EQ(fieldKeys, 1);
}

TEST_F(KeyboardHookTest, RemovedFilterHandlesNothing) {
  part<integration::KeyboardHook>().remove();
  press(Qt::Key_O, Qt::ControlModifier);
  EXPECT_TRUE(commands.empty());
}

}  // namespace
}  // namespace quelvo::test
