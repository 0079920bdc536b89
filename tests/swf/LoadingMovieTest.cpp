// Movies and images loaded into clips and levels: what shows where, what the
// target keeps, unloading, MovieClipLoader's events, and hostile loads.
#include <gtest/gtest.h>

#include <QBuffer>

#include "LoadingSupport.h"
#include "PlayerTestSupport.h"

namespace quelvo::swf {
namespace {

namespace st = swftest;
using avm1::test::AC;
using avm1::test::Asm;
using loadtest::logHandler;
using loadtest::writeFile;

const st::Colour kRed{255, 0, 0};
const st::Colour kBlue{0, 0, 255};

// A 20 x 20 pixel red square at the movie's origin, with code in its first frame.
std::vector<std::uint8_t> childMovie(const Asm& code = Asm()) {
  st::TagStream tags;
  tags.defineRectangle(1, {0, 400, 0, 400}, kRed);
  tags.placeObject(st::Placement::place(1, 1));
  tags.doAction(code.program()).showFrame().showFrame().end();
  st::MovieOptions options = smallStage();
  options.frameRate = 1;  // ignored: the host's ticks drive it
  return st::buildMovie(options, tags);
}

// A host with a blue 20 x 20 square at the origin and an empty clip "holder"
// at (40, 40); code runs in its first frame (log starts empty), later in its
// third; then it stops on its tenth frame.
std::unique_ptr<Player> host(const Asm& code, const Asm& later = Asm()) {
  st::TagStream tags;
  tags.defineRectangle(1, {0, 400, 0, 400}, kBlue);
  st::TagStream empty;
  empty.showFrame().end();
  tags.defineSprite(2, empty);
  tags.placeObject(st::Placement::place(1, 1));
  st::Placement holder = st::Placement::place(2, 2);
  holder.name = "holder";
  holder.matrix = st::Matrix::translate(800, 800);
  tags.placeObject(holder);
  Asm start;
  start.setVar("log", "");
  tags.doAction(start.program()).doAction(code.program()).showFrame().showFrame();
  tags.doAction(later.program()).showFrame();
  for (int i = 3; i < 10; ++i) tags.showFrame();
  tags.end();
  return playerFor(tags);
}

bool redAt(Player& player, int x, int y) {
  return rgbAt(renderStage(player), x, y) == std::tuple<int, int, int>{255, 0, 0};
}

Asm& call(Asm& code, const char* object, const char* method,
          std::initializer_list<avm1::test::PushItem> args) {
  return code.callMethod(object, method, args).op(AC::Pop);
}

TEST(LoadingMovieTest, LoadMovieReplacesTheClipsContentAndKeepsItsPlace) {
  QTemporaryDir folder;
  writeFile(folder, "child.swf", childMovie());
  Asm code;
  code.getVar("holder").push({"_xscale", 200}).op(AC::SetMember);
  call(code, "holder", "loadMovie", {"child.swf"});
  Asm later;
  call(later, "holder", "unloadMovie", {});
  auto player = host(code, later);
  ASSERT_TRUE(player);
  player->setMovieFolder(folder.path().toStdString());
  EXPECT_FALSE(redAt(*player, 45, 45)) << "nothing loads before the next tick";
  player->tick();
  EXPECT_EQ(player->loadedCount(), 1u);
  EXPECT_TRUE(redAt(*player, 45, 45));
  EXPECT_TRUE(redAt(*player, 75, 45)) << "drawn with the clip's scale";
  EXPECT_FALSE(redAt(*player, 85, 45));
  EXPECT_FALSE(redAt(*player, 35, 35));
  EXPECT_EQ(player->scriptVariable("holder._x"), QStringLiteral("40"));
  EXPECT_EQ(player->scriptVariable("holder._xscale"), QStringLiteral("200"));
  player->tick();  // the third frame unloads
  player->tick();
  EXPECT_EQ(player->loadedCount(), 0u);
  EXPECT_FALSE(redAt(*player, 45, 45));
  EXPECT_EQ(player->scriptVariable("holder._x"), QStringLiteral("40")) << "the clip stays";
}

TEST(LoadingMovieTest, LevelsDrawAboveLevelZeroUntilUnloaded) {
  QTemporaryDir folder;
  writeFile(folder, "child.swf", childMovie());
  Asm code;
  code.push({"child.swf", "_level2"}).getUrl2(0);  // loadMovieNum("child.swf", 2)
  Asm later;
  later.push({"", "_level2"}).getUrl2(0);  // unloadMovieNum(2)
  auto player = host(code, later);
  ASSERT_TRUE(player);
  player->setMovieFolder(folder.path().toStdString());
  EXPECT_EQ(rgbAt(renderStage(*player), 5, 5), (std::tuple<int, int, int>{0, 0, 255}));
  player->tick();
  EXPECT_TRUE(redAt(*player, 5, 5)) << "level 2 covers level 0's blue square";
  player->tick();
  player->tick();
  EXPECT_EQ(rgbAt(renderStage(*player), 5, 5), (std::tuple<int, int, int>{0, 0, 255}));
}

TEST(LoadingMovieTest, ImagesLoadIntoClips) {
  QTemporaryDir folder;
  QImage image(10, 10, QImage::Format_RGB32);
  image.fill(Qt::red);
  QByteArray png;
  QBuffer buffer(&png);
  ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
  ASSERT_TRUE(image.save(&buffer, "PNG"));
  writeFile(folder, "square.png", png);
  writeFile(folder, "text.txt", QByteArray("not a movie"));
  Asm code;
  call(code, "holder", "loadMovie", {"square.png"});
  code.push({"text.txt", "_level1"}).getUrl2(0);
  auto player = host(code);
  ASSERT_TRUE(player);
  player->setMovieFolder(folder.path().toStdString());
  player->tick();
  EXPECT_EQ(player->loadedCount(), 1u) << "the text file is neither movie nor image";
  EXPECT_TRUE(redAt(*player, 45, 45));
  EXPECT_FALSE(redAt(*player, 55, 55));
}

TEST(LoadingMovieTest, MovieClipLoaderReportsEachLoadInOrder) {
  QTemporaryDir folder;
  writeFile(folder, "child.swf", childMovie());
  writeFile(folder, "text.txt", QByteArray("not a movie"));
  Asm code;
  code.push({"loader"}).newObject("MovieClipLoader", {}).op(AC::SetVariable);
  code.push({"listener"}).newObject("Object", {}).op(AC::SetVariable);
  logHandler(code, "listener", "onLoadStart", {"t"}, {"start ", "$t._name"});
  logHandler(code, "listener", "onLoadProgress", {"t", "a", "b"}, {"progress"});
  logHandler(code, "listener", "onLoadComplete", {"t"}, {"complete"});
  logHandler(code, "listener", "onLoadInit", {"t"}, {"init ", "$t._name", " ", "$t._x"});
  logHandler(code, "listener", "onLoadError", {"t", "e"}, {"error ", "$e"});
  // The loader hears its own events too, first.
  logHandler(code, "loader", "onLoadInit", {"t"}, {"own init"});
  code.getVar("listener").push({1}).getVar("loader").push({"addListener"}).op(AC::CallMethod);
  code.op(AC::Pop);
  code.getVar("holder").push({"child.swf", 2}).getVar("loader").push({"loadClip"});
  code.op(AC::CallMethod).op(AC::Pop);
  call(code, "loader", "loadClip", {"missing.swf", 3});
  call(code, "loader", "loadClip", {"http://example.com/child.swf", 4});
  call(code, "loader", "loadClip", {"text.txt", 5});
  auto player = host(code);
  ASSERT_TRUE(player);
  player->setMovieFolder(folder.path().toStdString());
  EXPECT_EQ(player->scriptVariable("log"), QString());
  loadtest::MovieLogCapture log;
  player->tick();
  EXPECT_EQ(player->scriptVariable("log"),
            QStringLiteral("start holder;progress;complete;own init;init holder 40;"
                           "error URLNotFound;error URLNotFound;"
                           "start undefined;error LoadNeverCompleted;"));
  EXPECT_TRUE(log.contains("refused load: http://example.com/child.swf"));
}

TEST(LoadingMovieTest, AMovieLoadingItselfStaysBounded) {
  QTemporaryDir folder;
  // Every copy makes a clip and loads itself into it, each frame.
  Asm code;
  code.callMethod("this", "createEmptyMovieClip", {"inner", 1}).op(AC::Pop);
  call(code, "inner", "loadMovie", {"self.swf"});
  writeFile(folder, "self.swf", childMovie(code));
  Asm start;
  call(start, "holder", "loadMovie", {"self.swf"});
  auto player = host(start);
  ASSERT_TRUE(player);
  player->setMovieFolder(folder.path().toStdString());
  for (int i = 0; i < 8; ++i) player->tick();
  EXPECT_EQ(player->loadedCount(), 1u);
  EXPECT_TRUE(redAt(*player, 45, 45));
}

}  // namespace
}  // namespace quelvo::swf
