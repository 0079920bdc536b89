#include "Avm1Fixtures.h"

namespace quelvo::swf::avm1 {
namespace {

using test::AC;
using test::Asm;
using test::VmRunner;
using Lines = std::vector<std::string>;

bool logged(const VmRunner& runner, const std::string& part) {
  for (const std::string& line : runner.log) {
    if (line.find(part) != std::string::npos) return true;
  }
  return false;
}

// for (i = 0; i < 3; i++) trace(i);
Asm countingLoop() {
  Asm code;
  code.setVar("i", 0);
  code.label("loop");
  code.getVar("i").push({3}).op(AC::Less2).op(AC::Not).ifTrue("end");
  code.traceVar("i");
  code.push({"i"}).getVar("i").op(AC::Increment).op(AC::SetVariable);
  code.jump("loop");
  code.label("end");
  code.trace("done");
  return code;
}

TEST(Avm1ControlFlowTest, BranchesForwardAndBackward) {
  VmRunner runner;
  EXPECT_EQ(runner.traced(countingLoop()), (Lines{"0", "1", "2", "done"}));
}

TEST(Avm1ControlFlowTest, ABranchOutOfTheBlockEndsItsCodeOnly) {
  VmRunner runner;
  Asm away;
  away.trace("before").jumpBy(2000).trace("after");
  EXPECT_EQ(runner.traced(away), (Lines{"before"}));
  EXPECT_TRUE(logged(runner, "leaves its code"));
  // Into the middle of a record is no better.
  Asm inside;
  inside.trace("x").jumpBy(-3);
  EXPECT_EQ(runner.traced(inside), (Lines{"x"}));
  // The movie goes on.
  EXPECT_EQ(runner.traced(countingLoop()).back(), "done");
}

TEST(Avm1ControlFlowTest, ARunawayLoopEndsOnTheStepBudget) {
  Limits limits;
  limits.stepsPerEntry = 5000;
  VmRunner runner(7, limits);
  Asm endless;
  endless.trace("start").label("top").jump("top");
  EXPECT_EQ(runner.traced(endless), (Lines{"start"}));
  EXPECT_TRUE(logged(runner, "more than 5000 actions"));
  // Each entry gets a fresh budget.
  EXPECT_EQ(runner.traced(countingLoop()).back(), "done");
}

TEST(Avm1ControlFlowTest, DeepRecursionEndsOnTheCallDepthLimit) {
  VmRunner runner;
  Asm code;
  code.defineFunction("dive", {}, [](Asm& body) { body.callFunction("dive", {}); });
  code.callFunction("dive", {}).op(AC::Pop).trace("unreached");
  EXPECT_TRUE(runner.traced(code).empty());
  EXPECT_TRUE(logged(runner, "nested deeper than 256"));
  Asm after;
  after.trace("still playing");
  EXPECT_EQ(runner.traced(after), (Lines{"still playing"}));
}

TEST(Avm1ControlFlowTest, TryCatchFinallyWithThrow) {
  VmRunner runner;
  Asm code;
  code.tryBlock([](Asm& a) { a.trace("try").push({"boom"}).op(AC::Throw).trace("unreached"); },
                Asm::Catch{"e"}, [](Asm& a) { a.traceVar("e"); },
                [](Asm& a) { a.trace("finally"); });
  code.trace("after");
  EXPECT_EQ(runner.traced(code), (Lines{"try", "boom", "finally", "after"}));
}

TEST(Avm1ControlFlowTest, ExceptionsCrossFunctionsAndFinallyRunsOnReturn) {
  VmRunner runner;
  Asm code;
  code.defineFunction("fail", {}, [](Asm& f) { f.push({"deep"}).op(AC::Throw); });
  code.defineFunction("tidy", {}, [](Asm& f) {
    f.tryBlock([](Asm& a) { a.push({1}).op(AC::Return); }, std::nullopt, {},
               [](Asm& a) { a.trace("cleanup"); });
    f.push({2}).op(AC::Return);
  });
  code.tryBlock([](Asm& a) { a.callFunction("fail", {}); }, Asm::Catch{std::uint8_t{1}},
                [](Asm& a) { a.push({test::Reg{1}}).op(AC::Trace); }, {});
  code.callFunction("tidy", {}).op(AC::Trace);
  EXPECT_EQ(runner.traced(code), (Lines{"deep", "cleanup", "1"}));
}

TEST(Avm1ControlFlowTest, RethrowRunsFinallyOnTheWayOut) {
  VmRunner runner;
  Asm code;
  code.tryBlock(
      [](Asm& outer) {
        outer.tryBlock([](Asm& a) { a.push({"first"}).op(AC::Throw); }, Asm::Catch{"e"},
                       [](Asm& a) { a.push({"second"}).op(AC::Throw); },
                       [](Asm& a) { a.trace("inner finally"); });
      },
      Asm::Catch{"e"}, [](Asm& a) { a.traceVar("e"); }, {});
  EXPECT_EQ(runner.traced(code), (Lines{"inner finally", "second"}));
}

TEST(Avm1ControlFlowTest, AnUncaughtExceptionEndsTheEntryAndIsLogged) {
  VmRunner runner;
  Asm code;
  code.trace("a").push({"oops"}).op(AC::Throw).trace("b");
  EXPECT_EQ(runner.traced(code), (Lines{"a"}));
  EXPECT_TRUE(logged(runner, "uncaught exception oops"));
}

TEST(Avm1ControlFlowTest, WithPutsAnObjectInFrontOfTheScope) {
  VmRunner runner;
  Asm code;
  code.push({"obj", "x", 1, 1}).op(AC::InitObject).op(AC::SetVariable);
  code.getVar("obj").with([](Asm& a) { a.traceVar("x").setVar("x", 2).setVar("y", 3); });
  code.traceVar("obj.x").traceVar("y").traceVar("x");
  // y was not on obj, so it went to the timeline; x outside the block is the timeline's.
  EXPECT_EQ(runner.traced(code), (Lines{"1", "2", "3", "undefined"}));
}

TEST(Avm1ControlFlowTest, RunningIntoUnreadableRecordsStopsThere) {
  VmRunner runner;
  Asm good;
  good.trace("ok");
  test::Bytes bytes = good.bytes();
  bytes.insert(bytes.end(), {0x96, 0x40, 0x00, 0x00});
  runner.host.traces.clear();
  runner.runBytes(bytes);
  EXPECT_EQ(runner.host.traces, (Lines{"ok"}));
  EXPECT_TRUE(logged(runner, "unreadable actions"));
}

}  // namespace
}  // namespace quelvo::swf::avm1
