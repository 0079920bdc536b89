#include "Avm1Fixtures.h"

namespace quelvo::swf::avm1 {
namespace {

using test::AC;
using test::Asm;
using test::Reg;
using test::Undefined;
using test::VmRunner;
using Lines = std::vector<std::string>;

// target.name = the function the body defines.
Asm& method(Asm& code, const char* target, const char* name,
            std::initializer_list<const char*> params, const Asm::Body& body) {
  code.getVar(target).push({name}).defineFunction("", params, body).op(AC::SetMember);
  return code;
}

TEST(Avm1FunctionTest, FunctionsTakeArgumentsAndReturnValues) {
  VmRunner runner;
  Asm code;
  code.defineFunction("sum", {"a", "b"},
                      [](Asm& f) { f.getVar("a").getVar("b").op(AC::Add2).op(AC::Return); });
  code.defineFunction("count", {}, [](Asm& f) {
    f.getVar("arguments").push({"length"}).op(AC::GetMember).op(AC::Return);
  });
  code.callFunction("sum", {2, 3}).op(AC::Trace);
  code.callFunction("sum", {"2", 3}).op(AC::Trace);
  code.callFunction("count", {1, 2, 3}).op(AC::Trace);
  code.callFunction("sum", {1}).op(AC::Trace);  // a missing argument is undefined
  EXPECT_EQ(runner.traced(code), (Lines{"5", "23", "3", "NaN"}));
}

TEST(Avm1FunctionTest, DefineFunction2PreloadsRegistersInOrder) {
  VmRunner runner;
  Asm code;
  const std::uint16_t flags =
      PreloadThis | PreloadArguments | PreloadRoot | PreloadGlobal | SuppressSuper;
  code.defineFunction2("probe", 6, flags, {{5, "x"}, {0, "named"}}, [](Asm& f) {
    f.push({Reg{1}}).op(AC::TargetPath).op(AC::Trace);                        // this
    f.push({Reg{2}, "length"}).op(AC::GetMember).op(AC::Trace);               // arguments
    f.push({Reg{3}}).op(AC::TargetPath).op(AC::Trace);                        // _root
    f.push({Reg{4}, "Math"}).op(AC::GetMember).op(AC::TypeOf).op(AC::Trace);  // _global
    f.push({Reg{5}}).op(AC::Trace);
    f.traceVar("named");
    f.traceVar("x");  // in a register, not a variable
  });
  code.callFunction("probe", {7, "n", 9});
  EXPECT_EQ(runner.traced(code),
            (Lines{"_level0", "3", "_level0", "object", "7", "n", "undefined"}));
}

TEST(Avm1FunctionTest, ClosuresKeepTheirOwnActivation) {
  VmRunner runner;
  Asm code;
  // function counter() { var n = 0; return function () { n = n + 1; return n; }; }
  code.defineFunction("counter", {}, [](Asm& f) {
    f.push({"n", 0}).op(AC::DefineLocal);
    f.defineFunction("", {}, [](Asm& inner) {
      inner.push({"n"}).getVar("n").push({1}).op(AC::Add2).op(AC::SetVariable);
      inner.getVar("n").op(AC::Return);
    });
    f.op(AC::Return);
  });
  code.push({"first"}).callFunction("counter", {}).op(AC::SetVariable);
  code.push({"second"}).callFunction("counter", {}).op(AC::SetVariable);
  code.callFunction("first", {}).op(AC::Pop);
  code.callFunction("first", {}).op(AC::Trace);
  code.callFunction("second", {}).op(AC::Trace);
  code.traceVar("n");  // the locals never leaked to the timeline
  EXPECT_EQ(runner.traced(code), (Lines{"2", "1", "undefined"}));
}

TEST(Avm1FunctionTest, PrototypesNewAndInstanceOf) {
  VmRunner runner;
  Asm code;
  code.defineFunction("Point", {"x"}, [](Asm& f) {
    f.push({"this"}).op(AC::GetVariable).push({"x"}).getVar("x").op(AC::SetMember);
  });
  method(code, "Point.prototype", "twice", {}, [](Asm& f) {
    f.getVar("this").push({"x"}).op(AC::GetMember).push({2}).op(AC::Multiply).op(AC::Return);
  });
  code.push({"p"}).newObject("Point", {4}).op(AC::SetVariable);
  code.callMethod("p", "twice", {}).op(AC::Trace);
  code.getVar("p").getVar("Point").op(AC::InstanceOf).op(AC::Trace);
  code.getVar("p").getVar("Array").op(AC::InstanceOf).op(AC::Trace);
  code.getVar("p").push({"__proto__"}).op(AC::GetMember);
  code.getVar("Point").push({"prototype"}).op(AC::GetMember).op(AC::StrictEquals).op(AC::Trace);
  code.getVar("p").op(AC::TypeOf).op(AC::Trace);
  EXPECT_EQ(runner.traced(code), (Lines{"8", "true", "false", "true", "object"}));
}

TEST(Avm1FunctionTest, ExtendsAndSuperReachTheParentClass) {
  VmRunner runner;
  Asm code;
  code.defineFunction("A", {"n"},
                      [](Asm& f) { f.getVar("this").push({"n"}).getVar("n").op(AC::SetMember); });
  code.defineFunction("B", {}, [](Asm& f) {  // super(5)
    f.push({5, 1}).getVar("super").push({Undefined{}}).op(AC::CallMethod).op(AC::Pop);
  });
  code.getVar("B").getVar("A").op(AC::Extends);
  method(code, "A.prototype", "hello", {}, [](Asm& f) {
    f.push({"A"}).getVar("this").push({"n"}).op(AC::GetMember).op(AC::Add2).op(AC::Return);
  });
  method(code, "B.prototype", "hello", {}, [](Asm& f) {  // "B" + super.hello()
    f.push({"B", 0}).getVar("super").push({"hello"}).op(AC::CallMethod).op(AC::Add2);
    f.op(AC::Return);
  });
  code.push({"b"}).newObject("B", {}).op(AC::SetVariable);
  code.callMethod("b", "hello", {}).op(AC::Trace);
  code.getVar("b").getVar("A").op(AC::InstanceOf).op(AC::Trace);
  code.getVar("b").getVar("B").op(AC::InstanceOf).op(AC::Trace);
  EXPECT_EQ(runner.traced(code), (Lines{"BA5", "true", "true"}));
}

TEST(Avm1FunctionTest, InterfacesCastAndImplements) {
  VmRunner runner;
  Asm code;
  code.defineFunction("Shape", {}, [](Asm&) {});
  code.defineFunction("Drawable", {}, [](Asm&) {});
  code.getVar("Drawable").push({1}).getVar("Shape").op(AC::ImplementsOp);
  code.push({"s"}).newObject("Shape", {}).op(AC::SetVariable);
  code.getVar("s").getVar("Drawable").op(AC::InstanceOf).op(AC::Trace);
  code.getVar("Drawable").getVar("s").op(AC::CastOp).op(AC::TypeOf).op(AC::Trace);
  code.getVar("Array").getVar("s").op(AC::CastOp).op(AC::Trace);
  EXPECT_EQ(runner.traced(code), (Lines{"true", "object", "null"}));
}

TEST(Avm1FunctionTest, CallApplyAndAccessorProperties) {
  VmRunner runner;
  Asm code;
  code.defineFunction("who", {"suffix"}, [](Asm& f) {
    f.getVar("this").push({"name"}).op(AC::GetMember).getVar("suffix").op(AC::Add2).op(AC::Return);
  });
  code.push({"o", "name", "o", 1}).op(AC::InitObject).op(AC::SetVariable);
  // who.call(o, "!") and who.apply(o, ["?"])
  code.push({"!"}).getVar("o").push({2}).getVar("who").push({"call"}).op(AC::CallMethod);
  code.op(AC::Trace);
  code.push({"?", 1}).op(AC::InitArray).getVar("o").push({2}).getVar("who").push({"apply"});
  code.op(AC::CallMethod).op(AC::Trace);
  // o.addProperty("loud", getter, null)
  code.push({test::Null{}});
  code.defineFunction("", {}, [](Asm& f) {
    f.getVar("this").push({"name"}).op(AC::GetMember).op(AC::ToString);
    f.push({"length"}).op(AC::GetMember).op(AC::Return);
  });
  code.push({"size", 3}).getVar("o").push({"addProperty"}).op(AC::CallMethod).op(AC::Trace);
  code.traceVar("o.size");
  EXPECT_EQ(runner.traced(code), (Lines{"o!", "o?", "true", "1"}));
}

TEST(Avm1FunctionTest, FunctionsActOnTheTimelineTheyWereDefinedOn) {
  VmRunner runner;
  const ClipHandle child = runner.host.addClip(runner.host.root, QStringLiteral("child"));
  Asm define;
  define.defineFunction("halt", {}, [](Asm& f) { f.op(AC::Stop).setVar("mine", 1); });
  runner.run(define, child);
  Asm call;
  call.callFunction("child.halt", {}).op(AC::Pop);
  runner.run(call);
  EXPECT_FALSE(runner.host.clips[child].playing);
  EXPECT_TRUE(runner.host.clips[runner.host.root].playing);
  EXPECT_EQ(runner.variable("child.mine").asNumber(), 1);
}

TEST(Avm1FunctionTest, UnreachableObjectsAndCyclesAreCollected) {
  VmRunner runner;
  runner.vm.collectGarbage();
  const std::size_t baseline = runner.vm.heap().size();
  Asm code;
  // for (i = 0; i < 300; i++) { a = {}; b = {}; a.other = b; b.other = a; }
  code.setVar("i", 0).label("loop");
  code.getVar("i").push({300}).op(AC::Less2).op(AC::Not).ifTrue("end");
  code.push({"a", 0}).op(AC::InitObject).op(AC::SetVariable);
  code.push({"b", 0}).op(AC::InitObject).op(AC::SetVariable);
  code.getVar("a").push({"other"}).getVar("b").op(AC::SetMember);
  code.getVar("b").push({"other"}).getVar("a").op(AC::SetMember);
  code.push({"i"}).getVar("i").op(AC::Increment).op(AC::SetVariable).jump("loop");
  code.label("end");
  runner.run(code);
  runner.vm.collectGarbage();
  // Only the last pair is still reachable, through the timeline.
  EXPECT_LE(runner.vm.heap().size(), baseline + 4);
  EXPECT_EQ(runner.variable("a.other.other.other").objectOrNull(),
            runner.variable("b").objectOrNull());
}

}  // namespace
}  // namespace quelvo::swf::avm1
