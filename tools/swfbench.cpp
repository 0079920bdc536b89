// swfbench [--frames N] [--quality low|medium|high|best] FILE.swf...
// Times parsing and drawing. For each file it parses the movie (best of
// three), then plays up to N frames (default 100), ticking between them, and
// draws every frame the way the movie control does (painter antialiasing,
// into an image back buffer) at the stage size and fitted into 1920x1080;
// a movie of fewer than 10 frames has its last frame drawn again up to 10
// times. Prints one line per file:
//   FILE parse=MS frames=N first=MS stage=WxH median=MS worst=MS 1920x1080 median=MS worst=MS
// where first is the first frame at stage size (paths not yet cached) and
// median and worst cover the other drawings.
// A file that cannot be read gives an "error:" line on stderr; the exit
// status is 1 when any file failed.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "swf/Player.h"
#include "swf/io/FileBytes.h"
#include "swf/model/Movie.h"
#include "swf/render/PainterRenderer.h"

namespace {

using quelvo::swf::Movie;
using quelvo::swf::PainterRenderer;
using quelvo::swf::Player;
using quelvo::swf::Quality;
using Clock = std::chrono::steady_clock;

constexpr QSize kLargeSize(1920, 1080);
constexpr long kMinDrawings = 10;

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Timings {
  std::vector<double> frames;

  double median() {
    if (frames.empty()) return 0;
    std::sort(frames.begin(), frames.end());
    return frames[frames.size() / 2];
  }
  double worst() const {
    return frames.empty() ? 0 : *std::max_element(frames.begin(), frames.end());
  }
};

// Shows the whole stage centred in size, keeping its aspect ratio.
QTransform fitStage(const Movie& movie, QSize size) {
  const double width = std::max(1.0, movie.widthPixels());
  const double height = std::max(1.0, movie.heightPixels());
  const double scale = std::min(size.width() / width, size.height() / height);
  const auto& stage = movie.stageRect();
  return QTransform::fromTranslate(-stage.xMin, -stage.yMin) *
         QTransform::fromScale(scale / 20, scale / 20) *
         QTransform::fromTranslate((size.width() - width * scale) / 2,
                                   (size.height() - height * scale) / 2);
}

double drawFrame(const Player& player, PainterRenderer& renderer, QImage& buffer,
                 const QTransform& stageToDevice, Quality quality) {
  const auto start = Clock::now();
  const auto background = player.movie().backgroundColor();
  buffer.fill(QColor(background.red, background.green, background.blue));
  QPainter painter(&buffer);
  renderer.render(painter, stageToDevice, quality);
  painter.end();
  return millisecondsSince(start);
}

bool bench(const char* path, long maxFrames, Quality quality) {
  const auto bytes = quelvo::swf::readFileBytes(std::filesystem::path(path), Movie::kMaxFileBytes);
  if (!bytes) {
    std::fprintf(stderr, "error: %s: %s\n", path, bytes.error().describe().c_str());
    return false;
  }
  double parseMs = 1e300;
  std::shared_ptr<const Movie> movie;
  for (int run = 0; run < 3; ++run) {
    const auto start = Clock::now();
    auto parsed = Movie::parse(*bytes);
    parseMs = std::min(parseMs, millisecondsSince(start));
    if (!parsed) {
      std::fprintf(stderr, "error: %s: %s\n", path, parsed.error().describe().c_str());
      return false;
    }
    movie = *parsed;
  }

  const QSize stageSize(std::max(1, static_cast<int>(movie->widthPixels() + 0.5)),
                        std::max(1, static_cast<int>(movie->heightPixels() + 0.5)));
  QImage stageBuffer(stageSize, QImage::Format_ARGB32_Premultiplied);
  QImage largeBuffer(kLargeSize, QImage::Format_ARGB32_Premultiplied);
  const QTransform toStage = fitStage(*movie, stageSize);
  const QTransform toLarge = fitStage(*movie, kLargeSize);

  Player player(movie);
  PainterRenderer renderer(player);
  player.play();
  const double firstMs = drawFrame(player, renderer, stageBuffer, toStage, quality);
  Timings atStage, atLarge;
  const long frames = std::min<long>(maxFrames, static_cast<long>(movie->frameCount()));
  for (long drawing = 0; drawing < std::max(frames, kMinDrawings); ++drawing) {
    if (drawing > 0 && drawing < frames) player.tick();
    atLarge.frames.push_back(drawFrame(player, renderer, largeBuffer, toLarge, quality));
    if (drawing > 0)
      atStage.frames.push_back(drawFrame(player, renderer, stageBuffer, toStage, quality));
  }
  std::printf(
      "%s parse=%.2fms frames=%ld first=%.2fms stage=%dx%d median=%.2fms worst=%.2fms 1920x1080 "
      "median=%.2fms worst=%.2fms\n",
      path, parseMs, frames, firstMs, stageSize.width(), stageSize.height(), atStage.median(),
      atStage.worst(), atLarge.median(), atLarge.worst());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  // Device fonts need a GUI application; drawing needs no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  long maxFrames = 100;
  Quality quality = Quality::High;
  std::vector<const char*> files;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--frames") && i + 1 < argc) {
      maxFrames = std::max(1L, std::strtol(argv[++i], nullptr, 10));
    } else if (!std::strcmp(argv[i], "--quality") && i + 1 < argc) {
      const std::string name = argv[++i];
      if (name != "low" && name != "medium" && name != "high" && name != "best") {
        std::fprintf(stderr, "error: unknown quality %s\n", name.c_str());
        return 2;
      }
      quality = name == "low"      ? Quality::Low
                : name == "medium" ? Quality::Medium
                : name == "best"   ? Quality::Best
                                   : Quality::High;
    } else {
      files.push_back(argv[i]);
    }
  }
  if (files.empty()) {
    std::fprintf(stderr, "usage: swfbench [--frames N] [--quality Q] FILE.swf...\n");
    return 2;
  }
  bool ok = true;
  for (const char* file : files) ok = bench(file, maxFrames, quality) && ok;
  return ok ? 0 : 1;
}
