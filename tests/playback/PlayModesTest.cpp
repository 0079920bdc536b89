#include <gtest/gtest.h>

#include <QAction>

#include "core/session/PlayMode.h"
#include "playback/PlayModes.h"

namespace quelvo::test {
namespace {

using core::PlayMode;

class PlayModesTest : public ::testing::Test {
 protected:
  core::PlayModeState state;
  playback::PlayModes modes{state, nullptr};
};

TEST(PlayModes, RandomPickCoversEveryEntryAndOneEntryAlwaysGivesZero) {
  EXPECT_EQ(playback::PlayModes::randomPick(0.999, 1), 0);
  EXPECT_EQ(playback::PlayModes::randomPick(0.0, 3), 0);
  EXPECT_EQ(playback::PlayModes::randomPick(0.5, 3), 1);
  EXPECT_EQ(playback::PlayModes::randomPick(0.999, 3), 2);
  EXPECT_EQ(playback::PlayModes::randomPick(0.3, 0), 0);
}

TEST_F(PlayModesTest, ChoosingAModeLeavesOnlyItChecked) {
  modes.MnuOptions(PlayMode::SingleContinuous)->trigger();
  EXPECT_EQ(state.mode(), PlayMode::SingleContinuous);
  for (PlayMode mode : core::kPlayModes) {
    EXPECT_EQ(modes.MnuOptions(mode)->isChecked(), mode == PlayMode::SingleContinuous);
  }
  // A second click on the chosen item keeps it chosen and checked.
  modes.MnuOptions(PlayMode::SingleContinuous)->trigger();
  EXPECT_EQ(state.mode(), PlayMode::SingleContinuous);
  EXPECT_TRUE(modes.MnuOptions(PlayMode::SingleContinuous)->isChecked());
}

TEST_F(PlayModesTest, LeavingMultiEntryModesKeepsAChosenSingleMode) {
  state.leaveMultiEntryModes();
  EXPECT_EQ(state.mode(), PlayMode::SingleNormal);
  EXPECT_TRUE(modes.MnuOptions(PlayMode::SingleNormal)->isChecked());
  modes.MnuOptions_Click(PlayMode::SingleLoop);
  state.leaveMultiEntryModes();
  EXPECT_EQ(state.mode(), PlayMode::SingleLoop);
  EXPECT_FALSE(modes.MnuOptions(PlayMode::MultiContinuous)->isEnabled());
  EXPECT_TRUE(modes.MnuOptions(PlayMode::SingleNormal)->isEnabled());
}

TEST_F(PlayModesTest, StoredNumberNamingNoModeRestoresTheFirst) {
  modes.restore(6);
  EXPECT_EQ(state.mode(), PlayMode::SingleLoop);
  for (int stored : {3, 7, -1}) {
    modes.restore(6);
    modes.restore(stored);
    EXPECT_EQ(state.mode(), PlayMode::MultiContinuous) << stored;
  }
}

}  // namespace
}  // namespace quelvo::test
