#pragma once

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "swf/format/Shape.h"
#include "swf/format/Video.h"
#include "swf/video/VideoCodecDecoder.h"

namespace quelvo::swf {

// A video stream character of one playback: its definition, the area it
// covers and its pictures, decoded on demand for the frame number shown.
//
// Its VideoFrames are indexed once, by frame number (the first of a number
// wins), each known to be a key frame or not; frames that are no frame of
// the codec or show a picture past the video limits are left out, as is
// everything of a stream whose declared size is past them.
//
// Showing the frame after the one decoded last decodes just that frame; any
// other frame decodes from the last key frame at or before it, or on from
// the one decoded last when that lies between. A request decodes at most
// kMaxFramesPerRequest frames: a frame further off is reached over the
// following requests, the latest picture decoded showing meanwhile.
class VideoCharacter {
 public:
  // frames: the stream's VideoFrames in movie order; their data must
  // outlive the character.
  VideoCharacter(const VideoStream& stream, std::span<const VideoFrame> frames);

  const VideoStream& stream() const { return stream_; }
  // 0,0 to the declared size in twips, filled: the video's outline for
  // masks and hit tests.
  const Shape& area() const { return area_; }

  // What frame number n shows: the picture of the last frame numbered n or
  // less; nullptr when there is none or nothing decoded.
  const QImage* picture(std::uint16_t frameNumber);

  // Frames given to the codec so far.
  std::size_t framesDecoded() const { return framesDecoded_; }
  static constexpr std::size_t kMaxFramesPerRequest = 300;

 private:
  struct Packet {
    std::uint16_t number = 0;
    std::span<const std::uint8_t> data;
    bool keyframe = false;
  };

  void index(std::span<const VideoFrame> frames);
  void decodeUpTo(std::size_t target);
  std::size_t lastKeyframe(std::size_t atOrBefore) const;

  VideoStream stream_;
  Shape area_;
  std::vector<Packet> packets_;  // by frame number
  std::unique_ptr<VideoCodecDecoder> decoder_;
  bool refused_ = false;                // nothing of the stream is decoded
  std::optional<std::size_t> decoded_;  // the packet the codec took last
  QImage picture_;
  std::size_t framesDecoded_ = 0;
};

}  // namespace quelvo::swf
