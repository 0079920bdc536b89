#include <gtest/gtest.h>

#include "PlayerTestSupport.h"
#include "VideoFixtures.h"
#include "swf/format/TagCodes.h"

namespace quelvo::swf {
namespace {

namespace st = swftest;
using videotest::frameColour;
using videotest::near;

constexpr std::uint16_t kVideo = 1;
constexpr int kSide = 32;  // pixels

// DefineVideoStream 1 of 32 x 32 pixels, with its coded frames for frameTags.
std::vector<videotest::Bytes> defineVideo(st::TagStream& stream) {
  stream.tag(tags::DefineVideoStream,
             videotest::videoStreamBody(kVideo, kSide, kSide, VideoCodec::SorensonH263, true));
  return videotest::encode(AV_CODEC_ID_FLV1, videotest::solidFrames(3, kSide, kSide), 100);
}

// Video frame n, and the video at depth 1 moved on to show it.
void showFrame(st::TagStream& stream, const std::vector<videotest::Bytes>& frames,
               std::uint16_t n) {
  stream.tag(tags::VideoFrame, videotest::videoFrameBody(kVideo, n, frames.at(n)));
  st::Placement next;
  next.move = true;
  next.ratio = n;
  if (n > 0) stream.placeObject(next);
  stream.showFrame();
}

TEST(VideoRenderTest, ThePlacedVideoShowsTheFrameItsRatioNames) {
  st::TagStream stream;
  const auto frames = defineVideo(stream);
  ASSERT_EQ(frames.size(), 3u);
  // Twice its size at 10,10 pixels.
  stream.placeObject(st::Placement::place(1, kVideo, st::Matrix{2, 2, 0, 0, 200, 200}));
  for (std::uint16_t n = 0; n < 3; ++n) showFrame(stream, frames, n);
  const auto player = playerFor(stream.end());
  ASSERT_TRUE(player);
  for (const int frame : {0, 1, 2, 0, 2}) {
    player->gotoFrame(static_cast<std::size_t>(frame));
    for (const Quality quality : {Quality::Low, Quality::High}) {
      const QImage image = renderStage(*player, quality);
      EXPECT_TRUE(near(image.pixelColor(40, 40), frameColour(frame))) << frame;
      EXPECT_TRUE(near(image.pixelColor(12, 72), frameColour(frame))) << frame;
      EXPECT_EQ(image.pixelColor(8, 40), QColor(Qt::white));   // left of it
      EXPECT_EQ(image.pixelColor(40, 76), QColor(Qt::white));  // below it
    }
  }
  EXPECT_TRUE(near(renderStageDirectly(*player, Quality::High).pixelColor(40, 40), frameColour(2)));
}

TEST(VideoRenderTest, AVideoMasksTheLayersAboveIt) {
  st::TagStream stream;
  const auto frames = defineVideo(stream);
  ASSERT_EQ(frames.size(), 3u);
  stream.defineRectangle(2, {0, 2000, 0, 2000}, st::Colour{0, 0, 0});
  st::Placement mask = st::Placement::place(1, kVideo, st::Matrix::translate(400, 400));
  mask.clipDepth = 2;
  stream.placeObject(mask).placeObject(st::Placement::place(2, 2));
  showFrame(stream, frames, 0);
  const auto player = playerFor(stream.end());
  ASSERT_TRUE(player);
  const QImage image = renderStage(*player);
  EXPECT_EQ(image.pixelColor(30, 30), QColor(Qt::black));  // inside 20..52
  EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(60, 30), QColor(Qt::white));
}

TEST(VideoRenderTest, FramesInASpriteTimelinePlayThereTintedByTheSprite) {
  st::TagStream stream;
  const auto frames = defineVideo(stream);
  ASSERT_EQ(frames.size(), 3u);
  st::TagStream sprite;
  sprite.placeObject(st::Placement::place(1, kVideo));
  showFrame(sprite, frames, 0);
  showFrame(sprite, frames, 1);
  stream.defineSprite(2, sprite.end());
  st::Placement clip = st::Placement::place(1, 2, st::Matrix{3, 3, 0, 0, 0, 0});
  clip.colorTransform = st::ColorTransform{{256, 0, 256, 256}, {0, 0, 0, 0}};
  stream.placeObject(clip).showFrame();
  const auto player = playerFor(stream.end());
  ASSERT_TRUE(player);
  for (const int frame : {0, 1}) {
    const QColor colour = frameColour(frame);
    EXPECT_TRUE(
        near(renderStage(*player).pixelColor(50, 50), QColor(colour.red(), 0, colour.blue())))
        << frame;
    player->tick();
  }
}

}  // namespace
}  // namespace quelvo::swf
