#include "swf/sound/CodecAudio.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/log.h>
#include <libavutil/samplefmt.h>
}

#include <algorithm>
#include <cmath>
#include <string>

#include "swf/base/CodecLog.h"
#include "swf/base/Log.h"

namespace quelvo::swf {
namespace {

constexpr std::size_t kNellymoserBlockBytes = 64;
// Nellymoser decodes a whole packet into one frame: bound its size.
constexpr std::size_t kNellymoserChunkBytes = 64 * kNellymoserBlockBytes;
// Parser calls that consume nothing, or decode failures, in a row before the data is given up.
constexpr int kMaxStalls = 16;

AVCodecID codecId(SoundCodec codec) {
  switch (codec) {
    case SoundCodec::Mp3:
      return AV_CODEC_ID_MP3;
    case SoundCodec::Nellymoser16k:
    case SoundCodec::Nellymoser8k:
    case SoundCodec::Nellymoser:
      return AV_CODEC_ID_NELLYMOSER;
    case SoundCodec::Speex:
      return AV_CODEC_ID_SPEEX;
    default:
      return AV_CODEC_ID_NONE;
  }
}

std::int16_t clipToInt16(double value) {
  if (std::isnan(value)) return 0;
  return std::int16_t(std::lrint(std::clamp(value * 32768.0, -32768.0, 32767.0)));
}

// Sample `index` of `channel` in a frame of 16-bit or float samples, packed or planar: the
// formats these codecs decode to.
std::int16_t sampleAt(const AVFrame& frame, bool isFloat, bool planar, int channel,
                      std::size_t index) {
  const std::uint8_t* plane = frame.extended_data[planar ? channel : 0];
  const std::size_t position =
      planar ? index : index * std::size_t(frame.ch_layout.nb_channels) + std::size_t(channel);
  if (isFloat) return clipToInt16(reinterpret_cast<const float*>(plane)[position]);
  return reinterpret_cast<const std::int16_t*>(plane)[position];
}

std::string errorText(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

}  // namespace

Expected<std::unique_ptr<CodecAudio>> CodecAudio::open(const SoundFormat& format) {
  const auto codec = static_cast<SoundCodec>(format.codec);
  const AVCodecID id = codecId(codec);
  // Speex: libspeex decodes every frame of a packet, libavcodec's own decoder only the first
  // when there is no stream header, as in SWF data.
  const AVCodec* decoder =
      id == AV_CODEC_ID_SPEEX ? avcodec_find_decoder_by_name("libspeex") : nullptr;
  if (!decoder && id != AV_CODEC_ID_NONE) decoder = avcodec_find_decoder(id);
  if (!decoder) {
    return Error{"sound codec " + std::to_string(format.codec) + " has no decoder"};
  }
  routeCodecLog();
  AVCodecContext* context = avcodec_alloc_context3(decoder);
  if (!context) return Error{"sound decoder: out of memory"};
  // Complaints about damaged data are logged as warnings, which go to debug output.
  context->log_level_offset = AV_LOG_WARNING - AV_LOG_ERROR;
  const bool mp3 = codec == SoundCodec::Mp3;
  context->sample_rate = int(format.sampleRate());
  av_channel_layout_default(&context->ch_layout, mp3 && format.stereo ? 2 : 1);
  AVCodecParserContext* parser = mp3 ? av_parser_init(AV_CODEC_ID_MP3) : nullptr;
  const int opened = avcodec_open2(context, decoder, nullptr);
  if (opened < 0 || (mp3 && !parser)) {
    av_parser_close(parser);
    avcodec_free_context(&context);
    return Error{"sound decoder " + std::string(decoder->name) +
                 " failed to open: " + errorText(opened)};
  }
  std::unique_ptr<CodecAudio> audio(new CodecAudio(format, context, parser));
  if (!audio->packet_ || !audio->frame_) return Error{"sound decoder: out of memory"};
  return audio;
}

CodecAudio::CodecAudio(const SoundFormat& format, AVCodecContext* context,
                       AVCodecParserContext* parser)
    : context_(context),
      parser_(parser),
      packet_(av_packet_alloc()),
      frame_(av_frame_alloc()),
      channels_(context->ch_layout.nb_channels),
      sampleRate_(format.sampleRate()) {
  const auto codec = static_cast<SoundCodec>(format.codec);
  if (codec == SoundCodec::Nellymoser16k || codec == SoundCodec::Nellymoser8k ||
      codec == SoundCodec::Nellymoser) {
    blockBytes_ = kNellymoserBlockBytes;
    chunkBytes_ = kNellymoserChunkBytes;
  }
}

CodecAudio::~CodecAudio() {
  av_frame_free(&frame_);
  av_packet_free(&packet_);
  av_parser_close(parser_);
  avcodec_free_context(&context_);
}

bool CodecAudio::decode(std::span<const std::uint8_t> packet, std::size_t maxFrames,
                        std::vector<std::int16_t>& out) {
  if (parser_) return parseAndDecode(packet, maxFrames, out);

  const std::size_t usable = packet.size() - packet.size() % blockBytes_;
  if (usable != packet.size()) {
    qCDebug(lcSwf) << "Nellymoser packet of" << packet.size() << "bytes ends in a partial block";
  }
  for (std::size_t offset = 0; offset < usable; offset += chunkBytes_) {
    const std::size_t size = std::min(chunkBytes_, usable - offset);
    if (!send(packet.data() + offset, size, maxFrames, out)) return false;
  }
  return true;
}

bool CodecAudio::parseAndDecode(std::span<const std::uint8_t> bytes, std::size_t maxFrames,
                                std::vector<std::int16_t>& out) {
  // The parser may read a little past the end of its input.
  padded_.assign(bytes.begin(), bytes.end());
  padded_.resize(bytes.size() + AV_INPUT_BUFFER_PADDING_SIZE, 0);
  const std::uint8_t* data = padded_.data();
  std::size_t left = bytes.size();
  int stalls = 0;
  while (left > 0) {
    std::uint8_t* frameData = nullptr;
    int frameSize = 0;
    const int used =
        av_parser_parse2(parser_, context_, &frameData, &frameSize, data,
                         int(std::min(left, chunkBytes_)), AV_NOPTS_VALUE, AV_NOPTS_VALUE, 0);
    if (used < 0) break;
    stalls = used > 0 ? 0 : stalls + 1;
    if (stalls > kMaxStalls) {
      qCDebug(lcSwf) << "MP3 parser stalled with" << left << "bytes left";
      break;
    }
    data += used;
    left -= std::min(left, std::size_t(used));
    if (frameSize > 0 && !send(frameData, std::size_t(frameSize), maxFrames, out)) return false;
  }
  return true;
}

bool CodecAudio::finish(std::size_t maxFrames, std::vector<std::int16_t>& out) {
  if (parser_) {
    std::uint8_t* frameData = nullptr;
    int frameSize = 0;
    av_parser_parse2(parser_, context_, &frameData, &frameSize, nullptr, 0, AV_NOPTS_VALUE,
                     AV_NOPTS_VALUE, 0);
    if (frameSize > 0 && !send(frameData, std::size_t(frameSize), maxFrames, out)) return false;
  }
  if (avcodec_send_packet(context_, nullptr) < 0) return true;
  return receiveFrames(maxFrames, out);
}

bool CodecAudio::send(const std::uint8_t* data, std::size_t size, std::size_t maxFrames,
                      std::vector<std::int16_t>& out) {
  if (out.size() / std::size_t(channels_) >= maxFrames) return false;
  // Not reference counted, so libavcodec copies the bytes into a padded buffer of its own.
  packet_->data = const_cast<std::uint8_t*>(data);
  packet_->size = int(size);
  const int sent = avcodec_send_packet(context_, packet_);
  av_packet_unref(packet_);
  if (sent < 0) {
    qCDebug(lcSwf) << "sound decoder" << context_->codec->name << "refused a packet of" << size
                   << "bytes:" << errorText(sent).c_str();
  }
  return receiveFrames(maxFrames, out);
}

bool CodecAudio::receiveFrames(std::size_t maxFrames, std::vector<std::int16_t>& out) {
  for (int failures = 0;;) {
    const int received = avcodec_receive_frame(context_, frame_);
    if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return true;
    if (received < 0) {
      // Damaged data: libavcodec drops the packet; a decoder that keeps failing is reset.
      if (++failures > kMaxStalls) {
        qCDebug(lcSwf) << "sound decoder" << context_->codec->name
                       << "keeps failing:" << errorText(received).c_str();
        avcodec_flush_buffers(context_);
        return true;
      }
      continue;
    }
    failures = 0;
    const bool fitted = appendFrame(maxFrames, out);
    av_frame_unref(frame_);
    if (!fitted) return false;
  }
}

bool CodecAudio::appendFrame(std::size_t maxFrames, std::vector<std::int16_t>& out) {
  const int frameChannels = frame_->ch_layout.nb_channels;
  const auto format = AVSampleFormat(frame_->format);
  const auto packedFormat = av_get_packed_sample_fmt(format);
  if (frameChannels <= 0 || frame_->nb_samples <= 0 || !frame_->extended_data) return true;
  if (packedFormat != AV_SAMPLE_FMT_S16 && packedFormat != AV_SAMPLE_FMT_FLT) {
    qCDebug(lcSwf) << "sound decoder gave unexpected sample format" << frame_->format;
    return true;
  }
  if (!layoutFixed_) {
    layoutFixed_ = true;
    channels_ = std::min(frameChannels, 2);
    if (parser_ && frame_->sample_rate > 0) sampleRate_ = frame_->sample_rate;
  }

  const bool isFloat = packedFormat == AV_SAMPLE_FMT_FLT;
  const bool planar = av_sample_fmt_is_planar(format);
  const std::size_t held = out.size() / std::size_t(channels_);
  const std::size_t room = maxFrames > held ? maxFrames - held : 0;
  const std::size_t frames = std::size_t(frame_->nb_samples);
  const std::size_t taken = std::min(frames, room);
  for (std::size_t index = 0; index < taken; ++index) {
    for (int channel = 0; channel < channels_; ++channel) {
      const int source = std::min(channel, frameChannels - 1);
      out.push_back(sampleAt(*frame_, isFloat, planar, source, index));
    }
  }
  return taken == frames;
}

}  // namespace quelvo::swf
