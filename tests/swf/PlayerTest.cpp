#include <gtest/gtest.h>

#include "PlayerTestSupport.h"

namespace quelvo::swf {
namespace {

namespace st = swftest;
using st::Matrix;
using st::Placement;

// A shape moving one step to the right in each of `frames` root frames.
st::TagStream movingShape(int frames) {
  st::TagStream tags;
  tags.defineRectangle(1, {0, 100, 0, 100}, {0, 0, 255});
  for (int f = 0; f < frames; ++f) {
    tags.placeObject(f == 0 ? Placement::place(1, 1)
                            : Placement::moveTo(1, Matrix::translate(f * 100, 0)));
    tags.showFrame();
  }
  return tags.end();
}

double shapeX(const Player& player) { return player.displayList().find(1)->matrix.translateX; }

TEST(PlayerTest, StartsStoppedOnItsFirstFrameWithThePlayheadRules) {
  const auto player = playerFor(movingShape(4));
  ASSERT_TRUE(player);
  EXPECT_EQ(player->frameCount(), 4u);
  EXPECT_EQ(player->currentFrame(), 0u);
  EXPECT_FALSE(player->isPlaying());
  EXPECT_TRUE(player->loop());
  EXPECT_FALSE(player->tick());  // stopped, nothing animating

  player->play();
  EXPECT_TRUE(player->tick());
  EXPECT_EQ(shapeX(*player), 100);
  EXPECT_TRUE(player->gotoFrame(3));
  EXPECT_TRUE(player->isPlaying());
  EXPECT_TRUE(player->tick());  // loops to the first frame
  EXPECT_EQ(player->currentFrame(), 0u);
  EXPECT_EQ(shapeX(*player), 0);

  player->setLoop(false);
  player->gotoFrame(99);
  EXPECT_EQ(player->currentFrame(), 3u);
  EXPECT_FALSE(player->tick());
  EXPECT_FALSE(player->isPlaying());
  EXPECT_EQ(shapeX(*player), 300);
}

TEST(PlayerTest, FrameStepsStopAndReportChanges) {
  const auto player = playerFor(movingShape(3));
  ASSERT_TRUE(player);
  player->play();
  EXPECT_TRUE(player->forward());
  EXPECT_FALSE(player->isPlaying());
  EXPECT_EQ(shapeX(*player), 100);
  EXPECT_TRUE(player->back());
  EXPECT_EQ(shapeX(*player), 0);
  EXPECT_FALSE(player->back());
  player->gotoFrame(2);
  EXPECT_TRUE(player->rewind());
  EXPECT_EQ(player->currentFrame(), 0u);
  EXPECT_FALSE(player->rewind());
}

TEST(PlayerTest, AnimatingWhileAnySpriteHasFramesToShow) {
  st::TagStream tags;
  tags.defineRectangle(1, {0, 100, 0, 100}, {0, 0, 255});
  st::TagStream still;
  still.placeObject(Placement::place(1, 1)).showFrame().end();
  tags.defineSprite(2, still);
  st::TagStream moving;
  moving.placeObject(Placement::place(1, 1)).showFrame();
  moving.placeObject(Placement::moveTo(1, Matrix::translate(50, 0))).showFrame().end();
  tags.defineSprite(3, moving);
  tags.placeObject(Placement::place(1, 2)).showFrame();
  tags.placeObject(Placement::place(2, 3)).showFrame();
  tags.removeObject(2).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);

  EXPECT_FALSE(player->animating());
  EXPECT_FALSE(player->tick());
  player->forward();
  EXPECT_TRUE(player->animating());
  EXPECT_TRUE(player->tick());
  EXPECT_TRUE(player->tick());
  player->forward();
  EXPECT_FALSE(player->animating());
}

TEST(PlayerTest, StageTransformMapsTheStageRectangleToTheImage) {
  st::MovieOptions options;
  options.stage = {-400, 1600, 200, 1200};
  const auto player = playerFor(movingShape(1), options);
  ASSERT_TRUE(player);
  const QTransform transform = player->stageTransform(2);
  EXPECT_EQ(transform.map(QPointF(-400, 200)), QPointF(0, 0));
  EXPECT_EQ(transform.map(QPointF(1600, 1200)), QPointF(200, 100));
}

}  // namespace
}  // namespace quelvo::swf
