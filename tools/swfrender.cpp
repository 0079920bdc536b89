// swfrender [--frames N] [--scale S] [--quality low|medium|high|best] [--log] FILE.swf OUT.png
// Renders the stage after N frames (1: the first frame shown) at S times the
// stage size, background filled, and writes it as a PNG. An unreadable movie
// gives one "error: ..." line on stderr and exit status 1. --log (or
// QUELVO_SWF_LOG=1) prints the movie log on stderr: trace output and script
// errors as they happen, then the counts of what the movie used that the
// engine lacks.

#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "InputOutputArguments.h"
#include "StageImage.h"
#include "swf/Player.h"
#include "swf/base/Log.h"
#include "swf/model/Movie.h"
#include "swf/render/PainterRenderer.h"

namespace {

using quelvo::swf::Movie;
using quelvo::swf::PainterRenderer;
using quelvo::swf::Player;
using quelvo::swf::Quality;
using quelvo::tools::fail;

constexpr double kMaxScale = 64;

struct Options {
  long frames = 1;
  double scale = 1;
  Quality quality = Quality::High;
  bool log = false;
  quelvo::tools::InputOutput files;
};

std::optional<Quality> parseQuality(const char* text) {
  if (!std::strcmp(text, "low")) return Quality::Low;
  if (!std::strcmp(text, "medium")) return Quality::Medium;
  if (!std::strcmp(text, "high")) return Quality::High;
  if (!std::strcmp(text, "best")) return Quality::Best;
  return std::nullopt;
}

std::optional<Options> parseArguments(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const bool hasValue = i + 1 < argc;
    if (!std::strcmp(argv[i], "--frames") && hasValue) {
      char* end = nullptr;
      options.frames = std::strtol(argv[++i], &end, 10);
      if (*end || options.frames < 1) return std::nullopt;
    } else if (!std::strcmp(argv[i], "--scale") && hasValue) {
      char* end = nullptr;
      options.scale = std::strtod(argv[++i], &end);
      if (*end || !(options.scale > 0 && options.scale <= kMaxScale)) return std::nullopt;
    } else if (!std::strcmp(argv[i], "--quality") && hasValue) {
      const auto quality = parseQuality(argv[++i]);
      if (!quality) return std::nullopt;
      options.quality = *quality;
    } else if (!std::strcmp(argv[i], "--log")) {
      options.log = true;
    } else if (!options.files.take(argv[i])) {
      return std::nullopt;
    }
  }
  if (!options.files.complete()) return std::nullopt;
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  // Device fonts need a GUI application; drawing needs no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const auto options = parseArguments(argc, argv);
  if (!options) {
    std::fprintf(stderr,
                 "usage: swfrender [--frames N] [--scale S] [--quality low|medium|high|best] "
                 "[--log] FILE.swf OUT.png\n");
    return 2;
  }
  namespace movielog = quelvo::swf::movielog;
  movielog::enableFromEnvironment();
  if (options->log) movielog::setEnabled(true);
  const auto movie = Movie::load(std::filesystem::path(options->files.input));
  if (!movie) return fail(movie.error().describe());

  std::string error;
  auto image = quelvo::tools::stageImage(**movie, options->scale, error);
  if (!image) return fail(error);

  Player player(*movie);
  player.autoplay();  // a stop() in the first frame's scripts holds
  for (long frame = 1; frame < options->frames; ++frame) player.tick();

  PainterRenderer renderer(player);
  quelvo::tools::drawStage(player, renderer, *image, options->scale, options->quality);
  if (movielog::enabled()) {
    std::fputs(movielog::takeSummary().toLocal8Bit().constData(), stderr);
  }
  if (!image->convertToFormat(QImage::Format_RGB32)
           .save(QString::fromLocal8Bit(options->files.output), "PNG")) {
    return fail(std::string("cannot write ") + options->files.output);
  }
  return 0;
}
