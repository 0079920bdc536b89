// Edit text fields bound to script variables: each placement shows the
// variable of the timeline holding it, and follows it as scripts change it.
#include <gtest/gtest.h>

#include "Avm1Fixtures.h"
#include "PlayerTestSupport.h"
#include "swf/geometry/ShapePaths.h"
#include "swf/text/TextLibrary.h"

namespace quelvo::swf {
namespace {

namespace st = swftest;
using avm1::test::AC;
using avm1::test::Asm;

st::EditTextSpec boundField(const char* variable, const char* text) {
  st::EditTextSpec field;
  field.bounds = {0, 2000, 0, 600};
  field.variableName = variable;
  field.text = text;
  return field;
}

QString shownText(Player& player, const DisplayObject& object) {
  return player.fieldTexts().text(object.character, object.field.get());
}

TEST(FieldBindingTest, FieldsShowTheirVariablesAsScriptsChangeThem) {
  st::TagStream tags;
  tags.defineEditText(1, boundField("count", "start"));
  tags.defineEditText(2, boundField("_root.msg", "hello"));
  // A field in a sprite naming the root's variable with a slash path.
  tags.defineEditText(3, boundField("/:count", ""));
  st::TagStream sprite;
  sprite.placeObject(st::Placement::place(1, 3));
  sprite.showFrame().end();
  tags.defineSprite(4, sprite);
  tags.placeObject(st::Placement::place(1, 1)).placeObject(st::Placement::place(2, 2));
  tags.placeObject(st::Placement::place(3, 4));
  tags.doAction(Asm().setVar("count", 1).program()).showFrame();
  tags.doAction(Asm().setVar("count", "twenty two").program()).showFrame();
  tags.doAction(Asm().op(AC::Stop).program()).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  const DisplayList& root = player->displayList();
  EXPECT_EQ(shownText(*player, *root.find(1)), QStringLiteral("1"));
  // An undefined variable takes the field's text.
  EXPECT_EQ(shownText(*player, *root.find(2)), QStringLiteral("hello"));
  EXPECT_EQ(player->scriptVariable(QStringLiteral("msg")), QStringLiteral("hello"));
  const DisplayObject* inner = root.find(3)->sprite->displayList().find(1);
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(shownText(*player, *inner), QStringLiteral("1"));

  const QImage before = renderStage(*player);
  EXPECT_TRUE(player->tick());
  EXPECT_EQ(shownText(*player, *root.find(1)), QStringLiteral("twenty two"));
  EXPECT_EQ(shownText(*player, *inner), QStringLiteral("twenty two"));
  EXPECT_TRUE(renderStage(*player) != before);
  // Later frames leave the texts as they are.
  player->tick();
  EXPECT_EQ(shownText(*player, *root.find(1)), QStringLiteral("twenty two"));
  EXPECT_EQ(shownText(*player, *root.find(2)), QStringLiteral("hello"));
}

TEST(FieldBindingTest, PlacementsOfOneFieldShowTheVariablesOfTheirTimelines) {
  st::TagStream tags;
  tags.defineEditText(1, boundField("label", ""));
  st::TagStream sprite;
  sprite.placeObject(st::Placement::place(1, 1));
  sprite.showFrame().end();
  tags.defineSprite(2, sprite);
  for (const auto& [depth, name] : {std::pair{1, "one"}, std::pair{2, "two"}}) {
    st::Placement placement = st::Placement::place(static_cast<std::uint16_t>(depth), 2);
    placement.name = name;
    tags.placeObject(placement);
  }
  Asm code;
  code.getVar("one").push({"label", "first"}).op(AC::SetMember);
  code.getVar("two").push({"label", "second"}).op(AC::SetMember);
  tags.doAction(code.op(AC::Stop).program()).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  const auto fieldIn = [&](std::uint16_t depth) {
    return shownText(*player, *player->displayList().find(depth)->sprite->displayList().find(1));
  };
  EXPECT_EQ(fieldIn(1), QStringLiteral("first"));
  EXPECT_EQ(fieldIn(2), QStringLiteral("second"));
  // The character's own text is untouched.
  EXPECT_EQ(player->fieldTexts().text(1), QString());
}

TEST(FieldBindingTest, AFieldChangingEveryFrameKeepsThePathCacheBounded) {
  constexpr int kFrames = static_cast<int>(ShapePathCache::kTransientEntriesKept) + 50;
  st::TagStream tags;
  tags.defineEditText(1, boundField("count", "0")).placeObject(st::Placement::place(1, 1));
  tags.showFrame();
  for (int frame = 1; frame < kFrames; ++frame) {
    Asm code;
    code.push({"count"}).getVar("count").op(AC::Increment).op(AC::SetVariable);
    tags.doAction(code.program()).showFrame();
  }
  tags.end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  ShapePathCache cache;
  const DisplayObject& field = *player->displayList().find(1);
  for (int frame = 1; frame < kFrames; ++frame) {
    ASSERT_TRUE(player->tick()) << frame;
    const Shape* shape = player->fieldTexts().shape(1, field.field.get());
    ASSERT_NE(shape, nullptr);
    // A new text's shape may take the memory of the one before: the cached
    // paths must still be those of the current text.
    const ShapePaths& cached = cache.paths(*shape);
    const ShapePaths fresh = buildShapePaths(*shape);
    ASSERT_EQ(cached.layers.size(), fresh.layers.size()) << frame;
    for (std::size_t layer = 0; layer < fresh.layers.size(); ++layer) {
      ASSERT_EQ(cached.layers[layer].fills, fresh.layers[layer].fills) << frame;
    }
    ASSERT_LE(cache.size(), ShapePathCache::kTransientEntriesKept) << frame;
  }
  EXPECT_EQ(shownText(*player, field), QString::number(kFrames - 1));
}

}  // namespace
}  // namespace quelvo::swf
