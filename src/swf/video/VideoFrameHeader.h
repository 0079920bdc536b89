#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "swf/format/Video.h"

namespace quelvo::swf {

// What the start of a frame's coded data says, read without decoding it.
struct VideoFrameHeader {
  bool keyframe = false;  // decodes without the frames before it
  int width = 0;          // pixels; 0 when the frame does not say
  int height = 0;
};

// The header of one frame's codec data; nothing when the data does not start
// like a frame of that codec (or the codec is unknown).
//
// Sorenson H.263 frames say their size and picture type. VP6 key frames say
// their size in 16-pixel macroblocks, other frames nothing; with alpha, the
// colour frame follows a 24-bit offset to the alpha frame. Screen Video
// frames say their size; one is a key frame when every block carries data
// (and, in version 2, no block is coded against the previous frame).
std::optional<VideoFrameHeader> readVideoFrameHeader(VideoCodec codec,
                                                     std::span<const std::uint8_t> data);

// Bytes before the codec data in each frame of the stream: 0, or 1 when the
// frames carry a one-byte FLV-style video header (or VP6 size adjustment)
// first. Told by which start gives a frame header agreeing with the declared
// size.
std::size_t videoDataStart(const VideoStream& stream, std::span<const VideoFrame> frames);

}  // namespace quelvo::swf
