#pragma once

#include <QImage>
#include <QSize>
#include <cstdint>
#include <memory>
#include <span>

#include "swf/format/Video.h"

struct AVCodecContext;
struct AVFrame;
struct AVPacket;

namespace quelvo::swf {

// One libavcodec decoder fed a stream's frames in order. The decoder keeps
// the reference pictures between frames; restart() drops them before
// decoding again from a key frame. Single-threaded, and refuses pictures
// past the video limits.
class VideoCodecDecoder {
 public:
  // A decoder for codec whose pictures are shown at size (VP6 takes the
  // visible part of its whole macroblocks from it); nullptr, logged, when
  // libavcodec has none or it does not open.
  static std::unique_ptr<VideoCodecDecoder> open(VideoCodec codec, QSize size);
  ~VideoCodecDecoder();
  VideoCodecDecoder(const VideoCodecDecoder&) = delete;
  VideoCodecDecoder& operator=(const VideoCodecDecoder&) = delete;

  // The picture of one frame's codec data; a null image when it does not decode.
  QImage decode(std::span<const std::uint8_t> data, bool keyframe);
  void restart();

 private:
  VideoCodecDecoder(AVCodecContext* context, QSize size);

  AVCodecContext* context_;
  AVPacket* packet_;
  AVFrame* frame_;
  QSize size_;
};

}  // namespace quelvo::swf
