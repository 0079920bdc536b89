// Clips whose library symbols are registered to classes (Object.registerClass
// in an init block), as components are built: the constructor runs on the
// clip, draws it and hides its placeholder before the frame's scripts use it.
#include <gtest/gtest.h>

#include "Avm1Fixtures.h"
#include "PlayerTestSupport.h"

namespace quelvo::swf {
namespace {

namespace st = swftest;
using avm1::test::AC;
using avm1::test::Asm;

constexpr std::uint16_t kDoInitAction = 59;
constexpr std::uint16_t kSquare = 1;       // a red 20 x 20 pixel square
constexpr std::uint16_t kPlaceholder = 2;  // a clip showing the square
constexpr std::uint16_t kSlider = 3;       // the component's sprite
constexpr std::uint16_t kKnob = 4;         // a registered sprite inside the component

// _root.order += prefix + this._name + ";"
Asm& noteOrder(Asm& code, const char* prefix) {
  code.getVar("_root").push({"order"});
  code.getVar("_root").push({"order"}).op(AC::GetMember).push({prefix}).op(AC::Add2);
  code.getVar("this").push({"_name"}).op(AC::GetMember).op(AC::Add2);
  return code.push({";"}).op(AC::Add2).op(AC::SetMember);
}

// this.method(args)
Asm& callThis(Asm& code, const char* method, std::initializer_list<avm1::test::PushItem> args) {
  return code.callMethod("this", method, args).op(AC::Pop);
}

// Object.registerClass(symbol, _global[className]) into the variable "registered".
Asm& registerClass(Asm& code, const char* symbol, const char* className) {
  code.push({"registered"});
  code.getVar("_global").push({className}).op(AC::GetMember).push({symbol, 2});
  code.getVar("Object").push({"registerClass"}).op(AC::CallMethod);
  return code.op(AC::SetVariable);
}

// The init block of a class extending MovieClip: its constructor notes its
// run, hides the placeholder clip "box" and draws a blue square over it; its
// onLoad notes its run too.
std::vector<std::uint8_t> sliderClass() {
  Asm code;
  code.getVar("_global").push({"Slider"});
  code.defineFunction("", {}, [](Asm& body) {
    noteOrder(body, "c");
    body.getVar("this").push({"box"}).op(AC::GetMember).push({"_visible", false});
    body.op(AC::SetMember);
    body.getVar("this").push({"ready", true}).op(AC::SetMember);
    callThis(body, "beginFill", {0x0000FF});
    callThis(body, "moveTo", {0, 0});
    callThis(body, "lineTo", {20, 0});
    callThis(body, "lineTo", {20, 20});
    callThis(body, "lineTo", {0, 20});
    callThis(body, "endFill", {});
  });
  code.op(AC::SetMember);
  code.getVar("Slider").getVar("MovieClip").op(AC::Extends);
  code.getVar("Slider").push({"prototype"}).op(AC::GetMember).push({"onLoad"});
  code.defineFunction("", {}, [](Asm& body) { noteOrder(body, "l"); });
  code.op(AC::SetMember);
  registerClass(code, "SliderSymbol", "Slider");
  return code.program();
}

// A class for the knob inside the slider: notes its constructor's run. Its
// init block runs first and starts the order.
std::vector<std::uint8_t> knobClass() {
  Asm code;
  code.setVar("order", "");
  code.getVar("_global").push({"Knob"});
  code.defineFunction("", {}, [](Asm& body) { noteOrder(body, "k"); });
  code.op(AC::SetMember);
  registerClass(code, "KnobSymbol", "Knob");
  return code.program();
}

std::vector<std::uint8_t> initAction(std::uint16_t sprite, const std::vector<std::uint8_t>& code) {
  std::vector<std::uint8_t> body{static_cast<std::uint8_t>(sprite & 0xFF),
                                 static_cast<std::uint8_t>(sprite >> 8)};
  body.insert(body.end(), code.begin(), code.end());
  return body;
}

// The library: the placeholder, the knob (empty) and the slider holding the
// placeholder as "box" and the knob as "knob", both symbols exported.
st::TagStream library() {
  st::TagStream tags;
  tags.defineRectangle(kSquare, {0, 400, 0, 400}, {255, 0, 0});
  st::TagStream placeholder;
  placeholder.placeObject(st::Placement::place(1, kSquare)).showFrame().end();
  tags.defineSprite(kPlaceholder, placeholder);
  st::TagStream knob;
  knob.showFrame().end();
  tags.defineSprite(kKnob, knob);
  st::TagStream slider;
  st::Placement box = st::Placement::place(1, kPlaceholder);
  box.name = "box";
  st::Placement inner = st::Placement::place(2, kKnob);
  inner.name = "knob";
  slider.placeObject(box).placeObject(inner).showFrame().end();
  tags.defineSprite(kSlider, slider);
  tags.exportAsset(kSlider, "SliderSymbol").exportAsset(kKnob, "KnobSymbol");
  return tags;
}

// Frame 1: the init blocks, a slider "s1" placed at the origin, and a frame
// script that reads what the constructor set and attaches "s2" at x 50.
st::TagStream componentMovie() {
  st::TagStream tags = library();
  tags.tag(kDoInitAction, initAction(kKnob, knobClass()));
  tags.tag(kDoInitAction, initAction(kSlider, sliderClass()));
  st::Placement placed = st::Placement::place(1, kSlider);
  placed.name = "s1";
  tags.placeObject(placed);
  Asm frame;
  frame.push({"order"}).getVar("order").push({"f"}).op(AC::Add2);
  frame.getVar("s1").push({"ready"}).op(AC::GetMember).op(AC::Add2);
  frame.push({";"}).op(AC::Add2).op(AC::SetVariable);
  frame.push({"_x", 50, 1}).op(AC::InitObject).push({5, "s2", "SliderSymbol", 4});
  frame.getVar("_root").push({"attachMovie"}).op(AC::CallMethod).op(AC::Pop);
  frame.push({"isSlider"}).getVar("s2").getVar("Slider").op(AC::InstanceOf).op(AC::SetVariable);
  frame.op(AC::Stop);
  tags.doAction(frame.program()).showFrame().end();
  return tags;
}

TEST(ComponentClassTest, ConstructorsRunBeforeFrameScriptsParentsFirstThenOnLoad) {
  st::TagStream tags = componentMovie();
  const auto player = playerFor(tags, [] {
    auto options = smallStage();
    options.version = 7;
    return options;
  }());
  ASSERT_TRUE(player);
  EXPECT_EQ(player->scriptVariable("registered"), "true");
  // s1 and its knob are made by the timeline, s2 by attachMovie (its
  // constructor runs before attachMovie returns, after _x was copied).
  EXPECT_EQ(player->scriptVariable("order"), "cs1;kknob;ftrue;cs2;kknob;ls1;ls2;");
  EXPECT_EQ(player->scriptVariable("isSlider"), "true");
  EXPECT_EQ(player->scriptVariable("s2._x"), "50");
}

TEST(ComponentClassTest, ConstructorsDrawOverTheHiddenPlaceholder) {
  const auto player = playerFor(componentMovie());
  ASSERT_TRUE(player);
  const QImage image = renderStage(*player);
  EXPECT_EQ(rgbAt(image, 10, 10), std::make_tuple(0, 0, 255));      // s1, drawn
  EXPECT_EQ(rgbAt(image, 60, 10), std::make_tuple(0, 0, 255));      // s2, attached
  EXPECT_EQ(rgbAt(image, 35, 10), std::make_tuple(255, 255, 255));  // between them
}

TEST(ComponentClassTest, UnregisteredAndUnknownSymbolsStayPlainClips) {
  st::TagStream tags = library();
  Asm code;
  code.setVar("order", "");
  code.getVar("_global").push({"Slider"});
  code.defineFunction("", {}, [](Asm& body) { noteOrder(body, "c"); });
  code.op(AC::SetMember);
  registerClass(code, "SliderSymbol", "Slider");
  code.push({"unknown"}).getVar("Slider").push({"NoSuchSymbol", 2});
  code.getVar("Object").push({"registerClass"}).op(AC::CallMethod).op(AC::SetVariable);
  // registerClass(name, null) takes the class away again.
  code.push({"removed"}).push({avm1::test::Null{}, "SliderSymbol", 2});
  code.getVar("Object").push({"registerClass"}).op(AC::CallMethod).op(AC::SetVariable);
  code.push({1, "a", "SliderSymbol", 3});
  code.getVar("_root").push({"attachMovie"}).op(AC::CallMethod).op(AC::Pop);
  tags.doAction(code.program()).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  EXPECT_EQ(player->scriptVariable("unknown"), "false");
  EXPECT_EQ(player->scriptVariable("removed"), "true");
  EXPECT_EQ(player->scriptVariable("order"), "");
  // The placeholder of the plain clip still shows.
  EXPECT_EQ(rgbAt(renderStage(*player), 10, 10), std::make_tuple(255, 0, 0));
}

}  // namespace
}  // namespace quelvo::swf
