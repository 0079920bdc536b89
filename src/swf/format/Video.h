#pragma once

#include <cstdint>
#include <span>

#include "swf/base/Expected.h"
#include "swf/format/TagRecord.h"

namespace quelvo::swf {

// The codec of a video stream's frames, as DefineVideoStream numbers it.
// Other numbers may occur and stay as read.
enum class VideoCodec : std::uint8_t {
  SorensonH263 = 2,
  ScreenVideo = 3,
  Vp6 = 4,
  Vp6Alpha = 5,
  ScreenVideo2 = 6,
};

// A DefineVideoStream character: the size its frames are shown at and how
// they are coded. The frames themselves come in VideoFrame records.
struct VideoStream {
  std::uint16_t id = 0;
  std::uint16_t frameCount = 0;  // as declared
  std::uint16_t width = 0;       // pixels
  std::uint16_t height = 0;
  // 0: as each frame says, 1: off, 2-5: filter levels. Kept as read: the
  // decoders filter as each frame's own bitstream says.
  std::uint8_t deblocking = 0;
  bool smoothing = false;  // interpolate when drawn scaled
  VideoCodec codec = VideoCodec::SorensonH263;
};

// One frame of a video stream: its number within the stream and its coded
// data, pointing into the movie's bytes.
struct VideoFrame {
  std::uint16_t streamId = 0;
  std::uint16_t frameNumber = 0;
  std::span<const std::uint8_t> data;
  std::uint64_t dataOffset = 0;  // of data in the movie
};

Expected<VideoStream> readVideoStream(const TagRecord& record);
Expected<VideoFrame> readVideoFrame(const TagRecord& record);

}  // namespace quelvo::swf
