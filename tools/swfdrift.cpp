// swfdrift [--skew PPM] [--draw-ms MS] [--frame-clock] [FILE.swf]
// Measures how far picture and sound drift apart while a movie with stream
// sound plays to its end, in simulated time: a sound device takes the mix in
// chunks at 44 100 Hz off by PPM parts per million (sound cards' clocks are
// not the computer's), keeping up to 100 ms queued, and every frame shown
// costs a random 0 to MS milliseconds of drawing. The root is paced as the
// player paces it: by the stream heard, or with --frame-clock by the frame
// clock alone. At each frame shown it compares the frame with the one whose
// sound is being heard. Without FILE it plays a 3-minute movie of its own: 12
// frames a second with an 11 025 Hz stream whose blocks hold 918 or 919
// samples, as an encoder divides them.

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include "InputOutputArguments.h"
#include "support/SwfWriter.h"
#include "swf/Player.h"
#include "swf/StreamClock.h"
#include "swf/model/Movie.h"
#include "swf/runtime/FrameClock.h"
#include "swf/sound/Mixer.h"

namespace {

using namespace quelvo::swf;
using quelvo::tools::fail;

struct Options {
  double skewPpm = 500;
  double drawMs = 60;
  bool frameClock = false;
  const char* file = nullptr;
};

std::optional<Options> parseArguments(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const auto number = [&](double& into) {
      if (i + 1 >= argc) return false;
      char* end = nullptr;
      into = std::strtod(argv[++i], &end);
      return *end == 0 && std::isfinite(into);
    };
    if (!std::strcmp(argv[i], "--skew")) {
      if (!number(options.skewPpm)) return std::nullopt;
    } else if (!std::strcmp(argv[i], "--draw-ms")) {
      if (!number(options.drawMs) || options.drawMs < 0) return std::nullopt;
    } else if (!std::strcmp(argv[i], "--frame-clock")) {
      options.frameClock = true;
    } else if (argv[i][0] == '-' || options.file) {
      return std::nullopt;
    } else {
      options.file = argv[i];
    }
  }
  return options;
}

std::vector<std::uint8_t> threeMinuteMovie() {
  constexpr int kRate = 11025;
  constexpr int kFps = 12;
  constexpr int kFrames = 180 * kFps;
  quelvo::swftest::TagStream tags;
  quelvo::swftest::SoundFormatSpec format;
  format.rateCode = 1;
  tags.soundStreamHead(format, kRate / kFps + 1);
  for (int f = 0; f < kFrames; ++f) {
    const int from = f * kRate / kFps;
    const int to = (f + 1) * kRate / kFps;
    std::vector<std::int16_t> block;
    for (int i = from; i < to; ++i)
      block.push_back(std::int16_t(std::lround(8000 * std::sin(i * 0.1))));
    tags.soundStreamBlock(quelvo::swftest::pcm16(block)).showFrame();
  }
  tags.end();
  quelvo::swftest::MovieOptions options;
  options.frameRate = kFps;
  return quelvo::swftest::buildMovie(options, tags);
}

// Where the sound heard is, in frames: frame f's block starts at f.
class HeardFrames {
 public:
  explicit HeardFrames(const StreamSound& stream) {
    for (std::size_t f = 0; f < stream.frameStarts.size(); ++f) {
      if (stream.frameStarts[f]) starts_.push_back({double(f), double(*stream.frameStarts[f])});
    }
  }
  double at(double sample) const {
    const auto next =
        std::upper_bound(starts_.begin(), starts_.end(), sample,
                         [](double s, const Start& start) { return s < start.sample; });
    if (next == starts_.begin()) return starts_.front().frame;
    const Start& start = *(next - 1);
    if (next == starts_.end()) return start.frame;
    return start.frame +
           (sample - start.sample) / (next->sample - start.sample) * (next->frame - start.frame);
  }

 private:
  struct Start {
    double frame;
    double sample;
  };
  std::vector<Start> starts_;
};

// A sound device that plays at its own rate and takes the mix in chunks,
// keeping up to 100 ms queued.
class SimulatedDevice {
 public:
  SimulatedDevice(Mixer& mixer, double skewPpm)
      : mixer_(mixer), framesPerMs_(kOutputRate * (1 + skewPpm / 1e6) / 1000) {}

  // Takes what the device wants by the time nowMs.
  void runUntil(double nowMs) {
    played_ = nowMs * framesPerMs_;
    while (double(taken_) - played_ < kCapacity - kChunk) {
      mixer_.mix(chunk_);
      taken_ += kChunk;
    }
  }
  std::uint64_t queued() const { return std::uint64_t(std::max(0.0, double(taken_) - played_)); }

 private:
  static constexpr std::uint64_t kCapacity = kOutputRate / 10;
  static constexpr std::uint64_t kChunk = 1024;
  Mixer& mixer_;
  double framesPerMs_;
  double played_ = 0;
  std::uint64_t taken_ = 0;
  std::vector<std::int16_t> chunk_ = std::vector<std::int16_t>(2 * kChunk);
};

struct Drift {
  std::uint64_t shown = 0;
  std::uint64_t skipped = 0;
  double worst = 0;
  double total = 0;

  // The frame shown against the sound heard: none while the sound is within it.
  void record(double shownFrame, double heardFrame) {
    const double off = heardFrame < shownFrame        ? shownFrame - heardFrame
                       : heardFrame >= shownFrame + 1 ? heardFrame - shownFrame - 1
                                                      : 0;
    worst = std::max(worst, off);
    total += off;
    ++shown;
  }
};

Drift simulate(Player& player, const Options& options) {
  const HeardFrames heard(*player.rootStream());
  SimulatedDevice device(player.sounds().mixer(), options.skewPpm);
  FrameClock clock(player.movie().frameRate());
  std::mt19937 random(1);
  std::uniform_real_distribution<double> drawing(0, options.drawMs);
  Drift drift;
  double now = 0;
  player.setLoop(false);
  player.autoplay();
  clock.start(0);
  while (player.isPlaying() && player.rootStreamPosition()) {
    device.runUntil(now);
    const std::size_t before = player.currentFrame();
    const auto pace = options.frameClock
                          ? std::nullopt
                          : streamPace(player, device.queued(), int(clock.framesPerSecond()));
    const int due = pace.has_value() ? pace.value().framesDue : clock.framesDue(std::int64_t(now));
    for (int left = due; left > 0 && player.isPlaying(); --left) player.tick();
    // Where the stream ends, the frame clock goes on from here.
    if (pace.has_value() && due > 0) clock.start(std::int64_t(now));
    if (player.currentFrame() != before) {
      drift.skipped += player.currentFrame() - before - 1;
      now += drawing(random);
      device.runUntil(now);
      if (const auto position = player.rootStreamPosition()) {
        drift.record(double(player.currentFrame()),
                     heard.at(double(*position) - double(device.queued())));
      }
    }
    const auto next = options.frameClock ? std::nullopt : streamPace(player, device.queued(), 1);
    const double wait = next ? std::min<double>(double(next->msToNext), 2 * clock.periodMs())
                             : std::max(0.0, double(clock.nextDueMs()) - now);
    now += std::max(1.0, std::ceil(wait));
  }
  return drift;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const auto options = parseArguments(argc, argv);
  if (!options) {
    std::fprintf(stderr,
                 "usage: swfdrift [--skew PPM] [--draw-ms MS] [--frame-clock] [FILE.swf]\n");
    return 2;
  }
  auto movie = options->file ? Movie::load(options->file) : Movie::parse(threeMinuteMovie());
  if (!movie) return fail(movie.error().describe());
  Player player(*movie);
  const StreamSound* stream = player.rootStream();
  if (!stream) return fail("the movie has no stream sound");
  const double seconds = double(outputLength(*stream->sound)) / kOutputRate;
  std::printf("movie: %zu frames at %g fps, %.1f s of stream sound\n", player.frameCount(),
              player.movie().frameRate(), seconds);
  std::printf("pacing: %s, device clock %+g ppm, drawing 0-%g ms a frame\n",
              options->frameClock ? "frame clock" : "stream heard", options->skewPpm,
              options->drawMs);
  // Played without a device (swfaudio), frame f starts at its nominal time
  // and the stream plays on unbroken: the blocks' own offsets are the drift.
  const double samplesPerFrame = kOutputRate / player.movie().frameRate();
  double blockDrift = 0;
  for (std::size_t f = 0; f < stream->frameStarts.size(); ++f) {
    if (!stream->frameStarts[f] || !stream->frameStarts.front()) continue;
    const double offset = double(*stream->frameStarts[f]) - double(*stream->frameStarts.front());
    blockDrift = std::max(
        blockDrift, std::abs(offset - double(frameStartSample(f, player.movie().frameRate()))) /
                        samplesPerFrame);
  }
  std::printf("stream blocks against frame times (playing without a device): max %.3f frames\n",
              blockDrift);
  const Drift drift = simulate(player, *options);
  std::printf("shown %llu frames, skipped %llu; drift max %.2f frames, mean %.3f frames\n",
              static_cast<unsigned long long>(drift.shown),
              static_cast<unsigned long long>(drift.skipped), drift.worst,
              drift.shown ? drift.total / double(drift.shown) : 0.0);
  return 0;
}
