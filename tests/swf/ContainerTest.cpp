#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "MovieTestSupport.h"
#include "swf/format/Container.h"

namespace quelvo::swf {
namespace {

using swftest::buildMovie;
using swftest::MovieOptions;
using swftest::TagStream;
using Bytes = std::vector<std::uint8_t>;

struct CompressionCase {
  swftest::Compression compression;
  bool lzmaEndMarker;
  const char* signature;
};

class CompressionRoundTrip : public testing::TestWithParam<CompressionCase> {
 protected:
  MovieOptions options() const {
    MovieOptions options;
    options.compression = GetParam().compression;
    options.lzmaEndMarker = GetParam().lzmaEndMarker;
    return options;
  }
};

// Incompressible filler, so cutting a compressed file cuts the tag stream.
Bytes noise(std::size_t size, std::uint32_t seed) {
  Bytes bytes(size);
  for (auto& byte : bytes) {
    seed = seed * 1664525u + 1013904223u;
    byte = static_cast<std::uint8_t>(seed >> 24);
  }
  return bytes;
}

TagStream framesOfNoise(int frames) {
  TagStream tags;
  for (int i = 0; i < frames; ++i) tags.tag(12, noise(500, i)).showFrame();
  tags.end();
  return tags;
}

TEST_P(CompressionRoundTrip, HeaderAndTagsSurvive) {
  MovieOptions options = this->options();
  options.version = 13;
  options.stage = {0, 11010, -20, 8000};
  options.frameRate = 29.97;
  TagStream tags;
  tags.fileAttributes(false).backgroundColor({0x12, 0x34, 0x56}).showFrame().showFrame().end();
  const Bytes file = buildMovie(options, tags);

  const auto movie = parseOk(file);
  ASSERT_TRUE(movie);
  EXPECT_STREQ(movie->header().signature(), GetParam().signature);
  EXPECT_EQ(movie->version(), 13);
  EXPECT_EQ(movie->stageRect(), (Rect{0, 11010, -20, 8000}));
  EXPECT_DOUBLE_EQ(movie->widthPixels(), 550.5);
  EXPECT_DOUBLE_EQ(movie->heightPixels(), 401);
  EXPECT_EQ(movie->header().frameRateRaw, 7672);  // 29.97 as 8.8
  EXPECT_DOUBLE_EQ(movie->frameRate(), 7672 / 256.0);
  EXPECT_EQ(movie->headerFrameCount(), 2);
  EXPECT_EQ(movie->frameCount(), 2u);
  EXPECT_EQ(movie->tagCount(), 5u);
  EXPECT_EQ(movie->backgroundColor(), (Rgb{0x12, 0x34, 0x56}));
  EXPECT_EQ(movie->header().declaredLength, movie->bytes().size());
  EXPECT_EQ(movie->fileSize(), file.size());
  EXPECT_FALSE(movie->truncated());
  EXPECT_FALSE(movie->salvaged()) << movie->salvageNote();
}

TEST_P(CompressionRoundTrip, CutFileKeepsTheFramesBeforeTheCut) {
  Bytes file = buildMovie(options(), framesOfNoise(20));
  file.resize(file.size() / 2);

  const auto movie = parseOk(file);
  ASSERT_TRUE(movie);
  EXPECT_TRUE(movie->salvaged());
  EXPECT_GE(movie->frameCount(), 5u);
  EXPECT_LT(movie->frameCount(), 20u);
  ASSERT_TRUE(movie->root().streamBreak);
  EXPECT_LE(movie->root().streamBreak->offset, movie->bytes().size());
  EXPECT_NE(movie->salvageNote().find("tag stream ends early at byte"), std::string::npos)
      << movie->salvageNote();
  EXPECT_EQ(movie->headerFrameCount(), 20);
}

TEST_P(CompressionRoundTrip, WrongDeclaredLengthIsKeptButNotTrusted) {
  for (const std::uint32_t declared : {std::uint32_t{30}, std::uint32_t{1}, UINT32_MAX}) {
    MovieOptions options = this->options();
    options.declaredLength = declared;
    const auto movie = parseOk(options, framesOfNoise(3));
    ASSERT_TRUE(movie);
    EXPECT_EQ(movie->header().declaredLength, declared);
    EXPECT_EQ(movie->frameCount(), 3u);
    EXPECT_EQ(movie->tagCount(), 7u);
    EXPECT_FALSE(movie->salvaged()) << movie->salvageNote();
  }
}

INSTANTIATE_TEST_SUITE_P(AllSignatures, CompressionRoundTrip,
                         testing::Values(CompressionCase{swftest::Compression::None, true, "FWS"},
                                         CompressionCase{swftest::Compression::Zlib, true, "CWS"},
                                         CompressionCase{swftest::Compression::Lzma, true, "ZWS"},
                                         CompressionCase{swftest::Compression::Lzma, false, "ZWS"}),
                         [](const auto& info) {
                           return std::string(info.param.signature) +
                                  (info.param.lzmaEndMarker ? "" : "WithoutEndMarker");
                         });

TEST(ContainerTest, UnreadableFilesAreErrorsWithOffsets) {
  const Bytes valid = buildMovie({}, TagStream().showFrame().end());
  struct Case {
    const char* name;
    Bytes file;
    std::uint64_t offset;
  };
  Bytes badSignature = valid;
  badSignature[0] = 'X';
  Bytes cutInRect(valid.begin(), valid.begin() + 12);
  std::vector<Case> cases{{"empty", {}, 0},
                          {"two bytes", {'F', 'W'}, 0},
                          {"bad signature", badSignature, 0},
                          {"cut in header", Bytes(valid.begin(), valid.begin() + 6), 6},
                          {"cut in stage rect", cutInRect, 8},
                          {"short zws", {'Z', 'W', 'S', 13, 0, 0, 0, 0, 1, 0, 0}, 8}};
  for (const auto& testCase : cases) {
    const auto movie = Movie::parse(testCase.file);
    ASSERT_FALSE(movie.has_value()) << testCase.name;
    EXPECT_EQ(movie.error().offset, testCase.offset) << testCase.name;
    EXPECT_NE(movie.error().describe().find(" at byte "), std::string::npos);
  }
}

TEST(ContainerTest, CompressedBodyThatIsNotZlibIsAnError) {
  MovieOptions options;
  options.compression = swftest::Compression::Zlib;
  Bytes file = buildMovie(options, TagStream().showFrame().end());
  file[8] = file[9] = 0;  // the zlib stream header

  const auto movie = Movie::parse(file);
  ASSERT_FALSE(movie.has_value());
  EXPECT_EQ(movie.error().offset, 8u);
  EXPECT_NE(movie.error().message.find("compressed data is corrupt"), std::string::npos)
      << movie.error().message;
}

TEST(ContainerTest, ImpossibleLzmaPropertiesAreAnError) {
  MovieOptions options;
  options.compression = swftest::Compression::Lzma;
  Bytes file = buildMovie(options, TagStream().showFrame().end());
  file[12] = 0xFF;

  const auto movie = Movie::parse(file);
  ASSERT_FALSE(movie.has_value());
  EXPECT_EQ(movie.error().offset, 8u);
}

TEST(ContainerTest, BadZlibChecksumKeepsTheWholeMovieButSaysSo) {
  MovieOptions options;
  options.compression = swftest::Compression::Zlib;
  Bytes file = buildMovie(options, framesOfNoise(4));
  file.back() ^= 0xFF;

  const auto movie = parseOk(file);
  ASSERT_TRUE(movie);
  EXPECT_EQ(movie->frameCount(), 4u);
  EXPECT_FALSE(movie->root().streamBreak);
  EXPECT_FALSE(movie->truncated());
  EXPECT_TRUE(movie->salvaged());
  EXPECT_NE(movie->salvageNote().find("checksum"), std::string::npos) << movie->salvageNote();
}

TEST(ContainerTest, BodyIsCutAtTheLimit) {
  for (const auto compression :
       {swftest::Compression::None, swftest::Compression::Zlib, swftest::Compression::Lzma}) {
    MovieOptions options;
    options.compression = compression;
    const auto container = readContainer(buildMovie(options, framesOfNoise(10)), 1000);
    ASSERT_TRUE(container.has_value());
    EXPECT_EQ(container->bytes.size(), 1008u);
    EXPECT_TRUE(container->truncated);
    EXPECT_NE(container->problem.find("limit"), std::string::npos) << container->problem;
  }
}

}  // namespace
}  // namespace quelvo::swf
