// swfmonkey FILE.swf [--frames N] [--seed S]
// Plays the movie headless for N frames (default 300) as fast as it goes,
// sending it a stream of random mouse and key input seeded by S (default 1;
// the same seed gives the same input), drawing every frame at stage size
// and mixing its sound. Prints one line:
//   FILE frames=N events=E scripts_stopped=K worst_frame_ms=W peak_rss_mb=M ms=T
// where scripts_stopped counts the script entries the engine ended (a loop
// past the step budget...) and peak_rss_mb is the process's peak resident
// memory. An unreadable movie gives one "error: ..." line on stderr and exit
// status 1.

#include <sys/resource.h>

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>

#include "InputOutputArguments.h"
#include "Monkey.h"

namespace {

using quelvo::tools::MonkeyOptions;

struct Arguments {
  const char* file = nullptr;
  MonkeyOptions options;
};

std::optional<Arguments> parseArguments(int argc, char** argv) {
  Arguments arguments;
  for (int i = 1; i < argc; ++i) {
    const bool hasValue = i + 1 < argc;
    char* end = nullptr;
    if (!std::strcmp(argv[i], "--frames") && hasValue) {
      arguments.options.frames = std::strtol(argv[++i], &end, 10);
      if (*end || arguments.options.frames < 1) return std::nullopt;
    } else if (!std::strcmp(argv[i], "--seed") && hasValue) {
      const unsigned long seed = std::strtoul(argv[++i], &end, 10);
      if (*end || seed > 0xffffffffUL) return std::nullopt;
      arguments.options.seed = static_cast<std::uint32_t>(seed);
    } else if (argv[i][0] == '-' || arguments.file) {
      return std::nullopt;
    } else {
      arguments.file = argv[i];
    }
  }
  if (!arguments.file) return std::nullopt;
  return arguments;
}

double peakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
}

}  // namespace

int main(int argc, char** argv) {
  // Device fonts need a GUI application; drawing needs no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const auto arguments = parseArguments(argc, argv);
  if (!arguments) {
    std::fprintf(stderr, "usage: swfmonkey FILE.swf [--frames N] [--seed S]\n");
    return 2;
  }
  const auto movie = quelvo::swf::Movie::load(std::filesystem::path(arguments->file));
  if (!movie) return quelvo::tools::fail(movie.error().describe());

  const auto result = quelvo::tools::runMonkey(*movie, arguments->options);
  std::printf(
      "%s frames=%ld events=%llu scripts_stopped=%d worst_frame_ms=%.1f peak_rss_mb=%.1f "
      "ms=%.0f\n",
      arguments->file, result.frames, static_cast<unsigned long long>(result.events),
      result.scriptsStopped, result.worstFrameMilliseconds, peakResidentMegabytes(),
      result.milliseconds);
  return 0;
}
