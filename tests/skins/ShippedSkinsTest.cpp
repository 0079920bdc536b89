#include <gtest/gtest.h>

#include <QDir>

#include "skins/SkinArt.h"
#include "skins/SkinLayout.h"

namespace quelvo::test {
namespace {

// The pictures the build draws into the program folder load as the player
// loads them, each with a shape that holds its movie area.
TEST(ShippedSkins, EverySchemeLoadsWithItsShape) {
  const QString programFolder = QStringLiteral(QUELVO_PROGRAM_DIR);
  if (!QDir(programFolder + QStringLiteral("/Skins")).exists()) {
    GTEST_SKIP() << "no Skins folder in the program folder";
  }
  for (skins::Scheme scheme : skins::kSchemes) {
    SCOPED_TRACE(static_cast<int>(scheme));
    const skins::SkinLayout& layout = skins::skinLayout(scheme);
    const std::optional<skins::SkinArt> art = skins::loadSkinArt(programFolder, layout);
    ASSERT_TRUE(art.has_value());
    ASSERT_TRUE(art->shape.has_value());
    EXPECT_TRUE(QRegion(skins::skinPixels(layout.movie)).subtracted(*art->shape).isEmpty());
    // The sharp set for 200 % screens matches the plain one in window pixels.
    const std::optional<skins::SkinArt> sharp = skins::loadSkinArt(programFolder, layout, 2.0);
    ASSERT_TRUE(sharp.has_value());
    EXPECT_EQ(sharp->frame.devicePixelRatio(), 2.0);
    EXPECT_EQ(sharp->frame.deviceIndependentSize(), art->frame.deviceIndependentSize());
    for (int i = 0; i < skins::kSkinButtons; ++i) {
      EXPECT_EQ(sharp->normal[i].deviceIndependentSize(), art->normal[i].deviceIndependentSize());
      EXPECT_EQ(art->normal[i].isNull(),
                layout.buttons[i].art.kind == skins::ButtonArt::Kind::Hidden);
      EXPECT_EQ(art->normal[i].size(), art->pressed[i].size());
    }
  }
}

}  // namespace
}  // namespace quelvo::test
