#include "Avm1Fixtures.h"

namespace quelvo::swf::avm1 {
namespace {

using test::AC;
using test::Asm;
using test::VmRunner;

// for (i = 0; i < count; i++) _root["p" + (i + offset)] = i;
Asm propertyFlood(int count, int offset) {
  Asm code;
  code.setVar("i", 0).label("loop");
  code.getVar("i").push({count}).op(AC::Less2).op(AC::Not).ifTrue("end");
  code.getVar("_root").push({"p"}).getVar("i").push({offset}).op(AC::Add2).op(AC::Add2);
  code.getVar("i").op(AC::SetMember);
  code.push({"i"}).getVar("i").op(AC::Increment).op(AC::SetVariable).jump("loop");
  code.label("end");
  return code;
}

TEST(Avm1LimitsTest, OneScriptCannotMakeHugeArraysOrStrings) {
  Limits limits;
  limits.stringLength = 4096;
  limits.arrayLength = 1000;
  VmRunner runner(7, limits);
  Asm huge;
  huge.push({"big"}).newObject("Array", {1e9}).op(AC::SetVariable).trace("unreached");
  EXPECT_TRUE(runner.traced(huge).empty());
  Asm doubling;  // s = "x"; while (true) s = s + s;
  doubling.setVar("s", "x").label("top");
  doubling.push({"s"}).getVar("s").getVar("s").op(AC::Add2).op(AC::SetVariable).jump("top");
  EXPECT_TRUE(runner.traced(doubling).empty());
  Asm growing;
  growing.setArray("a", {});
  growing.setVar("a.5000", 1);
  runner.run(growing);
  ASSERT_EQ(runner.log.size(), 3u);
  EXPECT_NE(runner.log[0].find("an array of 1000000000 elements"), std::string::npos);
  EXPECT_NE(runner.log[1].find("(limit 4096)"), std::string::npos);
  EXPECT_NE(runner.log[2].find("an array of 5001 elements"), std::string::npos);
  EXPECT_LE(runner.variable("s").asString().size(), 4096);
}

TEST(Avm1LimitsTest, OneEntryCannotBuildMoreThanItsShare) {
  Limits limits;
  limits.memoryPerEntry = 64 * 1024;
  VmRunner runner(7, limits);
  runner.run(propertyFlood(100, 0));
  EXPECT_TRUE(runner.log.empty());
  runner.run(propertyFlood(5000, 100));
  ASSERT_EQ(runner.log.size(), 1u);
  EXPECT_NE(runner.log[0].find("built in one go"), std::string::npos);
}

TEST(Avm1LimitsTest, ScriptsThatKeepTooMuchAreStoppedForGood) {
  Limits limits;
  limits.retainedMemory = 256 * 1024;
  VmRunner runner(7, limits);
  for (int frame = 0; frame < 20 && !runner.vm.halted(); ++frame) {
    runner.run(propertyFlood(500, frame * 500));
  }
  EXPECT_TRUE(runner.vm.halted());
  EXPECT_NE(runner.log.back().find("scripts stopped for this movie"), std::string::npos);
  Asm after;
  after.trace("nothing runs");
  EXPECT_TRUE(runner.traced(after).empty());
  // What the scripts kept has been let go.
  runner.vm.collectGarbage();
  EXPECT_LT(runner.vm.heap().size(), 300u);
}

}  // namespace
}  // namespace quelvo::swf::avm1
