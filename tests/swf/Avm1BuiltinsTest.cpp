#include "Avm1Fixtures.h"

namespace quelvo::swf::avm1 {
namespace {

using test::AC;
using test::Asm;
using test::PushItem;
using test::VmRunner;
using Lines = std::vector<std::string>;

// trace(variable.method(args))
Asm& traceCall(Asm& code, const char* variable, const char* method,
               std::initializer_list<PushItem> args) {
  return code.callMethod(variable, method, args).op(AC::Trace);
}

TEST(Avm1BuiltinsTest, MathFunctionsAndConstants) {
  VmRunner runner;
  runner.host.randomValue = 0.25;
  Asm code;
  traceCall(code, "Math", "max", {1, 5.5, 3});
  traceCall(code, "Math", "min", {});
  traceCall(code, "Math", "max", {1, "x"});
  traceCall(code, "Math", "round", {-2.5});
  traceCall(code, "Math", "floor", {-2.5});
  traceCall(code, "Math", "pow", {2, 10});
  traceCall(code, "Math", "atan2", {1, 1});
  traceCall(code, "Math", "sqrt", {-1});
  traceCall(code, "Math", "random", {});
  code.traceVar("Math.PI").traceVar("Math.SQRT1_2");
  EXPECT_EQ(runner.traced(code),
            (Lines{"5.5", "Infinity", "NaN", "-2", "-3", "1024", "0.785398163397448", "NaN", "0.25",
                   "3.14159265358979", "0.707106781186548"}));
}

TEST(Avm1BuiltinsTest, GeomMatrixMakesGradientBoxesFromSwf8) {
  VmRunner runner(8);
  Asm code;
  code.push({"m", 0}).getVar("flash.geom").push({"Matrix"}).op(AC::NewMethod);
  code.op(AC::SetVariable);
  code.callMethod("m", "createGradientBox", {200, 100, 0, 10, 20}).op(AC::Pop);
  code.traceVar("m.a").traceVar("m.b").traceVar("m.d").traceVar("m.tx").traceVar("m.ty");
  EXPECT_EQ(runner.traced(code), (Lines{"0.1220703125", "0", "0.06103515625", "110", "70"}));

  VmRunner older(7);
  EXPECT_EQ(older.tracedOne(Asm().traceVar("flash")), "undefined");
}

TEST(Avm1BuiltinsTest, StringMethodsCountUtf16Units) {
  VmRunner runner;
  Asm code;
  code.setVar("s", "Hello, 世界");
  code.traceVar("s.length");
  traceCall(code, "s", "charAt", {7});
  traceCall(code, "s", "charCodeAt", {7});
  traceCall(code, "s", "indexOf", {"l"});
  traceCall(code, "s", "lastIndexOf", {"l"});
  traceCall(code, "s", "indexOf", {"l", 4});
  traceCall(code, "s", "slice", {-2});
  traceCall(code, "s", "substr", {1, 3});
  traceCall(code, "s", "substring", {5, 0});
  traceCall(code, "s", "toUpperCase", {});
  traceCall(code, "s", "concat", {"!", 1});
  code.callMethod("s", "split", {", "}).push({"length"}).op(AC::GetMember).op(AC::Trace);
  code.callMethod("s", "split", {""}).push({"length"}).op(AC::GetMember).op(AC::Trace);
  code.push({66, 67, 2, "String"}).op(AC::GetVariable).push({"fromCharCode"}).op(AC::CallMethod);
  code.op(AC::Trace);
  EXPECT_EQ(runner.traced(code), (Lines{"9", "世", "19990", "2", "3", "-1", "世界", "ell", "Hello",
                                        "HELLO, 世界", "Hello, 世界!1", "2", "9", "CB"}));
}

TEST(Avm1BuiltinsTest, ArrayMethods) {
  VmRunner runner;
  Asm code;
  code.setArray("a", {1, 2, 3});
  traceCall(code, "a", "push", {4, 5});
  traceCall(code, "a", "pop", {});
  traceCall(code, "a", "shift", {});
  traceCall(code, "a", "unshift", {0});
  code.traceVar("a");
  traceCall(code, "a", "slice", {1, -1});
  traceCall(code, "a", "splice", {1, 2, "x", "y", "z"});
  code.traceVar("a");
  traceCall(code, "a", "join", {"-"});
  traceCall(code, "a", "reverse", {});
  code.setArray("b", {7});
  code.push({8}).getVar("b").push({2}).getVar("a").push({"concat"}).op(AC::CallMethod);
  code.op(AC::Trace);
  code.setVar("a.length", 2).traceVar("a");
  code.push({"a"}).op(AC::GetVariable).push({"6", "six"}).op(AC::SetMember);
  code.traceVar("a.length");
  EXPECT_EQ(runner.traced(code), (Lines{"5", "5", "1", "4", "0,2,3,4", "2,3", "2,3", "0,x,y,z,4",
                                        "0-x-y-z-4", "4,z,y,x,0", "4,z,y,x,0,7,8", "4,z", "7"}));
}

TEST(Avm1BuiltinsTest, SortOrdersByTextNumbersFlagsOrAFunction) {
  VmRunner runner;
  Asm code;
  code.setArray("n", {3, 1, 10, 2});
  traceCall(code, "n", "sort", {});
  traceCall(code, "n", "sort", {16});  // NUMERIC
  traceCall(code, "n", "sort", {18});  // NUMERIC | DESCENDING
  traceCall(code, "n", "sort", {24});  // NUMERIC | RETURNINDEXEDARRAY
  code.setArray("w", {"b", "a", "C"});
  traceCall(code, "w", "sort", {});
  traceCall(code, "w", "sort", {1});  // CASEINSENSITIVE
  code.setArray("d", {2, 1, 2});
  traceCall(code, "d", "sort", {4});  // UNIQUESORT with a duplicate: refused
  code.traceVar("d");
  // n.sort(function (a, b) { return b - a; })
  code.defineFunction("", {"x", "y"},
                      [](Asm& f) { f.getVar("y").getVar("x").op(AC::Subtract).op(AC::Return); });
  code.push({1}).getVar("n").push({"sort"}).op(AC::CallMethod).op(AC::Trace);
  // sortOn a field
  code.push({"p", "age", 30, 1}).op(AC::InitObject).op(AC::SetVariable);
  code.push({"q", "age", 4, 1}).op(AC::InitObject).op(AC::SetVariable);
  code.push({"people"}).getVar("p").getVar("q").push({2}).op(AC::InitArray).op(AC::SetVariable);
  code.callMethod("people", "sortOn", {"age", 16}).op(AC::Pop);
  code.traceVar("people.0.age");
  EXPECT_EQ(runner.traced(code), (Lines{"1,10,2,3", "1,2,3,10", "10,3,2,1", "3,2,1,0", "C,a,b",
                                        "a,b,C", "0", "2,1,2", "10,3,2,1", "4"}));
}

TEST(Avm1BuiltinsTest, NumberBooleanStringConversionsAndWrappers) {
  VmRunner runner;
  Asm code;
  code.callFunction("Number", {"0x20"}).op(AC::Trace);
  code.callFunction("String", {12.5}).op(AC::Trace);
  code.callFunction("Boolean", {"false"}).op(AC::Trace);
  code.push({"five"}).newObject("Number", {5}).op(AC::SetVariable);
  code.getVar("five").push({1}).op(AC::Add2).op(AC::Trace);
  code.getVar("five").op(AC::TypeOf).op(AC::Trace);
  code.setVar("x", 255);
  traceCall(code, "x", "toString", {16});
  code.newObject("String", {"abc"}).push({"length"}).op(AC::GetMember).op(AC::Trace);
  code.traceVar("Number.MAX_VALUE");
  EXPECT_EQ(runner.traced(code),
            (Lines{"32", "12.5", "true", "6", "object", "ff", "3", "1.79769313486232e+308"}));
}

TEST(Avm1BuiltinsTest, GlobalFunctions) {
  VmRunner runner;
  runner.host.timer = 1234.7;
  Asm code;
  code.callFunction("parseInt", {"42px"}).op(AC::Trace);
  code.callFunction("parseInt", {"ff", 16}).op(AC::Trace);
  code.callFunction("parseFloat", {"2.5e1x"}).op(AC::Trace);
  code.callFunction("isNaN", {"abc"}).op(AC::Trace);
  code.callFunction("isFinite", {"1e400"}).op(AC::Trace);
  code.callFunction("escape", {"a b/中"}).op(AC::Trace);
  code.callFunction("unescape", {"a%20b%2F%E4%B8%AD%zz"}).op(AC::Trace);
  code.callFunction("getTimer", {}).op(AC::Trace);
  code.op(AC::GetTime).op(AC::Trace);
  EXPECT_EQ(runner.traced(code), (Lines{"42", "255", "25", "true", "false", "a%20b%2F%E4%B8%AD",
                                        "a b/中%zz", "1234", "1234"}));
}

TEST(Avm1BuiltinsTest, KeyAndDateAskTheHost) {
  VmRunner runner;
  runner.host.keysDown = {37};
  runner.host.epoch = 86400000.0 * 365;
  Asm code;
  traceCall(code, "Key", "isDown", {37});
  code.getVar("Key.SPACE").push({1, "Key"}).op(AC::GetVariable).push({"isDown"});
  code.op(AC::CallMethod).op(AC::Trace);
  code.push({"d"}).newObject("Date", {}).op(AC::SetVariable);
  traceCall(code, "d", "getUTCFullYear", {});
  code.push({"d"}).newObject("Date", {0}).op(AC::SetVariable);
  traceCall(code, "d", "getTime", {});
  code.push({1, 0, 2000, 3, "Date"}).op(AC::GetVariable).push({"UTC"}).op(AC::CallMethod);
  code.op(AC::Trace);
  EXPECT_EQ(runner.traced(code), (Lines{"true", "false", "1971", "0", "946684800000"}));
}

TEST(Avm1BuiltinsTest, HiddenBuiltinsAndASSetPropFlags) {
  VmRunner runner;
  Asm code;
  code.push({"o", "a", 1, "b", 2, 2}).op(AC::InitObject).op(AC::SetVariable);
  // ASSetPropFlags(o, "a", 1 /* hide */, 0) then o.a = 5 still writes
  code.push({0, 1, "a"}).getVar("o").push({4, "ASSetPropFlags"}).op(AC::CallFunction).op(AC::Pop);
  code.push({"o"}).op(AC::Enumerate);
  code.label("next").storeRegister(0).push({test::Null{}}).op(AC::Equals2).ifTrue("done");
  code.push({test::Reg{0}}).op(AC::Trace).jump("next");
  code.label("done");
  // Read-only: ASSetPropFlags(o, ["b"], 4, 0)
  code.push({0, 4, "b", 1}).op(AC::InitArray).getVar("o").push({4, "ASSetPropFlags"});
  code.op(AC::CallFunction).op(AC::Pop);
  code.setVar("o.b", 9).traceVar("o.b");
  code.callMethod("o", "hasOwnProperty", {"a"}).op(AC::Trace);
  EXPECT_EQ(runner.traced(code), (Lines{"b", "2", "true"}));
}

}  // namespace
}  // namespace quelvo::swf::avm1
