#include <gtest/gtest.h>

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <algorithm>
#include <cstdint>
#include <random>
#include <span>
#include <vector>

#include "swf/sound/SoundDecoder.h"

namespace quelvo::swf {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Samples = std::vector<std::int16_t>;

SoundFormat formatOf(SoundCodec codec, bool stereo, bool sixteenBit = true) {
  SoundFormat format;
  format.codec = std::uint8_t(codec);
  format.rateCode = 2;
  format.sixteenBit = sixteenBit;
  format.stereo = stereo;
  return format;
}

DecodedSound decode(const SoundFormat& format, const std::vector<Bytes>& packets,
                    std::size_t maxFrames = 1'000'000) {
  std::vector<std::span<const std::uint8_t>> spans(packets.begin(), packets.end());
  auto sound = decodeSound(format, spans, maxFrames);
  EXPECT_TRUE(sound) << sound.error().describe();
  return sound ? *sound : DecodedSound{};
}

// ADPCM data of random codes and headers: every bit pattern is valid, and the predictor and
// step index wander over their whole ranges, clamping included.
Bytes randomAdpcm(unsigned codeBits, std::size_t bytes, unsigned seed) {
  std::mt19937 random(seed);
  Bytes data(bytes);
  for (auto& byte : data) byte = std::uint8_t(random());
  data[0] = std::uint8_t((data[0] & 0x3F) | ((codeBits - 2) << 6));
  return data;
}

// libavcodec's decode of one ADPCM block.
Samples referenceAdpcm(const Bytes& block, bool stereo) {
  const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_ADPCM_SWF);
  if (!codec) return {};
  AVCodecContext* context = avcodec_alloc_context3(codec);
  context->sample_rate = 22050;
  av_channel_layout_default(&context->ch_layout, stereo ? 2 : 1);
  Samples samples;
  AVPacket* packet = av_packet_alloc();
  AVFrame* frame = av_frame_alloc();
  if (avcodec_open2(context, codec, nullptr) == 0) {
    EXPECT_EQ(context->sample_fmt, AV_SAMPLE_FMT_S16);
    packet->data = const_cast<std::uint8_t*>(block.data());
    packet->size = int(block.size());
    avcodec_send_packet(context, packet);
    while (avcodec_receive_frame(context, frame) == 0) {
      const auto* data = reinterpret_cast<const std::int16_t*>(frame->data[0]);
      samples.insert(samples.end(), data, data + frame->nb_samples * (stereo ? 2 : 1));
      av_frame_unref(frame);
    }
  }
  av_frame_free(&frame);
  av_packet_free(&packet);
  avcodec_free_context(&context);
  return samples;
}

TEST(SoundDecodeTest, PcmBecomesSigned16BitWith128AsSilence) {
  const auto eightBit =
      decode(formatOf(SoundCodec::PcmLittleEndian, false, false), {{128, 255, 0, 129}});
  EXPECT_EQ(eightBit.samples, (Samples{0, 32512, -32768, 256}));
  EXPECT_EQ(eightBit.channels, 1);
  EXPECT_DOUBLE_EQ(eightBit.sampleRate, 22050);

  // Codec 0 ("native endian") reads little-endian like codec 3.
  for (const auto codec : {SoundCodec::PcmNativeEndian, SoundCodec::PcmLittleEndian}) {
    const auto sixteenBit =
        decode(formatOf(codec, true), {{0x34, 0x12, 0xFF, 0xFF, 0x00, 0x80, 0xFF, 0x7F}});
    EXPECT_EQ(sixteenBit.samples, (Samples{0x1234, -1, -32768, 32767}));
    EXPECT_EQ(sixteenBit.channels, 2);
    EXPECT_EQ(sixteenBit.frames(), 2u);
  }
}

TEST(SoundDecodeTest, PcmDropsPartialFramesAndStopsAtMaxFrames) {
  // 16-bit stereo: 7 bytes are one frame and three stray bytes.
  const auto partial = decode(formatOf(SoundCodec::PcmLittleEndian, true), {{1, 0, 2, 0, 3, 0, 4}});
  EXPECT_EQ(partial.samples, (Samples{1, 2}));
  const auto eightBitStereo =
      decode(formatOf(SoundCodec::PcmLittleEndian, true, false), {{128, 129, 130}});
  EXPECT_EQ(eightBitStereo.samples, (Samples{0, 256}));

  // Stream blocks: each packet starts where the previous one's output ended.
  const auto capped = decode(formatOf(SoundCodec::PcmLittleEndian, false, false),
                             {{128, 128, 128}, {}, {129, 129}, {130}}, 4);
  EXPECT_EQ(capped.frames(), 4u);
  EXPECT_EQ(capped.packetStarts, (std::vector<std::size_t>{0, 3, 3, 4}));
}

TEST(SoundDecodeTest, AdpcmMatchesReferenceForEveryCodeSize) {
  if (!avcodec_find_decoder(AV_CODEC_ID_ADPCM_SWF)) GTEST_SKIP() << "no reference decoder";
  for (const bool stereo : {false, true}) {
    for (unsigned codeBits = 2; codeBits <= 5; ++codeBits) {
      // Two whole 4096-frame packets and part of a third.
      const std::size_t channels = stereo ? 2 : 1;
      const std::size_t packetBits = channels * (22 + 4095 * codeBits);
      const std::size_t bytes = (2 + packetBits * 2 + channels * (22 + 700 * codeBits)) / 8;
      const Bytes block = randomAdpcm(codeBits, bytes, codeBits * 10 + channels);
      const Samples expected = referenceAdpcm(block, stereo);
      ASSERT_GT(expected.size(), 8192 * channels) << codeBits;

      const auto sound = decode(formatOf(SoundCodec::Adpcm, stereo), {block});
      EXPECT_EQ(sound.channels, int(channels));
      EXPECT_EQ(sound.samples, expected) << "code size " << codeBits << " stereo " << stereo;
    }
  }
}

TEST(SoundDecodeTest, AdpcmStreamBlocksDecodeIndependently) {
  if (!avcodec_find_decoder(AV_CODEC_ID_ADPCM_SWF)) GTEST_SKIP() << "no reference decoder";
  const std::vector<Bytes> blocks{randomAdpcm(4, 1200, 1), randomAdpcm(2, 300, 2),
                                  randomAdpcm(5, 2500, 3)};
  Samples expected;
  std::vector<std::size_t> starts;
  for (const auto& block : blocks) {
    starts.push_back(expected.size() / 2);
    const Samples part = referenceAdpcm(block, true);
    expected.insert(expected.end(), part.begin(), part.end());
  }
  const auto sound = decode(formatOf(SoundCodec::Adpcm, true), blocks);
  EXPECT_EQ(sound.samples, expected);
  EXPECT_EQ(sound.packetStarts, starts);
}

TEST(SoundDecodeTest, CutAdpcmBlockKeepsItsCompleteFrames) {
  const Bytes whole = randomAdpcm(3, 4000, 7);
  const auto full = decode(formatOf(SoundCodec::Adpcm, true), {whole});
  for (const std::size_t size : {std::size_t{1}, std::size_t{5}, std::size_t{6}, std::size_t{1601},
                                 std::size_t{3077}, std::size_t{3078}}) {
    const Bytes cut(whole.begin(), whole.begin() + std::ptrdiff_t(size));
    const auto sound = decode(formatOf(SoundCodec::Adpcm, true), {cut});
    // Every frame whose bits are all present: 44 header bits, then 6 bits a frame.
    const std::size_t bits = size * 8 - 2;
    const std::size_t packetBits = 44 + 4095 * 6;
    const std::size_t tail = bits % packetBits;
    const std::size_t expectedFrames =
        bits / packetBits * 4096 + (tail >= 44 ? 1 + (tail - 44) / 6 : 0);
    ASSERT_EQ(sound.frames(), expectedFrames) << size;
    EXPECT_TRUE(std::equal(sound.samples.begin(), sound.samples.end(), full.samples.begin()))
        << size;
    if (avcodec_find_decoder(AV_CODEC_ID_ADPCM_SWF)) {
      EXPECT_EQ(sound.samples, referenceAdpcm(cut, true)) << size;
    }
  }
}

TEST(SoundDecodeTest, AdpcmStopsAtMaxFrames) {
  const std::vector<Bytes> blocks{randomAdpcm(4, 3000, 4), randomAdpcm(4, 3000, 5)};
  const auto full = decode(formatOf(SoundCodec::Adpcm, false), blocks);
  const auto capped = decode(formatOf(SoundCodec::Adpcm, false), blocks, 5000);
  ASSERT_EQ(capped.frames(), 5000u);
  EXPECT_TRUE(std::equal(capped.samples.begin(), capped.samples.end(), full.samples.begin()));
  EXPECT_EQ(capped.packetStarts, (std::vector<std::size_t>{0, 5000}));
  EXPECT_EQ(decode(formatOf(SoundCodec::Adpcm, false), blocks, 0).frames(), 0u);
}

TEST(SoundDecodeTest, UnknownCodecsAreErrors) {
  const Bytes data(64, 0x55);
  const std::vector<std::span<const std::uint8_t>> packets{data};
  for (const std::uint8_t codec : {7, 8, 9, 10, 12, 15}) {
    SoundFormat format;
    format.codec = codec;
    EXPECT_FALSE(decodeSound(format, packets, 1000)) << int(codec);
  }
}

TEST(SoundDecodeTest, GarbageForCompressedCodecsStaysBounded) {
  std::mt19937 random(99);
  std::vector<Bytes> packets;
  for (std::size_t size : {0, 1, 3, 64, 100, 417, 5000, 20000}) {
    Bytes packet(size);
    for (auto& byte : packet) byte = std::uint8_t(random());
    packets.push_back(packet);
  }
  // An MP3 frame header (MPEG-1 layer III, 128 kbit/s, 44.1 kHz) followed by noise.
  packets.push_back({0xFF, 0xFB, 0x90, 0x64});
  packets.back().resize(3000, 0xA5);

  for (const auto codec : {SoundCodec::Mp3, SoundCodec::Nellymoser16k, SoundCodec::Nellymoser8k,
                           SoundCodec::Nellymoser, SoundCodec::Speex}) {
    for (const std::size_t maxFrames :
         {std::size_t{0}, std::size_t{1000}, std::size_t{1'000'000}}) {
      const auto sound = decode(formatOf(codec, true), packets, maxFrames);
      EXPECT_LE(sound.frames(), maxFrames) << int(codec);
      EXPECT_GE(sound.channels, 1);
      EXPECT_LE(sound.channels, 2);
      ASSERT_EQ(sound.packetStarts.size(), packets.size());
      EXPECT_TRUE(std::is_sorted(sound.packetStarts.begin(), sound.packetStarts.end()));
      EXPECT_LE(sound.packetStarts.back(), sound.frames());
    }
  }
}

}  // namespace
}  // namespace quelvo::swf
