// MovieClip geometry as scripts see it: bounds in any clip's space, points
// moved between spaces, depths and versions, shape hit tests, dragging and
// drop targets, and masks set and taken away by scripts.
#include <gtest/gtest.h>

#include "ClipScriptSupport.h"

namespace quelvo::swf {
namespace {

using namespace cliptest;

// p (at 100, 50, turned 90 degrees, its x axis doubled) holds r, with a
// filled rectangle from (10, 20) to (40, 30), and s, the same with a 4 pixel
// line around it; e is empty.
Asm nestedRectangles() {
  Asm code;
  makeClip(code, "_root", "p", 1);
  setMember(code, "p", "_x", 100);
  setMember(code, "p", "_y", 50);
  setMember(code, "p", "_rotation", 90);
  setMember(code, "p", "_xscale", 200);
  makeClip(code, "p", "r", 1);
  fillRect(code, "r", 0xFF0000, 10, 20, 30, 10);
  makeClip(code, "p", "s", 2);
  call(code, "s", "lineStyle", {4, 0});
  fillRect(code, "s", 0xFF0000, 10, 20, 30, 10);
  makeClip(code, "_root", "e", 2);
  return code;
}

// name = "xMin,xMax,yMin,yMax" of clip.method(target)
Asm& boundsText(Asm& code, const char* name, const char* clip, const char* method,
                const char* target) {
  code.push({"b"});
  if (target) {
    code.callMethod(clip, method, {}).op(AC::Pop);  // asked twice: no state kept
    code.getVar(target).push({1}).getVar(clip).push({method}).op(AC::CallMethod);
  } else {
    code.callMethod(clip, method, {});
  }
  code.op(AC::SetVariable);
  return joinMembers(code, name, "b", {"xMin", "xMax", "yMin", "yMax"});
}

TEST(ClipGeometryTest, BoundsInOwnParentAndStageSpace) {
  Asm code = nestedRectangles();
  boundsText(code, "own", "r", "getBounds", nullptr);
  boundsText(code, "inParent", "r", "getBounds", "p");
  boundsText(code, "onStage", "r", "getBounds", "_root");
  boundsText(code, "holder", "p", "getBounds", "p");
  boundsText(code, "stroked", "s", "getBounds", nullptr);
  boundsText(code, "unstroked", "s", "getRect", nullptr);
  boundsText(code, "empty", "e", "getBounds", nullptr);
  code.push({"width"}).getVar("r").push({"_width"}).op(AC::GetMember).op(AC::SetVariable);
  const auto player = playing(code);
  ASSERT_TRUE(player);
  EXPECT_EQ(player->scriptVariable("own"), "10,40,20,30");
  EXPECT_EQ(player->scriptVariable("inParent"), "10,40,20,30");
  // (x, y) in p lands on (100 - y, 50 + 2x) on the stage.
  EXPECT_EQ(player->scriptVariable("onStage"), "70,80,70,130");
  EXPECT_EQ(player->scriptVariable("holder"), "8,42,18,32");  // the children together
  EXPECT_EQ(player->scriptVariable("stroked"), "8,42,18,32");
  EXPECT_EQ(player->scriptVariable("unstroked"), "10,40,20,30");
  EXPECT_EQ(player->scriptVariable("empty"), "6710886.35,6710886.35,6710886.35,6710886.35");
  EXPECT_EQ(player->scriptVariable("width"), "30");  // drawn in the same script
}

TEST(ClipGeometryTest, PointsGoToTheStageAndBack) {
  Asm code = nestedRectangles();
  code.push({"pt", "x", 10, "y", 20, 2}).op(AC::InitObject).op(AC::SetVariable);
  call(code, "r", "localToGlobal", {});  // no point: nothing happens
  code.getVar("pt").push({1}).getVar("r").push({"localToGlobal"}).op(AC::CallMethod).op(AC::Pop);
  joinMembers(code, "global", "pt", {"x", "y"});
  code.getVar("pt").push({1}).getVar("r").push({"globalToLocal"}).op(AC::CallMethod).op(AC::Pop);
  joinMembers(code, "local", "pt", {"x", "y"});
  // A clip scaled to nothing has no way back: the point stays.
  setMember(code, "e", "_xscale", 0);
  code.getVar("pt").push({1}).getVar("e").push({"globalToLocal"}).op(AC::CallMethod).op(AC::Pop);
  joinMembers(code, "kept", "pt", {"x", "y"});
  const auto player = playing(code);
  ASSERT_TRUE(player);
  EXPECT_EQ(player->scriptVariable("global"), "80,70");
  EXPECT_EQ(player->scriptVariable("local"), "10,20");
  EXPECT_EQ(player->scriptVariable("kept"), "10,20");
}

TEST(ClipGeometryTest, InstancesAtDepthsAndTheMovieVersion) {
  Asm code = nestedRectangles();
  code.push({"atOne"}).callMethod("_root", "getInstanceAtDepth", {1});
  code.push({"_name"}).op(AC::GetMember).op(AC::SetVariable);
  code.push({"atNone"}).callMethod("_root", "getInstanceAtDepth", {77}).op(AC::TypeOf);
  code.op(AC::SetVariable);
  code.push({"version"}).callMethod("r", "getSWFVersion", {}).op(AC::SetVariable);
  const auto player = playing(code);
  ASSERT_TRUE(player);
  EXPECT_EQ(player->scriptVariable("atOne"), "p");
  EXPECT_EQ(player->scriptVariable("atNone"), "undefined");
  EXPECT_EQ(player->scriptVariable("version"), "10");
}

// name = clip.hitTest(x, y, shape)
Asm& hitText(Asm& code, const char* name, const char* clip, int x, int y, bool shape) {
  code.push({name}).callMethod(clip, "hitTest", {x, y, shape});
  return code.op(AC::SetVariable);
}

TEST(ClipGeometryTest, ShapeHitTestsFollowTheFillsOfChildren) {
  // holder at (20, 20) holds ring: a 60 pixel square with a 20 pixel hole.
  Asm code;
  makeClip(code, "_root", "holder", 1);
  setMember(code, "holder", "_x", 20);
  setMember(code, "holder", "_y", 20);
  makeClip(code, "holder", "ring", 1);
  call(code, "ring", "beginFill", {0x0000FF});
  drawRect(code, "ring", 0, 0, 60, 60);
  drawRect(code, "ring", 20, 20, 20, 20);
  call(code, "ring", "endFill", {});
  hitText(code, "onRing", "holder", 25, 25, true);
  hitText(code, "inHole", "holder", 50, 50, true);
  hitText(code, "holeInBox", "holder", 50, 50, false);
  hitText(code, "outside", "holder", 10, 10, false);
  code.push({"byClip"}).getVar("holder").push({1}).getVar("ring").push({"hitTest"});
  code.op(AC::CallMethod).op(AC::SetVariable);
  // A mask set by a script hides the rest of the ring from the test.
  makeClip(code, "_root", "m", 2);
  fillRect(code, "m", 0, 70, 70, 30, 30);
  code.getVar("m").push({1}).getVar("holder").push({"setMask"}).op(AC::CallMethod).op(AC::Pop);
  hitText(code, "maskedOut", "holder", 25, 25, true);
  hitText(code, "maskedIn", "holder", 75, 75, true);
  const auto player = playing(code);
  ASSERT_TRUE(player);
  EXPECT_EQ(player->scriptVariable("onRing"), "true");
  EXPECT_EQ(player->scriptVariable("inHole"), "false");
  EXPECT_EQ(player->scriptVariable("holeInBox"), "true");
  EXPECT_EQ(player->scriptVariable("outside"), "false");
  EXPECT_EQ(player->scriptVariable("byClip"), "true");
  EXPECT_EQ(player->scriptVariable("maskedOut"), "false");
  EXPECT_EQ(player->scriptVariable("maskedIn"), "true");
}

TEST(ClipGeometryTest, DraggingKeepsToBoundsInTheParentAndNamesTheDropTarget) {
  // d sits in p (at 50, 0, doubled); target t covers the stage's top left.
  Asm code;
  makeClip(code, "_root", "t", 1);
  fillRect(code, "t", 0x00FF00, 0, 0, 70, 50);
  makeClip(code, "_root", "p", 2);
  setMember(code, "p", "_x", 50);
  setMember(code, "p", "_xscale", 200);
  setMember(code, "p", "_yscale", 200);
  makeClip(code, "p", "d", 1);
  fillRect(code, "d", 0xFF0000, -2, -2, 4, 4);
  call(code, "d", "startDrag", {true, 0, 0, 10, 10});
  code.getVar("_root").push({"onMouseUp"});
  code.defineFunction("", {}, [](Asm& body) {
    call(body, "d", "stopDrag", {});
    body.push({"dropped"}).getVar("d").push({"_droptarget"}).op(AC::GetMember);
    body.op(AC::SetVariable);
  });
  code.op(AC::SetMember);
  const auto player = playing(code);
  ASSERT_TRUE(player);
  player->pointerMove(90 * 20, 90 * 20);  // (20, 45) in p: held at (10, 10)
  EXPECT_EQ(player->scriptVariable("d._x"), "10");
  EXPECT_EQ(player->scriptVariable("d._y"), "10");
  player->pointerMove(60 * 20, 10 * 20);  // (5, 5) in p
  EXPECT_EQ(player->scriptVariable("d._x"), "5");
  EXPECT_EQ(player->scriptVariable("d._y"), "5");
  player->pointerMove(52 * 20, 10 * 20);  // (1, 5) in p, over t
  player->pointerDown();
  player->pointerUp();
  EXPECT_EQ(player->scriptVariable("dropped"), "/t");
  player->pointerMove(30 * 20, 80 * 20);  // no longer dragged
  EXPECT_EQ(player->scriptVariable("d._x"), "1");
}

TEST(ClipGeometryTest, MasksSwitchedOrTakenAwayShowTheOldMaskAgain) {
  // content (red) fills the stage under m1 (green, top left quarter) and
  // m2 (blue, bottom right quarter); each frame sets the mask anew.
  swftest::TagStream tags;
  Asm setup;
  makeClip(setup, "_root", "content", 1);
  fillRect(setup, "content", 0xFF0000, 0, 0, 100, 100);
  makeClip(setup, "_root", "m1", 2);
  fillRect(setup, "m1", 0x00FF00, 0, 0, 50, 50);
  makeClip(setup, "_root", "m2", 3);
  fillRect(setup, "m2", 0x0000FF, 50, 50, 50, 50);
  setup.getVar("m1").push({1}).getVar("content").push({"setMask"}).op(AC::CallMethod);
  setup.op(AC::Pop).op(AC::Stop);
  tags.doAction(setup.program()).showFrame();
  Asm toM2;
  toM2.getVar("m2").push({1}).getVar("content").push({"setMask"}).op(AC::CallMethod).op(AC::Pop);
  tags.doAction(toM2.program()).showFrame();
  Asm none;
  none.push({avm1::test::Null{}, 1}).getVar("content").push({"setMask"}).op(AC::CallMethod);
  none.op(AC::Pop);
  tags.doAction(none.program()).showFrame();
  Asm removed;
  removed.getVar("m2").push({1}).getVar("content").push({"setMask"}).op(AC::CallMethod);
  removed.op(AC::Pop);
  call(removed, "m2", "removeMovieClip", {}).op(AC::Stop);
  tags.doAction(removed.program()).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  const auto red = std::make_tuple(255, 0, 0);
  const auto green = std::make_tuple(0, 255, 0);
  const auto blue = std::make_tuple(0, 0, 255);
  const auto white = std::make_tuple(255, 255, 255);

  QImage image = renderStage(*player);
  EXPECT_EQ(rgbAt(image, 25, 25), red);  // content through m1
  EXPECT_EQ(rgbAt(image, 90, 10), white);
  EXPECT_EQ(rgbAt(image, 75, 75), blue);

  player->play();
  player->tick();
  image = renderStage(*player);
  EXPECT_EQ(rgbAt(image, 25, 25), green);  // m1 is drawn again
  EXPECT_EQ(rgbAt(image, 75, 75), red);    // content through m2
  EXPECT_EQ(rgbAt(image, 90, 10), white);

  player->tick();
  image = renderStage(*player);
  EXPECT_EQ(rgbAt(image, 25, 25), green);
  EXPECT_EQ(rgbAt(image, 75, 75), blue);
  EXPECT_EQ(rgbAt(image, 90, 10), red);  // no mask at all

  player->tick();
  image = renderStage(*player);
  EXPECT_EQ(rgbAt(image, 75, 75), red);  // the mask went: content shows whole
  EXPECT_EQ(rgbAt(image, 90, 10), red);
}

}  // namespace
}  // namespace quelvo::swf
