#include "swf/video/VideoCodecDecoder.h"

#include <cstring>
#include <limits>

#include "swf/base/CodecLog.h"
#include "swf/base/Log.h"
#include "swf/video/VideoLimits.h"
#include "swf/video/VideoPicture.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

namespace quelvo::swf {

namespace {

AVCodecID codecId(VideoCodec codec) {
  switch (codec) {
    case VideoCodec::SorensonH263:
      return AV_CODEC_ID_FLV1;
    case VideoCodec::ScreenVideo:
      return AV_CODEC_ID_FLASHSV;
    case VideoCodec::Vp6:
      return AV_CODEC_ID_VP6F;
    case VideoCodec::Vp6Alpha:
      return AV_CODEC_ID_VP6A;
    case VideoCodec::ScreenVideo2:
      return AV_CODEC_ID_FLASHSV2;
  }
  return AV_CODEC_ID_NONE;
}

}  // namespace

std::unique_ptr<VideoCodecDecoder> VideoCodecDecoder::open(VideoCodec codec, QSize size) {
  const AVCodec* decoder = avcodec_find_decoder(codecId(codec));
  if (!decoder) {
    qCDebug(lcSwf) << "no decoder for video codec" << static_cast<int>(codec);
    return nullptr;
  }
  routeCodecLog();
  AVCodecContext* context = avcodec_alloc_context3(decoder);
  if (!context) return nullptr;
  context->width = size.width();
  context->height = size.height();
  context->thread_count = 1;
  context->max_pixels = kMaxVideoPixels;
  if (avcodec_open2(context, decoder, nullptr) < 0) {
    qCDebug(lcSwf) << "video decoder" << decoder->name << "does not open";
    avcodec_free_context(&context);
    return nullptr;
  }
  return std::unique_ptr<VideoCodecDecoder>(new VideoCodecDecoder(context, size));
}

VideoCodecDecoder::VideoCodecDecoder(AVCodecContext* context, QSize size)
    : context_(context), packet_(av_packet_alloc()), frame_(av_frame_alloc()), size_(size) {}

VideoCodecDecoder::~VideoCodecDecoder() {
  av_frame_free(&frame_);
  av_packet_free(&packet_);
  avcodec_free_context(&context_);
}

QImage VideoCodecDecoder::decode(std::span<const std::uint8_t> data, bool keyframe) {
  if (!packet_ || !frame_ || data.empty() ||
      data.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    return {};
  }
  // av_new_packet zeroes the padding the decoders may read past the data.
  if (av_new_packet(packet_, static_cast<int>(data.size())) < 0) return {};
  std::memcpy(packet_->data, data.data(), data.size());
  if (keyframe) packet_->flags |= AV_PKT_FLAG_KEY;
  const int sent = avcodec_send_packet(context_, packet_);
  av_packet_unref(packet_);
  if (sent < 0) return {};
  QImage picture;
  while (avcodec_receive_frame(context_, frame_) == 0) {
    picture = videoPicture(*frame_, size_);
    av_frame_unref(frame_);
  }
  return picture;
}

void VideoCodecDecoder::restart() { avcodec_flush_buffers(context_); }

}  // namespace quelvo::swf
