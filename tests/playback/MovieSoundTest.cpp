#include <gtest/gtest.h>

#include "playback/MovieControl.h"
#include "support/MovieFiles.h"
#include "support/ScriptedPlatform.h"

namespace quelvo::test {
namespace {

// A movie of 10 frames at 10 per second whose first frame starts a
// 0.2-second sound of constant level 8000.
std::vector<std::uint8_t> soundMovie() {
  const std::vector<std::int16_t> level(8820, 8000);
  std::vector<std::uint8_t> data;
  for (std::int16_t s : level)
    data.insert(data.end(), {std::uint8_t(s & 0xff), std::uint8_t(s >> 8)});
  swftest::TagStream tags;
  tags.defineSound(1, {}, std::uint32_t(level.size()), data).startSound(1).showFrame();
  for (int f = 1; f < 10; ++f) tags.showFrame();
  tags.end();
  swftest::MovieOptions options;
  options.frameRate = 10;
  return swftest::buildMovie(options, tags);
}

class MovieSoundTest : public ::testing::Test {
 protected:
  void open() { control.setMovie(writeMovie(folder, QStringLiteral("s.swf"), soundMovie())); }
  void elapse(qint64 ms) {
    platform.now += ms;
    control.tick();
  }

  TempProgramFolder folder;
  ScriptedPlatform platform;
  playback::MovieControl control{platform, playback::MovieControlSettings{}};
};

TEST_F(MovieSoundTest, ASoundOpensTheDeviceAtTheVolumeSetAndClosingSilencesIt) {
  platform.soundDevice = true;
  control.sound().setVolume(40);
  open();
  ASSERT_NE(platform.audioOutput, nullptr);
  EXPECT_TRUE(platform.audioOutput->running());
  EXPECT_DOUBLE_EQ(platform.audioOutput->volume, 0.4);
  EXPECT_EQ(platform.audioOutput->pull(100)[0], 8000) << "unity gain: the device applies volume";
  control.sound().setMuted(true);
  EXPECT_DOUBLE_EQ(platform.audioOutput->volume, 0.0);
  control.sound().setMuted(false);
  EXPECT_DOUBLE_EQ(platform.audioOutput->volume, 0.4);
  control.setMovie(QString());
  EXPECT_EQ(platform.audioOutput->pull(100)[0], 0);
}

TEST_F(MovieSoundTest, WithoutADeviceSoundsRunOutOnTheFrameClock) {
  open();
  EXPECT_FALSE(control.sound().hasDevice());
  EXPECT_TRUE(control.sound().sounding());
  elapse(100);
  EXPECT_TRUE(control.sound().sounding());
  elapse(100);
  elapse(100);
  EXPECT_FALSE(control.sound().sounding()) << "the 0.2 s sound has ended";
}

}  // namespace
}  // namespace quelvo::test
