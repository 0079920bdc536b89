#include <gtest/gtest.h>

#include <QWidget>

#include "playback/Dispatcher.h"

namespace quelvo::test {
namespace {

class DispatcherTest : public ::testing::Test {
 protected:
  QWidget window;
  bool skinOn = false;
  playback::Dispatcher dispatcher{&window, [this] { return skinOn; }, nullptr};
};

TEST_F(DispatcherTest, RunsRegisteredCommandsAndIgnoresOthers) {
  int runs = 0;
  dispatcher.registerCommand(7, [&] { ++runs; });
  dispatcher.MenuButtons(7);
  dispatcher.MenuButtons(28);
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(window.updatesEnabled());
}

TEST_F(DispatcherTest, CommandArrivingWhileAnotherRunsDoesNothing) {
  int inner = 0;
  dispatcher.registerCommand(2, [&] { ++inner; });
  dispatcher.registerCommand(1, [&] {
    EXPECT_FALSE(window.updatesEnabled());
    dispatcher.MenuButtons(2);
  });
  dispatcher.MenuButtons(1);
  EXPECT_EQ(inner, 0);
  // The guard and the drawing lock are released afterwards.
  dispatcher.MenuButtons(2);
  EXPECT_EQ(inner, 1);
  EXPECT_TRUE(window.updatesEnabled());
}

TEST_F(DispatcherTest, FailingCommandReleasesTheGuard) {
  int runs = 0;
  dispatcher.registerCommand(1, [] { throw std::runtime_error("boom"); });
  dispatcher.registerCommand(2, [&] { ++runs; });
  dispatcher.MenuButtons(1);
  dispatcher.MenuButtons(2);
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(window.updatesEnabled());
}

TEST_F(DispatcherTest, SkinnedFaceIgnoresCommandsThatRearrangeTheWindow) {
  int runs = 0;
  for (int n : {6, 14, 15, 16, 17, 18, 19, 13, 20}) dispatcher.registerCommand(n, [&] { ++runs; });
  skinOn = true;
  for (int n : {6, 14, 15, 16, 17, 18, 19}) dispatcher.MenuButtons(n);
  EXPECT_EQ(runs, 0);
  dispatcher.MenuButtons(13);
  dispatcher.MenuButtons(20);
  EXPECT_EQ(runs, 2);
}

}  // namespace
}  // namespace quelvo::test
