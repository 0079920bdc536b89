// swfaudio [--frames N] FILE.swf OUT.wav
// Plays a movie with no device and no clock, one frame per 1/frame-rate of
// sound, for N frames (default: the movie's frame count), and writes the mix
// of every sound it starts as a 16-bit stereo 44 100 Hz WAV file. An
// unreadable movie gives one "error: ..." line on stderr and exit status 1;
// a sound that cannot be decoded plays as silence.

#include <QCoreApplication>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "InputOutputArguments.h"
#include "swf/HeadlessAudio.h"
#include "swf/Player.h"
#include "swf/model/Movie.h"
#include "swf/sound/Mixer.h"

namespace {

using quelvo::swf::Movie;
using quelvo::swf::Player;
using quelvo::tools::fail;

struct Options {
  std::optional<unsigned long> frames;
  quelvo::tools::InputOutput files;
};

std::optional<Options> parseArguments(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--frames") && i + 1 < argc) {
      char* end = nullptr;
      const long frames = std::strtol(argv[++i], &end, 10);
      if (*end || frames < 1) return std::nullopt;
      options.frames = static_cast<unsigned long>(frames);
    } else if (!options.files.take(argv[i])) {
      return std::nullopt;
    }
  }
  if (!options.files.complete()) return std::nullopt;
  return options;
}

void putLittleEndian(std::FILE* file, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) std::fputc(int(value >> (8 * i) & 0xff), file);
}

// The RIFF header of 16-bit stereo PCM at the output rate.
void writeWavHeader(std::FILE* file, std::uint32_t dataBytes) {
  constexpr std::uint32_t kChannels = 2;
  constexpr std::uint32_t kBlockAlign = kChannels * 2;
  std::fwrite("RIFF", 1, 4, file);
  putLittleEndian(file, 36 + dataBytes, 4);
  std::fwrite("WAVEfmt ", 1, 8, file);
  putLittleEndian(file, 16, 4);
  putLittleEndian(file, 1, 2);  // PCM
  putLittleEndian(file, kChannels, 2);
  putLittleEndian(file, quelvo::swf::kOutputRate, 4);
  putLittleEndian(file, quelvo::swf::kOutputRate * kBlockAlign, 4);
  putLittleEndian(file, kBlockAlign, 2);
  putLittleEndian(file, 16, 2);
  std::fwrite("data", 1, 4, file);
  putLittleEndian(file, dataBytes, 4);
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const auto options = parseArguments(argc, argv);
  if (!options) {
    std::fprintf(stderr, "usage: swfaudio [--frames N] FILE.swf OUT.wav\n");
    return 2;
  }
  const auto movie = Movie::load(std::filesystem::path(options->files.input));
  if (!movie) return fail(movie.error().describe());

  Player player(*movie);
  const unsigned long frames =
      options->frames.value_or(std::max<std::size_t>(player.frameCount(), 1));
  const std::uint64_t dataBytes = quelvo::swf::headlessLength(player, frames) * 4;
  if (dataBytes > 0xffffffffu - 36) return fail("the sound would not fit in a WAV file");

  const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(options->files.output, "wb"));
  if (!file) return fail(std::string("cannot write ") + options->files.output);
  writeWavHeader(file.get(), std::uint32_t(dataBytes));
  std::vector<unsigned char> bytes;
  quelvo::swf::playHeadless(player, frames, [&](std::span<const std::int16_t> samples) {
    bytes.clear();
    for (const std::int16_t sample : samples) {
      bytes.push_back(static_cast<unsigned char>(std::uint16_t(sample) & 0xff));
      bytes.push_back(static_cast<unsigned char>(std::uint16_t(sample) >> 8));
    }
    std::fwrite(bytes.data(), 1, bytes.size(), file.get());
  });
  if (std::ferror(file.get())) return fail(std::string("cannot write ") + options->files.output);
  return 0;
}
