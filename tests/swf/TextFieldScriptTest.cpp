// Text fields as script objects: reaching them, their members, formats and
// extents, fields made and removed by scripts, and how they draw.
#include <gtest/gtest.h>

#include "Avm1Fixtures.h"
#include "PlayerTestSupport.h"
#include "swf/text/RestrictRule.h"

namespace quelvo::swf {
namespace {

namespace st = swftest;
using avm1::test::AC;
using avm1::test::Asm;
using avm1::test::PushItem;

// variable.member = value
Asm& setMember(Asm& code, const char* variable, const char* member, PushItem value) {
  return code.getVar(variable).push({member, std::move(value)}).op(AC::SetMember);
}

// result = variable.member
Asm& readMember(Asm& code, const char* result, const char* variable, const char* member) {
  return code.push({result}).getVar(variable).push({member}).op(AC::GetMember).op(AC::SetVariable);
}

// name = _root.createTextField(name, depth, x, y, width, height)
Asm& createField(Asm& code, const char* name, int depth, int x, int y, int width, int height) {
  code.push({name});
  code.callMethod("_root", "createTextField", {name, depth, x, y, width, height});
  return code.op(AC::SetVariable);
}

// field.method(positions..., format), the format read from a variable.
Asm& callWithFormat(Asm& code, const char* method, std::vector<int> positions, const char* format) {
  code.getVar(format);
  for (auto it = positions.rbegin(); it != positions.rend(); ++it) code.push({*it});
  code.push({static_cast<int>(positions.size() + 1)}).getVar("f").push({method});
  return code.op(AC::CallMethod).op(AC::Pop);
}

std::unique_ptr<Player> play(const Asm& code, std::uint8_t version = 8,
                             st::TagStream tags = st::TagStream()) {
  tags.doAction(Asm(code).op(AC::Stop).program()).showFrame().end();
  st::MovieOptions options = smallStage();
  options.version = version;
  return playerFor(tags, options);
}

QString var(Player& player, const char* name) {
  return player.scriptVariable(QString::fromLatin1(name));
}

TEST(TextFieldScriptTest, PlacedFieldsAreObjectsReachedByNameSharingClipProperties) {
  st::TagStream tags;
  st::EditTextSpec spec;
  spec.bounds = {0, 2000, 0, 400};
  spec.text = "hello";
  tags.defineEditText(1, spec);
  st::Placement placement = st::Placement::place(1, 1);
  placement.name = "label";
  tags.placeObject(placement);
  Asm code;
  readMember(code, "before", "label", "text");
  code.push({"kind"}).getVar("label").op(AC::TypeOf).op(AC::SetVariable);
  // Names are case-insensitive in SWF 6.
  code.push({"_root"}).op(AC::GetVariable).push({"LABEL"}).op(AC::GetMember);
  code.push({"text", "changed"}).op(AC::SetMember);
  setMember(code, "label", "_x", 30);
  readMember(code, "x", "label", "_x");
  readMember(code, "width", "label", "_width");
  readMember(code, "name", "label", "_name");
  readMember(code, "length", "label", "length");
  code.push({"path"}).getVar("label").op(AC::ToString).op(AC::SetVariable);
  const auto player = play(code, 6, std::move(tags));
  ASSERT_TRUE(player);
  EXPECT_EQ(var(*player, "before"), QStringLiteral("hello"));
  EXPECT_EQ(var(*player, "kind"), QStringLiteral("object"));
  EXPECT_EQ(var(*player, "x"), QStringLiteral("30"));
  EXPECT_EQ(var(*player, "width"), QStringLiteral("100"));
  EXPECT_EQ(var(*player, "name"), QStringLiteral("label"));
  EXPECT_EQ(var(*player, "length"), QStringLiteral("7"));
  EXPECT_EQ(var(*player, "path"), QStringLiteral("_level0.label"));
  const DisplayObject& field = *player->displayList().find(1);
  EXPECT_EQ(player->fieldTexts().text(field.character, field.field.get()),
            QStringLiteral("changed"));
  EXPECT_DOUBLE_EQ(field.matrix.translateX, 600);
}

TEST(TextFieldScriptTest, CreateTextFieldReturnsTheFieldFromSwf8AndMembersRoundTrip) {
  Asm code;
  createField(code, "made", 5, 10, 10, 50, 20);
  code.push({"kind"}).getVar("made").op(AC::TypeOf).op(AC::SetVariable);
  const auto older = play(code, 7);
  ASSERT_TRUE(older);
  EXPECT_EQ(var(*older, "kind"), QStringLiteral("undefined"));

  const struct {
    const char* member;
    PushItem value;
    const char* expected;
  } cases[] = {
      {"border", true, "true"},
      {"background", true, "true"},
      {"backgroundColor", 0xFF0000, "16711680"},
      {"textColor", 0x00FF00, "65280"},
      {"wordWrap", true, "true"},
      {"multiline", true, "true"},
      {"selectable", false, "false"},
      {"type", "input", "input"},
      {"maxChars", 5, "5"},
      {"restrict", "a-z", "a-z"},
      {"password", true, "true"},
      {"html", true, "true"},
      {"autoSize", "center", "center"},
      {"variable", "bound", "bound"},
  };
  Asm members;
  createField(members, "f", 1, 0, 0, 50, 20);
  members.push({"kind"}).getVar("f").op(AC::TypeOf).op(AC::SetVariable);
  for (const auto& c : cases) {
    setMember(members, "f", c.member, c.value);
    readMember(members, c.member, "f", c.member);
  }
  // Nonsense values leave type alone; autoSize true means "left".
  setMember(members, "f", "type", "bogus");
  readMember(members, "typeAfter", "f", "type");
  setMember(members, "f", "autoSize", true);
  readMember(members, "autoSizeTrue", "f", "autoSize");
  setMember(members, "f", "maxChars", avm1::test::Null{});
  readMember(members, "maxCharsNull", "f", "maxChars");
  const auto player = play(members);
  ASSERT_TRUE(player);
  EXPECT_EQ(var(*player, "kind"), QStringLiteral("object"));
  for (const auto& c : cases) {
    EXPECT_EQ(var(*player, c.member), QString::fromLatin1(c.expected)) << c.member;
  }
  EXPECT_EQ(var(*player, "typeAfter"), QStringLiteral("input"));
  EXPECT_EQ(var(*player, "autoSizeTrue"), QStringLiteral("left"));
  EXPECT_EQ(var(*player, "maxCharsNull"), QStringLiteral("null"));
}

TEST(TextFieldScriptTest, AutoSizeFitsTheFieldToItsText) {
  Asm code;
  createField(code, "f", 1, 0, 0, 10, 10);
  setMember(code, "f", "text", "A much longer text than ten pixels");
  readMember(code, "fixed", "f", "_width");
  setMember(code, "f", "autoSize", "left");
  readMember(code, "grown", "f", "_width");
  readMember(code, "textWidth", "f", "textWidth");
  const auto player = play(code);
  ASSERT_TRUE(player);
  EXPECT_EQ(var(*player, "fixed"), QStringLiteral("10"));
  const double grown = var(*player, "grown").toDouble();
  const double textWidth = var(*player, "textWidth").toDouble();
  if (textWidth == 0) GTEST_SKIP() << "no device fonts here";
  EXPECT_GT(grown, 10);
  EXPECT_NEAR(grown, textWidth + 4, 1);
}

TEST(TextFieldScriptTest, ScrollStaysWithinTheLinesOfALongText) {
  QString lines;
  for (int i = 1; i <= 30; ++i) lines += QString::number(i) + u'\r';
  Asm code;
  createField(code, "f", 1, 0, 0, 80, 60);
  setMember(code, "f", "multiline", true);
  setMember(code, "f", "text", lines);
  readMember(code, "maxscroll", "f", "maxscroll");
  setMember(code, "f", "scroll", 3);
  readMember(code, "scroll", "f", "scroll");
  readMember(code, "bottom", "f", "bottomScroll");
  setMember(code, "f", "scroll", 1000);
  readMember(code, "clamped", "f", "scroll");
  setMember(code, "f", "scroll", -5);
  readMember(code, "lowest", "f", "scroll");
  const auto player = play(code);
  ASSERT_TRUE(player);
  const int maxscroll = var(*player, "maxscroll").toInt();
  if (maxscroll == 1) GTEST_SKIP() << "no device fonts here";
  EXPECT_GT(maxscroll, 20);
  EXPECT_LT(maxscroll, 31);
  EXPECT_EQ(var(*player, "scroll"), QStringLiteral("3"));
  EXPECT_GT(var(*player, "bottom").toInt(), 3);
  EXPECT_EQ(var(*player, "clamped").toInt(), maxscroll);
  EXPECT_EQ(var(*player, "lowest"), QStringLiteral("1"));
}

TEST(TextFieldScriptTest, TextFormatsApplyToRangesAndReadBackMixedAsNull) {
  Asm code;
  createField(code, "f", 1, 0, 0, 100, 20);
  setMember(code, "f", "text", "abcdef");
  code.push({"bold"}).newObject("TextFormat", {}).op(AC::SetVariable);
  setMember(code, "bold", "bold", true);
  callWithFormat(code, "setTextFormat", {1, 3}, "bold");
  code.push({"big"}).newObject("TextFormat", {"_sans", 30}).op(AC::SetVariable);
  callWithFormat(code, "setTextFormat", {5}, "big");
  const auto readFormat = [&](const char* result, std::initializer_list<PushItem> range,
                              const char* member) {
    code.push({result});
    code.callMethod("f", "getTextFormat", range);
    code.push({member}).op(AC::GetMember).op(AC::SetVariable);
  };
  readFormat("plain", {0}, "bold");
  readFormat("inside", {1, 3}, "bold");
  readFormat("mixed", {}, "bold");
  readFormat("lastSize", {5}, "size");
  readFormat("mixedSize", {4, 6}, "size");
  readFormat("sharedFont", {0, 4}, "font");
  // New text takes the new text format, not the formats set before.
  code.push({"red"}).newObject("TextFormat", {}).op(AC::SetVariable);
  setMember(code, "red", "color", 0xFF0000);
  callWithFormat(code, "setNewTextFormat", {}, "red");
  setMember(code, "f", "text", "xyz");
  readFormat("afterBold", {1, 2}, "bold");
  readFormat("afterColor", {}, "color");
  const auto player = play(code);
  ASSERT_TRUE(player);
  EXPECT_EQ(var(*player, "plain"), QStringLiteral("false"));
  EXPECT_EQ(var(*player, "inside"), QStringLiteral("true"));
  EXPECT_EQ(var(*player, "mixed"), QStringLiteral("null"));
  EXPECT_EQ(var(*player, "lastSize"), QStringLiteral("30"));
  EXPECT_EQ(var(*player, "mixedSize"), QStringLiteral("null"));
  EXPECT_EQ(var(*player, "sharedFont"), QStringLiteral("_serif"));
  EXPECT_EQ(var(*player, "afterBold"), QStringLiteral("false"));
  EXPECT_EQ(var(*player, "afterColor"), QStringLiteral("16711680"));
}

TEST(TextFieldScriptTest, TextExtentGrowsWithTheTextAndWraps) {
  Asm code;
  code.push({"format"}).newObject("TextFormat", {"_sans", 20}).op(AC::SetVariable);
  const auto extent = [&](const char* result, std::initializer_list<PushItem> args,
                          const char* member) {
    code.push({result});
    code.callMethod("format", "getTextExtent", args);
    code.push({member}).op(AC::GetMember).op(AC::SetVariable);
  };
  extent("once", {"Hello"}, "width");
  extent("twice", {"HelloHello"}, "width");
  extent("field", {"Hello"}, "textFieldWidth");
  extent("line", {"Hello"}, "height");
  extent("wrapped", {"Hello Hello Hello Hello", 60}, "height");
  extent("ascent", {"Hello"}, "ascent");
  const auto player = play(code);
  ASSERT_TRUE(player);
  const double once = var(*player, "once").toDouble();
  if (once == 0) GTEST_SKIP() << "no device fonts here";
  EXPECT_NEAR(var(*player, "twice").toDouble(), 2 * once, 2);
  EXPECT_DOUBLE_EQ(var(*player, "field").toDouble(), once + 4);
  const double line = var(*player, "line").toDouble();
  EXPECT_GT(line, 15);
  EXPECT_GT(var(*player, "wrapped").toDouble(), 2 * line);
  EXPECT_GT(var(*player, "ascent").toDouble(), 10);
}

TEST(TextFieldScriptTest, FieldAndVariableFollowEachOther) {
  Asm code;
  createField(code, "f", 1, 0, 0, 100, 20);
  setMember(code, "f", "variable", "shown");
  code.setVar("shown", "from the variable");
  const auto player = play(code);
  ASSERT_TRUE(player);
  player->tick();
  const DisplayObject& field = *player->displayList().find(16385);
  EXPECT_EQ(player->fieldTexts().text(0, field.field.get()), QStringLiteral("from the variable"));

  Asm back;
  createField(back, "f", 1, 0, 0, 100, 20);
  setMember(back, "f", "variable", "shown");
  setMember(back, "f", "text", "from the field");
  const auto other = play(back);
  ASSERT_TRUE(other);
  other->tick();
  EXPECT_EQ(var(*other, "shown"), QStringLiteral("from the field"));
}

TEST(TextFieldScriptTest, RemovedFieldsAreGoneAndTheirObjectsHarmless) {
  Asm code;
  code.push({"f"});
  code.callMethod("_root", "createTextField", {"field", 1, 0, 0, 100, 20});
  code.op(AC::SetVariable);
  code.callMethod("f", "removeTextField", {}).op(AC::Pop);
  // The variable f still holds the object; the timeline has no field f.
  code.push({"kind"}).push({"_root"}).op(AC::GetVariable).push({"field"}).op(AC::GetMember);
  code.op(AC::TypeOf).op(AC::SetVariable);
  readMember(code, "staleText", "f", "text");
  setMember(code, "f", "text", "ignored");
  const auto player = play(code);
  ASSERT_TRUE(player);
  EXPECT_EQ(var(*player, "kind"), QStringLiteral("undefined"));
  EXPECT_EQ(var(*player, "staleText"), QStringLiteral("undefined"));
  EXPECT_TRUE(player->displayList().objects().empty());
  player->tick();  // the gone field's object is let go without harm
}

TEST(TextFieldScriptTest, ACreatedFieldDrawsItsBackgroundAndBorder) {
  Asm code;
  createField(code, "f", 1, 20, 20, 40, 40);
  setMember(code, "f", "background", true);
  setMember(code, "f", "backgroundColor", 0xFF0000);
  setMember(code, "f", "border", true);
  setMember(code, "f", "borderColor", 0x0000FF);
  const auto player = play(code);
  ASSERT_TRUE(player);
  const QImage image = renderStage(*player);
  EXPECT_EQ(rgbAt(image, 40, 40), std::make_tuple(255, 0, 0));
  EXPECT_EQ(rgbAt(image, 20, 40), std::make_tuple(0, 0, 255));
  EXPECT_EQ(rgbAt(image, 60, 40), std::make_tuple(0, 0, 255));
  EXPECT_EQ(rgbAt(image, 10, 10), std::make_tuple(255, 255, 255));
}

// Types text one key at a time: each character with the key code of its
// upper case letter, as keyboards send them.
void type(Player& player, const QString& text) {
  for (const QChar c : text) player.keyDown(c.toUpper().unicode(), c.unicode());
}

TEST(TextFieldScriptTest, AClickedInputFieldTakesTypingWithinItsRestrictAndMaxChars) {
  Asm code;
  createField(code, "f", 1, 0, 0, 100, 20);
  setMember(code, "f", "type", "input");
  setMember(code, "f", "variable", "typed");
  setMember(code, "f", "restrict", "a-c\\-");
  setMember(code, "f", "maxChars", 6);
  // onChanged counts the edits.
  code.setVar("changes", 0);
  code.getVar("f").push({"onChanged"});
  code.defineFunction("", {}, [](Asm& body) {
    body.push({"changes"}).getVar("changes").op(AC::Increment).op(AC::SetVariable);
  });
  code.op(AC::SetMember);
  createField(code, "output", 2, 0, 40, 100, 20);
  const auto player = play(code);
  ASSERT_TRUE(player);
  type(*player, QStringLiteral("abc"));  // not focused yet
  player->pointerMove(400, 200);
  player->pointerDown();
  player->pointerUp();
  // Upper case letters go in as lower case, what the rule excludes not at all.
  type(*player, QStringLiteral("aBxd-c-cab"));
  player->tick();
  EXPECT_EQ(var(*player, "typed"), QStringLiteral("ab-c-c"));
  player->keyDown(37);  // left
  player->keyDown(8);   // backspace
  player->keyDown(36);  // home
  player->keyDown(46);  // delete
  player->keyDown(13);  // enter: the field is not multiline
  player->tick();
  EXPECT_EQ(var(*player, "typed"), QStringLiteral("b-cc"));
  EXPECT_EQ(var(*player, "changes"), QStringLiteral("8"));
  // A click on a field that takes no input takes the focus away.
  player->pointerMove(400, 1000);
  player->pointerDown();
  type(*player, QStringLiteral("a"));
  player->tick();
  EXPECT_EQ(var(*player, "typed"), QStringLiteral("b-cc"));
}

TEST(TextFieldScriptTest, RestrictRulesReadRangesNegationAndEscapes) {
  const auto allowed = [](const char* rule, char16_t c) {
    const auto result = restrictedCharacter(QString::fromLatin1(rule), QChar(c));
    return result ? QString(*result) : QString();
  };
  EXPECT_EQ(allowed("a-z", u'q'), QStringLiteral("q"));
  EXPECT_EQ(allowed("a-z", u'Q'), QStringLiteral("q"));
  EXPECT_EQ(allowed("a-z", u'1'), QString());
  EXPECT_EQ(allowed("^0-9", u'x'), QStringLiteral("x"));
  EXPECT_EQ(allowed("^0-9", u'5'), QString());
  EXPECT_EQ(allowed("A-Z^Q", u'Q'), QString());
  EXPECT_EQ(allowed("A-Z^Q", u'R'), QStringLiteral("R"));
  EXPECT_EQ(allowed("\\^", u'^'), QStringLiteral("^"));
  EXPECT_EQ(allowed("\\^\\-", u'-'), QStringLiteral("-"));
  EXPECT_EQ(allowed("\\-", u'-'), QStringLiteral("-"));
  EXPECT_EQ(allowed("", u'a'), QString());
  // A range with its end missing takes its characters as they are.
  EXPECT_EQ(allowed("a-", u'-'), QStringLiteral("-"));
}

}  // namespace
}  // namespace quelvo::swf
