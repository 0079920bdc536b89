#include <gtest/gtest.h>

#include <QStringList>
#include <cstdlib>
#include <deque>

#include "about/PaddleGame.h"

namespace quelvo::test {
namespace {

using about::GameField;
using about::PaddleGame;
using about::Submarine;

// A field 4680 twips wide: the plank spans 1740..2940 at top 2820, so a
// submarine is caught from top 2340 with its left in 1260..2940.
GameField field(int width = 4680) { return {width, 2940, 480, 480, 1200, 120}; }

// Random numbers in order; the last one repeats.
PaddleGame::Random scripted(std::deque<double> values) {
  return [values]() mutable {
    const double value = values.front();
    if (values.size() > 1) values.pop_front();
    return value;
  };
}

void describe(QStringList& events, int tick, const char* name, const Submarine& before,
              const Submarine& after) {
  const QString prefix = QStringLiteral("%1 %2 ").arg(tick).arg(QLatin1String(name));
  if ((before.speedX > 0) != (after.speedX > 0)) {
    events << prefix + (after.left == 0 ? QStringLiteral("left") : QStringLiteral("right")) +
                  QStringLiteral(" %1").arg(std::abs(after.speedX));
  }
  if ((before.speedY > 0) != (after.speedY > 0)) {
    events << prefix + (after.top == 0 ? QStringLiteral("top") : QStringLiteral("plank")) +
                  QStringLiteral(" %1").arg(std::abs(after.speedY));
  }
}

// Plays until the game ends, listing every bounce with the speed it leaves with.
QStringList playOut(PaddleGame& game, int maxTicks = 1000) {
  QStringList events;
  for (int tick = 1; tick <= maxTicks; ++tick) {
    const Submarine a = game.submarineA();
    const Submarine b = game.submarineB();
    const bool going = game.tick();
    describe(events, tick, "A", a, game.submarineA());
    describe(events, tick, "B", b, game.submarineB());
    if (!going) {
      events << QStringLiteral("%1 over, score %2").arg(tick).arg(game.score());
      break;
    }
  }
  return events;
}

TEST(PaddleGame, StartsWithBOnTheIconAAboveTheFieldAndThePlankOnTheBottom) {
  const PaddleGame game(field(), 240, 240, scripted({0.5}));
  EXPECT_EQ(game.submarineA().left, 2100);  // int(0.5 * (4680 - 480 + 1))
  EXPECT_EQ(game.submarineA().top, -480);
  EXPECT_EQ(game.submarineB().left, 240);
  EXPECT_EQ(game.submarineB().top, 240);
  EXPECT_EQ(game.plank().left, 1740);
  EXPECT_EQ(game.plank().top, 2820);
  EXPECT_TRUE(game.running());
  EXPECT_EQ(game.score(), 0);
}

// A bounces off the top twice (it starts above the field), speeds up at the
// right wall; B is caught and speeds up downwards; A then falls beside the
// plank and ends the game before B moves on that tick.
TEST(PaddleGame, ScriptedGameGivesItsKnownBouncesAndScore) {
  PaddleGame game(field(), 240, 240, scripted({0.5}));
  EXPECT_EQ(playOut(game), (QStringList{
                               QStringLiteral("1 A top 100"),
                               QStringLiteral("2 A top 100"),
                               QStringLiteral("21 A right 105"),
                               QStringLiteral("21 B plank 105"),
                               QStringLiteral("26 over, score 1"),
                           }));
  EXPECT_EQ(game.submarineA().left, 3675);
  // B rose for four ticks; the tick that ended the game left it alone.
  EXPECT_EQ(game.submarineB().top, 2340 - 4 * 105);
  EXPECT_FALSE(game.running());
  EXPECT_FALSE(game.tick());
}

TEST(PaddleGame, BOnlyBouncesOffTheRightWallAndALeavesTheLeftWall) {
  PaddleGame game(field(), 4100, 240, scripted({0.0, 0.9}));
  game.tick();
  EXPECT_EQ(game.submarineB().left, 4200);
  EXPECT_EQ(game.submarineB().speedX, -100);
  EXPECT_EQ(game.submarineA().speedX, 100);
  for (int i = 0; i < 41; ++i) game.tick();  // B: 4200 - 41 * 100 = 100
  game.tick();
  EXPECT_EQ(game.submarineB().left, 0);
  EXPECT_EQ(game.submarineB().speedX, 100);
}

// The plank's ends both count: here A's right edge lies on the plank's left
// end when A reaches the catch line.
TEST(PaddleGame, TouchingThePlanksEndStillCatches) {
  // Plank left (7360 - 1200) / 2 = 3080; A from left 0 reaches top 2340 on
  // tick 26 at left 2600 = 3080 - 480. B, from 1500, is caught on tick 21.
  PaddleGame game(field(7360), 1500, 240, scripted({0.0}));
  for (int i = 0; i < 25; ++i) ASSERT_TRUE(game.tick());
  EXPECT_EQ(game.score(), 1);
  EXPECT_TRUE(game.tick());
  EXPECT_EQ(game.submarineA().left, 2600);
  EXPECT_EQ(game.submarineA().top, 2340);
  EXPECT_EQ(game.submarineA().speedY, -100);
  EXPECT_EQ(game.score(), 2);
}

TEST(PaddleGame, ThePlankStopsNearTheEdgesAndNotAfterTheGame) {
  PaddleGame game(field(), 240, 240, scripted({0.5}));
  for (int i = 0; i < 30; ++i) game.moveRight();
  // Moves while its left is at most 4680 - 1200 - 45.
  EXPECT_EQ(game.plank().left, 3500);
  for (int i = 0; i < 40; ++i) game.moveLeft();
  // Moves while its left is 0 or more.
  EXPECT_EQ(game.plank().left, -20);

  // With the plank at the far left, B misses it on tick 21.
  while (game.tick()) {
  }
  EXPECT_EQ(game.score(), 0);
  game.moveRight();
  EXPECT_EQ(game.plank().left, -20);
}

}  // namespace
}  // namespace quelvo::test
