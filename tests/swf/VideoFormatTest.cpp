#include <gtest/gtest.h>

#include "VideoFixtures.h"
#include "swf/format/TagCodes.h"
#include "swf/video/VideoFrameHeader.h"

namespace quelvo::swf {
namespace {

using videotest::Bytes;
using videotest::h263Header;

constexpr std::uint64_t kBodyOffset = 1006;

TagRecord recordOf(std::uint16_t code, const Bytes& body) { return TagRecord{code, 6, 1000, body}; }

TEST(VideoFormatTest, TagsReadTheirFieldsAndFailWhereTheyEnd) {
  const Bytes body = videotest::videoStreamBody(7, 320, 240, VideoCodec::Vp6Alpha, true, 3).data();
  const auto stream = readVideoStream(recordOf(tags::DefineVideoStream, body));
  ASSERT_TRUE(stream) << stream.error().describe();
  EXPECT_EQ(stream->id, 7);
  EXPECT_EQ(stream->width, 320);
  EXPECT_EQ(stream->height, 240);
  EXPECT_EQ(stream->deblocking, 3);
  EXPECT_TRUE(stream->smoothing);
  EXPECT_EQ(stream->codec, VideoCodec::Vp6Alpha);
  const auto cut =
      readVideoStream(recordOf(tags::DefineVideoStream, Bytes(body.begin(), body.end() - 1)));
  ASSERT_FALSE(cut);
  EXPECT_EQ(cut.error().offset, kBodyOffset + 9);

  const Bytes frameBody = videotest::videoFrameBody(3, 513, Bytes{0xaa, 0xbb}).data();
  const auto frame = readVideoFrame(recordOf(tags::VideoFrame, frameBody));
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->streamId, 3);
  EXPECT_EQ(frame->frameNumber, 513);
  EXPECT_EQ(frame->data.data(), frameBody.data() + 4);
  EXPECT_EQ(frame->data.size(), 2u);
  EXPECT_EQ(frame->dataOffset, kBodyOffset + 4);
  const auto shortFrame = readVideoFrame(recordOf(tags::VideoFrame, Bytes{3, 0, 1}));
  ASSERT_FALSE(shortFrame);
  EXPECT_EQ(shortFrame.error().offset, kBodyOffset + 2);
}

// A Screen Video frame of 40 x 20 pixels in 32 x 16 blocks (2 x 2 of them),
// each block this many bytes long; version 2 blocks start with flags.
Bytes screenFrame(const std::vector<std::uint16_t>& blockSizes, bool version2 = false,
                  std::uint8_t blockFlags = 0) {
  swftest::ByteWriter frame;
  frame.ub(1, 4).ub(40, 12).ub(0, 4).ub(20, 12);
  if (version2) frame.u8(0);
  for (const std::uint16_t size : blockSizes) {
    frame.ub(size, 16);
    for (std::uint16_t i = 0; i < size; ++i) frame.u8(version2 && i == 0 ? blockFlags : 0x55);
  }
  return frame.data();
}

struct HeaderCase {
  const char* what;
  VideoCodec codec;
  Bytes data;
  std::optional<VideoFrameHeader> expected;
};

TEST(VideoFormatTest, FrameHeadersTellKeyFramesAndSizes) {
  using enum VideoCodec;
  const Bytes vp6Key{0x00, 0x46, 3, 5, 3, 5};  // profile 3: the sizes come second
  Bytes withAlpha{0, 0, 6};
  withAlpha.insert(withAlpha.end(), vp6Key.begin(), vp6Key.end());
  withAlpha.insert(withAlpha.end(), vp6Key.begin(), vp6Key.end());
  Bytes alphaPastEnd = withAlpha;
  alphaPastEnd[1] = 1;
  Bytes screenCut = screenFrame({3, 3, 3, 3});
  screenCut.pop_back();
  const std::vector<HeaderCase> cases{
      {"h263 custom size", SorensonH263, h263Header(1, 0, 1000, 600), {{true, 1000, 600}}},
      {"h263 disposable", SorensonH263, h263Header(5, 2), {{false, 320, 240}}},
      {"h263 size code 7", SorensonH263, h263Header(7, 0), {}},
      {"h263 picture type 3", SorensonH263, h263Header(2, 3), {}},
      {"h263 start code", SorensonH263, {0, 1, 0x80, 0, 0, 0}, {}},
      {"h263 cut", SorensonH263, {0, 0, 0x84, 0, 0}, {}},
      {"vp6 key", Vp6, vp6Key, {{true, 80, 48}}},
      {"vp6 profile 0 offset", Vp6, {0, 0x40, 0, 9, 2, 4}, {{true, 64, 32}}},
      {"vp6 inter", Vp6, {0x80, 0x12}, {{false, 0, 0}}},
      {"vp6 cut", Vp6, {0x00, 0x46, 3}, {}},
      {"vp6 no rows", Vp6, {0x00, 0x46, 0, 5}, {}},
      {"vp6 alpha", Vp6Alpha, withAlpha, {{true, 80, 48}}},
      {"vp6 alpha past end", Vp6Alpha, alphaPastEnd, {}},
      {"screen key", ScreenVideo, screenFrame({3, 3, 3, 3}), {{true, 40, 20}}},
      {"screen kept block", ScreenVideo, screenFrame({3, 0, 3, 3}), {{false, 40, 20}}},
      {"screen cut block", ScreenVideo, screenCut, {{false, 40, 20}}},
      {"screen no width", ScreenVideo, {0x10, 0x00, 0x00, 0x14}, {}},
      {"screen2 primed", ScreenVideo2, screenFrame({3, 3, 3, 3}, true, 0x02), {{true, 40, 20}}},
      {"screen2 difference",
       ScreenVideo2,
       screenFrame({3, 3, 3, 3}, true, 0x04),
       {{false, 40, 20}}},
      {"screen2 previous", ScreenVideo2, screenFrame({3, 3, 3, 3}, true, 0x01), {{false, 40, 20}}},
      {"unknown codec", static_cast<VideoCodec>(7), screenFrame({3, 3, 3, 3}), {}},
  };
  for (const HeaderCase& test : cases) {
    const auto header = readVideoFrameHeader(test.codec, test.data);
    ASSERT_EQ(header.has_value(), test.expected.has_value()) << test.what;
    if (!header) continue;
    EXPECT_EQ(header->keyframe, test.expected->keyframe) << test.what;
    EXPECT_EQ(header->width, test.expected->width) << test.what;
    EXPECT_EQ(header->height, test.expected->height) << test.what;
  }
}

TEST(VideoFormatTest, ALeadingByteIsFoundByTheDeclaredSize) {
  VideoStream stream;
  stream.codec = VideoCodec::Vp6;
  stream.width = 78;  // shown from 5 x 3 macroblocks
  stream.height = 40;
  const Bytes inter{0x80, 0x12, 0x34};
  const Bytes key{0x00, 0x46, 3, 5, 3, 5};
  Bytes adjusted{0x28};
  adjusted.insert(adjusted.end(), key.begin(), key.end());
  // An inter frame says nothing of the size; the next key frame decides.
  EXPECT_EQ(videoDataStart(stream, std::vector{VideoFrame{1, 0, inter}, VideoFrame{1, 1, key}}),
            0u);
  EXPECT_EQ(
      videoDataStart(stream, std::vector{VideoFrame{1, 0, inter}, VideoFrame{1, 1, adjusted}}), 1u);

  stream.codec = VideoCodec::ScreenVideo;
  stream.width = 40;
  stream.height = 20;
  Bytes flvHeader{0x13};
  const Bytes frame = screenFrame({3, 3, 3, 3});
  flvHeader.insert(flvHeader.end(), frame.begin(), frame.end());
  EXPECT_EQ(videoDataStart(stream, std::vector{VideoFrame{1, 0, flvHeader}}), 1u);
  stream.width = 64;  // agreeing with neither: the data is taken as it is
  EXPECT_EQ(videoDataStart(stream, std::vector{VideoFrame{1, 0, flvHeader}}), 0u);
}

}  // namespace
}  // namespace quelvo::swf
