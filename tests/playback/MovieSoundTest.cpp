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
  swftest::TagStream tags;
  tags.defineSound(1, {}, std::uint32_t(level.size()), swftest::pcm16(level))
      .startSound(1)
      .showFrame();
  for (int f = 1; f < 10; ++f) tags.showFrame();
  tags.end();
  swftest::MovieOptions options;
  options.frameRate = 10;
  return swftest::buildMovie(options, tags);
}

// A movie of 40 frames at 10 per second with a mono 44.1 kHz stream whose
// block for frame f holds 4410 samples at level f.
std::vector<std::uint8_t> streamMovie() {
  swftest::TagStream tags;
  tags.soundStreamHead({}, 4410);
  for (int f = 0; f < 40; ++f) {
    tags.soundStreamBlock(swftest::pcm16(std::vector<std::int16_t>(4410, std::int16_t(f))))
        .showFrame();
  }
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

TEST_F(MovieSoundTest, WhileTheDevicePlaysTheStreamTheSoundHeardPacesThePicture) {
  platform.soundDevice = true;
  control.setMovie(writeMovie(folder, QStringLiteral("stream.swf"), streamMovie()));
  RecordedAudioOutput& device = *platform.audioOutput;
  ASSERT_TRUE(device.running());
  EXPECT_EQ(device.pull(10)[0], 0) << "frame 0's block first";

  // The device ran ahead of the wall clock: the sound decides.
  device.pull(4400);
  elapse(5);
  EXPECT_EQ(control.CurrentFrame(), 1);
  // Drawing fell behind by three blocks: the picture skips to the sound.
  device.pull(3 * 4410);
  elapse(5);
  EXPECT_EQ(control.CurrentFrame(), 4);
  EXPECT_EQ(device.pull(1)[0], 4) << "the sound was never skipped";
  // What the device holds unplayed is not heard yet.
  device.pull(4409);
  device.queued = 2205;
  elapse(150);
  EXPECT_EQ(control.CurrentFrame(), 4);
  device.queued = 0;
  elapse(1);
  EXPECT_EQ(control.CurrentFrame(), 5);
}

TEST_F(MovieSoundTest, AStalledDeviceHandsThePacingBackToTheFrameClock) {
  platform.soundDevice = true;
  control.setMovie(writeMovie(folder, QStringLiteral("stream.swf"), streamMovie()));
  platform.audioOutput->pull(4410);
  elapse(1);
  ASSERT_EQ(control.CurrentFrame(), 1);
  // Nothing pulled for 300 ms: the frame clock's 10 frames a second go on.
  for (int step = 0; step < 6; ++step) elapse(50);
  EXPECT_GE(control.CurrentFrame(), 3);
  EXPECT_LE(control.CurrentFrame(), 4);
}

}  // namespace
}  // namespace quelvo::test
