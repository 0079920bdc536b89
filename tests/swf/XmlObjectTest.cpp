// XML and XMLNode objects of scripts: parsing into a tree, walking it,
// changing it, and writing it back out.
#include <gtest/gtest.h>

#include "Avm1Fixtures.h"
#include "swf/avm1/builtins/XmlTree.h"

namespace quelvo::swf::avm1 {
namespace {

using test::AC;
using test::Asm;
using test::PushItem;
using test::VmRunner;

// Pushes variable.member1.member2...
Asm& path(Asm& code, const char* variable, std::initializer_list<const char*> members) {
  code.getVar(variable);
  for (const char* member : members) code.push({member}).op(AC::GetMember);
  return code;
}

Asm& tracePath(Asm& code, const char* variable, std::initializer_list<const char*> members) {
  return path(code, variable, members).op(AC::Trace);
}

// name = new className(args)
Asm& make(Asm& code, const char* name, const char* className,
          std::initializer_list<PushItem> args) {
  code.push({name}).newObject(className, args);
  return code.op(AC::SetVariable);
}

// name = object.method(args)
Asm& keep(Asm& code, const char* name, const char* object, const char* method,
          std::initializer_list<PushItem> args) {
  code.push({name}).callMethod(object, method, args);
  return code.op(AC::SetVariable);
}

Asm& call(Asm& code, const char* object, const char* method, std::initializer_list<PushItem> args) {
  return code.callMethod(object, method, args).op(AC::Pop);
}

Asm& traceCall(Asm& code, const char* object, const char* method,
               std::initializer_list<PushItem> args = {}) {
  return code.callMethod(object, method, args).op(AC::Trace);
}

TEST(XmlObjectTest, ParsedTreeIsWalkedThroughItsLinks) {
  VmRunner runner;
  Asm code;
  make(code, "x", "XML", {"<r a='1' b='two'><b>t</b><c/></r>"});
  tracePath(code, "x", {"status"});
  tracePath(code, "x", {"firstChild", "nodeName"});
  tracePath(code, "x", {"firstChild", "attributes", "b"});
  tracePath(code, "x", {"firstChild", "firstChild", "firstChild", "nodeValue"});
  tracePath(code, "x", {"firstChild", "firstChild", "firstChild", "nodeType"});
  tracePath(code, "x", {"firstChild", "lastChild", "previousSibling", "nodeName"});
  tracePath(code, "x", {"firstChild", "childNodes", "length"});
  tracePath(code, "x", {"firstChild", "lastChild", "nextSibling"});
  path(code, "x", {"firstChild", "parentNode"}).getVar("x").op(AC::Equals2).op(AC::Trace);
  tracePath(code, "x", {"nodeName"});
  tracePath(code, "x", {"firstChild", "nodeValue"});
  EXPECT_EQ(runner.traced(code), (std::vector<std::string>{"0", "r", "two", "t", "3", "b", "2",
                                                           "null", "true", "null", "null"}));
  EXPECT_TRUE(runner.log.empty());
}

TEST(XmlObjectTest, ToStringWritesBackWhatWasParsed) {
  VmRunner runner;
  const char* source = "<?xml version=\"1.0\"?><r a=\"x &amp; y\"><b>1 &lt; 2</b><e /></r>";
  Asm code;
  make(code, "x", "XML", {source});
  traceCall(code, "x", "toString");
  path(code, "x", {"firstChild", "lastChild"}).push({0}).op(AC::StackSwap);
  code.push({"toString"}).op(AC::CallMethod).op(AC::Trace);
  tracePath(code, "x", {"xmlDecl"});
  EXPECT_EQ(runner.traced(code),
            (std::vector<std::string>{source, "<e />", "<?xml version=\"1.0\"?>"}));
}

TEST(XmlObjectTest, TreesAreBuiltMovedCopiedAndNeverMadeCircular) {
  VmRunner runner;
  Asm code;
  make(code, "d", "XML", {});
  keep(code, "e", "d", "createElement", {"list"});
  call(code, "d", "appendChild", {});  // nothing to append
  code.getVar("e").push({1}).getVar("d").push({"appendChild"}).op(AC::CallMethod).op(AC::Pop);
  keep(code, "i", "d", "createElement", {"i"});
  path(code, "i", {"attributes"}).push({"n", 1}).op(AC::SetMember);
  keep(code, "t", "d", "createTextNode", {"a<b"});
  keep(code, "f", "d", "createElement", {"first"});
  // e.appendChild(i); e.insertBefore(f, i); i.appendChild(t)
  code.getVar("i").push({1}).getVar("e").push({"appendChild"}).op(AC::CallMethod).op(AC::Pop);
  code.getVar("i").getVar("f").push({2}).getVar("e").push({"insertBefore"}).op(AC::CallMethod);
  code.op(AC::Pop);
  code.getVar("t").push({1}).getVar("i").push({"appendChild"}).op(AC::CallMethod).op(AC::Pop);
  keep(code, "c", "e", "cloneNode", {true});
  // A node cannot go below itself: e.appendChild(d) and e.appendChild(e) change nothing.
  for (const char* node : {"d", "e"}) {
    code.getVar(node).push({1}).getVar("e").push({"appendChild"}).op(AC::CallMethod).op(AC::Pop);
  }
  call(code, "f", "removeNode", {});
  traceCall(code, "d", "toString");
  traceCall(code, "c", "toString");
  tracePath(code, "f", {"parentNode"});
  traceCall(code, "e", "hasChildNodes");
  traceCall(code, "t", "hasChildNodes");
  EXPECT_EQ(runner.traced(code),
            (std::vector<std::string>{"<list><i n=\"1\">a&lt;b</i></list>",
                                      "<list><first /><i n=\"1\">a&lt;b</i></list>", "null", "true",
                                      "false"}));
}

TEST(XmlObjectTest, BrokenSourceSetsStatusAndIgnoreWhiteApplies) {
  VmRunner runner;
  Asm code;
  make(code, "x", "XML", {"<a><b></a>"});
  tracePath(code, "x", {"status"});
  tracePath(code, "x", {"firstChild", "firstChild", "nodeName"});
  make(code, "y", "XML", {});
  code.getVar("y").push({"ignoreWhite", true}).op(AC::SetMember);
  call(code, "y", "parseXML", {"<a>\n <b/> </a>"});
  tracePath(code, "y", {"firstChild", "childNodes", "length"});
  call(code, "y", "parseXML", {"<c/>"});  // replaces the old tree
  traceCall(code, "y", "toString");
  make(code, "n", "XMLNode", {3, "text & more"});
  traceCall(code, "n", "toString");
  EXPECT_EQ(runner.traced(code),
            (std::vector<std::string>{"-9", "b", "1", "<c />", "text &amp; more"}));
}

TEST(XmlObjectTest, VeryDeepTreesAreWrittenCopiedAndCollectedWithoutRecursion) {
  VmRunner runner;
  Vm& vm = runner.vm;
  constexpr int kDepth = 100000;
  XmlNodeObject* top = newXmlNode(vm, XmlNodeObject::kElement, Value::string(QStringLiteral("a")));
  XmlNodeObject* node = top;
  std::size_t steps = 0;
  for (int i = 1; i < kDepth; ++i) {
    XmlNodeObject* child =
        newXmlNode(vm, XmlNodeObject::kElement, Value::string(QStringLiteral("a")));
    ASSERT_TRUE(node->insert(child, 0, steps));
    node = child;
  }
  EXPECT_EQ(steps, 0u) << "new leaves need no loop check";
  EXPECT_FALSE(node->insert(top, 0, steps)) << "the top cannot go below its own descendant";
  EXPECT_EQ(steps, std::size_t{kDepth - 1});
  EXPECT_EQ(xmlMarkup(vm, *top).size(), (kDepth - 1) * 7 + 5);
  XmlNodeObject* copy = cloneXmlNode(vm, *top, true);
  int depth = 0;
  for (const XmlNodeObject* at = copy; at != nullptr;
       at = at->children.empty() ? nullptr : at->children.front()) {
    ++depth;
  }
  EXPECT_EQ(depth, kDepth);
  vm.collectGarbage();  // nothing refers to the trees: they go, without deep recursion
  EXPECT_LT(vm.heap().size(), std::size_t{kDepth});
}

}  // namespace
}  // namespace quelvo::swf::avm1
