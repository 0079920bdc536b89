#include "swf/video/VideoCharacter.h"

#include <algorithm>

#include "swf/base/Log.h"
#include "swf/video/VideoFrameHeader.h"
#include "swf/video/VideoLimits.h"

namespace quelvo::swf {

namespace {

constexpr std::int32_t kTwipsPerPixel = 20;

Shape filledRectangle(std::uint16_t id, const Rect& rect) {
  Shape shape;
  shape.id = id;
  shape.bounds = shape.edgeBounds = rect;
  ShapeLayer layer;
  layer.fills.push_back(FillStyle{});
  addRectangle(layer, rect, 1, 0);
  shape.layers.push_back(std::move(layer));
  return shape;
}

}  // namespace

VideoCharacter::VideoCharacter(const VideoStream& stream, std::span<const VideoFrame> frames)
    : stream_(stream),
      area_(filledRectangle(
          stream.id, Rect{0, stream.width * kTwipsPerPixel, 0, stream.height * kTwipsPerPixel})) {
  if (!videoSizeAllowed(stream.width, stream.height)) {
    qCDebug(lcSwf) << "video stream" << stream.id << "of" << stream.width << "x" << stream.height
                   << "pixels refused";
    refused_ = true;
    return;
  }
  index(frames);
}

void VideoCharacter::index(std::span<const VideoFrame> frames) {
  std::vector<VideoFrame> ordered(frames.begin(), frames.end());
  std::stable_sort(ordered.begin(), ordered.end(), [](const VideoFrame& a, const VideoFrame& b) {
    return a.frameNumber < b.frameNumber;
  });
  const std::size_t start = videoDataStart(stream_, ordered);
  std::size_t unreadable = 0, tooLarge = 0;
  for (const VideoFrame& frame : ordered) {
    if (!packets_.empty() && packets_.back().number == frame.frameNumber) continue;
    const auto data = frame.data.subspan(std::min(start, frame.data.size()));
    const auto header = readVideoFrameHeader(stream_.codec, data);
    if (!header) {
      ++unreadable;
    } else if (header->width != 0 && !videoSizeAllowed(header->width, header->height)) {
      ++tooLarge;
    } else {
      packets_.push_back(Packet{frame.frameNumber, data, header->keyframe});
    }
  }
  if (unreadable + tooLarge > 0) {
    qCDebug(lcSwf) << "video stream" << stream_.id << "codec" << static_cast<int>(stream_.codec)
                   << ":" << unreadable << "unreadable frames," << tooLarge
                   << "frames too large left out";
  }
}

const QImage* VideoCharacter::picture(std::uint16_t frameNumber) {
  const auto after = std::upper_bound(
      packets_.begin(), packets_.end(), frameNumber,
      [](std::uint16_t number, const Packet& packet) { return number < packet.number; });
  if (after == packets_.begin()) return nullptr;
  decodeUpTo(static_cast<std::size_t>(after - packets_.begin()) - 1);
  return picture_.isNull() ? nullptr : &picture_;
}

void VideoCharacter::decodeUpTo(std::size_t target) {
  if (refused_ || decoded_ == target) return;
  if (!decoder_) {
    decoder_ = VideoCodecDecoder::open(stream_.codec, QSize(stream_.width, stream_.height));
    if (!decoder_) {
      refused_ = true;
      return;
    }
  }
  const std::size_t key = lastKeyframe(target);
  std::size_t next = key;
  if (decoded_ && *decoded_ < target && *decoded_ >= key) {
    next = *decoded_ + 1;
  } else {
    decoder_->restart();
    picture_ = QImage();
  }
  const std::size_t last = std::min(target, next + kMaxFramesPerRequest - 1);
  for (; next <= last; ++next) {
    QImage decoded = decoder_->decode(packets_[next].data, packets_[next].keyframe);
    ++framesDecoded_;
    if (!decoded.isNull()) picture_ = std::move(decoded);
    decoded_ = next;
  }
}

// Without a key frame before it, decoding starts at the first frame and shows what it can.
std::size_t VideoCharacter::lastKeyframe(std::size_t atOrBefore) const {
  for (std::size_t i = atOrBefore + 1; i-- > 0;) {
    if (packets_[i].keyframe) return i;
  }
  return 0;
}

}  // namespace quelvo::swf
