// Buttons placed with a name are script objects: their properties, the
// Button prototype, handlers scripts give them, focus and keys, enabled;
// and clips acting as buttons take the pointer through their hitArea.
#include <gtest/gtest.h>

#include "ClipScriptSupport.h"

namespace quelvo::swf {
namespace {

namespace st = swftest;
using namespace cliptest;
using RGB = std::tuple<int, int, int>;

const RGB kRed{255, 0, 0};
const RGB kGreen{0, 255, 0};
const RGB kBlue{0, 0, 255};
const RGB kWhite{255, 255, 255};

constexpr double px(double pixels) { return pixels * 20; }
constexpr std::uint16_t kButton = 10;

// _root[counter] = _root[counter] + 1, in a handler's body.
void count(Asm& body, const char* counter) {
  body.getVar("_root").push({counter}).getVar("_root").push({counter}).op(AC::GetMember);
  body.push({1}).op(AC::Add2).op(AC::SetMember);
}

// target.member = function() { body }
void handler(Asm& code, const std::function<void(Asm&)>& target, const char* member,
             const Asm::Body& body) {
  target(code);
  code.push({member});
  code.defineFunction("", {}, body);
  code.op(AC::SetMember);
}

// A 50 pixel button named "btn" at depth 1 (red up, green over, blue down,
// hit area the same square), and a frame script after it.
std::unique_ptr<Player> namedButton(const Asm& script, bool trackAsMenu = false) {
  st::TagStream tags;
  tags.defineRectangle(1, {0, 1000, 0, 1000}, {255, 0, 0});
  tags.defineRectangle(2, {0, 1000, 0, 1000}, {0, 255, 0});
  tags.defineRectangle(3, {0, 1000, 0, 1000}, {0, 0, 255});
  std::vector<st::ButtonPart> parts(4);
  for (std::uint8_t i = 0; i < 4; ++i) {
    parts[i].states = static_cast<std::uint8_t>(1u << i);
    parts[i].character = static_cast<std::uint16_t>(i == 3 ? 1 : i + 1);
    parts[i].depth = static_cast<std::uint16_t>(i + 1);
  }
  tags.defineButton2(kButton, parts, {}, trackAsMenu);
  st::Placement place = st::Placement::place(1, kButton);
  place.name = "btn";
  tags.placeObject(place).doAction(script.program()).showFrame().end();
  return playerFor(tags);
}

void clickAt(Player& player, int x, int y) {
  player.pointerMove(px(x), px(y));
  player.pointerDown();
  player.pointerUp();
}

TEST(ButtonObjectTest, ANamedButtonIsAnObjectWithClipProperties) {
  Asm code;
  code.push({"kind"}).getVar("btn").op(AC::TypeOf).op(AC::SetVariable);
  code.push({"isButton"}).getVar("btn").getVar("Button").op(AC::InstanceOf).op(AC::SetVariable);
  code.push({"isClip"}).getVar("btn").getVar("MovieClip").op(AC::InstanceOf).op(AC::SetVariable);
  setMember(code, "btn", "_x", 40);
  setMember(code, "btn", "_xscale", 50);
  code.push({"depth"}).callMethod("btn", "getDepth", {}).op(AC::SetVariable);
  code.push({"parentIsRoot"}).getVar("btn").push({"_parent"}).op(AC::GetMember);
  code.getVar("_root").op(AC::StrictEquals).op(AC::SetVariable);
  setMember(code, "btn", "useHandCursor", false);
  joinMembers(code, "info", "btn",
              {"_x", "_width", "_height", "_name", "_target", "enabled", "trackAsMenu"});
  joinMembers(code, "rootSize", "_root", {"_width", "_height"});  // the button counts
  const auto player = namedButton(code, true);
  ASSERT_TRUE(player);
  EXPECT_EQ(player->scriptVariable("kind"), "object");
  EXPECT_EQ(player->scriptVariable("isButton"), "true");
  EXPECT_EQ(player->scriptVariable("isClip"), "false");
  EXPECT_EQ(player->scriptVariable("depth"), "-16383");
  EXPECT_EQ(player->scriptVariable("parentIsRoot"), "true");
  EXPECT_EQ(player->scriptVariable("info"), "40,25,50,btn,/btn,true,true");  // menu as defined
  EXPECT_EQ(player->scriptVariable("rootSize"), "25,50");
  // Moved and squeezed to 40-65 pixels, drawn there alone.
  const QImage image = renderStage(*player);
  EXPECT_EQ(rgbAt(image, 50, 25), kRed);
  EXPECT_EQ(rgbAt(image, 20, 25), kWhite);
  EXPECT_EQ(rgbAt(image, 70, 25), kWhite);
  player->pointerMove(px(50), px(25));
  EXPECT_EQ(rgbAt(renderStage(*player), 50, 25), kGreen);  // still a button,
  EXPECT_FALSE(player->cursorOverButton());                // without a hand
}

// The script moves the button, counts presses through Button.prototype and
// releases through its own handler, which disables it.
TEST(ButtonObjectTest, HandlersRunOnTheButtonUntilItIsDisabled) {
  Asm code;
  code.setVar("presses", 0).setVar("releases", 0);
  setMember(code, "btn", "_x", 40);
  handler(
      code, [](Asm& c) { c.getVar("Button").push({"prototype"}).op(AC::GetMember); }, "onPress",
      [](Asm& body) { count(body, "presses"); });
  handler(
      code, [](Asm& c) { c.getVar("btn"); }, "onRelease",
      [](Asm& body) {
        count(body, "releases");
        body.getVar("_root").push({"releasedBy"}).push({"this"}).op(AC::GetVariable);
        body.push({"_name"}).op(AC::GetMember).op(AC::SetMember);
        body.push({"this"}).op(AC::GetVariable).push({"enabled", false}).op(AC::SetMember);
      });
  const auto player = namedButton(code);
  ASSERT_TRUE(player);

  clickAt(*player, 20, 25);  // where it was placed, not where it is
  EXPECT_EQ(player->scriptVariable("presses"), "0");
  player->pointerMove(px(60), px(25));
  EXPECT_TRUE(player->cursorOverButton());
  EXPECT_EQ(rgbAt(renderStage(*player), 60, 25), kGreen);
  player->pointerDown();
  EXPECT_EQ(rgbAt(renderStage(*player), 60, 25), kBlue);
  EXPECT_EQ(player->scriptVariable("presses"), "1");
  player->pointerUp();
  EXPECT_EQ(player->scriptVariable("releases"), "1");
  EXPECT_EQ(player->scriptVariable("releasedBy"), "btn");

  // Disabled under the pointer: up state, no hand, no events.
  player->pointerMove(px(61), px(25));
  EXPECT_EQ(rgbAt(renderStage(*player), 60, 25), kRed);
  EXPECT_FALSE(player->cursorOverButton());
  clickAt(*player, 60, 25);
  EXPECT_EQ(player->scriptVariable("presses"), "1");
  EXPECT_EQ(player->scriptVariable("releases"), "1");
  EXPECT_EQ(rgbAt(renderStage(*player), 60, 25), kRed);
}

TEST(ButtonObjectTest, AFocusedButtonHearsKeysWhileEnabled) {
  Asm code;
  code.setVar("keys", 0);
  handler(
      code, [](Asm& c) { c.getVar("btn"); }, "onKeyDown",
      [](Asm& body) {
        count(body, "keys");
        body.push({"this"}).op(AC::GetVariable).push({"enabled", false}).op(AC::SetMember);
      });
  code.push({"focused"}).callMethod("Selection", "setFocus", {"btn"}).op(AC::SetVariable);
  code.push({"focus"}).callMethod("Selection", "getFocus", {}).op(AC::SetVariable);
  const auto player = namedButton(code);
  ASSERT_TRUE(player);
  EXPECT_EQ(player->scriptVariable("focused"), "true");
  EXPECT_EQ(player->scriptVariable("focus"), "_level0.btn");
  player->keyDown(65, 'a');
  player->keyUp(65);
  player->keyDown(65, 'a');
  EXPECT_EQ(player->scriptVariable("keys"), "1");
}

// "b" draws a square at 0-40 pixels but takes the pointer where "area"
// (60-90 pixels) is; its release hides the area, which still counts.
TEST(ButtonObjectTest, HitAreaDecidesWhereAClipButtonIsHit) {
  Asm code;
  makeClip(code, "_root", "b", 1);
  fillRect(code, "b", 0x0000FF, 0, 0, 40, 40);
  makeClip(code, "_root", "area", 2);
  fillRect(code, "area", 0x00FF00, 60, 60, 30, 30);
  code.getVar("b").push({"hitArea"}).getVar("area").op(AC::SetMember);
  countOn(code, "b", "onRollOver", "overs");
  code.setVar("releases", 0);
  handler(
      code, [](Asm& c) { c.getVar("b"); }, "onRelease",
      [](Asm& body) {
        count(body, "releases");
        body.getVar("area").push({"_visible", false}).op(AC::SetMember);
      });
  const auto player = playing(code);
  ASSERT_TRUE(player);
  EXPECT_EQ(rgbAt(renderStage(*player), 75, 75), kGreen);  // the area is drawn while shown

  clickAt(*player, 20, 20);  // on b's own square
  EXPECT_EQ(player->scriptVariable("overs"), "0");
  EXPECT_EQ(player->scriptVariable("releases"), "0");
  EXPECT_FALSE(player->cursorOverButton());
  clickAt(*player, 75, 75);
  EXPECT_EQ(player->scriptVariable("overs"), "1");
  EXPECT_EQ(player->scriptVariable("releases"), "1");
  EXPECT_EQ(rgbAt(renderStage(*player), 75, 75), kWhite);
  clickAt(*player, 20, 20);
  clickAt(*player, 76, 76);  // hidden, still the hit area
  EXPECT_EQ(player->scriptVariable("releases"), "2");
}

}  // namespace
}  // namespace quelvo::swf
