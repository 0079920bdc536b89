// Movies with ActionScript played by the Player: frame actions, clip control,
// clips made by scripts, drawing, masks, limits and the outside world.
#include <gtest/gtest.h>

#include <array>

#include "Avm1Fixtures.h"
#include "PlayerTestSupport.h"

namespace quelvo::swf {
namespace {

namespace st = swftest;
using avm1::test::AC;
using avm1::test::Asm;

const st::Colour kRed{255, 0, 0};

// The action bytes of code with End, as a DoAction body.
std::vector<std::uint8_t> program(const Asm& code) { return code.program(); }

// clip.method(args) where clip is a variable or path.
Asm& call(Asm& code, const char* clip, const char* method,
          std::initializer_list<avm1::test::PushItem> args) {
  code.callMethod(clip, method, args).op(AC::Pop);
  return code;
}

// clip.property = value
Asm& setMember(Asm& code, const char* clip, const char* property, avm1::test::PushItem value) {
  code.getVar(clip).push({property, std::move(value)}).op(AC::SetMember);
  return code;
}

// A red 20 x 20 pixel square (id 1) in a one-frame sprite (id 2) placed as
// "box" at depth 1.
st::TagStream withBox() {
  st::TagStream tags;
  tags.defineRectangle(1, {0, 400, 0, 400}, kRed);
  st::TagStream sprite;
  sprite.placeObject(st::Placement::place(1, 1)).showFrame().end();
  tags.defineSprite(2, sprite);
  st::Placement box = st::Placement::place(1, 2);
  box.name = "box";
  tags.placeObject(box);
  return tags;
}

TEST(ScriptedPlaybackTest, FrameActionsStopAndJumpToLabels) {
  st::TagStream tags;
  tags.doAction(program(Asm().op(AC::Stop))).showFrame();
  tags.showFrame().showFrame().end();
  const auto stopped = playerFor(tags);
  ASSERT_TRUE(stopped);
  stopped->autoplay();  // opening the movie keeps the first frame's stop
  for (int i = 0; i < 2; ++i) stopped->tick();
  EXPECT_EQ(stopped->currentFrame(), 0u);
  stopped->play();
  stopped->tick();
  EXPECT_EQ(stopped->currentFrame(), 1u);

  st::TagStream jumps;
  jumps.doAction(program(Asm().gotoLabel("end").op(AC::Stop))).showFrame();
  jumps.showFrame();
  jumps.frameLabel("end").showFrame();
  jumps.showFrame().end();
  const auto jumped = playerFor(jumps);
  ASSERT_TRUE(jumped);
  EXPECT_EQ(jumped->currentFrame(), 2u);
  jumped->tick();
  EXPECT_EQ(jumped->currentFrame(), 2u);
  EXPECT_FALSE(jumped->isPlaying());
  EXPECT_FALSE(jumped->animating());
}

TEST(ScriptedPlaybackTest, InitActionsRunOnceAheadOfFrameActions) {
  constexpr std::uint16_t kDoInitAction = 59;
  st::TagStream tags;
  st::TagStream sprite;
  sprite.showFrame().end();
  tags.defineSprite(2, sprite);
  tags.doAction(
      program(Asm().push({"order"}).getVar("order").push({"f"}).op(AC::Add2).op(AC::SetVariable)));
  std::vector<std::uint8_t> init{2, 0};  // the sprite's id, then its actions
  const auto code = program(Asm().setVar("order", "i"));
  init.insert(init.end(), code.begin(), code.end());
  tags.tag(kDoInitAction, init).showFrame().showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  EXPECT_EQ(player->scriptVariable("order"), "if");
  player->tick();
  player->tick();  // back at the first frame
  EXPECT_EQ(player->currentFrame(), 0u);
  EXPECT_EQ(player->scriptVariable("order"), "iff");
}

TEST(ScriptedPlaybackTest, SpritesHonourStopAndScriptedPlayback) {
  st::TagStream tags;
  tags.defineRectangle(1, {0, 400, 0, 400}, kRed);
  st::TagStream stopping;
  stopping.doAction(program(Asm().op(AC::Stop))).showFrame().showFrame().showFrame().end();
  tags.defineSprite(2, stopping);
  st::TagStream looping;
  looping.showFrame().showFrame().showFrame().end();
  tags.defineSprite(3, looping);
  st::Placement a = st::Placement::place(1, 2);
  a.name = "a";
  st::Placement b = st::Placement::place(2, 3);
  b.name = "b";
  tags.placeObject(a).placeObject(b).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  player->tick();
  player->tick();
  EXPECT_EQ(player->displayList().find(1)->sprite->currentFrame(), 0u);
  EXPECT_EQ(player->displayList().find(2)->sprite->currentFrame(), 2u);
  EXPECT_FALSE(player->displayList().find(1)->sprite->isPlaying());
}

TEST(ScriptedPlaybackTest, ScriptedPropertiesAreDrawnAndOutliveTimelineMoves) {
  st::TagStream tags = withBox();
  Asm code;
  setMember(code, "box", "_x", 50);
  setMember(code, "box", "_alpha", 50);
  tags.doAction(program(code)).showFrame();
  tags.placeObject(st::Placement::moveTo(1, st::Matrix::translate(0, 1000))).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  player->tick();
  const QImage image = renderStage(*player);
  EXPECT_EQ(rgbAt(image, 10, 10), std::make_tuple(255, 255, 255));
  const auto [red, green, blue] = rgbAt(image, 60, 10);
  EXPECT_EQ(red, 255);
  EXPECT_NEAR(green, 128, 2);
  EXPECT_NEAR(blue, 128, 2);
  EXPECT_EQ(player->scriptVariable("box._x"), "50");
}

TEST(ScriptedPlaybackTest, DuplicatedClipsComeAndGo) {
  st::TagStream tags = withBox();
  Asm duplicate;
  call(duplicate, "box", "duplicateMovieClip", {"copy", 5});
  setMember(duplicate, "copy", "_x", 50);
  duplicate.push({"depth"}).callMethod("copy", "getDepth", {}).op(AC::SetVariable);
  tags.doAction(program(duplicate)).showFrame();
  Asm remove;
  call(remove, "copy", "removeMovieClip", {});
  call(remove, "box", "removeMovieClip", {});  // a timeline clip stays
  tags.doAction(program(remove)).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  EXPECT_EQ(player->scriptVariable("depth"), "5");
  EXPECT_NE(player->displayList().find(16384 + 5), nullptr);
  EXPECT_EQ(rgbAt(renderStage(*player), 60, 10), std::make_tuple(255, 0, 0));
  player->tick();
  EXPECT_EQ(player->displayList().find(16384 + 5), nullptr);
  EXPECT_NE(player->displayList().find(1), nullptr);
  EXPECT_EQ(rgbAt(renderStage(*player), 60, 10), std::make_tuple(255, 255, 255));
}

// A clip actions record (SWF 6 and later) with one handler per entry.
std::vector<std::uint8_t> clipActions(
    std::initializer_list<std::pair<std::uint32_t, std::vector<std::uint8_t>>> handlers) {
  std::vector<std::uint8_t> bytes{0, 0};
  std::uint32_t all = 0;
  for (const auto& [events, code] : handlers) all |= events;
  Asm::u32(bytes, all);
  for (const auto& [events, code] : handlers) {
    Asm::u32(bytes, events);
    Asm::u32(bytes, static_cast<std::uint32_t>(code.size()));
    bytes.insert(bytes.end(), code.begin(), code.end());
  }
  Asm::u32(bytes, 0);
  return bytes;
}

// A keyPress handler's body: its key code, then its actions.
std::vector<std::uint8_t> withKeyCode(std::uint8_t key, std::vector<std::uint8_t> code) {
  code.insert(code.begin(), key);
  return code;
}

// _root.name = _root.name + 1
std::vector<std::uint8_t> countOnRoot(const char* name) {
  Asm code;
  code.getVar("_root").push({name}).getVar("_root").push({name}).op(AC::GetMember);
  code.push({1}).op(AC::Add2).op(AC::SetMember);
  return code.program();
}

TEST(ScriptedPlaybackTest, ClipEventsRunOnLoadEachFrameAndOnUnload) {
  st::TagStream tags;
  tags.defineRectangle(1, {0, 400, 0, 400}, kRed);
  st::TagStream sprite;
  sprite.placeObject(st::Placement::place(1, 1)).showFrame().end();
  tags.defineSprite(2, sprite);
  st::Placement placed = st::Placement::place(1, 2);
  placed.clipActions =
      clipActions({{0x1, countOnRoot("loads")},
                   {0x2, countOnRoot("frames")},
                   {0x4, countOnRoot("unloads")},
                   {0x20000, withKeyCode(1, countOnRoot("lefts"))}});  // keyPress "<Left>"
  Asm start;
  start.setVar("loads", 0).setVar("frames", 0).setVar("unloads", 0).setVar("lefts", 0);
  tags.doAction(program(start)).placeObject(placed).showFrame();
  tags.showFrame();
  tags.removeObject(1).doAction(program(Asm().op(AC::Stop))).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  EXPECT_EQ(player->scriptVariable("loads"), "1");
  player->keyDown(39);
  player->keyDown(37);
  EXPECT_EQ(player->scriptVariable("lefts"), "1");
  player->tick();
  EXPECT_EQ(player->scriptVariable("frames"), "1");
  player->tick();  // the clip leaves in this tick, before its handlers' turn
  EXPECT_EQ(player->scriptVariable("frames"), "1");
  EXPECT_EQ(player->scriptVariable("unloads"), "1");
  player->tick();
  EXPECT_EQ(player->scriptVariable("frames"), "1");
}

TEST(ScriptedPlaybackTest, AttachedAndSwappedClipsOutliveSeeks) {
  st::TagStream tags = withBox();
  tags.exportAsset(2, "boxSymbol").showFrame();
  Asm code;
  call(code, "_root", "attachMovie", {"boxSymbol", "att", 10});
  setMember(code, "att", "_x", 50);
  setMember(code, "box", "_x", 70);
  code.push({"next"}).callMethod("_root", "getNextHighestDepth", {}).op(AC::SetVariable);
  code.getVar("box").push({1}).getVar("att").push({"swapDepths"}).op(AC::CallMethod).op(AC::Pop);
  code.op(AC::Stop);
  tags.doAction(program(code)).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  player->tick();
  EXPECT_EQ(player->scriptVariable("next"), "11");
  ASSERT_NE(player->displayList().find(1), nullptr);
  ASSERT_NE(player->displayList().find(16384 + 10), nullptr);
  EXPECT_EQ(player->displayList().find(1)->name, "att");
  EXPECT_EQ(player->displayList().find(16384 + 10)->name, "box");
  player->back();  // the frame before the script: what it made and moved stays
  EXPECT_EQ(player->displayList().find(16384 + 10)->matrix.translateX, 70 * 20);
  EXPECT_EQ(player->displayList().find(1)->matrix.translateX, 50 * 20);
}

TEST(ScriptedPlaybackTest, OnEnterFrameRunsEveryTickAndKeepsTheMovieAnimating) {
  st::TagStream tags;
  Asm code;
  code.setVar("n", 0);
  code.getVar("_root").push({"onEnterFrame"});
  code.defineFunction("", {}, [](Asm& body) {
    body.push({"n"}).getVar("n").push({1}).op(AC::Add2).op(AC::SetVariable);
  });
  code.op(AC::SetMember).op(AC::Stop);
  tags.doAction(program(code)).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  EXPECT_TRUE(player->animating());
  for (int i = 0; i < 5; ++i) player->tick();
  EXPECT_EQ(player->scriptVariable("n"), "5");
}

TEST(ScriptedPlaybackTest, IntervalsFollowTheMovieClock) {
  st::TagStream tags;
  Asm code;
  code.setVar("n", 0).push({100});
  code.defineFunction("", {}, [](Asm& body) {
    body.push({"n"}).getVar("n").push({1}).op(AC::Add2).op(AC::SetVariable);
  });
  code.push({2, "setInterval"}).op(AC::CallFunction).op(AC::Pop).op(AC::Stop);
  tags.doAction(program(code)).showFrame().end();
  const auto player = playerFor(tags);  // 24 frames a second
  ASSERT_TRUE(player);
  EXPECT_TRUE(player->animating());
  for (int i = 0; i < 10; ++i) player->tick();  // 417 ms
  EXPECT_EQ(player->scriptVariable("n"), "4");
}

// A clip "name" at depth with a filled square drawn from (x, y), size pixels wide.
Asm& drawSquare(Asm& code, const char* name, int depth, int rgb, int x, int y, int size) {
  call(code, "_root", "createEmptyMovieClip", {name, depth});
  call(code, name, "beginFill", {rgb});
  call(code, name, "moveTo", {x, y});
  call(code, name, "lineTo", {x + size, y});
  call(code, name, "lineTo", {x + size, y + size});
  call(code, name, "lineTo", {x, y + size});
  return call(code, name, "endFill", {});
}

TEST(ScriptedPlaybackTest, DrawingApiFillsAndMasksAreRendered) {
  st::TagStream tags;
  Asm code;
  drawSquare(code, "d", 1, 0x0000FF, 10, 10, 30);
  drawSquare(code, "content", 2, 0xFF0000, 50, 50, 50);
  drawSquare(code, "m", 3, 0x00FF00, 50, 50, 25);
  code.getVar("m").push({1}).getVar("content").push({"setMask"}).op(AC::CallMethod).op(AC::Pop);
  tags.doAction(program(code)).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  const QImage image = renderStage(*player);
  EXPECT_EQ(rgbAt(image, 25, 25), std::make_tuple(0, 0, 255));
  EXPECT_EQ(rgbAt(image, 5, 5), std::make_tuple(255, 255, 255));
  EXPECT_EQ(rgbAt(image, 60, 60), std::make_tuple(255, 0, 0));      // masked content shows
  EXPECT_EQ(rgbAt(image, 90, 90), std::make_tuple(255, 255, 255));  // outside the mask
}

TEST(ScriptedPlaybackTest, DrawingApiColoursWrapAsIntegers) {
  // Negative colours are 32-bit patterns whose top byte is ignored.
  st::TagStream tags;
  Asm code;
  drawSquare(code, "red", 1, -0x10000, 10, 10, 30);     // 0xFFFF0000
  drawSquare(code, "green", 2, -0xFF0100, 50, 10, 30);  // 0xFF00FF00
  tags.doAction(program(code)).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  const QImage image = renderStage(*player);
  EXPECT_EQ(rgbAt(image, 25, 25), std::make_tuple(255, 0, 0));
  EXPECT_EQ(rgbAt(image, 65, 25), std::make_tuple(0, 255, 0));
}

TEST(ScriptedPlaybackTest, GradientLineStylesNeedTheirMatrix) {
  // Two blue 10 pixel lines; each clip then asks for a red gradient line
  // style, "a" without the matrix (ignored: the line stays blue), "b" with it.
  st::TagStream tags;
  Asm code;
  code.push({"c", 0xFF0000, 0xFF0000, 2}).op(AC::InitArray).op(AC::SetVariable);
  code.push({"k", 100, 100, 2}).op(AC::InitArray).op(AC::SetVariable);
  code.push({"r", 255, 0, 2}).op(AC::InitArray).op(AC::SetVariable);
  code.push({"m", "matrixType", "box", "x", 0, "y", 0, "w", 100, "h", 100, "r", 0, 6})
      .op(AC::InitObject)
      .op(AC::SetVariable);
  const std::array<std::pair<const char*, int>, 2> clips{{{"a", 20}, {"b", 60}}};
  for (const auto& [name, y] : clips) {
    call(code, "_root", "createEmptyMovieClip", {name, y});
    call(code, name, "lineStyle", {10, 0x0000FF});
    const bool withMatrix = name[0] == 'b';
    if (withMatrix) code.getVar("m");
    code.getVar("r").getVar("k").getVar("c").push({"linear", withMatrix ? 5 : 4});
    code.getVar(name).push({"lineGradientStyle"}).op(AC::CallMethod).op(AC::Pop);
    call(code, name, "moveTo", {10, y});
    call(code, name, "lineTo", {90, y});
  }
  tags.doAction(program(code)).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  const QImage image = renderStage(*player);
  EXPECT_EQ(rgbAt(image, 50, 20), std::make_tuple(0, 0, 255));
  EXPECT_EQ(rgbAt(image, 50, 60), std::make_tuple(255, 0, 0));
}

TEST(ScriptedPlaybackTest, RunawayScriptEndsAndTheMovieGoesOn) {
  st::TagStream tags;
  tags.doAction(program(Asm().label("loop").jump("loop"))).showFrame();
  tags.doAction(program(Asm().setVar("after", 1))).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  player->play();
  player->tick();
  EXPECT_EQ(player->currentFrame(), 1u);
  EXPECT_EQ(player->scriptVariable("after"), "1");
}

TEST(ScriptedPlaybackTest, OnlyWebAddressesReachTheUrlHandler) {
  st::TagStream tags;
  tags.showFrame();
  Asm code;
  code.getUrl("http://example.com/", "_blank").getUrl("file:///etc/passwd", "");
  code.getUrl("javascript:alert(1)", "").getUrl("FSCommand:quit", "");
  code.getUrl("HTTPS://example.org/", "");
  tags.doAction(program(code)).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  std::vector<QString> urls;
  player->setUrlHandler([&](const QString& url, const QString&) { urls.push_back(url); });
  player->play();
  player->tick();
  EXPECT_EQ(urls, (std::vector<QString>{"http://example.com/", "HTTPS://example.org/"}));
}

TEST(ScriptedPlaybackTest, KeysAndPointerReachScripts) {
  st::TagStream tags;
  Asm code;
  code.getVar("_root").push({"onMouseDown"});
  code.defineFunction("", {}, [](Asm& body) {
    body.push({"x"}).getVar("_root").push({"_xmouse"}).op(AC::GetMember).op(AC::SetVariable);
    body.push({"left"}).push({37, 1, "Key"}).op(AC::GetVariable).push({"isDown"});
    body.op(AC::CallMethod).op(AC::SetVariable);
  });
  code.op(AC::SetMember);
  // Key.addListener({onKeyUp: function() { released = Key.getCode(); }})
  code.push({"onKeyUp"}).defineFunction("", {}, [](Asm& body) {
    body.push({"released", 0, "Key"}).op(AC::GetVariable).push({"getCode"});
    body.op(AC::CallMethod).op(AC::SetVariable);
  });
  code.push({1}).op(AC::InitObject).push({1, "Key"}).op(AC::GetVariable);
  code.push({"addListener"}).op(AC::CallMethod).op(AC::Pop);
  tags.doAction(program(code)).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  EXPECT_TRUE(player->keyUp(39));
  EXPECT_EQ(player->scriptVariable("released"), "39");
  player->keyDown(37);
  player->pointerMove(300, 400);  // twips
  player->pointerDown();
  EXPECT_EQ(player->scriptVariable("x"), "15");
  EXPECT_EQ(player->scriptVariable("left"), "true");
}

}  // namespace
}  // namespace quelvo::swf
