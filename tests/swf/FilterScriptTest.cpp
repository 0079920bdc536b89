// flash.filters classes and the filters, blendMode and cacheAsBitmap
// properties of clips, as scripts see them.
#include <numbers>

#include "Avm1Fixtures.h"

namespace quelvo::swf::avm1 {
namespace {

using test::AC;
using test::Asm;
using test::Bytes;
using test::PushItem;
using Lines = std::vector<std::string>;

// A fake host whose clips keep their display effects.
class EffectsHost : public test::FakeHost {
 public:
  std::optional<DisplayEffects> displayEffects(ClipHandle clip) override {
    if (find(clip) == nullptr) return std::nullopt;
    return effects[clip];
  }
  void setDisplayEffects(ClipHandle clip, const DisplayEffects& changed) override {
    if (find(clip) != nullptr) effects[clip] = changed;
  }

  std::map<ClipHandle, DisplayEffects> effects;
};

class FilterScriptTest : public ::testing::Test {
 protected:
  Lines traced(const Asm& code) {
    host.traces.clear();
    programs_.push_back(std::make_shared<Bytes>(code.program()));
    vm.runActions(host.root, ActionBlock{*programs_.back(), 0, programs_.back()});
    return host.traces;
  }

  EffectsHost host;
  ClipHandle box = host.addClip(host.root, QStringLiteral("box"));
  Vm vm{host, 8};

 private:
  std::vector<std::shared_ptr<Bytes>> programs_;
};

// name = new flash.filters.<className>(args)
Asm& newFilter(Asm& code, const char* name, const char* className,
               std::initializer_list<PushItem> args) {
  code.push({name});
  std::vector<PushItem> reversed(args);
  for (auto it = reversed.rbegin(); it != reversed.rend(); ++it) code.push({*it});
  code.push({static_cast<int>(args.size())}).getVar("flash.filters").push({className});
  return code.op(AC::NewMethod).op(AC::SetVariable);
}

// name = [items...] where items are variables.
Asm& arrayOf(Asm& code, const char* name, std::initializer_list<const char*> variables) {
  code.push({name});
  std::vector<const char*> reversed(variables);
  for (auto it = reversed.rbegin(); it != reversed.rend(); ++it) code.getVar(*it);
  return code.push({static_cast<int>(variables.size())}).op(AC::InitArray).op(AC::SetVariable);
}

Asm& setMember(Asm& code, const char* object, const char* member, PushItem value) {
  return code.getVar(object).push({member, std::move(value)}).op(AC::SetMember);
}

Asm& traceAll(Asm& code, std::initializer_list<const char*> paths) {
  for (const char* path : paths) code.traceVar(path);
  return code;
}

TEST_F(FilterScriptTest, ConstructorsHaveTheDocumentedDefaults) {
  Asm code;
  newFilter(code, "blur", "BlurFilter", {});
  newFilter(code, "shadow", "DropShadowFilter", {});
  newFilter(code, "glow", "GlowFilter", {});
  newFilter(code, "bevel", "BevelFilter", {});
  newFilter(code, "gradient", "GradientGlowFilter", {});
  newFilter(code, "colour", "ColorMatrixFilter", {});
  newFilter(code, "kernel", "ConvolutionFilter", {});
  newFilter(code, "map", "DisplacementMapFilter", {});
  traceAll(code, {"blur.blurX",           "blur.quality",   "shadow.distance",
                  "shadow.angle",         "shadow.color",   "shadow.alpha",
                  "shadow.hideObject",    "glow.color",     "glow.blurY",
                  "glow.strength",        "glow.inner",     "bevel.highlightColor",
                  "bevel.shadowColor",    "bevel.type",     "gradient.colors.length",
                  "gradient.type",        "colour.matrix",  "kernel.divisor",
                  "kernel.preserveAlpha", "kernel.matrixX", "map.mode",
                  "map.mapPoint"});
  code.getVar("glow").getVar("flash.filters.BitmapFilter").op(AC::InstanceOf).op(AC::Trace);
  EXPECT_EQ(traced(code), (Lines{"4",
                                 "1",
                                 "4",
                                 "45",
                                 "0",
                                 "1",
                                 "false",
                                 "16711680",
                                 "6",
                                 "2",
                                 "false",
                                 "16777215",
                                 "0",
                                 "inner",
                                 "0",
                                 "inner",
                                 "1,0,0,0,0,0,1,0,0,0,0,0,1,0,0,0,0,0,1,0",
                                 "1",
                                 "true",
                                 "0",
                                 "wrap",
                                 "(x=0, y=0)",
                                 "true"}));
}

TEST_F(FilterScriptTest, ArgumentsAndPropertiesAreClampedToTheirRanges) {
  Asm code;
  newFilter(code, "blur", "BlurFilter", {300, -5, 20.7});
  traceAll(code, {"blur.blurX", "blur.blurY", "blur.quality"});
  newFilter(code, "glow", "GlowFilter", {0x12FF0000, 2, 4, 4, 900});
  traceAll(code, {"glow.color", "glow.alpha", "glow.strength"});
  setMember(code, "glow", "quality", 7.9);
  setMember(code, "glow", "alpha", -1);
  setMember(code, "glow", "blurX", "junk");  // NaN reads as 0
  traceAll(code, {"glow.quality", "glow.alpha", "glow.blurX"});
  newFilter(code, "bevel", "BevelFilter", {});
  setMember(code, "bevel", "type", "sideways");  // unknown: unchanged
  code.traceVar("bevel.type");
  setMember(code, "bevel", "type", "full");
  setMember(code, "bevel", "angle", 405);
  traceAll(code, {"bevel.type", "bevel.angle"});
  // The kernel takes matrixX x matrixY entries, missing ones 0.
  code.setArray("entries", {1, 2, 3});
  code.push({"kernel"}).getVar("entries").push({3, 3, 3}).getVar("flash.filters");
  code.push({"ConvolutionFilter"}).op(AC::NewMethod).op(AC::SetVariable);
  code.traceVar("kernel.matrix");
  setMember(code, "kernel", "matrixX", 20);
  traceAll(code, {"kernel.matrixX", "kernel.matrix.length"});
  EXPECT_EQ(traced(code), (Lines{"255", "0", "15", "16711680", "1", "255", "7", "0", "0", "inner",
                                 "full", "45", "1,2,3,0,0,0,0,0,0", "15", "45"}));
}

TEST_F(FilterScriptTest, GradientArraysStayTheSameLength) {
  Asm code;
  code.setArray("colors", {0xFF0000, 0x00FF00}).setArray("alphas", {1, 0});
  code.setArray("ratios", {0, 255});
  code.push({"g"}).getVar("ratios").getVar("alphas").getVar("colors").push({45, 4, 5});
  code.getVar("flash.filters").push({"GradientGlowFilter"}).op(AC::NewMethod).op(AC::SetVariable);
  traceAll(code, {"g.colors", "g.alphas", "g.ratios"});
  code.setArray("three", {1, 2, 3});
  code.getVar("g").push({"colors"}).getVar("three").op(AC::SetMember);
  code.setArray("one", {0});
  code.getVar("g").push({"alphas"}).getVar("one").op(AC::SetMember);
  traceAll(code, {"g.colors", "g.alphas", "g.ratios"});
  // The array read is a copy.
  code.push({"read"}).getVar("g.colors").op(AC::SetVariable);
  setMember(code, "read", "0", 99);
  code.traceVar("g.colors");
  EXPECT_EQ(traced(code),
            (Lines{"16711680,65280", "1,0", "0,255", "1,2,3", "0,0,1", "0,255,0", "1,2,3"}));
}

TEST_F(FilterScriptTest, ClonesAreIndependent) {
  Asm code;
  newFilter(code, "a", "DropShadowFilter", {2});
  code.push({"b", 0}).getVar("a").push({"clone"}).op(AC::CallMethod).op(AC::SetVariable);
  setMember(code, "b", "distance", 9);
  traceAll(code, {"a.distance", "b.distance"});
  code.getVar("b").getVar("flash.filters.DropShadowFilter").op(AC::InstanceOf).op(AC::Trace);
  EXPECT_EQ(traced(code), (Lines{"2", "9", "true"}));
}

TEST_F(FilterScriptTest, ClipFiltersAreCopiedBothWaysAndSkipNonFilters) {
  Asm code;
  newFilter(code, "glow", "GlowFilter", {});
  newFilter(code, "blur", "BlurFilter", {});
  code.setVar("junk", "not a filter");
  code.traceVar("box.cacheAsBitmap");
  arrayOf(code, "list", {"glow", "junk", "blur"});
  code.getVar("box").push({"filters"}).getVar("list").op(AC::SetMember);
  setMember(code, "glow", "blurX", 50);  // after setting: the clip keeps its copy
  code.push({"got"}).getVar("box.filters").op(AC::SetVariable);
  setMember(code, "got.0", "blurX", 100);  // the copy read is the reader's own
  traceAll(code, {"box.filters.length", "box.filters.0.blurX", "box.filters.1.blurX",
                  "box.cacheAsBitmap"});
  code.getVar("box.filters.0").getVar("flash.filters.GlowFilter").op(AC::InstanceOf);
  code.op(AC::Trace);
  code.setArray("none", {});
  code.getVar("box").push({"filters"}).getVar("none").op(AC::SetMember);
  traceAll(code, {"box.filters.length", "box.cacheAsBitmap"});
  setMember(code, "box", "cacheAsBitmap", true);
  code.traceVar("box.cacheAsBitmap");
  EXPECT_EQ(traced(code), (Lines{"false", "2", "6", "4", "true", "true", "0", "false", "true"}));
  ASSERT_EQ(host.effects[box].filters.size(), 0u);
  EXPECT_TRUE(host.effects[box].cacheAsBitmap);
}

TEST_F(FilterScriptTest, TheHostReceivesTheFilterParameters) {
  Asm code;
  newFilter(code, "shadow", "DropShadowFilter", {10, 90, 0x0000FF, 0.5, 3, 5, 2, 3, true});
  arrayOf(code, "list", {"shadow"});
  code.getVar("box").push({"filters"}).getVar("list").op(AC::SetMember);
  traced(code);
  ASSERT_EQ(host.effects[box].filters.size(), 1u);
  const auto* edge = std::get_if<effects::EdgeParams>(&host.effects[box].filters[0]);
  ASSERT_NE(edge, nullptr);
  EXPECT_EQ(edge->kind, effects::EdgeParams::Kind::DropShadow);
  EXPECT_DOUBLE_EQ(edge->distance, 10);
  EXPECT_NEAR(edge->angle, std::numbers::pi / 2, 1e-12);
  EXPECT_DOUBLE_EQ(edge->blur.blurX, 3);
  EXPECT_DOUBLE_EQ(edge->blur.blurY, 5);
  EXPECT_EQ(edge->blur.passes, 3);
  EXPECT_TRUE(edge->inner);
  ASSERT_EQ(edge->stops.size(), 2u);
  EXPECT_EQ(edge->stops[1].colour, qRgba(0, 0, 255, 128));
  EXPECT_EQ(qAlpha(edge->stops[0].colour), 0);
}

TEST_F(FilterScriptTest, BlendModesByNameAndNumber) {
  Asm code;
  code.traceVar("box.blendMode");
  setMember(code, "box", "blendMode", "multiply");
  code.traceVar("box.blendMode");
  setMember(code, "box", "blendMode", 14);
  code.traceVar("box.blendMode");
  for (PushItem unknown : {PushItem("bogus"), PushItem(0), PushItem(15), PushItem(2.5)}) {
    setMember(code, "box", "blendMode", unknown);
  }
  code.traceVar("box.blendMode");
  EXPECT_EQ(traced(code), (Lines{"normal", "multiply", "hardlight", "hardlight"}));
  EXPECT_EQ(host.effects[box].blendMode, effects::BlendMode::HardLight);
}

TEST_F(FilterScriptTest, GoneClipsAndOlderMoviesHaveNone) {
  traced(Asm().push({"kept"}).getVar("box").op(AC::SetVariable));
  host.removeClip(box);
  Asm code;
  setMember(code, "kept", "blendMode", "add");
  traceAll(code, {"kept.filters", "kept.blendMode"});
  EXPECT_EQ(traced(code), (Lines{"undefined", "undefined"}));
  EXPECT_TRUE(host.effects.empty());

  test::FakeHost plain;
  Vm swf7(plain, 7);
  Bytes program = Asm().traceVar("flash.filters").traceVar("_root.filters").program();
  swf7.runActions(plain.root, ActionBlock{program, 0, {}});
  EXPECT_EQ(plain.traces, (std::vector<std::string>{"undefined", "undefined"}));
}

}  // namespace
}  // namespace quelvo::swf::avm1
