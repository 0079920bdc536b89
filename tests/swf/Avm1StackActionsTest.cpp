#include "Avm1Fixtures.h"

namespace quelvo::swf::avm1 {
namespace {

using test::AC;
using test::Asm;
using test::Constant;
using test::Null;
using test::Reg;
using test::Undefined;
using test::VmRunner;
using Lines = std::vector<std::string>;

Lines traced(int version, const Asm& code) {
  VmRunner runner(version);
  return runner.traced(code);
}

TEST(Avm1StackActionsTest, Swf4ArithmeticTreatsTextAsZeroAndReportsDivisionByZero) {
  Asm code;
  code.push({"abc", 2}).op(AC::Add).op(AC::Trace);
  code.push({"7", "2"}).op(AC::Subtract).op(AC::Trace);
  code.push({3, 0}).op(AC::Divide).op(AC::Trace);
  code.push({"1.5", 2}).op(AC::Multiply).op(AC::Trace);
  code.push({2, 2}).op(AC::Equals).op(AC::Trace);  // SWF 4 pushes 1, not true
  code.push({1, 2}).op(AC::Less).op(AC::Trace);
  code.push({0}).op(AC::Not).op(AC::Trace);
  EXPECT_EQ(traced(4, code), (Lines{"2", "5", "#ERROR#", "3", "1", "1", "1"}));
}

TEST(Avm1StackActionsTest, LaterVersionsKeepNaNAndPushBooleans) {
  Asm code;
  code.push({"abc", 1}).op(AC::Subtract).op(AC::Trace);
  code.push({3, 0}).op(AC::Divide).op(AC::Trace);
  code.push({2, 2}).op(AC::Equals).op(AC::Trace);
  code.push({1, 0}).op(AC::And).op(AC::Trace);
  code.push({"x", 0}).op(AC::Or).op(AC::Trace);
  EXPECT_EQ(traced(7, code), (Lines{"NaN", "Infinity", "true", "false", "true"}));
}

TEST(Avm1StackActionsTest, TypedOperatorsFollowTheirTables) {
  Asm code;
  code.push({"1", 2}).op(AC::Add2).op(AC::Trace);
  code.push({1, 2}).op(AC::Add2).op(AC::Trace);
  code.push({-7, 3}).op(AC::Modulo).op(AC::Trace);
  code.push({"10", "9"}).op(AC::Less2).op(AC::Trace);
  code.push({1, "x"}).op(AC::Less2).op(AC::Trace);  // NaN: undefined
  code.push({2, 1}).op(AC::Greater).op(AC::Trace);
  code.push({"1", 1}).op(AC::Equals2).op(AC::Trace);
  code.push({"1", 1}).op(AC::StrictEquals).op(AC::Trace);
  code.push({Null{}, Undefined{}}).op(AC::Equals2).op(AC::Trace);
  EXPECT_EQ(traced(7, code),
            (Lines{"12", "3", "-1", "true", "undefined", "true", "true", "false", "true"}));
}

TEST(Avm1StackActionsTest, BitwiseAndUnaryActions) {
  Asm code;
  code.push({5, 3}).op(AC::BitAnd).op(AC::Trace);
  code.push({5, 3}).op(AC::BitXor).op(AC::Trace);
  code.push({1, 33}).op(AC::BitLShift).op(AC::Trace);
  code.push({-16, 2}).op(AC::BitRShift).op(AC::Trace);
  code.push({-1, 28}).op(AC::BitURShift).op(AC::Trace);
  code.push({4294967295.0, 0}).op(AC::BitOr).op(AC::Trace);
  code.push({-3.7}).op(AC::ToInteger).op(AC::Trace);
  code.push({"41"}).op(AC::Increment).op(AC::Trace);
  code.push({"0x10"}).op(AC::ToNumber).op(AC::Trace);
  code.push({true}).op(AC::ToString).op(AC::Trace);
  EXPECT_EQ(traced(7, code), (Lines{"1", "6", "2", "-4", "15", "-1", "-3", "42", "16", "true"}));
}

TEST(Avm1StackActionsTest, StringActionsCountCodeUnitsAndMultiByteOnesCharacters) {
  Asm code;
  code.push({"hello", 2, 3}).op(AC::StringExtract).op(AC::Trace);
  code.push({"hello", 0, -1}).op(AC::StringExtract).op(AC::Trace);
  code.push({"hello", 4, 99}).op(AC::StringExtract).op(AC::Trace);
  code.push({"中文ab"}).op(AC::StringLength).op(AC::Trace);
  code.push({"😀x"}).op(AC::StringLength).op(AC::Trace);
  code.push({"😀x"}).op(AC::MbStringLength).op(AC::Trace);
  code.push({"😀中文a", 2, 2}).op(AC::MbStringExtract).op(AC::Trace);
  code.push({"中"}).op(AC::MbCharToAscii).op(AC::Trace);
  code.push({20013}).op(AC::MbAsciiToChar).op(AC::Trace);
  code.push({"A"}).op(AC::CharToAscii).op(AC::Trace);
  code.push({66}).op(AC::AsciiToChar).op(AC::Trace);
  code.push({"ab", "cd"}).op(AC::StringAdd).op(AC::Trace);
  code.push({"a", "b"}).op(AC::StringLess).op(AC::Trace);
  code.push({"a", "a"}).op(AC::StringEquals).op(AC::Trace);
  EXPECT_EQ(traced(6, code), (Lines{"ell", "hello", "lo", "4", "3", "2", "中文", "20013", "中",
                                    "65", "B", "abcd", "true", "true"}));
}

TEST(Avm1StackActionsTest, RegistersConstantsAndStackShuffles) {
  Asm code;
  code.push({5}).storeRegister(1).op(AC::Pop);
  code.push({Reg{1}}).op(AC::Trace);
  code.push({Reg{200}}).op(AC::Trace);  // no such register: undefined
  code.constantPool({"zero", "one"});
  code.push({Constant{1}}).op(AC::Trace);
  code.push({Constant{9}}).op(AC::Trace);  // past the pool: undefined
  code.push({"below", "top"}).op(AC::StackSwap).op(AC::Trace).op(AC::Trace);
  code.push({"twice"}).op(AC::PushDuplicate).op(AC::Trace).op(AC::Trace);
  code.op(AC::Pop).op(AC::Pop).op(AC::Trace);  // popping an empty stack gives undefined
  EXPECT_EQ(traced(7, code), (Lines{"5", "undefined", "one", "undefined", "below", "top", "twice",
                                    "twice", "undefined"}));
}

TEST(Avm1StackActionsTest, PushedFloatsAndIntegers) {
  Asm code;
  code.pushFloat(0.5f).op(AC::Trace);
  code.push({-2147483647 - 1}).op(AC::Trace);
  code.push({0.1}).op(AC::Trace);
  EXPECT_EQ(traced(7, code), (Lines{"0.5", "-2147483648", "0.1"}));
}

}  // namespace
}  // namespace quelvo::swf::avm1
