// swfinfo FILE.swf: prints what the engine reads from a movie's header and
// tag stream as "key: value" lines. An unreadable file gives one
// "error: ..." line on stderr and exit status 1.

#include <cstdio>
#include <filesystem>
#include <string>

#include "swf/model/Movie.h"

namespace {

using quelvo::swf::Movie;

// Shortest exact form: 550, 550.5, 29.96875.
std::string decimal(double value, int maxDecimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", maxDecimals, value);
  std::string result(text);
  if (result.find('.') != std::string::npos) {
    result.erase(result.find_last_not_of('0') + 1);
    if (result.back() == '.') result.pop_back();
  }
  return result;
}

void print(const char* key, const std::string& value) {
  std::printf("%s: %s\n", key, value.c_str());
}

void printMovie(const Movie& movie) {
  const auto& header = movie.header();
  const auto& stage = header.stage;
  const auto background = movie.backgroundColor();
  char colour[8];
  std::snprintf(colour, sizeof colour, "#%02x%02x%02x", background.red, background.green,
                background.blue);

  print("signature", header.signature());
  print("version", std::to_string(header.version));
  print("length", std::to_string(header.declaredLength));
  print("uncompressed_length", std::to_string(movie.bytes().size()));
  print("file_size", std::to_string(movie.fileSize()));
  print("width", decimal(movie.widthPixels(), 2));
  print("height", decimal(movie.heightPixels(), 2));
  print("stage_twips", std::to_string(stage.xMin) + " " + std::to_string(stage.xMax) + " " +
                           std::to_string(stage.yMin) + " " + std::to_string(stage.yMax));
  print("frame_rate", decimal(movie.frameRate(), 8));
  print("frame_count", std::to_string(movie.headerFrameCount()));
  print("frames", std::to_string(movie.frameCount()));
  print("tags", std::to_string(movie.tagCount()));
  print("sprites", std::to_string(movie.sprites().size()));
  print("avm2", movie.isAvm2() ? "yes" : "no");
  print("do_abc", movie.hasDoAbc() ? "yes" : "no");
  print("background", colour);
  if (movie.root().streamBreak) {
    print("stream_break", std::to_string(movie.root().streamBreak->offset));
  }
  if (movie.truncated()) print("truncated", "yes");
  if (movie.salvaged()) print("salvaged", movie.salvageNote());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: swfinfo FILE.swf\n");
    return 2;
  }
  const auto movie = Movie::load(std::filesystem::path(argv[1]));
  if (!movie) {
    std::fprintf(stderr, "error: %s\n", movie.error().describe().c_str());
    return 1;
  }
  printMovie(**movie);
  return 0;
}
