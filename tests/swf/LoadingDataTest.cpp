// Data files scripts load: LoadVars, loadVariables and XML.load read local
// files on a later tick; network addresses are refused as missing files.
#include <gtest/gtest.h>

#include "LoadingSupport.h"
#include "PlayerTestSupport.h"

namespace quelvo::swf {
namespace {

namespace st = swftest;
using avm1::test::AC;
using avm1::test::Asm;
using avm1::test::VmRunner;
using loadtest::appendLog;
using loadtest::logHandler;
using loadtest::writeFile;

// A movie whose first frame runs code (log starts empty), its third frame
// later, with empty frames up to the tenth.
std::unique_ptr<Player> scripted(const Asm& code, const Asm& later = Asm()) {
  st::TagStream tags;
  Asm start;
  start.setVar("log", "");
  tags.doAction(start.program()).doAction(code.program()).showFrame().showFrame();
  tags.doAction(later.program()).showFrame();
  for (int i = 3; i < 10; ++i) tags.showFrame();
  tags.end();
  return playerFor(tags);
}

// name = new className()
Asm& make(Asm& code, const char* name, const char* className) {
  code.push({name}).newObject(className, {});
  return code.op(AC::SetVariable);
}

Asm& call(Asm& code, const char* object, const char* method,
          std::initializer_list<avm1::test::PushItem> args) {
  return code.callMethod(object, method, args).op(AC::Pop);
}

const QByteArray kVars = "name=J%C3%BCrgen&score=42&msg=a+b%26c&=skipped&flag";

TEST(LoadingDataTest, LoadVarsLoadsOnTheNextTickAndDecodes) {
  QTemporaryDir folder;
  writeFile(folder, "vars.txt", kVars);
  Asm code;
  make(code, "v", "LoadVars");
  logHandler(code, "v", "onLoad", {"ok"},
             {"$ok", " ", "$this.name", " ", "$this.score", " ", "$this.msg", " [", "$this.flag",
              "] ", "$this.loaded"});
  call(code, "v", "load", {"vars.txt"});
  appendLog(code, {"asked ", "$v.loaded"});
  code.push({"before"}).callMethod("v", "getBytesTotal", {}).op(AC::SetVariable);
  Asm later;
  later.push({"total"}).callMethod("v", "getBytesTotal", {}).op(AC::SetVariable);
  auto player = scripted(code, later);
  ASSERT_TRUE(player);
  player->setMovieFolder(folder.path().toStdString());
  EXPECT_EQ(player->scriptVariable("log"), QStringLiteral("asked false;"));
  player->tick();
  EXPECT_EQ(player->scriptVariable("log"),
            QStringLiteral("asked false;true Jürgen 42 a b&c [] true;"));
  player->tick();
  EXPECT_EQ(player->scriptVariable("before"), QStringLiteral("undefined"));
  EXPECT_EQ(player->scriptVariable("total"), QString::number(kVars.size()));
}

TEST(LoadingDataTest, MissingFilesAndNetworkAddressesFailWithoutBeingRead) {
  QTemporaryDir folder;
  writeFile(folder, "vars.txt", kVars);
  loadtest::MovieLogCapture log;
  Asm code;
  const char* urls[] = {"none.txt", "http://example.com/vars.txt", "ftp://example.com/vars.txt",
                        "//server/share/vars.txt", "\\\\server\\share\\vars.txt"};
  for (const char* url : urls) {
    make(code, "v", "LoadVars");
    logHandler(code, "v", "onLoad", {"ok"}, {"$ok", " ", "$this.name"});
    call(code, "v", "load", {url});
  }
  make(code, "x", "XML");
  logHandler(code, "x", "onLoad", {"ok"}, {"xml ", "$ok"});
  call(code, "x", "load", {"https://example.com/vars.txt"});
  auto player = scripted(code);
  ASSERT_TRUE(player);
  player->setMovieFolder(folder.path().toStdString());
  player->tick();
  EXPECT_EQ(player->scriptVariable("log"),
            QStringLiteral("false undefined;false undefined;false undefined;false undefined;"
                           "false undefined;xml false;"));
  EXPECT_TRUE(log.contains("refused load: http://example.com/vars.txt"));
  EXPECT_TRUE(log.contains("refused load: //server/share/vars.txt"));
  EXPECT_TRUE(log.contains("refused load: https://example.com/vars.txt"));
}

TEST(LoadingDataTest, LoadVariablesSetsTheClipsVariablesThenCallsOnData) {
  QTemporaryDir folder;
  writeFile(folder, "vars.txt", kVars);
  Asm code;
  code.callMethod("_root", "createEmptyMovieClip", {"holder", 1}).op(AC::Pop);
  logHandler(code, "holder", "onData", {}, {"data ", "$this.name"});
  call(code, "holder", "loadVariables", {"vars.txt"});
  // loadVariablesNum("vars.txt", 0): GetURL2 with the load-variables flag.
  code.push({"vars.txt", "_level0"}).getUrl2(0x01);
  auto player = scripted(code);
  ASSERT_TRUE(player);
  player->setMovieFolder(folder.path().toStdString());
  EXPECT_EQ(player->scriptVariable("holder.score"), QStringLiteral("undefined"));
  player->tick();
  EXPECT_EQ(player->scriptVariable("log"), QStringLiteral("data Jürgen;"));
  EXPECT_EQ(player->scriptVariable("holder.msg"), QStringLiteral("a b&c"));
  EXPECT_EQ(player->scriptVariable("score"), QStringLiteral("42"));
}

TEST(LoadingDataTest, XmlLoadParsesTheFileWithItsSettings) {
  QTemporaryDir folder;
  writeFile(folder, "menu.xml",
            QByteArray("\xEF\xBB\xBF<menu>\n  <item>Tea</item>\n  "
                       "<item>Caf\xC3\xA9</item>\n</menu>"));
  Asm code;
  make(code, "x", "XML");
  code.getVar("x").push({"ignoreWhite", true}).op(AC::SetMember);
  logHandler(code, "x", "onLoad", {"ok"},
             {"$ok", " ", "$this.status", " ", "$this.firstChild.childNodes.length", " ",
              "$this.firstChild.lastChild.firstChild.nodeValue"});
  call(code, "x", "load", {"menu.xml"});
  auto player = scripted(code);
  ASSERT_TRUE(player);
  player->setMovieFolder(folder.path().toStdString());
  player->tick();
  EXPECT_EQ(player->scriptVariable("log"), QStringLiteral("true 0 2 Café;"));
}

TEST(LoadingDataTest, LoadVarsEncodesAndDecodesVariables) {
  VmRunner runner;
  Asm code;
  make(code, "v", "LoadVars");
  code.getVar("v").push({"greeting", "hi there & bye"}).op(AC::SetMember);
  code.getVar("v").push({"n", 5}).op(AC::SetMember);
  code.callMethod("v", "toString", {}).op(AC::Trace);
  call(code, "v", "decode", {"a=%E2%82%AC+1&greeting=x"});
  code.getVar("v").push({"a"}).op(AC::GetMember).op(AC::Trace);
  code.getVar("v").push({"greeting"}).op(AC::GetMember).op(AC::Trace);
  code.callMethod("v", "send", {"http://example.com/"}).op(AC::Trace);
  EXPECT_EQ(runner.traced(code),
            (std::vector<std::string>{"n=5&greeting=hi%20there%20%26%20bye", "€ 1", "x", "false"}));
}

}  // namespace
}  // namespace quelvo::swf
