#include "Avm1Fixtures.h"

namespace quelvo::swf::avm1 {
namespace {

using test::AC;
using test::Asm;
using test::FakeClip;
using test::VmRunner;
using Lines = std::vector<std::string>;

// _root (10 frames, "intro" at frame index 2) with a clip "mc" (5 frames, "end" at 4).
struct Stage {
  Stage() {
    FakeClip& root = runner.host.clips[runner.host.root];
    root.totalFrames = 10;
    root.labels[QStringLiteral("intro")] = 2;
    mc = runner.host.addClip(runner.host.root, QStringLiteral("mc"), 5);
    runner.host.clips[mc].labels[QStringLiteral("end")] = 4;
  }
  FakeClip& root() { return runner.host.clips[runner.host.root]; }
  FakeClip& clip() { return runner.host.clips[mc]; }

  VmRunner runner{6};
  ClipHandle mc = kNoClip;
};

TEST(Avm1TimelineTest, Swf3ActionsDriveTheTimeline) {
  Stage stage;
  Asm code;
  code.gotoFrame(6).op(AC::PreviousFrame).op(AC::NextFrame).op(AC::NextFrame);
  stage.runner.run(code);
  EXPECT_EQ(stage.root().frame, 7);
  EXPECT_FALSE(stage.root().playing);
  Asm label;
  label.gotoLabel("intro").op(AC::Play).gotoLabel("no such label");
  stage.runner.run(label);
  EXPECT_EQ(stage.root().frame, 2);
  EXPECT_TRUE(stage.root().playing);
  Asm misc;
  misc.op(AC::ToggleQuality).op(AC::StopSounds);
  stage.runner.run(misc);
  EXPECT_EQ(stage.runner.host.calls.back(), "stopSounds");
}

TEST(Avm1TimelineTest, GotoFrame2TakesNumbersLabelsAndPaths) {
  Stage stage;
  Asm code;
  code.push({4}).gotoFrame2(true);  // frame numbers count from 1
  stage.runner.run(code);
  EXPECT_EQ(stage.root().frame, 3);
  EXPECT_TRUE(stage.root().playing);
  Asm byPath;
  byPath.push({"/mc:end"}).gotoFrame2(false);
  stage.runner.run(byPath);
  EXPECT_EQ(stage.clip().frame, 4);
  EXPECT_FALSE(stage.clip().playing);
  Asm biased;
  biased.push({"2"}).gotoFrame2(false, 3);
  stage.runner.run(biased);
  EXPECT_EQ(stage.root().frame, 4);
}

TEST(Avm1TimelineTest, PropertiesByIndexAndByName) {
  Stage stage;
  Asm code;
  code.push({"mc", 0, "15"}).op(AC::SetProperty);  // _x from a string
  code.push({"/mc", 7, 0}).op(AC::SetProperty);    // _visible
  code.push({"mc", 4, 3}).op(AC::SetProperty);     // _currentframe is read-only
  code.setVar("mc._Alpha", 40);                    // names ignore case
  code.setVar("mc._name", "renamed");
  code.push({"renamed", 0}).op(AC::GetProperty).op(AC::Trace);
  code.traceVar("renamed._xscale");
  code.traceVar("renamed._totalframes");
  code.push({"", 13}).op(AC::GetProperty).op(AC::Trace);  // _root's _name
  code.push({"renamed", 99}).op(AC::GetProperty).op(AC::Trace);
  EXPECT_EQ(stage.runner.traced(code), (Lines{"15", "100", "5", "", "undefined"}));
  const FakeClip& clip = stage.clip();
  EXPECT_TRUE(clip.properties.at(ClipProperty::X).isNumber());
  EXPECT_FALSE(clip.properties.at(ClipProperty::Visible).asBoolean());
  EXPECT_EQ(clip.properties.at(ClipProperty::Alpha).asNumber(), 40);
  EXPECT_EQ(clip.properties.count(ClipProperty::CurrentFrame), 0u);
}

TEST(Avm1TimelineTest, MovieClipMethodsForwardToTheHost) {
  Stage stage;
  Asm code;
  code.callMethod("mc", "gotoAndStop", {"end"}).op(AC::Pop);
  code.push({7, "dup", 2}).getVar("mc").push({"duplicateMovieClip"}).op(AC::CallMethod);
  code.op(AC::TargetPath).op(AC::Trace);
  code.push({3, "holder", 2}).getVar("_root").push({"createEmptyMovieClip"}).op(AC::CallMethod);
  code.op(AC::Pop);
  code.callMethod("holder", "lineStyle", {2, 0xFF0000}).op(AC::Pop);
  code.callMethod("holder", "moveTo", {1, 2}).op(AC::Pop);
  code.callMethod("holder", "curveTo", {3, 4, 5, 6}).op(AC::Pop);
  code.callMethod("mc", "getDepth", {}).op(AC::Trace);
  code.callMethod("mc", "hitTest", {5, 5}).op(AC::Trace);
  code.callMethod("mc", "removeMovieClip", {}).op(AC::Pop);
  code.getVar("mc").op(AC::TypeOf).op(AC::Trace);
  EXPECT_EQ(stage.runner.traced(code), (Lines{"_level0.dup", "2", "true", "undefined"}));
  EXPECT_EQ(stage.clip().frame, 4);
  ASSERT_EQ(stage.runner.host.draws.size(), 3u);
  EXPECT_EQ(stage.runner.host.draws[0].op, DrawCommand::Op::LineStyle);
  EXPECT_EQ(stage.runner.host.draws[0].args[1], 0xFF0000);
  EXPECT_EQ(stage.runner.host.draws[0].args[2], 100);  // default alpha
  EXPECT_EQ(stage.runner.host.draws[2].args[3], 6);
}

TEST(Avm1TimelineTest, GradientFillsKeepTheFocalRatioInFixedPoint) {
  Stage stage;
  Asm code;
  // beginGradientFill("radial", colours, alphas, ratios, matrix, "pad", "RGB", focal)
  for (const double focal : {0.9, -0.9, 5.0}) {
    code.push({focal, "RGB", "pad"});
    code.push({"a", 1, "b", 0, "c", 0, "d", 1, "tx", 0, "ty", 0, 6}).op(AC::InitObject);
    code.push({255, 0, 2}).op(AC::InitArray);
    code.push({100, 100, 2}).op(AC::InitArray);
    code.push({0xFF, 0xFF0000, 2}).op(AC::InitArray);
    code.push({"radial", 8}).getVar("mc").push({"beginGradientFill"}).op(AC::CallMethod);
    code.op(AC::Pop);
  }
  stage.runner.run(code);
  const auto& draws = stage.runner.host.draws;
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_EQ(draws[0].gradient.focalPoint, 230 / 256.0);
  EXPECT_EQ(draws[1].gradient.focalPoint, -230 / 256.0);
  EXPECT_EQ(draws[2].gradient.focalPoint, 1.0);
  EXPECT_EQ(draws[0].gradient.ratios, (std::vector<double>{0, 255}));
}

TEST(Avm1TimelineTest, LineStylesTakeHintingScalingCapsJointsAndMiterLimit) {
  Stage stage;
  Asm code;
  code.callMethod("mc", "lineStyle", {5, 0xFF00FF, 100, true, "vertical", "square", "miter", 300});
  code.op(AC::Pop);
  code.callMethod("mc", "lineStyle", {2, 0, 100, false, "none", "flat", "bevel", 0}).op(AC::Pop);
  code.callMethod("mc", "lineStyle", {1}).op(AC::Pop);
  stage.runner.run(code);
  const auto& draws = stage.runner.host.draws;
  ASSERT_EQ(draws.size(), 3u);
  const LineOptions& hinted = draws[0].line;
  EXPECT_TRUE(hinted.pixelHinting);
  EXPECT_FALSE(hinted.noHorizontalScale);
  EXPECT_TRUE(hinted.noVerticalScale);
  EXPECT_EQ(hinted.caps, 2);    // square
  EXPECT_EQ(hinted.joints, 2);  // miter
  EXPECT_EQ(hinted.miterLimit, 255);
  const LineOptions& unscaled = draws[1].line;
  EXPECT_TRUE(unscaled.noHorizontalScale && unscaled.noVerticalScale);
  EXPECT_EQ(unscaled.caps, 0);  // an unknown name keeps the round default
  EXPECT_EQ(unscaled.joints, 1);
  EXPECT_EQ(unscaled.miterLimit, 1);
  const LineOptions& plain = draws[2].line;
  EXPECT_FALSE(plain.pixelHinting || plain.noHorizontalScale || plain.noVerticalScale);
  EXPECT_EQ(plain.miterLimit, 3);
}

TEST(Avm1TimelineTest, UrlsAndFsCommandsGoToTheHost) {
  Stage stage;
  Asm code;
  code.getUrl("http://example.com/", "_blank");
  code.getUrl("FSCommand:fullscreen", "true");
  code.push({"next.swf", "mc"}).getUrl2(0x82);       // POST, load into the clip
  code.push({"vars.txt", "_level0"}).getUrl2(0x41);  // GET, variables
  stage.runner.run(code);
  const auto& urls = stage.runner.host.urls;
  ASSERT_EQ(urls.size(), 3u);
  EXPECT_EQ(urls[0].url, QStringLiteral("http://example.com/"));
  EXPECT_FALSE(urls[0].targetIsClip);
  EXPECT_EQ(urls[1].method, UrlRequest::Method::Post);
  EXPECT_TRUE(urls[1].targetIsClip);
  EXPECT_EQ(urls[1].targetClip, stage.mc);
  EXPECT_TRUE(urls[2].loadVariables);
  EXPECT_EQ(urls[2].method, UrlRequest::Method::Get);
  EXPECT_EQ(stage.runner.host.calls.back(), "fscommand fullscreen true");
}

TEST(Avm1TimelineTest, CloneRemoveDragCallAndRandom) {
  Stage stage;
  stage.runner.host.randomValue = 0.99;
  Asm frameScript;
  frameScript.trace("frame 3 of mc");
  stage.clip().frameScripts[2].push_back(frameScript.program());
  Asm code;
  code.push({"mc", "twin", 10}).op(AC::CloneSprite);
  code.getVar("twin").op(AC::TypeOf).op(AC::Trace);
  code.push({"twin"}).op(AC::RemoveSprite);
  code.push({0, 0, 100, 50, true, true, "mc"}).op(AC::StartDrag);
  code.push({"mc:3"}).op(AC::Call);
  code.push({6}).op(AC::RandomNumber).op(AC::Trace);
  EXPECT_EQ(stage.runner.traced(code), (Lines{"movieclip", "frame 3 of mc", "5"}));
  EXPECT_EQ(stage.runner.host.dragged, stage.mc);
  EXPECT_TRUE(stage.runner.host.drag.constrained);
  EXPECT_EQ(stage.runner.host.drag.right, 100);
  EXPECT_EQ(stage.runner.host.drag.bottom, 50);
  bool twinRemoved = false;
  for (const auto& [handle, clip] : stage.runner.host.clips) {
    if (clip.name == QStringLiteral("twin")) twinRemoved = clip.removed;
  }
  EXPECT_TRUE(twinRemoved);
}

TEST(Avm1TimelineTest, ClipEventsCallScriptFunctionsWithTheClipAsThis) {
  Stage stage;
  Asm code;
  code.getVar("mc").push({"onEnterFrame"});
  code.defineFunction("", {}, [](Asm& f) { f.getVar("this").op(AC::TargetPath).op(AC::Trace); });
  code.op(AC::SetMember);
  stage.runner.run(code);
  EXPECT_TRUE(stage.runner.vm.hasClipMethod(stage.mc, QStringLiteral("onEnterFrame")));
  EXPECT_FALSE(stage.runner.vm.hasClipMethod(stage.mc, QStringLiteral("onPress")));
  EXPECT_TRUE(stage.runner.vm.callClipMethod(stage.mc, QStringLiteral("onEnterFrame")));
  EXPECT_TRUE(stage.runner.vm.callClipMethod(stage.mc, QStringLiteral("play")));
  EXPECT_EQ(stage.runner.host.traces.front(), "_level0.mc");
}

TEST(Avm1TimelineTest, IntervalsFireWhenTheHostRunsThem) {
  Stage stage;
  Asm code;
  code.defineFunction("tick", {"label"}, [](Asm& f) { f.traceVar("label"); });
  // id = setInterval(tick, 100, "every"); setTimeout(tick, 30, "once");
  code.push({"every", 100}).getVar("tick").push({3, "setInterval"}).op(AC::CallFunction);
  code.push({"id"}).op(AC::StackSwap).op(AC::SetVariable);
  code.push({"once", 30}).getVar("tick").push({3, "setTimeout"}).op(AC::CallFunction).op(AC::Pop);
  stage.runner.run(code);
  auto& host = stage.runner.host;
  host.traces.clear();
  stage.runner.vm.runIntervals(50);
  stage.runner.vm.runIntervals(100);
  stage.runner.vm.runIntervals(150);
  stage.runner.vm.runIntervals(450);  // late: fires once, not three times
  EXPECT_EQ(host.traces, (Lines{"once", "every", "every"}));
  Asm stop;
  stop.getVar("id").push({1, "clearInterval"}).op(AC::CallFunction);
  stage.runner.run(stop);
  host.traces.clear();
  stage.runner.vm.runIntervals(1000);
  EXPECT_TRUE(host.traces.empty());
}

}  // namespace
}  // namespace quelvo::swf::avm1
