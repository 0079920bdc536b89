#include "Avm1Fixtures.h"

namespace quelvo::swf::avm1 {
namespace {

using test::AC;
using test::Asm;
using test::VmRunner;
using Lines = std::vector<std::string>;

// _root with a clip "a" holding a clip "b".
struct ClipTree {
  explicit ClipTree(int version = 7) : runner(version) {
    a = runner.host.addClip(runner.host.root, QStringLiteral("a"));
    b = runner.host.addClip(a, QStringLiteral("b"));
  }
  VmRunner runner;
  ClipHandle a = kNoClip;
  ClipHandle b = kNoClip;
};

TEST(Avm1VariablesTest, SlashAndDotPathsReachTheSameTimelines) {
  ClipTree tree;
  Asm setup;
  setup.setVar("/a/b:score", 5).setVar("_root.a.level", "A").setVar("/:top", "T");
  setup.traceVar("_root.a.b.score").traceVar("/a:level").traceVar("top");
  EXPECT_EQ(tree.runner.traced(setup), (Lines{"5", "A", "T"}));

  Asm fromB;
  fromB.traceVar("score").traceVar("../:level").traceVar("_parent.level").traceVar("_root.top");
  fromB.traceVar("this._name").traceVar("missing.path.x");
  EXPECT_EQ(tree.runner.traced(fromB, tree.b), (Lines{"5", "A", "A", "T", "b", "undefined"}));
}

TEST(Avm1VariablesTest, SlashPathsNameClipsAndTargetPathSpellsThem) {
  ClipTree tree;
  Asm code;
  code.getVar("/a/b").op(AC::TargetPath).op(AC::Trace);
  code.traceVar("/a/b");
  code.getVar("/a/b").op(AC::TypeOf).op(AC::Trace);
  code.push({"/a/b", 11}).op(AC::GetProperty).op(AC::Trace);  // _target
  code.getVar("/nothing").op(AC::TypeOf).op(AC::Trace);
  EXPECT_EQ(tree.runner.traced(code),
            (Lines{"_level0.a.b", "_level0.a.b", "movieclip", "/a/b", "undefined"}));
}

TEST(Avm1VariablesTest, NamesIgnoreCaseUpToSwf6) {
  ClipTree old(6);
  Asm code;
  code.setVar("Score", 1).traceVar("score").traceVar("_ROOT.A.b._name");
  EXPECT_EQ(old.runner.traced(code), (Lines{"1", "b"}));
  ClipTree current(7);
  EXPECT_EQ(current.runner.traced(code), (Lines{"undefined", "undefined"}));
}

TEST(Avm1VariablesTest, GlobalsAreFoundLastAndTimelinesShadowThem) {
  ClipTree tree;
  Asm code;
  code.getVar("_global").push({"speed", 3}).op(AC::SetMember);
  code.traceVar("speed");
  code.setVar("speed", 9).traceVar("speed").traceVar("_global.speed");
  EXPECT_EQ(tree.runner.traced(code), (Lines{"3", "9", "3"}));
  Asm elsewhere;
  elsewhere.traceVar("speed");
  EXPECT_EQ(tree.runner.traced(elsewhere, tree.b), (Lines{"3"}));
}

TEST(Avm1VariablesTest, DefineLocalAndDeleteOnTheTimeline) {
  ClipTree tree;
  Asm code;
  code.push({"x", 4}).op(AC::DefineLocal);
  code.push({"x"}).op(AC::DefineLocal2);  // declaring again keeps the value
  code.traceVar("x");
  code.push({"x"}).op(AC::Delete2).op(AC::Trace);
  code.traceVar("x");
  code.push({"x"}).op(AC::Delete2).op(AC::Trace);
  EXPECT_EQ(tree.runner.traced(code), (Lines{"4", "true", "undefined", "false"}));
}

TEST(Avm1VariablesTest, SetTargetRedirectsTimelineActionsAndNames) {
  ClipTree tree;
  tree.runner.host.clips[tree.b].totalFrames = 5;
  Asm code;
  code.setTarget("/a/b").op(AC::Stop).gotoFrame(3).setVar("told", 1);
  code.setTarget("").setVar("home", 1);
  code.setTarget("/missing").op(AC::Play).setTarget("");
  tree.runner.run(code);
  const test::FakeClip& b = tree.runner.host.clips[tree.b];
  EXPECT_FALSE(b.playing);
  EXPECT_EQ(b.frame, 3);
  EXPECT_TRUE(tree.runner.host.clips[tree.runner.host.root].playing);
  EXPECT_EQ(tree.runner.variable("/a/b:told").asNumber(), 1);
  EXPECT_EQ(tree.runner.variable("home").asNumber(), 1);
}

TEST(Avm1VariablesTest, EnumerateListsChildClipsAndPropertiesNewestFirst) {
  ClipTree tree;
  Asm code;
  code.push({"obj", 0}).op(AC::InitObject).op(AC::SetVariable);
  code.setVar("obj.first", 1).setVar("obj.second", 2);
  // for (name in obj) trace(name);
  code.push({"obj"}).op(AC::Enumerate);
  code.label("next").storeRegister(0).push({test::Null{}}).op(AC::Equals2).ifTrue("done");
  code.push({test::Reg{0}}).op(AC::Trace).jump("next");
  code.label("done");
  code.getVar("a").op(AC::Enumerate2);
  code.label("clip").storeRegister(0).push({test::Null{}}).op(AC::Equals2).ifTrue("end");
  code.push({test::Reg{0}}).op(AC::Trace).jump("clip");
  code.label("end");
  EXPECT_EQ(tree.runner.traced(code), (Lines{"second", "first", "b"}));
}

TEST(Avm1VariablesTest, TheHostReadsAndWritesVariablesByPath) {
  ClipTree tree;
  tree.runner.vm.setVariable(tree.runner.host.root, QStringLiteral("/a/b:title"),
                             Value::string(QStringLiteral("hi")));
  Asm code;
  code.traceVar("title");
  EXPECT_EQ(tree.runner.traced(code, tree.b), (Lines{"hi"}));
  EXPECT_EQ(tree.runner.vm.getVariable(tree.b, QStringLiteral("title")).asString(),
            QStringLiteral("hi"));
}

}  // namespace
}  // namespace quelvo::swf::avm1
