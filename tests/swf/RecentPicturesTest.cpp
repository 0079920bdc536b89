#include "swf/render/RecentPictures.h"

#include <gtest/gtest.h>

#include <QPainter>

#include "PlayerTestSupport.h"

namespace quelvo::swf {
namespace {

namespace st = swftest;
using RGB = std::tuple<int, int, int>;

QImage picture(int pixels) { return QImage(pixels, 1, QImage::Format_ARGB32_Premultiplied); }

TEST(RecentPicturesTest, KeepsTheMostRecentlyUsedWithinItsBudget) {
  RecentPictures<int> recent(100);
  recent.keep(1, picture(50));
  recent.keep(2, picture(50));
  ASSERT_NE(recent.find(1), nullptr);  // 1 is now more recent than 2
  recent.keep(3, picture(50));
  EXPECT_EQ(recent.find(2), nullptr);
  ASSERT_NE(recent.find(1), nullptr);
  EXPECT_EQ(recent.find(1)->width(), 50);
  EXPECT_NE(recent.find(3), nullptr);
  // A picture over the whole budget is not kept, and pushes nothing out.
  recent.keep(4, picture(101));
  EXPECT_EQ(recent.find(4), nullptr);
  EXPECT_NE(recent.find(1), nullptr);
  recent.dropIf([](int key) { return key == 1; });
  EXPECT_EQ(recent.find(1), nullptr);
  recent.keep(5, picture(50));  // room again for two
  EXPECT_NE(recent.find(3), nullptr);
  EXPECT_NE(recent.find(5), nullptr);
}

QImage drawn(PainterRenderer& renderer, Player& player) {
  QImage image = backgroundImage(player.movie(), 1);
  QPainter painter(&image);
  renderer.render(painter, player.stageTransform(1), Quality::High);
  return image;
}

TEST(RecentPicturesTest, KeptShapePicturesFollowWhatTheShapeLooksLike) {
  // Two touching opaque fills are drawn joined, and their picture kept; the
  // second frame gives the shape a colour transform that turns red green.
  st::TagStream tags;
  tags.defineShape(1, {{{255, 0, 0}, {{200, 200}, {1000, 200}, {1000, 1000}, {200, 1000}}},
                       {{0, 0, 255}, {{1000, 200}, {1800, 200}, {1800, 1000}, {1000, 1000}}}});
  tags.placeObject(st::Placement::place(1, 1)).showFrame();
  st::Placement recoloured;
  recoloured.move = true;
  recoloured.colorTransform = st::ColorTransform{{0, 256, 256, 256}, {0, 255, 0, 0}};
  tags.placeObject(recoloured).showFrame().end();
  const auto player = playerFor(tags);
  ASSERT_TRUE(player);
  PainterRenderer kept(*player);
  const QImage first = drawn(kept, *player);
  EXPECT_EQ(rgbAt(first, 30, 30), (RGB{255, 0, 0}));
  EXPECT_EQ(drawn(kept, *player), first);  // from the kept picture
  player->play();
  player->tick();
  const QImage second = drawn(kept, *player);
  EXPECT_EQ(rgbAt(second, 30, 30), (RGB{0, 255, 0}));
  EXPECT_EQ(rgbAt(second, 70, 30), (RGB{0, 255, 255}));
  PainterRenderer fresh(*player);
  EXPECT_EQ(drawn(fresh, *player), second);
}

}  // namespace
}  // namespace quelvo::swf
