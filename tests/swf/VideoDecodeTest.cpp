#include <gtest/gtest.h>

#include <QPainter>

#include "VideoFixtures.h"
#include "swf/video/VideoCharacter.h"
#include "swf/video/VideoFrameHeader.h"

namespace quelvo::swf {
namespace {

using videotest::Bytes;
using videotest::frameColour;
using videotest::near;

// Frames of one stream, numbered in order unless told; the character reads
// their data where it lies here.
struct Frames {
  VideoStream stream;
  std::vector<Bytes> data;
  std::vector<VideoFrame> frames;

  Frames(VideoCodec codec, int width, int height, std::vector<Bytes> coded)
      : data(std::move(coded)) {
    stream.codec = codec;
    stream.width = static_cast<std::uint16_t>(width);
    stream.height = static_cast<std::uint16_t>(height);
  }
  std::span<const VideoFrame> numbered(std::vector<std::uint16_t> numbers = {}) {
    frames.clear();
    for (std::size_t i = 0; i < data.size(); ++i) {
      const auto number = numbers.empty() ? static_cast<std::uint16_t>(i) : numbers[i];
      frames.push_back(VideoFrame{0, number, data[i]});
    }
    return frames;
  }
};

Frames h263Frames(int count, int side, int keyInterval) {
  return Frames(
      VideoCodec::SorensonH263, side, side,
      videotest::encode(AV_CODEC_ID_FLV1, videotest::solidFrames(count, side, side), keyInterval));
}

QColor centreOf(const QImage* picture) {
  return picture ? picture->pixelColor(picture->width() / 2, picture->height() / 2) : QColor();
}

TEST(VideoDecodeTest, TheNextFrameDecodesAloneAndOthersFromTheirKeyFrame) {
  Frames coded = h263Frames(10, 32, 4);
  ASSERT_EQ(coded.data.size(), 10u);
  for (std::size_t i = 0; i < coded.data.size(); ++i) {
    EXPECT_EQ(readVideoFrameHeader(VideoCodec::SorensonH263, coded.data[i])->keyframe, i % 4 == 0);
  }
  VideoCharacter video(coded.stream, coded.numbered());
  // Frame shown, then frames decoded so far.
  const std::vector<std::pair<std::uint16_t, std::size_t>> steps{
      {0, 1},  {1, 2}, {2, 3}, {2, 3},  // on, and again without work
      {6, 6},                           // ahead: key frame 4, then 5 and 6
      {1, 8},                           // back: key frame 0, then 1
      {3, 10},                          // on from 1
      {9, 12}};
  for (const auto& [frame, decoded] : steps) {
    const QImage* picture = video.picture(frame);
    EXPECT_TRUE(near(centreOf(picture), frameColour(frame))) << frame;
    EXPECT_EQ(video.framesDecoded(), decoded) << frame;
  }
  EXPECT_EQ(video.picture(9)->size(), QSize(32, 32));
}

TEST(VideoDecodeTest, FrameNumbersWithoutDataShowTheLatestFrameBefore) {
  Frames coded = h263Frames(4, 16, 1);
  ASSERT_EQ(coded.data.size(), 4u);
  // The second frame numbered 2 comes later in the movie and is ignored.
  VideoCharacter video(coded.stream, coded.numbered({2, 3, 7, 2}));
  EXPECT_EQ(video.picture(1), nullptr);
  EXPECT_TRUE(near(centreOf(video.picture(2)), frameColour(0)));
  EXPECT_TRUE(near(centreOf(video.picture(6)), frameColour(1)));
  EXPECT_EQ(video.framesDecoded(), 2u);
  EXPECT_TRUE(near(centreOf(video.picture(65535)), frameColour(2)));
}

TEST(VideoDecodeTest, AFrameFarFromItsKeyFrameIsReachedOverSeveralRequests) {
  constexpr std::size_t kLimit = VideoCharacter::kMaxFramesPerRequest;
  Frames coded = h263Frames(kLimit + 50, 16, 1000);
  ASSERT_EQ(coded.data.size(), kLimit + 50);
  VideoCharacter video(coded.stream, coded.numbered());
  const auto last = static_cast<std::uint16_t>(kLimit + 49);
  EXPECT_TRUE(near(centreOf(video.picture(last)), frameColour(kLimit - 1)));
  EXPECT_EQ(video.framesDecoded(), kLimit);
  EXPECT_TRUE(near(centreOf(video.picture(last)), frameColour(last)));
}

TEST(VideoDecodeTest, HugePicturesAreRefusedBeforeDecoding) {
  Frames declared = h263Frames(1, 16, 1);
  declared.stream.width = declared.stream.height = 16384;
  VideoCharacter huge(declared.stream, declared.numbered());
  EXPECT_EQ(huge.picture(0), nullptr);
  EXPECT_EQ(huge.framesDecoded(), 0u);

  // Frames claiming too large a picture are left out of a small stream.
  Frames claims = h263Frames(1, 16, 1);
  Bytes h263 = videotest::h263Header(1, 0, 65535, 65535);
  h263.resize(64, 0x5a);
  claims.data.insert(claims.data.begin(), h263);
  VideoCharacter mixed(claims.stream, claims.numbered());
  EXPECT_EQ(mixed.picture(0), nullptr);
  EXPECT_TRUE(near(centreOf(mixed.picture(1)), frameColour(0)));
  EXPECT_EQ(mixed.framesDecoded(), 1u);
  Frames vp6(VideoCodec::Vp6, 16, 16, {Bytes{0x00, 0x46, 255, 255, 255, 255, 0, 0}});
  VideoCharacter vp6Video(vp6.stream, vp6.numbered());
  EXPECT_EQ(vp6Video.picture(0), nullptr);
  EXPECT_EQ(vp6Video.framesDecoded(), 0u);
}

TEST(VideoDecodeTest, CutAndScrambledFramesDecodeWhatTheyCan) {
  Frames coded = h263Frames(2, 64, 100);
  ASSERT_EQ(coded.data.size(), 2u);
  const Bytes key = coded.data.front();
  for (std::size_t size = 1; size < key.size(); ++size) {
    coded.data.front().assign(key.begin(), key.begin() + static_cast<std::ptrdiff_t>(size));
    VideoCharacter video(coded.stream, coded.numbered());
    // Past its header a cut key frame is whole, the codec filling in the rest.
    if (size >= key.size() / 2) {
      EXPECT_EQ(video.picture(0)->size(), QSize(64, 64)) << size;
    }
  }
  // A cut inter frame builds on the picture before it.
  coded.data.front() = key;
  coded.data.back().resize(coded.data.back().size() / 2);
  VideoCharacter cutInter(coded.stream, coded.numbered());
  const QColor centre = centreOf(cutInter.picture(1));
  EXPECT_TRUE(near(centre, frameColour(0)) || near(centre, frameColour(1)));

  const std::vector<std::pair<VideoCodec, Bytes>> headers{
      {VideoCodec::SorensonH263, videotest::h263Header(0, 0, 64, 64)},
      {VideoCodec::SorensonH263, videotest::h263Header(0, 1, 64, 64)},
      {VideoCodec::Vp6, Bytes{0x00, 0x46, 4, 4, 4, 4}},
      {VideoCodec::Vp6Alpha, Bytes{0, 0, 40, 0x00, 0x46, 4, 4, 4, 4}},
      {VideoCodec::ScreenVideo, Bytes{0x30, 0x40, 0x30, 0x40}},
      {VideoCodec::ScreenVideo2, Bytes{0x30, 0x40, 0x30, 0x40, 0x00}},
  };
  std::uint32_t seed = 12345;
  for (const auto& [codec, header] : headers) {
    Frames scrambled(codec, 64, 64, std::vector<Bytes>(8, header));
    for (Bytes& data : scrambled.data) {
      for (int i = 0; i < 200; ++i)
        data.push_back(static_cast<std::uint8_t>((seed *= 69069) >> 24));
    }
    VideoCharacter video(scrambled.stream, scrambled.numbered());
    for (const std::uint16_t frame : {0, 7, 3, 5}) video.picture(frame);
    EXPECT_LE(video.framesDecoded(), 16u);
  }
}

// 256 x 64 pixels, the left half red, the right in another colour.
QImage redBeside(QColor right) {
  QImage picture = videotest::solid(256, 64, Qt::red);
  QPainter(&picture).fillRect(128, 0, 128, 64, right);
  return picture;
}

TEST(VideoDecodeTest, ScreenVideoBuildsOnTheBlocksOfTheFramesBefore) {
  const std::vector<QImage> pictures{redBeside(Qt::green), redBeside(Qt::blue),
                                     redBeside(Qt::yellow)};
  for (const auto& [encoder, codec] : {std::pair(AV_CODEC_ID_FLASHSV, VideoCodec::ScreenVideo),
                                       std::pair(AV_CODEC_ID_FLASHSV2, VideoCodec::ScreenVideo2)}) {
    Frames coded(codec, 256, 64, videotest::encode(encoder, pictures, 100));
    ASSERT_EQ(coded.data.size(), 3u);
    EXPECT_TRUE(readVideoFrameHeader(codec, coded.data[0])->keyframe);
    EXPECT_FALSE(readVideoFrameHeader(codec, coded.data[2])->keyframe);
    VideoCharacter video(coded.stream, coded.numbered());
    const QImage* last = video.picture(2);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(video.framesDecoded(), 3u);
    EXPECT_EQ(last->pixelColor(10, 10), QColor(Qt::red));
    EXPECT_EQ(last->pixelColor(200, 50), QColor(Qt::yellow));
    EXPECT_EQ(video.picture(0)->pixelColor(200, 50), QColor(Qt::green));
  }
}

}  // namespace
}  // namespace quelvo::swf
