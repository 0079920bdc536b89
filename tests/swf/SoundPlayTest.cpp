#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "PlayerTestSupport.h"
#include "SoundTestSupport.h"
#include "support/ToneEncoder.h"
#include "swf/StreamClock.h"

namespace quelvo::swf {
namespace {

using swftest::SoundFormatSpec;
using swftest::SoundInfoSpec;
using swftest::TagStream;

constexpr std::uint8_t kPcmLittleEndian = 3;

std::vector<std::int16_t> tone(double hertz, double rate, std::size_t frames, double amplitude) {
  std::vector<std::int16_t> samples(frames);
  for (std::size_t i = 0; i < frames; ++i) {
    samples[i] =
        std::int16_t(std::lround(amplitude * std::sin(2 * std::numbers::pi * hertz * i / rate)));
  }
  return samples;
}

double rateOf(std::uint8_t rateCode) { return 44100.0 / (1 << (3 - rateCode)); }

// The whole headless mix of a movie, interleaved stereo.
std::vector<std::int16_t> mix(const TagStream& tags, std::uint64_t frames, double frameRate = 10) {
  swftest::MovieOptions options = smallStage();
  options.frameRate = frameRate;
  const auto player = playerFor(tags, options);
  return player ? mixed(*player, frames) : std::vector<std::int16_t>();
}

// Rising zero crossings per second.
double pitch(const std::vector<std::int16_t>& samples) {
  int crossings = 0;
  for (std::size_t i = 1; i < samples.size(); ++i)
    crossings += samples[i - 1] < 0 && samples[i] >= 0;
  return crossings * 44100.0 / double(samples.size());
}

// Sound 1 in the given format, started in frame 1, then frames - 1 more empty frames.
TagStream startedSound(const SoundFormatSpec& format, std::uint32_t sampleCount,
                       const std::vector<std::uint8_t>& data, const SoundInfoSpec& info = {},
                       int frames = 10) {
  TagStream tags;
  tags.defineSound(1, format, sampleCount, data).startSound(1, info).showFrame();
  for (int i = 1; i < frames; ++i) tags.showFrame();
  return tags.end();
}

TEST(SoundPlay, LengthFollowsTheFrameClockExactly) {
  TagStream tags;
  tags.showFrame().showFrame().showFrame().end();
  EXPECT_EQ(mix(tags, 3, 24).size(), 2u * 5513) << "round(3 x 44100 / 24) sample frames";
  EXPECT_EQ(mix(tags, 7, 12).size(), 2u * 25725);
}

TEST(SoundPlay, ATonePlaysAtItsPitchAtEveryRateAndSize) {
  for (std::uint8_t rateCode = 0; rateCode < 4; ++rateCode) {
    for (bool sixteenBit : {false, true}) {
      const double rate = rateOf(rateCode);
      const auto frames = std::size_t(rate / 2);  // half a second
      const auto samples = tone(441, rate, frames, sixteenBit ? 20000 : 100 * 256);
      std::vector<std::uint8_t> data;
      if (sixteenBit) {
        data = pcm16(samples);
      } else {
        for (std::int16_t s : samples) data.push_back(std::uint8_t((s >> 8) + 128));
      }
      const SoundFormatSpec format{kPcmLittleEndian, rateCode, sixteenBit, false};
      const auto out = mix(startedSound(format, std::uint32_t(frames), data), 10);
      const auto sound = left(out, 0, 22050);
      SCOPED_TRACE(std::to_string(rate) + (sixteenBit ? " Hz 16-bit" : " Hz 8-bit"));
      EXPECT_NEAR(pitch(sound), 441, 441 * 0.01);
      EXPECT_GT(peak(sound), sixteenBit ? 19000 : 25000);
      EXPECT_EQ(peak(left(out, 22100)), 0) << "silent after its half second";
      EXPECT_EQ(out[1000], out[1001]) << "mono reaches both channels alike";
    }
  }
}

TEST(SoundPlay, EightBitSilenceIsTheMiddleValue) {
  const std::vector<std::uint8_t> data(4410, 128);
  const auto out = mix(startedSound({kPcmLittleEndian, 3, false, false}, 4410, data), 2);
  EXPECT_EQ(peak(out), 0);
}

TEST(SoundPlay, StereoKeepsItsChannelsApart) {
  std::vector<std::int16_t> samples;
  for (int i = 0; i < 4410; ++i) samples.insert(samples.end(), {1000, -2000});
  const auto out = mix(startedSound({kPcmLittleEndian, 3, true, true}, 4410, pcm16(samples)), 1);
  EXPECT_EQ(out[200], 1000);
  EXPECT_EQ(out[201], -2000);
}

TEST(SoundPlay, LoopsPlayTheSoundAgainAndInOutPointsCutIt) {
  const auto data = pcm16(std::vector<std::int16_t>(4410, 5000));  // a tenth of a second
  SoundInfoSpec loops;
  loops.loops = 3;
  auto out = left(mix(startedSound({}, 4410, data, loops), 10));
  EXPECT_EQ(out[13229], 5000);
  EXPECT_EQ(out[13230], 0) << "three tenths of a second";

  SoundInfoSpec cut;
  cut.inPoint = 1000;
  cut.outPoint = 3000;
  out = left(mix(startedSound({}, 4410, data, cut), 10));
  EXPECT_EQ(out[1999], 5000);
  EXPECT_EQ(out[2000], 0) << "in to out point";
}

TEST(SoundPlay, EnvelopeShapesTheLevelPerChannel) {
  const auto data = pcm16(std::vector<std::int16_t>(44100, 10000));
  SoundInfoSpec faded;
  faded.envelope = {{0, 32768, 0}, {44100, 0, 32768}};
  const auto out = mix(startedSound({}, 44100, data, faded), 10);
  EXPECT_NEAR(out[0], 10000, 1);
  EXPECT_EQ(out[1], 0);
  EXPECT_NEAR(out[2 * 22050], 5000, 2);
  EXPECT_NEAR(out[2 * 22050 + 1], 5000, 2);
}

TEST(SoundPlay, SyncStopEndsEveryInstanceAndNoMultipleSkipsAStart) {
  const auto data = pcm16(std::vector<std::int16_t>(44100, 3000));
  SoundInfoSpec noMultiple;
  noMultiple.syncNoMultiple = true;
  SoundInfoSpec stop;
  stop.syncStop = true;
  TagStream tags;
  tags.defineSound(1, {}, 44100, data).startSound(1).showFrame();
  tags.startSound(1).showFrame();              // a second instance: twice as loud
  tags.startSound(1, noMultiple).showFrame();  // skipped: it plays
  tags.startSound(1, stop).showFrame();
  tags.showFrame().end();
  const auto out = left(mix(tags, 5));
  EXPECT_EQ(out[100], 3000);
  EXPECT_EQ(out[4410 + 100], 6000);
  EXPECT_EQ(out[2 * 4410 + 100], 6000);
  EXPECT_EQ(out[3 * 4410], 0) << "stopped where the stop runs";
}

TEST(SoundPlay, LoudMixesClipInsteadOfWrapping) {
  const auto data = pcm16(std::vector<std::int16_t>(4410, 30000));
  TagStream tags;
  tags.defineSound(1, {}, 4410, data).startSound(1).startSound(1).showFrame().end();
  EXPECT_EQ(left(mix(tags, 1))[10], 32767);
}

TEST(SoundPlay, ALoopingTimelineStartsItsFirstFrameSoundAgainButOneFrameDoesNot) {
  const auto data = pcm16(std::vector<std::int16_t>(441, 4000));  // 10 ms
  TagStream looping;
  looping.defineSound(1, {}, 441, data).startSound(1).showFrame().showFrame().end();
  auto out = left(mix(looping, 4));
  EXPECT_EQ(out[2 * 4410 + 10], 4000) << "frame 1 again on the loop";
  EXPECT_EQ(out[4410 + 10], 0);

  TagStream single;
  single.defineSound(1, {}, 441, data).startSound(1).showFrame().end();
  out = left(mix(single, 3));
  EXPECT_EQ(out[10], 4000);
  EXPECT_EQ(out[4410 + 10], 0) << "a one-frame movie never replays its frame";
}

TEST(SoundPlay, SpritesStartSoundsAndStartSound2NamesTheClass) {
  const auto data = pcm16(std::vector<std::int16_t>(441, 4000));
  TagStream sprite;
  sprite.showFrame().startSound(1).showFrame().end();
  TagStream tags;
  tags.defineSound(1, {}, 441, data).defineSprite(2, sprite);
  swftest::Placement placement;
  placement.character = 2;
  placement.depth = 1;
  tags.placeObject(placement).showFrame().showFrame().showFrame().end();
  auto out = left(mix(tags, 3));
  EXPECT_EQ(out[4410 + 10], 4000) << "the sprite's second frame";

  TagStream named;
  named.defineSound(7, {}, 441, data).symbolClass(7, "Beep").startSound2("Beep").showFrame().end();
  EXPECT_EQ(left(mix(named, 1))[10], 4000);
}

// A stream whose block in frame f holds the constant level f × 1000 for one frame's time.
TagStream steppedStream(int frames) {
  TagStream tags;
  tags.soundStreamHead({}, 4410);
  for (int f = 0; f < frames; ++f) {
    tags.soundStreamBlock(pcm16(std::vector<std::int16_t>(4410, std::int16_t(f * 1000))));
    tags.showFrame();
  }
  return tags.end();
}

TEST(SoundPlay, TheStreamPacesTheRootOnlyWhereTheNextFrameHasABlock) {
  TagStream tags;
  tags.soundStreamHead({}, 4410);
  for (int f = 0; f < 3; ++f)
    tags.soundStreamBlock(pcm16(std::vector<std::int16_t>(4410))).showFrame();
  tags.showFrame().end();  // a fourth frame without a block
  swftest::MovieOptions options = smallStage();
  options.frameRate = 10;
  const auto player = playerFor(tags, options);
  ASSERT_TRUE(player);
  player->autoplay();
  std::vector<std::int16_t> out(2 * 2205);
  player->sounds().mixer().mix(out);
  EXPECT_EQ(streamPace(*player, 0, 5)->msToNext, 50) << "half of frame 1's wait is heard";
  EXPECT_EQ(streamPace(*player, 2205, 5)->msToNext, 100) << "queued samples are not heard";
  out.resize(2 * 6615);  // frame 2's block starts being heard
  player->sounds().mixer().mix(out);
  ASSERT_TRUE(streamPace(*player, 0, 5));
  EXPECT_EQ(streamPace(*player, 0, 5)->framesDue, 2) << "frame 3 has no block";
  EXPECT_EQ(streamPace(*player, 0, 1)->framesDue, 1);
  player->tick();
  player->tick();
  EXPECT_FALSE(streamPace(*player, 0, 5)) << "the frame clock paces the blockless frame";
  player->gotoFrame(0);
  player->stop();
  EXPECT_FALSE(streamPace(*player, 0, 5));
}

TEST(SoundPlay, AnMp3FramesSoundStartsItsSeekSamplesIntoItsBlock) {
  const AVCodec* encoder = avcodec_find_encoder(AV_CODEC_ID_MP3);
  if (!encoder) GTEST_SKIP() << "no MP3 encoder";
  const auto packets = encodeTone(encoder, 44100, 1, 440, 0.5);
  ASSERT_GE(packets.size(), 12u);
  SoundFormatSpec mp3;
  mp3.codec = 2;
  TagStream tags;
  tags.soundStreamHead(mp3, 4608);
  // Four MP3 frames (4608 samples) a block; the first seek is the encoder's delay.
  const std::int16_t seeks[3] = {1105, 200, -100};
  for (int f = 0; f < 3; ++f) {
    std::vector<std::uint8_t> block = {0x00, 0x12, std::uint8_t(std::uint16_t(seeks[f]) & 0xff),
                                       std::uint8_t(std::uint16_t(seeks[f]) >> 8)};
    for (int k = 0; k < 4; ++k) {
      const auto& packet = packets[std::size_t(4 * f + k)];
      block.insert(block.end(), packet.begin(), packet.end());
    }
    tags.soundStreamBlock(block).showFrame();
  }
  const auto player = playerFor(tags.end(), smallStage());
  ASSERT_TRUE(player);
  const StreamSound* stream = player->rootStream();
  ASSERT_TRUE(stream);
  EXPECT_EQ(stream->frameStarts[0], 1105u);
  EXPECT_EQ(stream->frameStarts[1], 4608u + 200);
  EXPECT_EQ(stream->frameStarts[2], 2 * 4608u - 100);
}

TEST(SoundPlay, StreamBlocksStartAtTheirFramesTimeWithoutGaps) {
  const auto out = left(mix(steppedStream(6), 6));
  for (int f = 1; f < 6; ++f) {
    EXPECT_EQ(out[std::size_t(f) * 4410], f * 1000) << "first sample of frame " << f;
    EXPECT_EQ(out[std::size_t(f) * 4410 + 4409], f * 1000) << "last sample of frame " << f;
  }
}

TEST(SoundPlay, SeekingStartsTheStreamAtTheFramesBlockAndStoppingEndsIt) {
  const auto player = playerFor(steppedStream(8));
  ASSERT_TRUE(player);
  std::vector<std::int16_t> block(200);
  player->play();
  player->gotoFrame(5);
  player->sounds().mixer().mix(block);
  EXPECT_EQ(block[0], 5000);
  player->stop();
  player->sounds().mixer().mix(block);
  EXPECT_EQ(block[0], 0) << "a stopped timeline's stream ends";
  player->play();
  player->tick();
  player->sounds().mixer().mix(block);
  EXPECT_EQ(block[0], 6000) << "playing on starts at the frame's block";
}

TEST(SoundPlay, AStoppedTimelineStaysSilentWhenSeekedOrStepped) {
  const auto player = playerFor(steppedStream(8));
  ASSERT_TRUE(player);
  std::vector<std::int16_t> block(200);
  player->gotoFrame(5);
  player->sounds().mixer().mix(block);
  EXPECT_EQ(block[0], 0);
  player->play();
  player->forward();
  player->sounds().mixer().mix(block);
  EXPECT_EQ(block[0], 0) << "a frame step stops the movie and its stream";
}

TEST(SoundPlay, TheFirstFramesBlockPlaysFromTheStart) {
  TagStream tags;
  tags.soundStreamHead({}, 4410)
      .soundStreamBlock(pcm16(std::vector<std::int16_t>(4410, 700)))
      .showFrame()
      .showFrame()
      .end();
  EXPECT_EQ(left(mix(tags, 2))[0], 700);
}

TEST(SoundPlay, HostileSoundsStaySilent) {
  // Claims a hundred hours.
  const auto data = pcm16(std::vector<std::int16_t>(100, 1000));
  auto out = mix(startedSound({}, 100u * 3600 * 44100, data), 2);
  EXPECT_EQ(peak(out), 0);
  // An unknown codec, a sound that is not there, and a stereo sound cut mid-frame.
  out = mix(startedSound({9, 3, true, false}, 100, data), 2);
  EXPECT_EQ(peak(out), 0);
  TagStream missing;
  missing.startSound(42).showFrame().end();
  EXPECT_EQ(peak(mix(missing, 2)), 0);
  const std::vector<std::uint8_t> odd{1, 2, 3};
  out = mix(startedSound({kPcmLittleEndian, 3, true, true}, 1, odd), 1);
  EXPECT_EQ(peak(out), 0);
}

}  // namespace
}  // namespace quelvo::swf
