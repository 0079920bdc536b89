// Listener lists (AsBroadcaster, Key), the Stage object, Color objects, the
// Selection object and text fields' listeners, as movies' scripts use them.
#include <gtest/gtest.h>

#include "Avm1Fixtures.h"
#include "PlayerTestSupport.h"

namespace quelvo::swf {
namespace {

namespace st = swftest;
using avm1::test::AC;
using avm1::test::Asm;
using avm1::test::Null;
using avm1::test::PushItem;

// log += value (a variable's when name is given).
Asm& logValue(Asm& code, PushItem value) {
  return code.push({"log"}).getVar("log").push({std::move(value)}).op(AC::Add2).op(AC::SetVariable);
}
Asm& logVar(Asm& code, const char* name) {
  return code.push({"log"}).getVar("log").getVar(name).op(AC::Add2).op(AC::SetVariable);
}

// variable.member = value
Asm& setMember(Asm& code, const char* variable, const char* member, PushItem value) {
  return code.getVar(variable).push({member, std::move(value)}).op(AC::SetMember);
}

// result = variable.member
Asm& readMember(Asm& code, const char* result, const char* variable, const char* member) {
  return code.push({result}).getVar(variable).push({member}).op(AC::GetMember).op(AC::SetVariable);
}

// variable.member = function(params) { body }
Asm& setHandler(Asm& code, const char* variable, const char* member,
                std::initializer_list<const char*> params, const Asm::Body& body) {
  code.getVar(variable).push({member});
  code.defineFunction("", params, body);
  return code.op(AC::SetMember);
}

// result = variable.method(args)
Asm& callInto(Asm& code, const char* result, const char* variable, const char* method,
              std::initializer_list<PushItem> args) {
  code.push({result});
  return code.callMethod(variable, method, args).op(AC::SetVariable);
}

// name = new Object()
Asm& newObject(Asm& code, const char* name) {
  code.push({name});
  return code.newObject("Object", {}).op(AC::SetVariable);
}

// name = _root.createTextField(name, depth, x, y, width, height), an input field.
Asm& inputField(Asm& code, const char* name, int depth, int y) {
  code.push({name});
  code.callMethod("_root", "createTextField", {name, depth, 0, y, 100, 20});
  code.op(AC::SetVariable);
  return setMember(code, name, "type", "input");
}

std::unique_ptr<Player> play(const Asm& code, st::TagStream tags = st::TagStream()) {
  tags.doAction(Asm(code).op(AC::Stop).program()).showFrame().end();
  st::MovieOptions options = smallStage();
  options.version = 8;
  return playerFor(tags, options);
}

// A movie whose first frame runs first and whose second runs at the first
// tick (it plays), then stops.
std::unique_ptr<Player> playTwoFrames(const Asm& first, const Asm& second) {
  st::TagStream tags;
  tags.doAction(first.program()).showFrame();
  tags.doAction(Asm(second).op(AC::Stop).program()).showFrame().end();
  st::MovieOptions options = smallStage();
  options.version = 8;
  auto player = playerFor(tags, options);
  if (player) player->play();
  return player;
}

QString var(Player& player, const char* name) {
  return player.scriptVariable(QString::fromLatin1(name));
}

TEST(StageColorSelectionTest, BroadcastersCallListenersInOrderAndSurviveRemovalDuringABroadcast) {
  Asm code;
  code.setVar("log", "");
  newObject(code, "source");
  code.callMethod("AsBroadcaster", "initialize", {}).op(AC::Pop);  // no object: nothing
  code.getVar("source").push({1}).getVar("AsBroadcaster");
  code.push({"initialize"}).op(AC::CallMethod).op(AC::Pop);
  // a takes itself off the list while the first broadcast runs; b comes after it.
  newObject(code, "a");
  setHandler(code, "a", "onPing", {"x", "y"}, [](Asm& body) {
    logValue(body, "a");
    logVar(body, "x");
    logVar(body, "y");
    body.getVar("a").push({1}).getVar("source").push({"removeListener"}).op(AC::CallMethod);
    body.op(AC::Pop);
  });
  newObject(code, "b");
  setHandler(code, "b", "onPing", {"x", "y"}, [](Asm& body) {
    logValue(body, "b");
    logVar(body, "x");
    logVar(body, "y");
  });
  for (const char* listener : {"a", "b", "a"}) {  // a second add changes nothing
    code.getVar(listener).push({1}).getVar("source").push({"addListener"}).op(AC::CallMethod);
    code.op(AC::Pop);
  }
  callInto(code, "first", "source", "broadcastMessage", {"onPing", 1, 2});
  logValue(code, "|");
  callInto(code, "second", "source", "broadcastMessage", {"onPing", 3, 4});
  code.push({"left"}).getVar("source").push({"_listeners"}).op(AC::GetMember);
  code.push({"length"}).op(AC::GetMember).op(AC::SetVariable);
  newObject(code, "quiet");
  code.getVar("quiet").push({1, "AsBroadcaster"}).op(AC::GetVariable);
  code.push({"initialize"}).op(AC::CallMethod).op(AC::Pop);
  callInto(code, "unheard", "quiet", "broadcastMessage", {"onPing"});
  // Key is a broadcaster of the same kind: its list, its broadcastMessage.
  newObject(code, "k");
  setHandler(code, "k", "onKeyDown", {}, [](Asm& body) {
    logValue(body, "|key");
    body.push({"log"}).getVar("log").callMethod("Key", "getCode", {}).op(AC::Add2);
    body.op(AC::SetVariable);
  });
  code.getVar("k").push({1}).getVar("Key").push({"addListener"}).op(AC::CallMethod).op(AC::Pop);
  code.push({"keyList"}).getVar("Key").push({"_listeners"}).op(AC::GetMember);
  code.push({"length"}).op(AC::GetMember).op(AC::SetVariable);
  const auto player = play(code);
  ASSERT_TRUE(player);
  EXPECT_EQ(var(*player, "first"), QStringLiteral("true"));
  EXPECT_EQ(var(*player, "second"), QStringLiteral("true"));
  EXPECT_EQ(var(*player, "unheard"), QStringLiteral("false"));
  EXPECT_EQ(var(*player, "left"), QStringLiteral("1"));
  EXPECT_EQ(var(*player, "keyList"), QStringLiteral("1"));
  EXPECT_EQ(var(*player, "log"), QStringLiteral("a12b12|b34"));
  player->keyDown(65, u'a');
  EXPECT_EQ(var(*player, "log"), QStringLiteral("a12b12|b34|key65"));
}

TEST(StageColorSelectionTest, StageSizeIsTheMovieSUntilNoScaleThenTheViewSWithOnResize) {
  Asm first;
  first.setVar("log", "");
  readMember(first, "width", "Stage", "width");
  readMember(first, "mode", "Stage", "scaleMode");
  readMember(first, "menu", "Stage", "showMenu");
  setMember(first, "Stage", "width", 5);              // read-only
  setMember(first, "Stage", "scaleMode", "stretch");  // unknown: kept as it was
  newObject(first, "watcher");
  setHandler(first, "watcher", "onResize", {}, [](Asm& body) {
    body.push({"log"}).getVar("log").getVar("Stage").push({"width"}).op(AC::GetMember);
    body.op(AC::Add2).push({"x"}).op(AC::Add2);
    body.getVar("Stage").push({"height"}).op(AC::GetMember).op(AC::Add2);
    body.push({";"}).op(AC::Add2).op(AC::SetVariable);
  });
  first.getVar("watcher").push({1}).getVar("Stage").push({"addListener"}).op(AC::CallMethod);
  first.op(AC::Pop);
  Asm second;
  setMember(second, "Stage", "scaleMode", "NOSCALE");
  setMember(second, "Stage", "align", "lt");
  setMember(second, "Stage", "showMenu", false);
  readMember(second, "noScaleWidth", "Stage", "width");
  readMember(second, "noScaleMode", "Stage", "scaleMode");
  readMember(second, "align", "Stage", "align");
  readMember(second, "menuAfter", "Stage", "showMenu");
  const auto player = playTwoFrames(first, second);
  ASSERT_TRUE(player);
  EXPECT_EQ(var(*player, "width"), QStringLiteral("100"));
  EXPECT_EQ(var(*player, "mode"), QStringLiteral("showAll"));
  EXPECT_EQ(var(*player, "menu"), QStringLiteral("true"));
  EXPECT_FALSE(player->scriptedStage());
  // Under showAll the view's size is not the stage's, and nobody hears of it.
  EXPECT_FALSE(player->setViewSize(300, 200));
  EXPECT_EQ(var(*player, "Stage.width"), QStringLiteral("100"));
  EXPECT_EQ(var(*player, "Stage.scaleMode"), QStringLiteral("showAll"));
  player->tick();
  EXPECT_EQ(var(*player, "noScaleWidth"), QStringLiteral("300"));
  EXPECT_EQ(var(*player, "noScaleMode"), QStringLiteral("noScale"));
  EXPECT_EQ(var(*player, "align"), QStringLiteral("TL"));
  EXPECT_EQ(var(*player, "menuAfter"), QStringLiteral("false"));
  const auto stage = player->scriptedStage();
  ASSERT_TRUE(stage);
  EXPECT_EQ(stage->scale, avm1::StageScale::NoScale);
  EXPECT_EQ(stage->align, QStringLiteral("TL"));
  EXPECT_TRUE(player->setViewSize(400, 250.4));
  EXPECT_FALSE(player->setViewSize(400, 250));  // the same size again
  // A size no view has is taken as the largest one.
  EXPECT_TRUE(player->setViewSize(1e300, std::nan("")));
  EXPECT_EQ(var(*player, "log"), QStringLiteral("400x250;65536x0;"));
}

// A 100 x 100 red square in a clip named box, covering the stage.
st::TagStream redBox() {
  st::TagStream tags;
  tags.defineRectangle(1, {0, 2000, 0, 2000}, {255, 0, 0});
  st::TagStream sprite;
  sprite.placeObject(st::Placement::place(1, 1)).showFrame().end();
  tags.defineSprite(2, sprite);
  st::Placement placement = st::Placement::place(1, 2);
  placement.name = "box";
  tags.placeObject(placement);
  return tags;
}

TEST(StageColorSelectionTest, ColorSetsTheDrawnColourAndItsTransformRoundTrips) {
  Asm code;
  code.push({"colour"}).getVar("box").push({1, "Color"}).op(AC::NewObject).op(AC::SetVariable);
  code.callMethod("colour", "setRGB", {0x336699}).op(AC::Pop);
  callInto(code, "rgb", "colour", "getRGB", {});
  const auto player = play(code, redBox());
  ASSERT_TRUE(player);
  EXPECT_EQ(var(*player, "rgb"), QString::number(0x336699));
  EXPECT_EQ(rgbAt(renderStage(*player), 50, 50), std::make_tuple(0x33, 0x66, 0x99));

  // A path names the clip too; setTransform changes the members given only.
  Asm transform;
  transform.push({"colour", "_root.box", 1, "Color"}).op(AC::NewObject).op(AC::SetVariable);
  setMember(transform, "box", "_alpha", 50);
  newObject(transform, "parts");
  setMember(transform, "parts", "ra", 50);
  setMember(transform, "parts", "rb", 10);
  setMember(transform, "parts", "ga", "none");  // no number: nothing of the channel
  transform.getVar("parts").push({1}).getVar("colour").push({"setTransform"});
  transform.op(AC::CallMethod).op(AC::Pop);
  callInto(transform, "t", "colour", "getTransform", {});
  transform.setVar("log", "");
  for (const char* member : {"ra", "rb", "ga", "gb", "ba", "bb", "aa", "ab"}) {
    transform.push({"log"}).getVar("log").getVar("t").push({member}).op(AC::GetMember);
    transform.op(AC::Add2).push({","}).op(AC::Add2).op(AC::SetVariable);
  }
  // A Color of nothing does nothing.
  transform.push({"lost", "_root.nothing", 1, "Color"}).op(AC::NewObject).op(AC::SetVariable);
  transform.callMethod("lost", "setRGB", {0}).op(AC::Pop);
  transform.push({"lostRgb"}).callMethod("lost", "getRGB", {}).op(AC::TypeOf).op(AC::SetVariable);
  const auto changed = play(transform, redBox());
  ASSERT_TRUE(changed);
  EXPECT_EQ(var(*changed, "log"), QStringLiteral("50,10,0,0,100,0,50,0,"));
  EXPECT_EQ(var(*changed, "lostRgb"), QStringLiteral("undefined"));
  // Red at half (127.5) plus 10, drawn at half opacity over white.
  const auto [red, green, blue] = rgbAt(renderStage(*changed), 50, 50);
  EXPECT_NEAR(red, (137 + 255) / 2, 2);
  EXPECT_NEAR(green, 255 / 2, 2);
  EXPECT_NEAR(blue, 255 / 2, 2);
}

TEST(StageColorSelectionTest, SelectionMovesTheFocusByFieldOrPathAndTellsItsListeners) {
  Asm code;
  code.setVar("log", "");
  inputField(code, "f", 1, 0);
  inputField(code, "g", 2, 40);
  setMember(code, "f", "text", "hello");
  callInto(code, "before", "Selection", "getBeginIndex", {});
  newObject(code, "watcher");
  setHandler(code, "watcher", "onSetFocus", {"from", "to"}, [](Asm& body) {
    logVar(body, "from");
    logValue(body, ">");
    logVar(body, "to");
    logValue(body, ";");
  });
  code.getVar("watcher").push({1}).getVar("Selection").push({"addListener"}).op(AC::CallMethod);
  code.op(AC::Pop);
  setHandler(code, "f", "onKillFocus", {"to"}, [](Asm& body) {
    logValue(body, "kill:");
    logVar(body, "to");
    logValue(body, ";");
  });
  code.push({"toField"}).getVar("f").push({1}).getVar("Selection").push({"setFocus"});
  code.op(AC::CallMethod).op(AC::SetVariable);
  callInto(code, "focus", "Selection", "getFocus", {});
  code.callMethod("Selection", "setSelection", {1, 3}).op(AC::Pop);
  callInto(code, "begin", "Selection", "getBeginIndex", {});
  callInto(code, "end", "Selection", "getEndIndex", {});
  callInto(code, "caret", "Selection", "getCaretIndex", {});
  callInto(code, "toClip", "Selection", "setFocus", {"_root"});
  Asm next;
  callInto(next, "toPath", "Selection", "setFocus", {"_root.g"});
  callInto(next, "moved", "Selection", "getFocus", {});
  next.push({"cleared", Null()}).push({1}).getVar("Selection").push({"setFocus"});
  next.op(AC::CallMethod).op(AC::SetVariable);
  next.push({"afterClear"}).callMethod("Selection", "getFocus", {}).op(AC::TypeOf);
  next.op(AC::SetVariable);
  const auto player = playTwoFrames(code, next);
  ASSERT_TRUE(player);
  EXPECT_EQ(var(*player, "before"), QStringLiteral("-1"));
  EXPECT_EQ(var(*player, "toField"), QStringLiteral("true"));
  EXPECT_EQ(var(*player, "focus"), QStringLiteral("_level0.f"));
  EXPECT_EQ(var(*player, "begin"), QStringLiteral("1"));
  EXPECT_EQ(var(*player, "end"), QStringLiteral("3"));
  EXPECT_EQ(var(*player, "caret"), QStringLiteral("3"));
  EXPECT_EQ(var(*player, "toClip"), QStringLiteral("false"));
  EXPECT_EQ(var(*player, "log"), QStringLiteral("null>_level0.f;"));
  // Typing replaces the selection.
  player->keyDown('X', 'X');
  EXPECT_EQ(var(*player, "f.text"), QStringLiteral("hXlo"));
  player->tick();
  EXPECT_EQ(var(*player, "toPath"), QStringLiteral("true"));
  EXPECT_EQ(var(*player, "moved"), QStringLiteral("_level0.g"));
  EXPECT_EQ(var(*player, "cleared"), QStringLiteral("true"));
  EXPECT_EQ(var(*player, "afterClear"), QStringLiteral("null"));
  EXPECT_EQ(var(*player, "log"),
            QStringLiteral("null>_level0.f;kill:_level0.g;_level0.f>_level0.g;_level0.g>null;"));
}

TEST(StageColorSelectionTest, TextFieldListenersHearTypedChangesAndScrollingBesideTheField) {
  Asm code;
  code.setVar("log", "");
  inputField(code, "f", 1, 0);
  setMember(code, "f", "multiline", true);
  setHandler(code, "f", "onChanged", {"field"}, [](Asm& body) {
    logValue(body, "own:");
    body.push({"log"}).getVar("log").getVar("field").push({"_name"}).op(AC::GetMember);
    body.op(AC::Add2).push({";"}).op(AC::Add2).op(AC::SetVariable);
  });
  newObject(code, "watcher");
  // The watcher leaves after the first news of scrolling.
  for (const char* event : {"onChanged", "onScroller"}) {
    setHandler(code, "watcher", event, {"field"}, [event](Asm& body) {
      logValue(body, event);
      body.push({"log"}).getVar("log").getVar("field").push({"_name"}).op(AC::GetMember);
      body.op(AC::Add2).push({";"}).op(AC::Add2).op(AC::SetVariable);
      if (event == std::string("onScroller")) {
        body.getVar("watcher").push({1}).getVar("field").push({"removeListener"});
        body.op(AC::CallMethod).op(AC::Pop);
      }
    });
  }
  code.getVar("watcher").push({1}).getVar("f").push({"addListener"}).op(AC::CallMethod);
  code.op(AC::Pop);
  code.getVar("f").push({1}).getVar("Selection").push({"setFocus"}).op(AC::CallMethod);
  code.op(AC::Pop);
  Asm next;
  setMember(next, "f", "text", "1\r2\r3\r4\r5\r6");
  setMember(next, "f", "scroll", 3);
  setMember(next, "f", "scroll", 3);  // no change, no news
  const auto player = playTwoFrames(code, next);
  ASSERT_TRUE(player);
  player->keyDown('A', 'a');
  EXPECT_EQ(var(*player, "log"), QStringLiteral("own:f;onChangedf;"));
  player->tick();
  player->keyDown('B', 'b');
  EXPECT_EQ(var(*player, "log"), QStringLiteral("own:f;onChangedf;onScrollerf;own:f;"));
}

}  // namespace
}  // namespace quelvo::swf
