#include <gtest/gtest.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/dict.h>
}

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include "support/ToneEncoder.h"
#include "swf/sound/SoundDecoder.h"

namespace quelvo::swf {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Packets of `bytesPerPacket` bytes cut from the joined encoder output, so that codec frames
// straddle packets.
std::vector<Bytes> regroup(const std::vector<Bytes>& packets, std::size_t bytesPerPacket) {
  Bytes joined;
  for (const auto& packet : packets) joined.insert(joined.end(), packet.begin(), packet.end());
  std::vector<Bytes> groups;
  for (std::size_t offset = 0; offset < joined.size(); offset += bytesPerPacket) {
    const auto end =
        joined.begin() + std::ptrdiff_t(std::min(joined.size(), offset + bytesPerPacket));
    groups.emplace_back(joined.begin() + std::ptrdiff_t(offset), end);
  }
  return groups;
}

Expected<DecodedSound> decode(std::uint8_t codec, std::uint8_t rateCode, bool stereo,
                              const std::vector<Bytes>& packets,
                              std::size_t maxFrames = 10'000'000) {
  SoundFormat format;
  format.codec = codec;
  format.rateCode = rateCode;
  format.stereo = stereo;
  std::vector<std::span<const std::uint8_t>> spans(packets.begin(), packets.end());
  return decodeSound(format, spans, maxFrames);
}

// The frequency of the first channel from its zero crossings between 0.1 s and 0.8 s, away from
// the codec's start-up and the encoder's padding at the end.
double pitchOf(const DecodedSound& sound) {
  const auto from = std::size_t(sound.sampleRate * 0.1);
  const auto to = std::min(sound.frames(), std::size_t(sound.sampleRate * 0.8));
  std::size_t crossings = 0;
  std::size_t first = 0;
  std::size_t last = 0;
  for (std::size_t frame = from + 1; frame < to; ++frame) {
    const auto previous = sound.samples[(frame - 1) * std::size_t(sound.channels)];
    const auto current = sound.samples[frame * std::size_t(sound.channels)];
    if ((previous < 0) != (current < 0)) {
      if (crossings++ == 0) first = frame;
      last = frame;
    }
  }
  if (crossings < 3) return 0;
  return double(crossings - 1) / 2 / (double(last - first) / sound.sampleRate);
}

TEST(SoundCodecTest, Mp3DecodesAcrossPacketsAtTheRateOfItsFrames) {
  const AVCodec* encoder = avcodec_find_encoder(AV_CODEC_ID_MP3);
  if (!encoder) GTEST_SKIP() << "no MP3 encoder";
  struct Case {
    int rate;
    int channels;
    std::uint8_t rateCode;
    bool stereoFlag;
  };
  // The format's rate and channel flags are wrong on purpose: the frames decide.
  for (const Case c : {Case{22050, 1, 3, true}, Case{44100, 2, 1, false}}) {
    const auto frames = encodeTone(encoder, c.rate, c.channels, 440, 1.0);
    const auto packets = regroup(frames, 1000);
    ASSERT_GT(packets.size(), 3u);
    const auto sound = decode(2, c.rateCode, c.stereoFlag, packets);
    ASSERT_TRUE(sound) << sound.error().describe();
    EXPECT_EQ(sound->channels, c.channels);
    EXPECT_DOUBLE_EQ(sound->sampleRate, c.rate);
    EXPECT_GE(sound->frames(), std::size_t(c.rate));
    EXPECT_LE(sound->frames(), std::size_t(c.rate * 1.15));
    EXPECT_NEAR(pitchOf(*sound), 440, 440 * 0.02) << c.rate;

    ASSERT_EQ(sound->packetStarts.size(), packets.size());
    EXPECT_EQ(sound->packetStarts.front(), 0u);
    EXPECT_TRUE(std::is_sorted(sound->packetStarts.begin(), sound->packetStarts.end()));
    EXPECT_GT(sound->packetStarts.back(), sound->frames() * 3 / 4);

    // One whole MP3 frame a packet: each starts where the previous frame's samples end.
    const auto framed = decode(2, c.rateCode, c.stereoFlag, frames);
    ASSERT_TRUE(framed);
    const std::size_t samplesPerFrame = c.rate >= 32000 ? 1152 : 576;
    for (std::size_t index = 0; index < frames.size(); ++index) {
      ASSERT_EQ(framed->packetStarts[index], index * samplesPerFrame) << index;
    }

    const auto capped = decode(2, c.rateCode, c.stereoFlag, packets, 3000);
    ASSERT_TRUE(capped);
    EXPECT_EQ(capped->frames(), 3000u);
    EXPECT_TRUE(std::equal(capped->samples.begin(), capped->samples.end(), sound->samples.begin()));
  }
}

TEST(SoundCodecTest, NellymoserDecodesEachRateVariant) {
  const AVCodec* encoder = avcodec_find_encoder(AV_CODEC_ID_NELLYMOSER);
  if (!encoder) GTEST_SKIP() << "no Nellymoser encoder";
  struct Case {
    std::uint8_t codec;
    std::uint8_t rateCode;
    int rate;
  };
  for (const Case c : {Case{4, 0, 16000}, Case{5, 3, 8000}, Case{6, 2, 22050}}) {
    const auto blocks = encodeTone(encoder, c.rate, 1, 440, 1.0);
    ASSERT_FALSE(blocks.empty());
    ASSERT_EQ(blocks.front().size(), 64u);
    // Several blocks a packet, as in stream blocks; the last packet ends in a partial block.
    auto packets = regroup(blocks, 64 * 5);
    packets.back().push_back(0x42);
    const auto sound = decode(c.codec, c.rateCode, false, packets);
    ASSERT_TRUE(sound) << sound.error().describe();
    EXPECT_EQ(sound->channels, 1);
    EXPECT_DOUBLE_EQ(sound->sampleRate, c.rate);
    EXPECT_EQ(sound->frames(), blocks.size() * 256);
    EXPECT_NEAR(pitchOf(*sound), 440, 440 * 0.02) << int(c.codec);
    ASSERT_EQ(sound->packetStarts.size(), packets.size());
    EXPECT_EQ(sound->packetStarts[1], 5u * 256);
  }
}

TEST(SoundCodecTest, SpeexDecodesWidebandFramesAt16k) {
  const AVCodec* encoder = avcodec_find_encoder(AV_CODEC_ID_SPEEX);
  if (!encoder) GTEST_SKIP() << "no Speex encoder";
  // Packets of one and of four 20 ms frames, without a stream header.
  for (const int framesPerPacket : {1, 4}) {
    AVDictionary* options = nullptr;
    av_dict_set_int(&options, "frames_per_packet", framesPerPacket, 0);
    const auto packets = encodeTone(encoder, 16000, 1, 440, 1.0, options);
    ASSERT_GT(packets.size(), 10u);
    const auto sound = decode(11, 3, false, packets);
    ASSERT_TRUE(sound) << sound.error().describe();
    EXPECT_EQ(sound->channels, 1);
    EXPECT_DOUBLE_EQ(sound->sampleRate, 16000);
    EXPECT_EQ(sound->frames(), 16000u) << framesPerPacket;  // one second: 50 whole frames
    // libspeex hands out a packet's later frames while taking the next packet, so a start may
    // lag by up to the packet's frames but one.
    const std::size_t framesBefore = 320u * std::size_t(framesPerPacket);
    for (std::size_t index = 0; index < packets.size(); ++index) {
      EXPECT_LE(sound->packetStarts[index], index * framesBefore);
      EXPECT_GE(sound->packetStarts[index] + framesBefore - 320, index * framesBefore);
    }
    EXPECT_NEAR(pitchOf(*sound), 440, 440 * 0.02);
  }
}

}  // namespace
}  // namespace quelvo::swf
