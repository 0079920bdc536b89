#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QMouseEvent>
#include <QSet>
#include <cstring>

#include "playback/MovieControl.h"
#include "playback/MovieControlArray.h"
#include "playback/ViewCommands.h"
#include "support/MovieFiles.h"
#include "support/ScriptedPlatform.h"

namespace quelvo::test {
namespace {

class MovieControlTest : public ::testing::Test {
 protected:
  MovieControlTest() : control(platform, playback::MovieControlSettings{}) {
    control.resize(550, 400);
  }

  // Moves the scripted clock on and lets the control run the frames now due.
  void elapse(qint64 ms) {
    platform.now += ms;
    control.tick();
  }

  TempProgramFolder folder;
  ScriptedPlatform platform;
  playback::MovieControl control;
};

TEST_F(MovieControlTest, SettingAPathLoadsAndStartsTheMovie) {
  control.setMovie(writeMovie(folder, QStringLiteral("a.swf"), simpleMovie(5, 10)));
  EXPECT_EQ(control.TotalFrames(), 5);
  EXPECT_EQ(control.CurrentFrame(), 0);
  EXPECT_TRUE(control.IsPlaying());
  EXPECT_TRUE(control.notice().isEmpty());
}

TEST_F(MovieControlTest, FramesAdvanceAtTheMovieRateAndStopAtTheEndWithoutLoop) {
  control.setMovie(writeMovie(folder, QStringLiteral("a.swf"), simpleMovie(5, 10)));
  control.setLoop(false);
  elapse(99);
  EXPECT_EQ(control.FrameNum(), 0);
  elapse(1);
  EXPECT_EQ(control.FrameNum(), 1);
  elapse(300);
  EXPECT_EQ(control.FrameNum(), 4);
  elapse(100);
  EXPECT_EQ(control.FrameNum(), 4);
  EXPECT_FALSE(control.IsPlaying());
  // Playing at the end starts the movie over.
  control.Play();
  elapse(100);
  EXPECT_EQ(control.FrameNum(), 0);
}

TEST_F(MovieControlTest, LoopingMovieWrapsToItsFirstFrame) {
  control.setMovie(writeMovie(folder, QStringLiteral("a.swf"), simpleMovie(3, 10)));
  elapse(100);
  elapse(100);
  elapse(100);
  EXPECT_EQ(control.FrameNum(), 0);
  EXPECT_TRUE(control.IsPlaying());
}

TEST_F(MovieControlTest, FrameStepsPauseAndGotoKeepsThePlayState) {
  control.setMovie(writeMovie(folder, QStringLiteral("a.swf"), simpleMovie(10, 10)));
  control.Forward();
  EXPECT_EQ(control.CurrentFrame(), 1);
  EXPECT_FALSE(control.IsPlaying());
  control.Back();
  control.Back();
  EXPECT_EQ(control.CurrentFrame(), 0);
  control.GotoFrame(7);
  EXPECT_EQ(control.CurrentFrame(), 7);
  EXPECT_FALSE(control.IsPlaying());
  control.Play();
  control.GotoFrame(99);
  EXPECT_EQ(control.CurrentFrame(), 9);
  EXPECT_TRUE(control.IsPlaying());
  control.Rewind();
  EXPECT_EQ(control.CurrentFrame(), 0);
  EXPECT_FALSE(control.IsPlaying());
  // Paused means no clock work at all.
  elapse(1000);
  EXPECT_EQ(control.CurrentFrame(), 0);
}

TEST_F(MovieControlTest, UnreadableFilesShowANoticeAndReportNoFrames) {
  folder.writeFile(QStringLiteral("junk.swf"), QByteArray("this is not a movie"));
  control.setMovie(folder.filePath(QStringLiteral("junk.swf")));
  EXPECT_EQ(control.TotalFrames(), 0);
  EXPECT_FALSE(control.IsPlaying());
  EXPECT_TRUE(control.notice().startsWith(QStringLiteral("无法播放")));
  control.Play();
  control.Forward();
  control.GotoFrame(3);
  EXPECT_EQ(control.CurrentFrame(), 0);

  control.setMovie(folder.filePath(QStringLiteral("missing.swf")));
  EXPECT_EQ(control.notice(), QStringLiteral("无法播放：找不到文件"));
}

TEST_F(MovieControlTest, EmptyThenZeroDropsTheMovie) {
  control.setMovie(writeMovie(folder, QStringLiteral("a.swf"), simpleMovie(5)));
  control.setMovie(QString());
  control.setMovie(QStringLiteral("0"));
  EXPECT_EQ(control.movie(), QStringLiteral("0"));
  EXPECT_EQ(control.TotalFrames(), 0);
  EXPECT_FALSE(control.IsPlaying());
  EXPECT_TRUE(control.notice().isEmpty());
}

TEST_F(MovieControlTest, ZoomCompoundsAndShowAllResets) {
  control.setMovie(writeMovie(folder, QStringLiteral("a.swf"), simpleMovie(5)));
  control.Zoom(50);
  control.Zoom(50);
  EXPECT_DOUBLE_EQ(control.zoomFactor(), 4.0);
  control.Zoom(200);
  EXPECT_DOUBLE_EQ(control.zoomFactor(), 2.0);
  control.Zoom(0);
  EXPECT_DOUBLE_EQ(control.zoomFactor(), 1.0);
}

// A 550 x 400 stage at 10 frames per second, background (10, 20, 30), with a
// 50-pixel red square in its middle; when `animated`, the square is in a
// two-frame sprite that moves it 100 pixels right in its second frame.
std::vector<std::uint8_t> squareMovie(bool animated) {
  namespace st = swftest;
  st::TagStream tags;
  tags.backgroundColor({10, 20, 30});
  tags.defineRectangle(1, {5000, 6000, 3500, 4500}, {200, 0, 0});
  if (animated) {
    st::TagStream sprite;
    sprite.placeObject(st::Placement::place(1, 1)).showFrame();
    sprite.placeObject(st::Placement::moveTo(1, st::Matrix::translate(2000, 0))).showFrame().end();
    tags.defineSprite(2, sprite);
  }
  tags.placeObject(st::Placement::place(1, animated ? 2 : 1)).showFrame().end();
  st::MovieOptions options;
  options.frameRate = 10;
  return st::buildMovie(options, tags);
}

QRgb pixelAt(playback::MovieControl& control, int x, int y) {
  return control.grab().toImage().pixel(x, y);
}

const QRgb kSquare = qRgb(200, 0, 0);
const QRgb kBackground = qRgb(10, 20, 30);

TEST_F(MovieControlTest, DrawsTheStageFittedCentredAndZoomedAroundTheCentre) {
  control.setMovie(writeMovie(folder, QStringLiteral("a.swf"), squareMovie(false)));
  EXPECT_EQ(pixelAt(control, 275, 200), kSquare);
  EXPECT_EQ(pixelAt(control, 240, 200), kBackground);
  control.Zoom(50);
  EXPECT_EQ(pixelAt(control, 230, 155), kSquare);
  control.Zoom(0);
  EXPECT_EQ(pixelAt(control, 230, 155), kBackground);

  // Twice as wide: the stage keeps its shape, letterboxed in the background colour.
  control.resize(1100, 400);
  EXPECT_EQ(pixelAt(control, 550, 200), kSquare);
  EXPECT_EQ(pixelAt(control, 520, 200), kBackground);
  EXPECT_EQ(pixelAt(control, 5, 5), kBackground);
  control.resize(1100, 800);
  EXPECT_EQ(pixelAt(control, 520, 400), kSquare);
  control.setScaleMode(3);  // native size, centred
  EXPECT_EQ(pixelAt(control, 552, 402), kSquare);
  EXPECT_EQ(pixelAt(control, 520, 400), kBackground);
}

TEST_F(MovieControlTest, NoBorderFillsTheControlAndExactFitStretchesTheStage) {
  control.setMovie(writeMovie(folder, QStringLiteral("a.swf"), squareMovie(false)));
  control.resize(1100, 400);  // twice the stage's width, its height
  control.setScaleMode(1);    // scaled by 2, top and bottom cut off
  EXPECT_EQ(pixelAt(control, 520, 160), kSquare);
  EXPECT_EQ(pixelAt(control, 490, 200), kBackground);
  control.setScaleMode(2);  // twice as wide, as high as it was
  EXPECT_EQ(pixelAt(control, 520, 220), kSquare);
  EXPECT_EQ(pixelAt(control, 520, 160), kBackground);
  EXPECT_EQ(pixelAt(control, 490, 200), kBackground);
}

TEST_F(MovieControlTest, AnimatedSpritesKeepTheClockRunningUntilTheUserPauses) {
  control.setMovie(writeMovie(folder, QStringLiteral("a.swf"), squareMovie(true)));
  control.setLoop(false);
  EXPECT_EQ(pixelAt(control, 275, 200), kSquare);
  elapse(100);  // the one-frame root stops; the sprite moves on
  EXPECT_FALSE(control.IsPlaying());
  EXPECT_EQ(pixelAt(control, 275, 200), kBackground);
  EXPECT_EQ(pixelAt(control, 375, 200), kSquare);
  elapse(100);
  EXPECT_EQ(pixelAt(control, 275, 200), kSquare);
  control.Stop();
  elapse(100);
  elapse(100);
  EXPECT_EQ(pixelAt(control, 275, 200), kSquare);
  control.Play();
  elapse(100);
  EXPECT_EQ(pixelAt(control, 375, 200), kSquare);
}

TEST_F(MovieControlTest, SeekingToAnimatedSpritesRestartsTheClockUnlessPaused) {
  // The animated square in the first frame only.
  namespace st = swftest;
  st::TagStream tags;
  tags.defineRectangle(1, {5000, 6000, 3500, 4500}, {200, 0, 0});
  st::TagStream sprite;
  sprite.placeObject(st::Placement::place(1, 1)).showFrame();
  sprite.placeObject(st::Placement::moveTo(1, st::Matrix::translate(2000, 0))).showFrame().end();
  tags.defineSprite(2, sprite).backgroundColor({10, 20, 30});
  tags.placeObject(st::Placement::place(1, 2)).showFrame().removeObject(1).showFrame().end();
  st::MovieOptions options;
  options.frameRate = 10;
  control.setMovie(writeMovie(folder, QStringLiteral("a.swf"), st::buildMovie(options, tags)));
  control.setLoop(false);
  elapse(100);
  elapse(100);  // stopped on the last frame: nothing left to animate, no clock
  EXPECT_FALSE(control.IsPlaying());
  control.GotoFrame(0);
  EXPECT_EQ(pixelAt(control, 275, 200), kSquare);
  elapse(100);
  EXPECT_EQ(pixelAt(control, 375, 200), kSquare);
  control.Stop();
  control.GotoFrame(1);
  control.GotoFrame(0);
  elapse(100);
  EXPECT_EQ(pixelAt(control, 275, 200), kSquare);
}

TEST_F(MovieControlTest, LowQualityDrawsWithoutAntialiasing) {
  control.setMovie(writeMovie(folder, QStringLiteral("a.swf"), squareMovie(false)));
  control.resize(553, 400);  // a scale that puts the square's edges inside pixels
  const auto shades = [&] {
    const QImage image = control.grab().toImage();
    QSet<QRgb> seen;
    for (int x = 240; x < 310; ++x) seen.insert(image.pixel(x, 200));
    return seen.size();
  };
  EXPECT_GT(shades(), 2);
  control.setQuality2(QStringLiteral("LOW"));
  EXPECT_EQ(shades(), 2);
}

// Stage.member = "value" for each pair, as action bytes.
std::vector<std::uint8_t> stageActions(
    std::initializer_list<std::pair<const char*, const char*>> settings) {
  std::vector<std::uint8_t> actions;
  const auto push = [&](std::initializer_list<const char*> strings) {
    std::vector<std::uint8_t> body;
    for (const char* text : strings) {
      body.push_back(0);  // a string
      body.insert(body.end(), text, text + std::strlen(text) + 1);
    }
    actions.insert(actions.end(), {0x96, static_cast<std::uint8_t>(body.size()), 0});
    actions.insert(actions.end(), body.begin(), body.end());
  };
  for (const auto& [member, value] : settings) {
    push({"Stage"});
    actions.push_back(0x1C);  // GetVariable
    push({member, value});
    actions.push_back(0x4F);  // SetMember
  }
  actions.push_back(0x00);
  return actions;
}

TEST_F(MovieControlTest, AMovieAskingForNoScaleIsDrawnAtItsSizeAgainstTheEdgesItNames) {
  namespace st = swftest;
  st::TagStream tags;
  tags.backgroundColor({10, 20, 30});
  tags.defineRectangle(1, {5000, 6000, 3500, 4500}, {200, 0, 0});
  tags.placeObject(st::Placement::place(1, 1));
  tags.doAction(stageActions({{"scaleMode", "noScale"}, {"align", "BR"}})).showFrame().end();
  control.setMovie(writeMovie(folder, QStringLiteral("a.swf"), st::buildMovie({}, tags)));
  control.resize(1100, 800);
  // The stage at 1:1 in the bottom right quarter: its square at 800-850, 575-625.
  EXPECT_EQ(pixelAt(control, 825, 600), kSquare);
  EXPECT_EQ(pixelAt(control, 550, 400), kBackground);
  // The movie's choice stands over the user's.
  control.setScaleMode(0);
  EXPECT_EQ(pixelAt(control, 825, 600), kSquare);
}

TEST(MovieControlArrayTest, ElementOneStartsFromTheTemplateSettings) {
  ScriptedPlatform platform;
  QWidget frame;
  playback::MovieControlArray flash(platform, &frame);
  flash.templateElement().setScaleMode(3);
  flash.live().setQuality(0);
  flash.reloadLive();
  EXPECT_EQ(flash.live().scaleMode(), 3);
  EXPECT_EQ(flash.live().quality2(), QStringLiteral("best"));
  EXPECT_EQ(flash.live().parentWidget(), &frame);
}

// Every corrupt and real-world file gives a movie or a notice, and plays a
// few frames with the pointer moving and pressing over it.
TEST(MovieControlCorpus, EveryFileGivesANoticeOrAMovieThatPlays) {
  ScriptedPlatform platform;
  playback::MovieControl control(platform, playback::MovieControlSettings{});
  control.resize(275, 200);
  for (const char* folderName : {"/corrupt", "/wild"}) {
    const QDir folder(QStringLiteral(QUELVO_CORPUS_DIR) + QLatin1String(folderName));
    if (!folder.exists()) GTEST_SKIP() << "corpus absent";
    for (const QString& name : folder.entryList({QStringLiteral("*.swf")}, QDir::Files)) {
      SCOPED_TRACE(name.toStdString());
      control.setMovie(folder.filePath(name));
      EXPECT_TRUE(control.TotalFrames() > 0 || !control.notice().isEmpty());
      for (int step = 0; step < 4; ++step) {
        const QPointF at(70.0 * step, 50.0 * step);
        QMouseEvent move(QEvent::MouseMove, at, at, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&control, &move);
        QMouseEvent press(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&control, &press);
        platform.now += 100;
        control.tick();
      }
      control.grab();
    }
  }
}

// A 550 x 400 pixel movie with a button whose hit area is its top-left
// 200 x 200 pixels; it shows red when up, green when the pointer is over it.
std::vector<std::uint8_t> buttonMovie() {
  swftest::TagStream tags;
  tags.defineRectangle(1, {0, 4000, 0, 4000}, {255, 0, 0});
  tags.defineRectangle(2, {0, 4000, 0, 4000}, {0, 255, 0});
  swftest::ButtonPart up{0x01, 1, 1, {}, {}, {}, {}};
  swftest::ButtonPart over{0x0a, 2, 2, {}, {}, {}, {}};
  tags.defineButton2(3, {up, over});
  tags.placeObject(swftest::Placement::place(1, 3)).showFrame().end();
  return swftest::buildMovie({}, tags);
}

void movePointer(QWidget& widget, QPointF position) {
  QMouseEvent move(QEvent::MouseMove, position, widget.mapToGlobal(position), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&widget, &move);
}

TEST_F(MovieControlTest, PointerOverAButtonShowsAHandThroughScaleAndZoom) {
  control.setMovie(writeMovie(folder, QStringLiteral("b.swf"), buttonMovie()));
  EXPECT_TRUE(control.hasMouseTracking());
  movePointer(control, {150, 150});
  EXPECT_EQ(control.cursor().shape(), Qt::PointingHandCursor);
  movePointer(control, {300, 300});
  EXPECT_EQ(control.cursor().shape(), Qt::ArrowCursor);
  // Twice the size around the centre: widget (30, 130) is stage (152.5, 165).
  control.Zoom(50);
  movePointer(control, {30, 130});
  EXPECT_EQ(control.cursor().shape(), Qt::PointingHandCursor);
  movePointer(control, {150, 150});  // stage (212.5, 175)
  EXPECT_EQ(control.cursor().shape(), Qt::ArrowCursor);

  control.setMovie(writeMovie(folder, QStringLiteral("a.swf"), simpleMovie(5, 10)));
  EXPECT_FALSE(control.hasMouseTracking());
  EXPECT_EQ(control.cursor().shape(), Qt::ArrowCursor);
}

// getURL("http://example.com/a", "_blank") as action bytes.
std::vector<std::uint8_t> getUrlActions(const char* url) {
  std::vector<std::uint8_t> actions{0x83, 0, 0};
  for (const char* text : {url, "_blank"}) {
    actions.insert(actions.end(), text, text + std::strlen(text) + 1);
  }
  actions[1] = static_cast<std::uint8_t>(actions.size() - 3);
  actions.push_back(0x00);
  return actions;
}

TEST_F(MovieControlTest, GetUrlOpensHttpAddressesOnlyWhenTheUserClicked) {
  swftest::TagStream tags;
  tags.defineRectangle(1, {0, 4000, 0, 4000}, {255, 0, 0});
  swftest::ButtonPart part{0x0f, 1, 1, {}, {}, {}, {}};
  // Released inside: the web page; pressed: another scheme, never opened.
  tags.defineButton2(2, {part},
                     {{0x0008, 0, getUrlActions("http://example.com/a")},
                      {0x0004, 0, getUrlActions("file:///etc/passwd")}});
  tags.placeObject(swftest::Placement::place(1, 2));
  tags.doAction(getUrlActions("https://example.com/frame")).showFrame().end();
  control.setMovie(writeMovie(folder, QStringLiteral("u.swf"), swftest::buildMovie({}, tags)));
  elapse(200);
  EXPECT_TRUE(platform.shellTargets.isEmpty());  // the frame script asked on its own

  const QPointF at(50, 50);
  for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, at, control.mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&control, &event);
  }
  EXPECT_EQ(platform.shellTargets, QStringList{QStringLiteral("http://example.com/a")});
}

}  // namespace
}  // namespace quelvo::test

namespace quelvo::test {
namespace {

TEST(Snapshot, SavesTheMovieAreaAsABitmapUnderTheChosenName) {
  TempProgramFolder folder;
  ScriptedPlatform platform;
  QWidget area;
  area.resize(120, 80);
  playback::saveSnapshot(platform, &area);  // cancelled: nothing written
  platform.saveFileAnswers.push_back(folder.filePath(QStringLiteral("shot")));
  playback::saveSnapshot(platform, &area);
  ASSERT_EQ(platform.saveFileRequests.size(), 2u);
  EXPECT_EQ(platform.saveFileRequests[0].title, QStringLiteral("保存图象"));
  EXPECT_EQ(platform.saveFileRequests[0].filter, QStringLiteral("位图(*.bmp)|*.bmp"));
  const QByteArray bytes = folder.readFile(QStringLiteral("shot"));
  ASSERT_TRUE(bytes.startsWith("BM"));
  EXPECT_EQ(QImage::fromData(bytes, "BMP").size(), QSize(120, 80));
}

}  // namespace
}  // namespace quelvo::test
