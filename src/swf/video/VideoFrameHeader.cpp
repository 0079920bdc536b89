#include "swf/video/VideoFrameHeader.h"

#include <array>

#include "swf/io/ByteReader.h"

namespace quelvo::swf {

namespace {

constexpr std::uint32_t kH263StartCode = 1;  // in the first 17 bits
constexpr std::uint32_t kH263LastVersion = 1;
constexpr std::uint32_t kH263IntraPicture = 0;
constexpr std::uint32_t kH263LastPictureType = 2;  // disposable inter
constexpr int kMacroblock = 16;
constexpr std::uint8_t kVp6InterFrame = 0x80;
constexpr std::uint8_t kVp6SeparatedCoefficients = 0x01;
constexpr int kScreenBlockUnit = 16;
constexpr std::uint8_t kScreen2DiffBlock = 0x04;
constexpr std::uint8_t kScreen2PrimedByPrevious = 0x01;

struct Size {
  int width;
  int height;
};

// The picture sizes a 3-bit H.263 size code names from code 2 on; 0 and 1
// give the size in the header, 7 is reserved.
constexpr std::array<Size, 5> kH263Sizes{Size{352, 288}, Size{176, 144}, Size{128, 96},
                                         Size{320, 240}, Size{160, 120}};

std::optional<VideoFrameHeader> readH263(ByteReader& reader) {
  if (reader.ub(17) != kH263StartCode || reader.ub(5) > kH263LastVersion) return std::nullopt;
  reader.ub(8);  // temporal reference
  VideoFrameHeader header;
  const std::uint32_t sizeCode = reader.ub(3);
  if (sizeCode <= 1) {
    const unsigned bits = sizeCode == 0 ? 8 : 16;
    header.width = static_cast<int>(reader.ub(bits));
    header.height = static_cast<int>(reader.ub(bits));
  } else if (sizeCode - 2 < kH263Sizes.size()) {
    header.width = kH263Sizes[sizeCode - 2].width;
    header.height = kH263Sizes[sizeCode - 2].height;
  } else {
    return std::nullopt;
  }
  const std::uint32_t pictureType = reader.ub(2);
  if (reader.failed() || pictureType > kH263LastPictureType) return std::nullopt;
  header.keyframe = pictureType == kH263IntraPicture;
  return header;
}

std::optional<VideoFrameHeader> readVp6(ByteReader& reader) {
  const std::uint8_t first = reader.u8();
  VideoFrameHeader header;
  header.keyframe = (first & kVp6InterFrame) == 0;
  if (header.keyframe) {
    const unsigned profile = (reader.u8() >> 1) & 0x03;
    // A coefficient offset comes first with separated coefficients or profile 0.
    if ((first & kVp6SeparatedCoefficients) != 0 || profile == 0) reader.skip(2);
    const int rows = reader.u8();
    const int columns = reader.u8();
    if (rows == 0 || columns == 0) return std::nullopt;
    header.width = columns * kMacroblock;
    header.height = rows * kMacroblock;
  }
  if (reader.failed()) return std::nullopt;
  return header;
}

std::optional<VideoFrameHeader> readVp6Alpha(ByteReader& reader) {
  const std::uint32_t alphaOffset = reader.ub(24);
  if (reader.failed() || alphaOffset > reader.remaining()) return std::nullopt;
  return readVp6(reader);
}

std::optional<VideoFrameHeader> readScreenVideo(ByteReader& reader, bool version2) {
  VideoFrameHeader header;
  const int blockWidth = static_cast<int>(reader.ub(4) + 1) * kScreenBlockUnit;
  header.width = static_cast<int>(reader.ub(12));
  const int blockHeight = static_cast<int>(reader.ub(4) + 1) * kScreenBlockUnit;
  header.height = static_cast<int>(reader.ub(12));
  if (reader.failed() || header.width == 0 || header.height == 0) return std::nullopt;
  if (version2) reader.u8();  // image-wide flags
  const int columns = (header.width + blockWidth - 1) / blockWidth;
  const int rows = (header.height + blockHeight - 1) / blockHeight;
  // Each block takes at least its two size bytes, so a short frame ends the walk early.
  bool everyBlockStandsAlone = true;
  for (int block = 0; block < columns * rows && everyBlockStandsAlone && reader.ok(); ++block) {
    const std::uint32_t size = reader.ub(16);
    if (size == 0) {
      everyBlockStandsAlone = false;  // kept from the previous frame
    } else if (version2) {
      const std::uint8_t flags = reader.u8();
      everyBlockStandsAlone = (flags & (kScreen2DiffBlock | kScreen2PrimedByPrevious)) == 0;
      reader.skip(size - 1);
    } else {
      reader.skip(size);
    }
  }
  header.keyframe = everyBlockStandsAlone && reader.ok();
  return header;
}

bool agreesWithDeclaredSize(const VideoFrameHeader& header, const VideoStream& stream) {
  const bool wholeMacroblocks =
      stream.codec == VideoCodec::Vp6 || stream.codec == VideoCodec::Vp6Alpha;
  const auto coded = [&](int declared) {
    return wholeMacroblocks ? (declared + kMacroblock - 1) / kMacroblock * kMacroblock : declared;
  };
  return header.width == coded(stream.width) && header.height == coded(stream.height);
}

}  // namespace

std::optional<VideoFrameHeader> readVideoFrameHeader(VideoCodec codec,
                                                     std::span<const std::uint8_t> data) {
  ByteReader reader(data);
  switch (codec) {
    case VideoCodec::SorensonH263:
      return readH263(reader);
    case VideoCodec::Vp6:
      return readVp6(reader);
    case VideoCodec::Vp6Alpha:
      return readVp6Alpha(reader);
    case VideoCodec::ScreenVideo:
      return readScreenVideo(reader, false);
    case VideoCodec::ScreenVideo2:
      return readScreenVideo(reader, true);
  }
  return std::nullopt;
}

std::size_t videoDataStart(const VideoStream& stream, std::span<const VideoFrame> frames) {
  constexpr std::array<std::size_t, 2> kStarts{0, 1};
  for (const VideoFrame& frame : frames) {
    for (const std::size_t start : kStarts) {
      if (frame.data.size() <= start) continue;
      const auto header = readVideoFrameHeader(stream.codec, frame.data.subspan(start));
      if (header && header->width != 0 && agreesWithDeclaredSize(*header, stream)) return start;
    }
  }
  return 0;
}

}  // namespace quelvo::swf
