#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>

#include "swf/Player.h"
#include "swf/model/Movie.h"
#include "swf/render/PainterRenderer.h"

namespace quelvo::swf {
namespace {

constexpr QSize kImageSize(64, 48);

// Fits the stage into the small image, as the movie control would.
QTransform fitStage(const Movie& movie) {
  const Rect& stage = movie.stageRect();
  const double width = std::max(1, stage.xMax - stage.xMin);
  const double height = std::max(1, stage.yMax - stage.yMin);
  const double scale = std::min(kImageSize.width() / width, kImageSize.height() / height);
  return QTransform::fromTranslate(-stage.xMin, -stage.yMin) * QTransform::fromScale(scale, scale);
}

class PlayerCorpusTest : public testing::TestWithParam<const char*> {};

// Every file either fails to parse cleanly or plays: a few ticks, the
// pointer pressed and dragged across the stage, a seek, and its first frame
// drawn both ways, without crashing or hanging.
TEST_P(PlayerCorpusTest, EveryFilePlaysAndDrawsOrFailsCleanly) {
  const QDir folder(QStringLiteral(QUELVO_CORPUS_DIR "/") + QLatin1String(GetParam()));
  if (!folder.exists()) GTEST_SKIP() << "corpus not present";
  const QStringList files = folder.entryList({QStringLiteral("*.swf")}, QDir::Files);
  EXPECT_FALSE(files.isEmpty());
  for (const QString& name : files) {
    SCOPED_TRACE(name.toStdString());
    const auto movie = Movie::load(folder.filePath(name).toStdU16String());
    if (!movie) continue;
    Player player(*movie);
    PainterRenderer renderer(player);
    QImage image(kImageSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    renderer.renderSampled(image, fitStage(**movie), Quality::Low);
    {
      QPainter painter(&image);
      renderer.render(painter, fitStage(**movie), Quality::High);
    }
    player.play();
    for (int tick = 0; tick < 3; ++tick) player.tick();
    for (int step = 0; step < 16; ++step) {
      const Rect& stage = (*movie)->stageRect();
      player.pointerMove(stage.xMin + (stage.xMax - stage.xMin) * (step % 4) / 3.0,
                         stage.yMin + (stage.yMax - stage.yMin) * (step / 4) / 3.0);
      if (step % 2 == 0) player.pointerDown();
      if (step % 2 == 1) player.pointerUp();
      player.tick();
    }
    player.keyDown(13);
    player.gotoFrame(player.frameCount() / 2);
    player.rewind();
    // The first frame's scripts may send the movie elsewhere, as authored.
    if (!player.hasScripts()) {
      EXPECT_EQ(player.currentFrame(), 0u);
    }
    EXPECT_LT(player.currentFrame(), player.frameCount());
  }
}

INSTANTIATE_TEST_SUITE_P(Folders, PlayerCorpusTest, testing::Values("wild", "corrupt"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace quelvo::swf
