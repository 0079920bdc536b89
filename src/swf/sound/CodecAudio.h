#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "swf/base/Expected.h"
#include "swf/format/SoundFormat.h"
#include "swf/sound/DecodedSound.h"

struct AVCodecContext;
struct AVCodecParserContext;
struct AVFrame;
struct AVPacket;

namespace quelvo::swf {

// Decodes MP3, Nellymoser or Speex sound data with libavcodec into 16-bit samples interleaved by
// channel. Packets go through one decoder in order, so an MP3 frame may straddle two of them.
class CodecAudio {
 public:
  // An Error when the format's codec is none of these or libavcodec lacks its decoder.
  static Expected<std::unique_ptr<CodecAudio>> open(const SoundFormat& format);
  ~CodecAudio();
  CodecAudio(const CodecAudio&) = delete;
  CodecAudio& operator=(const CodecAudio&) = delete;

  // Decodes one packet, appending to out while it holds fewer than maxFrames frames. Damaged
  // data is skipped. Returns false when it stopped at maxFrames with data left.
  bool decode(std::span<const std::uint8_t> packet, std::size_t maxFrames,
              std::vector<std::int16_t>& out);
  // Decodes what the decoder still holds once all packets are in; same result as decode().
  bool finish(std::size_t maxFrames, std::vector<std::int16_t>& out);

  // The output's layout: set by the first decoded frame (MP3 frames carry their own), taken
  // from the format until then. Later frames of another layout are fitted to it.
  int channels() const { return channels_; }
  double sampleRate() const { return sampleRate_; }

 private:
  CodecAudio(const SoundFormat& format, AVCodecContext* context, AVCodecParserContext* parser);
  bool parseAndDecode(std::span<const std::uint8_t> bytes, std::size_t maxFrames,
                      std::vector<std::int16_t>& out);
  bool decodeInChunks(std::span<const std::uint8_t> bytes, std::size_t chunkBytes,
                      std::size_t maxFrames, std::vector<std::int16_t>& out);
  bool send(const std::uint8_t* data, std::size_t size, std::size_t maxFrames,
            std::vector<std::int16_t>& out);
  bool receiveFrames(std::size_t maxFrames, std::vector<std::int16_t>& out);
  bool appendFrame(std::size_t maxFrames, std::vector<std::int16_t>& out);

  AVCodecContext* context_ = nullptr;
  AVCodecParserContext* parser_ = nullptr;  // MP3 only: splits raw bytes into frames
  AVPacket* packet_ = nullptr;
  AVFrame* frame_ = nullptr;
  std::size_t blockBytes_ = 1;                     // Nellymoser decodes whole 64-byte blocks only
  std::size_t chunkBytes_ = std::size_t{1} << 20;  // the most bytes libavcodec gets at once
  std::vector<std::uint8_t> padded_;
  bool layoutFixed_ = false;
  int channels_ = 1;
  double sampleRate_ = 44100;
};

}  // namespace quelvo::swf
