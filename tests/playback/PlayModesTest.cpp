#include <gtest/gtest.h>

#include <QAction>

#include "playback/PlayModes.h"

namespace quelvo::test {
namespace {

TEST(PlayModes, RandomPickCoversEveryEntryAndOneEntryAlwaysGivesZero) {
  EXPECT_EQ(playback::PlayModes::randomPick(0.999, 1), 0);
  EXPECT_EQ(playback::PlayModes::randomPick(0.0, 3), 0);
  EXPECT_EQ(playback::PlayModes::randomPick(0.5, 3), 1);
  EXPECT_EQ(playback::PlayModes::randomPick(0.999, 3), 2);
  EXPECT_EQ(playback::PlayModes::randomPick(0.3, 0), 0);
}

TEST(PlayModes, ChoosingAModeLeavesOnlyItCheckedAndTellsTheWindow) {
  playback::PlayModes modes(nullptr);
  int told = -1;
  QObject::connect(&modes, &playback::PlayModes::chosen, [&](int i) { told = i; });
  modes.MnuOptions(4)->trigger();
  EXPECT_EQ(modes.checked(), 4);
  EXPECT_EQ(told, 4);
  for (int i : {0, 1, 2, 5, 6}) EXPECT_FALSE(modes.isChecked(i)) << i;
  EXPECT_TRUE(modes.MnuOptions(3)->isSeparator());
}

TEST(PlayModes, LeavingMultiEntryModesKeepsAChosenSingleMode) {
  playback::PlayModes modes(nullptr);
  modes.leaveMultiEntryModes();
  EXPECT_EQ(modes.checked(), 5);
  modes.MnuOptions_Click(6);
  modes.leaveMultiEntryModes();
  EXPECT_EQ(modes.checked(), 6);
  EXPECT_FALSE(modes.MnuOptions(0)->isEnabled());
}

}  // namespace
}  // namespace quelvo::test
