// The video fuzz work: the input is the body of both video tags in turn,
// then describes a stream and its frames:
//   u8 codec, u16 width, u16 height, u8 deblocking and smoothing (as in a
//   DefineVideoStream), u8 requests (up to 8), each a u16 frame number,
//   then up to 64 frames, each a u16 length and that many bytes of VideoFrame
//   body (u16 stream id, u16 frame number, codec data).
// Every frame goes through the frame header readers of each codec and, in
// order, through a decoder of the stream's codec; then a video character
// shows the requested frame numbers, decoding on demand.

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "FuzzEntries.h"
#include "FuzzInput.h"
#include "swf/format/TagCodes.h"
#include "swf/format/Video.h"
#include "swf/video/VideoCharacter.h"
#include "swf/video/VideoCodecDecoder.h"
#include "swf/video/VideoFrameHeader.h"

namespace quelvo::fuzz {
namespace {

using namespace quelvo::swf;

constexpr std::size_t kMaxRequests = 8;
constexpr std::size_t kMaxFrames = 64;
constexpr VideoCodec kCodecs[] = {VideoCodec::SorensonH263, VideoCodec::ScreenVideo,
                                  VideoCodec::Vp6, VideoCodec::Vp6Alpha, VideoCodec::ScreenVideo2};

TagRecord tagOf(std::uint16_t code, std::span<const std::uint8_t> body) {
  return TagRecord{code, 6, 0, body};
}

unsigned touch(const QImage& image) {
  if (image.isNull()) return 0;
  return image.pixel(0, 0) + image.pixel(image.width() - 1, image.height() - 1);
}

unsigned readTags(std::span<const std::uint8_t> bytes) {
  unsigned sum = 0;
  if (const auto stream = readVideoStream(tagOf(tags::DefineVideoStream, bytes))) {
    sum += stream->width + stream->height + stream->frameCount;
  }
  if (const auto frame = readVideoFrame(tagOf(tags::VideoFrame, bytes))) {
    sum += frame->frameNumber + unsigned(frame->data.size());
  }
  return sum;
}

unsigned readHeaders(const VideoStream& stream, std::span<const VideoFrame> frames) {
  unsigned sum = unsigned(videoDataStart(stream, frames));
  for (const VideoFrame& frame : frames) {
    for (const VideoCodec codec : kCodecs) {
      if (const auto header = readVideoFrameHeader(codec, frame.data)) {
        sum += unsigned(header->keyframe + header->width + header->height);
      }
    }
  }
  return sum;
}

// Each frame's data, in movie order, through one decoder as it stands in the stream.
unsigned decodeInOrder(const VideoStream& stream, std::span<const VideoFrame> frames) {
  const auto decoder = VideoCodecDecoder::open(stream.codec, QSize(stream.width, stream.height));
  if (!decoder) return 0;
  const std::size_t start = videoDataStart(stream, frames);
  unsigned sum = 0;
  for (const VideoFrame& frame : frames) {
    const auto data = frame.data.subspan(std::min(start, frame.data.size()));
    const auto header = readVideoFrameHeader(stream.codec, data);
    if (header && header->keyframe) decoder->restart();
    sum += touch(decoder->decode(data, header && header->keyframe));
  }
  return sum;
}

}  // namespace

void fuzzVideo(std::span<const std::uint8_t> bytes) {
  FuzzInput input(bytes);
  VideoStream stream;
  stream.id = 1;
  stream.codec = static_cast<VideoCodec>(input.u8());
  stream.width = input.u16();
  stream.height = input.u16();
  const std::uint8_t flags = input.u8();
  stream.deblocking = std::uint8_t(flags & 7);
  stream.smoothing = (flags & 8) != 0;
  std::vector<std::uint16_t> requests(std::min<std::size_t>(input.u8(), kMaxRequests));
  for (auto& request : requests) request = input.u16();

  std::vector<VideoFrame> frames;
  while (!input.empty() && frames.size() < kMaxFrames) {
    const auto body = input.take(input.u16());
    if (const auto frame = readVideoFrame(tagOf(tags::VideoFrame, body))) {
      frames.push_back(*frame);
    }
  }
  stream.frameCount = std::uint16_t(frames.size());

  volatile unsigned sink = readTags(bytes) + readHeaders(stream, frames);
  sink = sink + decodeInOrder(stream, frames);
  VideoCharacter character(stream, frames);
  for (const std::uint16_t request : requests) {
    if (const QImage* picture = character.picture(request)) sink = sink + touch(*picture);
  }
  sink = sink + unsigned(character.framesDecoded());
}

}  // namespace quelvo::fuzz
