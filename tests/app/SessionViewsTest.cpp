#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>

#include "layout/PaneLayout.h"
#include "playback/FrameSlider.h"
#include "playback/MovieControl.h"
#include "skins/SkinSwitcher.h"
#include "support/PlayerFixture.h"

namespace quelvo::test {
namespace {

using core::PlayMode;

class SessionViews : public PlayerFixture {
 protected:
  void SetUp() override { ASSERT_TRUE(start()); }
};

TEST_F(SessionViews, MarksPanelsAndWindowFollowTheSessionState) {
  session().playMode.set(PlayMode::SingleLoop);
  EXPECT_TRUE(action(QStringLiteral("MnuOptions[6]"))->isChecked());
  EXPECT_FALSE(action(QStringLiteral("MnuOptions[0]"))->isChecked());
  EXPECT_EQ(panel(Panel::State), QStringLiteral("单首正常循环"));

  session().loopRegion.setRange(10, 30);
  session().loopRegion.setOn(true);
  EXPECT_TRUE(action(QStringLiteral("MNUSEL"))->isChecked());
  EXPECT_TRUE(part<playback::FrameSlider>().selectRange());
  EXPECT_EQ(part<playback::FrameSlider>().selStart(), 10);
  EXPECT_EQ(panel(Panel::State), QStringLiteral("循环选择区域: 10帧-40帧"));
  session().loopRegion.setOn(false);
  EXPECT_EQ(panel(Panel::State), QStringLiteral("单首正常循环"));

  session().skin.setScheme(core::SkinScheme::Love);
  EXPECT_TRUE(action(QStringLiteral("MNUSKIN[4]"))->isChecked());
  EXPECT_FALSE(action(QStringLiteral("MNUSKIN[0]"))->isChecked());

  session().Label1.set(true);
  EXPECT_TRUE(form().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  session().Label1.set(false);
  EXPECT_FALSE(form().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(SessionViews, MenuItemsButtonsAndKeysShareTheDispatchersGuards) {
  // A skinned face ignores the bar commands from the menu as from a key.
  session().skin.setSkinOn(true);
  action(QStringLiteral("MNUBAR"))->trigger();
  run(core::Command::StatusBar);
  EXPECT_FALSE(action(QStringLiteral("MNUBAR"))->isChecked());
  EXPECT_TRUE(bar().isHidden());
  session().skin.setSkinOn(false);
  action(QStringLiteral("MNUBAR"))->trigger();
  EXPECT_TRUE(action(QStringLiteral("MNUBAR"))->isChecked());
  EXPECT_FALSE(bar().isHidden());

  // A menu item clicked while another command runs (a dialog open) does nothing.
  platform.whileModal = [this] { action(QStringLiteral("MNUMU"))->trigger(); };
  button(7)->click();
  EXPECT_EQ(platform.openFilesRequests.size(), 1u);
  EXPECT_FALSE(action(QStringLiteral("MNUMU"))->isChecked());
}

TEST_F(SessionViews, TransportButtonsRunTheirCommands) {
  open({movieFile(QStringLiteral("a.swf"), 30)});
  button(1)->click();
  EXPECT_FALSE(movie().IsPlaying());
  EXPECT_FALSE(tmrsld()->isActive());
  button(3)->click();
  EXPECT_EQ(movie().FrameNum(), 1);
  button(0)->click();
  EXPECT_TRUE(movie().IsPlaying());
  button(4)->click();
  EXPECT_EQ(movie().FrameNum(), 0);
  EXPECT_FALSE(movie().IsPlaying());
}

}  // namespace
}  // namespace quelvo::test
