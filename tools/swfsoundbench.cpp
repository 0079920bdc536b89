// swfsoundbench [FILE.swf]
// The CPU cost of the root timeline's stream sound as the player has it:
// decoded whole on first use (as a movie's sound bank does), then mixed in
// chunks of 1024 sample frames, as the sound device asks for them, until it
// ends. Without a file it times a movie of its own: 60 s of a 44.1 kHz stereo
// MP3 stream, coded at run time with libavcodec's MP3 encoder. Prints
//   audio=S s decode=S s mix=S s realtime=P % of one core
// with CPU seconds of this process, and P = (decode + mix) / audio × 100.
// A file without a stream sound, or no MP3 encoder, gives an "error:" line
// on stderr and exit status 1.

#include <time.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "support/SwfWriter.h"
#include "support/ToneEncoder.h"
#include "swf/io/FileBytes.h"
#include "swf/model/Movie.h"
#include "swf/sound/Mixer.h"
#include "swf/sound/SoundBank.h"

namespace {

using namespace quelvo::swf;
namespace writer = quelvo::swftest;

constexpr double kOwnSeconds = 60;
constexpr double kOwnFrameRate = 24;
constexpr int kMp3FrameSamples = 1152;
constexpr std::size_t kChunkFrames = 1024;

// CPU time of the whole process, so that any decoder threads count too.
struct ProcessCpuClock {
  using duration = std::chrono::nanoseconds;
  using rep = duration::rep;
  using period = duration::period;
  using time_point = std::chrono::time_point<ProcessCpuClock>;

  static time_point now() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return time_point(std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec));
  }
};

double secondsSince(ProcessCpuClock::time_point start) {
  return std::chrono::duration<double>(ProcessCpuClock::now() - start).count();
}

// The 60 s MP3 stream movie: each frame's block holds the MP3 frames whose
// samples begin within that frame's time. Empty without an MP3 encoder.
std::vector<std::uint8_t> ownMovie() {
  const auto mp3Frames =
      encodeTone(avcodec_find_encoder(AV_CODEC_ID_MP3), kOutputRate, 2, 440, kOwnSeconds);
  if (mp3Frames.empty()) return {};
  const double samplesPerFrame = kOutputRate / kOwnFrameRate;
  writer::TagStream tags;
  tags.soundStreamHead({.codec = 2, .rateCode = 3, .sixteenBit = true, .stereo = true},
                       std::uint16_t(samplesPerFrame + 0.5));
  std::size_t next = 0;
  for (int frame = 1; next < mp3Frames.size(); ++frame) {
    writer::ByteWriter block;
    std::uint16_t samples = 0;
    for (; next < mp3Frames.size() && double(next) * kMp3FrameSamples < frame * samplesPerFrame;
         ++next) {
      block.bytes(mp3Frames[next]);
      samples += kMp3FrameSamples;
    }
    writer::ByteWriter body;
    body.u16(samples).u16(0).bytes(block.data());
    tags.soundStreamBlock(body.data()).showFrame();
  }
  tags.end();
  writer::MovieOptions options;
  options.frameRate = kOwnFrameRate;
  return writer::buildMovie(options, tags);
}

int fail(const char* message) {
  std::fprintf(stderr, "error: %s\n", message);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::uint8_t> bytes;
  if (argc > 1) {
    auto read = readFileBytes(std::filesystem::path(argv[1]), Movie::kMaxFileBytes);
    if (!read) return fail(read.error().describe().c_str());
    bytes = std::move(*read);
  } else {
    bytes = ownMovie();
    if (bytes.empty()) return fail("no MP3 encoder in libavcodec; name a movie file");
  }
  const auto movie = Movie::parse(bytes);
  if (!movie) return fail(movie.error().describe().c_str());

  SoundBank bank(**movie);
  const auto decodeStart = ProcessCpuClock::now();
  const StreamSound* stream = bank.stream((*movie)->root());
  const double decodeSeconds = secondsSince(decodeStart);
  if (!stream || !stream->sound) return fail("the root timeline has no stream sound to play");

  Mixer mixer;
  Voice voice;
  voice.sound = stream->sound;
  voice.stream = 1;
  mixer.start(voice);
  std::vector<std::int16_t> chunk(kChunkFrames * 2);
  const auto mixStart = ProcessCpuClock::now();
  while (mixer.voiceCount() > 0) mixer.mix(chunk);
  const double mixSeconds = secondsSince(mixStart);

  const double audioSeconds = double(outputLength(*stream->sound)) / kOutputRate;
  std::printf(
      "audio=%.1f s (%d ch, %.0f Hz) decode=%.3f s mix=%.3f s realtime=%.2f %% of one core\n",
      audioSeconds, stream->sound->channels, stream->sound->sampleRate, decodeSeconds, mixSeconds,
      (decodeSeconds + mixSeconds) / audioSeconds * 100);
  return 0;
}
