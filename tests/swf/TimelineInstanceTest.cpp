#include <gtest/gtest.h>

#include <algorithm>

#include "PlayerTestSupport.h"

namespace quelvo::swf {
namespace {

namespace st = swftest;
using st::Matrix;
using st::Placement;

const st::Colour kRed{255, 0, 0};

// Three rectangles, ids 1-3.
st::TagStream withShapes() {
  st::TagStream tags;
  for (std::uint16_t id = 1; id <= 3; ++id) tags.defineRectangle(id, {0, 200, 0, 200}, kRed);
  return tags;
}

Placement replaceWith(std::uint16_t depth, std::uint16_t character) {
  Placement placement;
  placement.depth = depth;
  placement.character = character;
  placement.move = true;
  return placement;
}

// Characters at a depth, in drawing order.
std::vector<std::uint16_t> charactersAt(const DisplayList& list, std::uint16_t depth) {
  std::vector<std::uint16_t> characters;
  const auto [first, last] = list.objects().equal_range(depth);
  for (auto it = first; it != last; ++it) characters.push_back(it->second.character);
  return characters;
}

TEST(TimelineInstanceTest, PlaceMoveReplaceAndRemoveFollowTheirFlags) {
  st::TagStream tags = withShapes();
  Placement named = Placement::place(1, 1, Matrix::translate(10, 20));
  named.name = "one";
  tags.placeObject(named).placeObject(Placement::place(2, 2)).showFrame();
  tags.placeObject(Placement::moveTo(1, Matrix::translate(30, 40)));
  tags.placeObject(Placement::place(2, 3, Matrix::translate(99, 99)));  // depth taken
  tags.showFrame();
  tags.placeObject(replaceWith(1, 3)).removeObject(2).showFrame();
  tags.placeObject(Placement::moveTo(5, Matrix::translate(1, 1))).showFrame();  // nothing at 5
  tags.end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);

  EXPECT_EQ(describe(*player),
            (std::vector<std::string>{"1: #1 at 10.000000,20.000000 scale 1.000000 alpha 1.000000 "
                                      "ratio 0 name one clip 0",
                                      "2: #2 at 0.000000,0.000000 scale 1.000000 alpha 1.000000 "
                                      "ratio 0 name  clip 0"}));
  player->forward();
  EXPECT_EQ(player->displayList().find(1)->matrix.translateX, 30);
  // A second object on a taken depth goes below the first.
  EXPECT_EQ(charactersAt(player->displayList(), 2), (std::vector<std::uint16_t>{3, 2}));
  player->forward();
  // The replacement keeps the matrix and name it was not given; the removal
  // takes the lowest object of its depth.
  const DisplayObject* replaced = player->displayList().find(1);
  ASSERT_TRUE(replaced);
  EXPECT_EQ(replaced->character, 3);
  EXPECT_EQ(replaced->matrix.translateY, 40);
  EXPECT_EQ(replaced->name, "one");
  EXPECT_EQ(charactersAt(player->displayList(), 2), (std::vector<std::uint16_t>{2}));
  const auto before = describe(*player);
  EXPECT_FALSE(player->forward());
  EXPECT_EQ(describe(*player), before);
}

// A root timeline that places, moves, replaces and removes over six frames,
// with a sprite that lives through some of them.
st::TagStream busyTimeline() {
  st::TagStream tags = withShapes();
  st::TagStream sprite;
  sprite.placeObject(Placement::place(1, 1)).showFrame();
  sprite.placeObject(Placement::moveTo(1, Matrix::translate(5, 5))).showFrame();
  sprite.removeObject(1).showFrame().end();
  tags.defineSprite(10, sprite);
  st::ColorTransform half;
  half.multiply[3] = 128;
  Placement faded = Placement::place(3, 2);
  faded.colorTransform = half;
  tags.placeObject(Placement::place(1, 1)).placeObject(Placement::place(2, 10)).showFrame();
  tags.placeObject(faded).placeObject(Placement::moveTo(1, Matrix::translate(100, 0))).showFrame();
  tags.removeObject(2).placeObject(replaceWith(3, 1)).showFrame();
  tags.placeObject(Placement::place(2, 10, Matrix::translate(0, 50))).showFrame();
  tags.removeObject(1).showFrame();
  tags.placeObject(Placement::place(1, 3)).showFrame().end();
  return tags;
}

TEST(TimelineInstanceTest, SeekingGivesTheListPlayingGives) {
  const st::TagStream tags = busyTimeline();
  const auto played = playerFor(tags);
  ASSERT_TRUE(played);
  ASSERT_EQ(played->frameCount(), 6u);
  std::vector<std::vector<std::string>> byPlaying;
  for (std::size_t frame = 0; frame < 6; ++frame) {
    if (frame > 0) played->forward();
    byPlaying.push_back(describe(*played));
  }

  // Sprite instances made by the seek start at their first frame; the lists
  // match what a fresh playback shows at each frame, forwards and backwards.
  for (std::size_t target = 0; target < 6; ++target) {
    for (std::size_t from : {std::size_t{0}, std::size_t{5}, target}) {
      const auto seeker = playerFor(tags);
      seeker->gotoFrame(from);
      seeker->gotoFrame(target);
      std::vector<std::string> lines = describe(*seeker);
      std::vector<std::string> expected = byPlaying[target];
      // Compare the placements only: a surviving sprite keeps its own frame.
      const auto placementsOnly = [](std::vector<std::string> all) {
        std::vector<std::string> top;
        for (auto& line : all) {
          if (line.starts_with(" ")) continue;
          top.push_back(line.substr(0, line.find(" frame ")));
        }
        return top;
      };
      EXPECT_EQ(placementsOnly(lines), placementsOnly(expected))
          << "seek to " << target << " from " << from;
    }
  }
}

TEST(TimelineInstanceTest, SpritesOnStageKeepTheirFrameAcrossASeek) {
  const auto player = playerFor(busyTimeline());
  ASSERT_TRUE(player);
  const auto spriteFrame = [&] { return player->displayList().find(2)->sprite->currentFrame(); };
  player->tick();  // root stopped: only the sprite moves
  EXPECT_EQ(player->currentFrame(), 0u);
  EXPECT_EQ(spriteFrame(), 1u);
  player->gotoFrame(1);
  EXPECT_EQ(spriteFrame(), 1u);  // same object: kept
  player->gotoFrame(0);
  EXPECT_EQ(spriteFrame(), 1u);
  // Removed in frame 2 and placed again in frame 3: a new instance.
  player->gotoFrame(3);
  EXPECT_EQ(spriteFrame(), 0u);
  EXPECT_EQ(player->displayList().find(2)->matrix.translateY, 50);
}

TEST(TimelineInstanceTest, SpritesAdvanceAndLoopOnTheirOwn) {
  const auto player = playerFor(busyTimeline());
  ASSERT_TRUE(player);
  const auto& sprite = *player->displayList().find(2)->sprite;
  EXPECT_EQ(sprite.displayList().objects().size(), 1u);
  EXPECT_TRUE(player->tick());
  EXPECT_EQ(sprite.displayList().find(1)->matrix.translateX, 5);
  EXPECT_TRUE(player->tick());
  EXPECT_TRUE(sprite.displayList().objects().empty());
  EXPECT_TRUE(player->tick());  // back to its first frame
  EXPECT_EQ(sprite.currentFrame(), 0u);
  EXPECT_EQ(sprite.displayList().find(1)->matrix.translateX, 0);
}

TEST(TimelineInstanceTest, NestedSpritesAdvanceTogetherAndNewOnesStartAtTheirFirstFrame) {
  st::TagStream tags = withShapes();
  st::TagStream inner;
  for (int f = 0; f < 4; ++f) {
    inner.placeObject(f == 0 ? Placement::place(1, 1)
                             : Placement::moveTo(1, Matrix::translate(f, 0)));
    inner.showFrame();
  }
  inner.end();
  tags.defineSprite(20, inner);
  st::TagStream outer;
  outer.placeObject(Placement::place(1, 20)).showFrame();
  outer.placeObject(Placement::place(2, 20)).showFrame().end();
  tags.defineSprite(21, outer);
  tags.placeObject(Placement::place(1, 21)).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  EXPECT_TRUE(player->animating());

  player->tick();
  const auto& outerSprite = *player->displayList().find(1)->sprite;
  EXPECT_EQ(outerSprite.currentFrame(), 1u);
  EXPECT_EQ(outerSprite.displayList().find(1)->sprite->currentFrame(), 1u);
  EXPECT_EQ(outerSprite.displayList().find(2)->sprite->currentFrame(), 0u);
  player->tick();  // the outer sprite loops: its first child stays, the second goes
  EXPECT_EQ(outerSprite.currentFrame(), 0u);
  EXPECT_EQ(outerSprite.displayList().objects().size(), 1u);
  EXPECT_EQ(outerSprite.displayList().find(1)->sprite->currentFrame(), 2u);
}

TEST(TimelineInstanceTest, SpritesPlacingThemselvesStopAtTheNestingLimit) {
  st::TagStream tags = withShapes();
  st::TagStream selfPlacing;
  selfPlacing.placeObject(Placement::place(1, 30)).placeObject(Placement::place(2, 1));
  selfPlacing.showFrame().end();
  tags.defineSprite(30, selfPlacing);
  tags.placeObject(Placement::place(1, 30)).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  int depth = 0;
  for (const DisplayList* list = &player->displayList(); list;) {
    const DisplayObject* found = list->find(1);
    list = found && found->sprite ? &found->sprite->displayList() : nullptr;
    ++depth;
  }
  EXPECT_EQ(depth, PlayContext::kMaxNesting + 1);
  EXPECT_FALSE(player->animating());
  player->tick();
}

TEST(TimelineInstanceTest, SpritesDoublingAtEachLevelStopAtTheInstanceLimit) {
  st::TagStream tags = withShapes();
  st::TagStream doubling;
  doubling.placeObject(Placement::place(1, 31)).placeObject(Placement::place(2, 31));
  doubling.showFrame().showFrame().end();  // two frames: every instance keeps ticking
  tags.defineSprite(31, doubling);
  tags.placeObject(Placement::place(1, 31)).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  std::vector<std::string> lines;
  describeList(player->displayList(), lines);
  const auto instances = std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
    return line.find(" frame ") != std::string::npos;
  });
  EXPECT_EQ(instances, PlayContext::kMaxSpriteInstances - 1);  // the root is the one more
  player->tick();
  player->gotoFrame(0);
}

}  // namespace
}  // namespace quelvo::swf
