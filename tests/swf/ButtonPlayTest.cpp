#include <gtest/gtest.h>

#include "PlayerTestSupport.h"
#include "swf/format/Button.h"

namespace quelvo::swf {
namespace {

namespace st = swftest;

// Pointer positions are in stage twips; these stages start at 0.
constexpr double px(double pixels) { return pixels * 20; }
using Bytes = std::vector<std::uint8_t>;
using RGB = std::tuple<int, int, int>;

const st::Colour kRed{255, 0, 0};
const st::Colour kGreen{0, 255, 0};
const st::Colour kBlue{0, 0, 255};
const st::Colour kBlack{0, 0, 0};
const RGB kRedPixel{255, 0, 0};
const RGB kGreenPixel{0, 255, 0};
const RGB kBluePixel{0, 0, 255};
const RGB kWhite{255, 255, 255};

constexpr std::uint16_t kUpShape = 1;
constexpr std::uint16_t kOverShape = 2;
constexpr std::uint16_t kDownShape = 3;
constexpr std::uint16_t kHitShape = 4;
constexpr std::uint16_t kButton = 10;

// Records every action list it is asked to run.
class RecordingRunner : public ActionRunner {
 public:
  struct Call {
    TimelineInstance* clip;
    Bytes actions;
    std::uint64_t offset;
  };
  void runActions(TimelineInstance& clip, std::span<const std::uint8_t> actions,
                  std::uint64_t offset) override {
    calls.push_back({&clip, Bytes(actions.begin(), actions.end()), offset});
  }
  std::vector<Bytes> actionLists() const {
    std::vector<Bytes> lists;
    for (const Call& call : calls) lists.push_back(call.actions);
    return lists;
  }
  std::vector<Call> calls;
};

// The state shapes cover 0-50 pixels, the hit area 0-70 pixels, of a 100 x
// 100 pixel stage.
st::TagStream& defineStateShapes(st::TagStream& tags) {
  tags.defineRectangle(kUpShape, {0, 1000, 0, 1000}, kRed);
  tags.defineRectangle(kOverShape, {0, 1000, 0, 1000}, kGreen);
  tags.defineRectangle(kDownShape, {0, 1000, 0, 1000}, kBlue);
  return tags.defineRectangle(kHitShape, {0, 1400, 0, 1400}, kBlack);
}

std::vector<st::ButtonPart> stateParts() {
  std::vector<st::ButtonPart> parts(4);
  const std::uint16_t shapes[] = {kUpShape, kOverShape, kDownShape, kHitShape};
  for (std::size_t i = 0; i < parts.size(); ++i) {
    parts[i].states = static_cast<std::uint8_t>(1u << i);
    parts[i].character = shapes[i];
    parts[i].depth = static_cast<std::uint16_t>(i + 1);
  }
  return parts;
}

const Bytes kPressActions{0x07, 0x00};    // stop
const Bytes kReleaseActions{0x06, 0x00};  // play
const Bytes kOutsideActions{0x04, 0x04, 0x00};
const Bytes kRollOverActions{0x05, 0x00};
const Bytes kKeyActions{0x08, 0x00};

std::unique_ptr<Player> buttonMovie(const std::vector<st::ButtonActions>& actions) {
  st::TagStream tags;
  defineStateShapes(tags).defineButton2(kButton, stateParts(), actions);
  tags.placeObject(st::Placement::place(1, kButton)).showFrame().end();
  return playerFor(tags);
}

RGB stateColour(Player& player) { return rgbAt(renderStage(player), 25, 25); }

// A move that names another character replaces a shape but not a button,
// and not on a seek back to that frame either.
TEST(ButtonPlayTest, AMoveNamingAnotherCharacterKeepsTheButton) {
  st::TagStream tags;
  defineStateShapes(tags).defineButton2(kButton, stateParts(), {});
  tags.placeObject(st::Placement::place(1, kButton)).showFrame();
  st::Placement replace = st::Placement::place(1, kDownShape);
  replace.move = true;
  tags.placeObject(replace).showFrame().end();
  auto player = playerFor(tags);
  ASSERT_TRUE(player);
  player->gotoFrame(1);
  EXPECT_EQ(stateColour(*player), kRedPixel);
  player->gotoFrame(0);
  player->gotoFrame(1);
  EXPECT_EQ(stateColour(*player), kRedPixel);
}

TEST(ButtonPlayTest, PointerMovesTheButtonThroughItsStates) {
  auto player = buttonMovie({});
  ASSERT_TRUE(player);
  EXPECT_EQ(stateColour(*player), kRedPixel);
  EXPECT_EQ(rgbAt(renderStage(*player), 60, 60), kWhite);  // the hit area is not drawn
  EXPECT_FALSE(player->cursorOverButton());

  EXPECT_FALSE(player->pointerMove(px(90), px(90)));  // outside the hit area
  EXPECT_EQ(stateColour(*player), kRedPixel);
  EXPECT_FALSE(player->pointerDown());
  EXPECT_FALSE(player->pointerUp());
  EXPECT_EQ(stateColour(*player), kRedPixel);

  EXPECT_TRUE(player->pointerMove(px(60), px(60)));  // in the hit area, beyond the drawn shapes
  EXPECT_TRUE(player->cursorOverButton());
  EXPECT_EQ(stateColour(*player), kGreenPixel);
  EXPECT_EQ(rgbAt(renderStage(*player), 60, 60), kWhite);

  EXPECT_TRUE(player->pointerDown());
  EXPECT_EQ(stateColour(*player), kBluePixel);
  EXPECT_TRUE(player->pointerMove(px(90), px(90)));  // dragged out: over
  EXPECT_EQ(stateColour(*player), kGreenPixel);
  EXPECT_FALSE(player->cursorOverButton());
  EXPECT_TRUE(player->pointerMove(px(10), px(10)));  // dragged back: down
  EXPECT_EQ(stateColour(*player), kBluePixel);
  EXPECT_TRUE(player->pointerUp());
  EXPECT_EQ(stateColour(*player), kGreenPixel);

  EXPECT_TRUE(player->pointerLeave());
  EXPECT_EQ(stateColour(*player), kRedPixel);
  EXPECT_FALSE(player->cursorOverButton());
}

TEST(ButtonPlayTest, TransitionsRunTheirActionsOnTheHoldingTimeline) {
  auto player = buttonMovie({{kOverUpToOverDown, 0, kPressActions},
                             {kOverDownToOverUp, 0, kReleaseActions},
                             {kOutDownToIdle, 0, kOutsideActions},
                             {kIdleToOverUp, 0, kRollOverActions}});
  ASSERT_TRUE(player);
  // Without a runner, actions are skipped.
  player->pointerMove(px(30), px(30));
  player->pointerLeave();

  RecordingRunner runner;
  player->setActionRunner(&runner);
  player->pointerMove(px(90), px(90));
  EXPECT_TRUE(runner.calls.empty());
  player->pointerMove(px(30), px(30));
  player->pointerDown();
  player->pointerUp();
  EXPECT_EQ(runner.actionLists(),
            (std::vector<Bytes>{kRollOverActions, kPressActions, kReleaseActions}));
  ASSERT_FALSE(runner.calls.empty());
  EXPECT_EQ(runner.calls[0].clip->frameCount(), 1u);
  EXPECT_GT(runner.calls[0].offset, 0u);
  const auto offset = runner.calls[0].offset;
  EXPECT_EQ(player->movie().bytes()[offset], kRollOverActions[0]);

  runner.calls.clear();
  player->pointerDown();
  player->pointerMove(px(90), px(90));
  player->pointerUp();  // released outside
  EXPECT_EQ(runner.actionLists(), (std::vector<Bytes>{kPressActions, kOutsideActions}));
}

TEST(ButtonPlayTest, KeyConditionsRunOnTheirKey) {
  auto player = buttonMovie({{0, 'a', kKeyActions}, {0, 1, kPressActions}});
  ASSERT_TRUE(player);
  RecordingRunner runner;
  player->setActionRunner(&runner);
  player->keyDown(66, 'b');
  EXPECT_TRUE(runner.calls.empty());
  player->keyDown(65, 'a');
  player->keyDown(37);  // the left arrow is button key 1
  EXPECT_EQ(runner.actionLists(), (std::vector<Bytes>{kKeyActions, kPressActions}));
}

TEST(ButtonPlayTest, DefineButtonRunsOnReleaseInsideAndTakesItsCxform) {
  st::TagStream tags;
  defineStateShapes(tags).defineButton(kButton, stateParts(), kReleaseActions);
  st::ColorTransform toBlue;
  toBlue.multiply = {0, 256, 256, 256};
  toBlue.add = {0, 0, 255, 0};
  tags.defineButtonCxform(kButton, toBlue);
  tags.placeObject(st::Placement::place(1, kButton)).showFrame().end();
  auto player = playerFor(tags);
  ASSERT_TRUE(player);
  RecordingRunner runner;
  player->setActionRunner(&runner);

  EXPECT_EQ(stateColour(*player), (RGB{0, 0, 255}));  // red turned blue
  player->pointerMove(px(30), px(30));
  EXPECT_EQ(stateColour(*player), (RGB{0, 255, 255}));  // green plus blue
  player->pointerDown();
  EXPECT_TRUE(runner.calls.empty());
  player->pointerUp();
  EXPECT_EQ(runner.actionLists(), (std::vector<Bytes>{kReleaseActions}));
}

TEST(ButtonPlayTest, MenuButtonsTakeOverAPressedPointer) {
  st::TagStream tags;
  defineStateShapes(tags);
  tags.defineButton2(kButton, stateParts(),
                     {{kIdleToOverDown, 0, kRollOverActions},
                      {kOverDownToIdle, 0, kOutsideActions},
                      {kOverDownToOverUp, 0, kReleaseActions}},
                     true);
  // Two menu buttons side by side: 0-70 and 70-140 pixels wide, hit areas touching.
  tags.placeObject(st::Placement::place(1, kButton));
  tags.placeObject(st::Placement::place(2, kButton, st::Matrix::translate(1400, 0)));
  tags.showFrame().end();
  st::MovieOptions options = smallStage();
  options.stage = {0, 4000, 0, 2000};
  auto player = playerFor(tags, options);
  ASSERT_TRUE(player);
  RecordingRunner runner;
  player->setActionRunner(&runner);

  player->pointerMove(px(20), px(20));
  player->pointerDown();
  player->pointerMove(px(90), px(20));  // onto the second button, still pressed
  const QImage image = renderStage(*player);
  EXPECT_EQ(rgbAt(image, 25, 25), kRedPixel);
  EXPECT_EQ(rgbAt(image, 95, 25), kBluePixel);
  player->pointerUp();
  EXPECT_EQ(runner.actionLists(),
            (std::vector<Bytes>{kOutsideActions, kRollOverActions, kReleaseActions}));
  EXPECT_EQ(rgbAt(renderStage(*player), 95, 25), kGreenPixel);
}

// The up state holds a sprite going from red to blue, shown in the over
// state too; the down state is green.
TEST(ButtonPlayTest, SpritesInStatesAnimateAndStayAcrossStatesAndButtonsMask) {
  st::TagStream sprite;
  sprite.placeObject(st::Placement::place(1, kUpShape)).showFrame();
  sprite.removeObject(1).placeObject(st::Placement::place(1, kDownShape)).showFrame().end();
  st::TagStream tags;
  defineStateShapes(tags).defineSprite(20, sprite);
  std::vector<st::ButtonPart> parts = stateParts();
  parts[0].character = 20;
  parts[0].states = kButtonUp | kButtonOver;
  parts[1].states = kButtonDown;
  parts[2].character = kOverShape;
  tags.defineButton2(kButton, parts);
  tags.placeObject(st::Placement::place(1, kButton));
  // The same button, at 40 pixels, masks a black square over the stage.
  st::Placement mask = st::Placement::place(3, kButton, st::Matrix::translate(800, 800));
  mask.clipDepth = 4;
  tags.placeObject(mask);
  tags.defineRectangle(30, {0, 2000, 0, 2000}, kBlack);
  tags.placeObject(st::Placement::place(4, 30)).showFrame().end();
  auto player = playerFor(tags);
  ASSERT_TRUE(player);
  EXPECT_TRUE(player->animating());

  QImage image = renderStage(*player);
  EXPECT_EQ(rgbAt(image, 25, 25), kRedPixel);
  EXPECT_EQ(rgbAt(image, 60, 60), (RGB{0, 0, 0}));  // inside the mask's up state
  EXPECT_EQ(rgbAt(image, 95, 95), kWhite);          // in the mask's hit area only
  EXPECT_TRUE(player->tick());
  EXPECT_EQ(stateColour(*player), kBluePixel);
  // Over shows the same sprite, not restarted: nothing to redraw.
  EXPECT_FALSE(player->pointerMove(px(30), px(30)));
  EXPECT_TRUE(player->cursorOverButton());
  EXPECT_EQ(stateColour(*player), kBluePixel);
  EXPECT_TRUE(player->pointerDown());
  EXPECT_EQ(stateColour(*player), kGreenPixel);
  // A mask takes no pointer: beyond the first button's hit area nothing reacts.
  player->pointerUp();
  player->pointerMove(px(80), px(80));
  EXPECT_FALSE(player->cursorOverButton());
}

}  // namespace
}  // namespace quelvo::swf
