#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTimer>

#include "core/session/SkinScheme.h"
#include "layout/PaneLayout.h"
#include "skins/CanvasSlide.h"
#include "skins/PictureButton.h"
#include "skins/RegionFile.h"
#include "skins/SkinArt.h"
#include "skins/SkinLayout.h"
#include "skins/SkinSwitcher.h"
#include "support/PlayerFixture.h"

namespace quelvo::test {
namespace {

using skins::ButtonArt;
using skins::Scheme;
using skins::SkinLayout;

QSize frameSize(Scheme scheme) {
  switch (scheme) {
    case Scheme::Canvas:
      return {600, 360};
    case Scheme::Face:
      return {580, 310};
    case Scheme::Love:
      return {360, 340};
  }
  return {};
}

void savePicture(const QString& path, const QSize& size, QColor colour) {
  QImage image(size, QImage::Format_ARGB32);
  image.fill(colour);
  ASSERT_TRUE(image.save(path, "PNG"));
}

class SkinSwitchTest : public PlayerFixture {
 protected:
  // A complete scheme folder of plain pictures; the shape cuts the corners.
  void writeSkin(Scheme scheme) {
    const SkinLayout& layout = skins::skinLayout(scheme);
    const QString dir = folder.filePath(QStringLiteral("Skins/") + layout.folder);
    QDir().mkpath(dir);
    const QSize frame = frameSize(scheme);
    savePicture(dir + '/' + layout.frameFile, frame, Qt::darkGreen);
    folder.writeFile(QStringLiteral("Skins/%1/%2").arg(layout.folder, layout.regionFile),
                     skins::encodeRegionFile({{10, 0, frame.width() - 20, frame.height()},
                                              {0, 10, frame.width(), frame.height() - 20}}));
    for (const QString& sheet : layout.sheets) {
      if (!sheet.isEmpty()) savePicture(dir + '/' + sheet, {340, 130}, Qt::gray);
    }
    for (const skins::ButtonPlace& button : layout.buttons) {
      if (button.art.kind != ButtonArt::Kind::File) continue;
      savePicture(dir + '/' + button.art.normalFile, {20, 20}, Qt::yellow);
      savePicture(dir + '/' + button.art.pressedFile, {20, 20}, Qt::red);
    }
  }
  void SetUp() override {
    for (Scheme scheme : skins::kSchemes) writeSkin(scheme);
  }
  void startShown() {
    ASSERT_TRUE(start());
    form().show();
  }
  skins::SkinSwitcher& switcher() { return part<skins::SkinSwitcher>(); }
  skins::PictureButton* PicBut(int i) { return switcher().face().PicBut(i); }
  bool frameless() { return form().windowFlags().testFlag(Qt::FramelessWindowHint); }
};

TEST_F(SkinSwitchTest, EachSchemePlacesItsMovieAreaCatalogAndButtonsOnItsFrame) {
  startShown();
  const std::pair<Scheme, core::Command> schemes[] = {{Scheme::Canvas, core::Command::SkinCanvas},
                                                      {Scheme::Face, core::Command::SkinFace},
                                                      {Scheme::Love, core::Command::SkinLove}};
  for (const auto& [scheme, command] : schemes) {
    SCOPED_TRACE(static_cast<int>(scheme));
    run(command);
    const SkinLayout& layout = skins::skinLayout(scheme);
    EXPECT_TRUE(session().skin.SkinOn());
    EXPECT_TRUE(switcher().MNUSKIN[static_cast<int>(scheme) + 1]->isChecked());
    EXPECT_TRUE(frameless());
    EXPECT_TRUE(form().menuBar()->isHidden());
    const QSize frame = frameSize(scheme);
    EXPECT_EQ(form().size(), scheme == Scheme::Canvas ? QSize(403, frame.height()) : frame);
    EXPECT_FALSE(form().mask().contains(QPoint(2, 2)));
    EXPECT_TRUE(form().mask().contains(QPoint(frame.width() / 2, frame.height() / 2)));
    EXPECT_EQ(named(QStringLiteral("frmflash"))->geometry(), skins::skinPixels(layout.movie));
    EXPECT_EQ(named(QStringLiteral("frmlist"))->isVisible(), scheme == Scheme::Face);
    EXPECT_FALSE(named(QStringLiteral("Cmdlist[0]"))->isVisible());
    for (int i = 0; i < skins::kSkinButtons; ++i) {
      SCOPED_TRACE(i);
      const skins::ButtonPlace& place = layout.buttons[i];
      ASSERT_EQ(PicBut(i)->isVisible(), place.art.kind != ButtonArt::Kind::Hidden);
      if (place.art.kind == ButtonArt::Kind::Hidden) continue;
      const QRect box = skins::skinPixels(place.box);
      EXPECT_EQ(PicBut(i)->pos(), box.topLeft());
      EXPECT_EQ(PicBut(i)->size(),
                place.art.kind == ButtonArt::Kind::File ? QSize(20, 20) : box.size());
      EXPECT_EQ(PicBut(i)->toolTip(), skins::skinButtonTip(static_cast<skins::SkinButton>(i)));
    }
  }
}

TEST_F(SkinSwitchTest, DefaultBringsThePlainWindowBackExactly) {
  startShown();
  run(core::Command::StatusBar);
  run(core::Command::CatalogPane);
  const QRect plain = form().geometry();
  const QSize minimum = form().minimumSize();
  run(core::Command::SkinCanvas);
  run(core::Command::SkinLove);
  EXPECT_FALSE(named(QStringLiteral("Bar1"))->isVisible());
  PicBut(static_cast<int>(skins::SkinButton::FullMode))->click();

  EXPECT_TRUE(switcher().MNUSKIN[0]->isChecked());
  EXPECT_FALSE(session().skin.SkinOn());
  EXPECT_FALSE(frameless());
  EXPECT_TRUE(form().mask().isEmpty());
  EXPECT_EQ(form().geometry(), plain);
  EXPECT_EQ(form().minimumSize(), minimum);
  EXPECT_FALSE(form().menuBar()->isHidden());
  EXPECT_TRUE(named(QStringLiteral("Bar1"))->isVisible());
  EXPECT_TRUE(named(QStringLiteral("frmlist"))->isVisible());
  EXPECT_TRUE(named(QStringLiteral("Cmdlist[0]"))->isVisible());
  EXPECT_FALSE(switcher().face().Picskin->isVisible());
  for (int i = 0; i < skins::kSkinButtons; ++i) EXPECT_FALSE(PicBut(i)->isVisible());
}

TEST_F(SkinSwitchTest, AMissingPictureTellsTheUserAndLeavesTheFaceAlone) {
  QFile::remove(folder.filePath(QStringLiteral("Skins/Love/close_dn")));
  startShown();
  const QRect plain = form().geometry();
  run(core::Command::SkinLove);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].title, QStringLiteral("错误"));
  EXPECT_EQ(platform.messages[0].text, QStringLiteral("无法更换皮肤，请查看Skins文件夹。"));
  EXPECT_EQ(platform.messages[0].icon, platform::MessageIcon::Critical);
  EXPECT_TRUE(switcher().MNUSKIN[0]->isChecked());
  EXPECT_FALSE(switcher().MNUSKIN[4]->isChecked());
  EXPECT_FALSE(session().skin.SkinOn());
  EXPECT_FALSE(frameless());
  EXPECT_EQ(form().geometry(), plain);

  // From another skin the failure keeps that skin.
  run(core::Command::SkinFace);
  run(core::Command::SkinLove);
  EXPECT_EQ(platform.messages.size(), 2u);
  EXPECT_TRUE(switcher().MNUSKIN[3]->isChecked());
  EXPECT_TRUE(PicBut(static_cast<int>(skins::SkinButton::Open))->isVisible());
}

TEST_F(SkinSwitchTest, WithoutTheSkinsFolderEverySchemeFailsTheSameWay) {
  QDir(folder.filePath(QStringLiteral("Skins"))).removeRecursively();
  startShown();
  run(core::Command::SkinCanvas);
  run(core::Command::SkinFace);
  EXPECT_EQ(platform.messages.size(), 2u);
  EXPECT_TRUE(session().skin.is(core::SkinScheme::Default));
}

TEST_F(SkinSwitchTest, CatalogButtonSlidesCanvasAndSwapsLove) {
  startShown();
  run(core::Command::SkinCanvas);
  skins::SkinFace& face = switcher().face();
  PicBut(static_cast<int>(skins::SkinButton::Catalog))->click();
  auto* timer = named<QTimer>(QStringLiteral("Tmrcanvas"));
  EXPECT_TRUE(timer->isActive());
  for (int i = 0; i < 100 && timer->isActive(); ++i) face.slide->Tmrcanvas_Timer();
  EXPECT_EQ(form().width(), 600);
  EXPECT_TRUE(named(QStringLiteral("frmlist"))->isVisible());

  run(core::Command::SkinLove);
  EXPECT_FALSE(timer->isActive());
  QWidget* movie = named(QStringLiteral("frmflash"));
  QWidget* list = named(QStringLiteral("frmlist"));
  EXPECT_EQ(list->geometry(), movie->geometry());
  PicBut(static_cast<int>(skins::SkinButton::Catalog))->click();
  EXPECT_TRUE(list->isVisible());
  EXPECT_FALSE(movie->isVisible());
  PicBut(static_cast<int>(skins::SkinButton::Catalog))->click();
  EXPECT_FALSE(list->isVisible());
  EXPECT_TRUE(movie->isVisible());
}

TEST_F(SkinSwitchTest, AnyMouseButtonShowsThePressedPicture) {
  startShown();
  run(core::Command::SkinFace);
  skins::PictureButton* play = PicBut(static_cast<int>(skins::SkinButton::Play));
  const QPointF at(2, 2);
  QMouseEvent press(QEvent::MouseButtonPress, at, play->mapToGlobal(at), Qt::RightButton,
                    Qt::RightButton, Qt::NoModifier);
  QCoreApplication::sendEvent(play, &press);
  EXPECT_TRUE(play->showsPressed());
  QMouseEvent release(QEvent::MouseButtonRelease, at, play->mapToGlobal(at), Qt::RightButton,
                      Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(play, &release);
  EXPECT_FALSE(play->showsPressed());
}

TEST_F(SkinSwitchTest, StoredIndexBeyondTheSchemesIsIgnored) {
  writeSettings("[SKIN]\r\nINDEX=4\r\n");  // 23 + 4 would be the help command
  startShown();
  EXPECT_TRUE(session().skin.is(core::SkinScheme::Default));
  EXPECT_TRUE(platform.shellTargets.isEmpty());
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(SkinSwitchTest, StoredSchemeComesBackAtStart) {
  writeSettings("[SKIN]\r\nINDEX=3\r\n");
  startShown();
  EXPECT_TRUE(session().skin.is(core::SkinScheme::Love));
  EXPECT_TRUE(session().skin.SkinOn());
  EXPECT_TRUE(PicBut(static_cast<int>(skins::SkinButton::PlayOptions))->isVisible());
}

// On a 200 % screen the "@2x" pictures are taken where they exist, and the
// buttons cut from a sharp sheet keep their size in window pixels.
TEST_F(SkinSwitchTest, SharpPicturesServeHighResolutionScreens) {
  const QString dir = folder.filePath(QStringLiteral("Skins/Love/"));
  savePicture(dir + QStringLiteral("Frame@2x"), frameSize(Scheme::Love) * 2, Qt::darkRed);
  savePicture(dir + QStringLiteral("playbut_df@2x"), {680, 260}, Qt::gray);
  const SkinLayout& love = skins::skinLayout(Scheme::Love);
  const std::optional<skins::SkinArt> art = skins::loadSkinArt(folder.path(), love, 2.0);
  ASSERT_TRUE(art.has_value());
  EXPECT_EQ(art->frame.devicePixelRatio(), 2.0);
  EXPECT_EQ(art->frame.deviceIndependentSize().toSize(), frameSize(Scheme::Love));
  const int play = static_cast<int>(skins::SkinButton::Play);
  EXPECT_EQ(art->normal[play].deviceIndependentSize().toSize(), love.buttons[play].art.cut.size());
  EXPECT_EQ(art->normal[play].devicePixelRatio(), 2.0);
  // No sharp pressed sheet: that one stays at 1x.
  EXPECT_EQ(art->pressed[play].devicePixelRatio(), 1.0);
  EXPECT_EQ(skins::loadSkinArt(folder.path(), love, 1.0)->frame.devicePixelRatio(), 1.0);
}

}  // namespace
}  // namespace quelvo::test
