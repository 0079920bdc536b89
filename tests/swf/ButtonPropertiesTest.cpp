// Clips with press and release handlers act as buttons: enabled,
// useHandCursor and trackAsMenu decide which events they get and the cursor.
#include <gtest/gtest.h>

#include "ClipScriptSupport.h"

namespace quelvo::swf {
namespace {

using namespace cliptest;

// Four 40 pixel squares counting their releases: "on" at the top left,
// "off" (disabled) at the top right, "plain" (no hand cursor) at the bottom
// left and "menu" (tracked as a menu) at the bottom right.
std::unique_ptr<Player> fourButtons() {
  Asm code;
  const struct {
    const char* name;
    int x, y;
  } clips[] = {{"on", 0, 0}, {"off", 50, 0}, {"plain", 0, 50}, {"menu", 50, 50}};
  int depth = 1;
  for (const auto& clip : clips) {
    makeClip(code, "_root", clip.name, depth++);
    fillRect(code, clip.name, 0x0000FF, clip.x, clip.y, 40, 40);
    countOn(code, clip.name, "onRelease", (std::string(clip.name) + "Releases").c_str());
  }
  countOn(code, "on", "onPress", "onPresses");
  countOn(code, "on", "onReleaseOutside", "onOutside");
  countOn(code, "off", "onPress", "offPresses");
  setMember(code, "off", "enabled", false);
  setMember(code, "plain", "useHandCursor", false);
  setMember(code, "menu", "trackAsMenu", true);
  return playing(code);
}

void clickAt(Player& player, int x, int y) {
  player.pointerMove(x * 20, y * 20);
  player.pointerDown();
  player.pointerUp();
}

TEST(ButtonPropertiesTest, EnabledClipsAloneGetPressAndRelease) {
  const auto player = fourButtons();
  ASSERT_TRUE(player);
  clickAt(*player, 20, 20);
  EXPECT_EQ(player->scriptVariable("onPresses"), "1");
  EXPECT_EQ(player->scriptVariable("onReleases"), "1");
  clickAt(*player, 70, 20);
  EXPECT_EQ(player->scriptVariable("offPresses"), "0");
  EXPECT_EQ(player->scriptVariable("offReleases"), "0");
  clickAt(*player, 45, 45);  // between the squares
  EXPECT_EQ(player->scriptVariable("onReleases"), "1");
  // Pressed on "on", released outside it.
  player->pointerMove(20 * 20, 20 * 20);
  player->pointerDown();
  player->pointerMove(45 * 20, 45 * 20);
  player->pointerUp();
  EXPECT_EQ(player->scriptVariable("onReleases"), "1");
  EXPECT_EQ(player->scriptVariable("onOutside"), "1");
}

TEST(ButtonPropertiesTest, HandCursorOnlyOverEnabledClipsThatWantIt) {
  const auto player = fourButtons();
  ASSERT_TRUE(player);
  player->pointerMove(20 * 20, 20 * 20);
  EXPECT_TRUE(player->cursorOverButton());
  player->pointerMove(70 * 20, 20 * 20);
  EXPECT_FALSE(player->cursorOverButton());  // disabled
  player->pointerMove(20 * 20, 70 * 20);
  EXPECT_FALSE(player->cursorOverButton());  // useHandCursor false, still a button:
  clickAt(*player, 20, 70);
  EXPECT_EQ(player->scriptVariable("plainReleases"), "1");
  player->pointerMove(45 * 20, 45 * 20);
  EXPECT_FALSE(player->cursorOverButton());
}

TEST(ButtonPropertiesTest, ReleaseOverAMenuClipIsItsReleaseWherePressed) {
  const auto player = fourButtons();
  ASSERT_TRUE(player);
  // Pressed on nothing, released over the menu.
  player->pointerMove(45 * 20, 45 * 20);
  player->pointerDown();
  player->pointerMove(70 * 20, 70 * 20);
  player->pointerUp();
  EXPECT_EQ(player->scriptVariable("menuReleases"), "1");
  // Pressed on "plain", released over the menu.
  player->pointerMove(20 * 20, 70 * 20);
  player->pointerDown();
  player->pointerMove(70 * 20, 70 * 20);
  player->pointerUp();
  EXPECT_EQ(player->scriptVariable("menuReleases"), "2");
  EXPECT_EQ(player->scriptVariable("plainReleases"), "0");
  // An ordinary clip gets no release for a press that began elsewhere.
  player->pointerMove(45 * 20, 45 * 20);
  player->pointerDown();
  player->pointerMove(20 * 20, 20 * 20);
  player->pointerUp();
  EXPECT_EQ(player->scriptVariable("onReleases"), "0");
}

}  // namespace
}  // namespace quelvo::swf
