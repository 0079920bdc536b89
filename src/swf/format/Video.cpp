#include "swf/format/Video.h"

#include "swf/format/TagCodes.h"

namespace quelvo::swf {

namespace {

Error failure(const char* what, const ByteReader& reader) {
  return Error{std::string(what) + ": " + reader.error()->message, reader.error()->offset};
}

}  // namespace

Expected<VideoStream> readVideoStream(const TagRecord& record) {
  if (record.code != tags::DefineVideoStream) {
    return Error{"not a DefineVideoStream record", record.offset};
  }
  ByteReader reader = record.reader();
  VideoStream stream;
  stream.id = reader.u16();
  stream.frameCount = reader.u16();
  stream.width = reader.u16();
  stream.height = reader.u16();
  reader.ub(4);  // reserved
  stream.deblocking = static_cast<std::uint8_t>(reader.ub(3));
  stream.smoothing = reader.ub(1) != 0;
  stream.codec = static_cast<VideoCodec>(reader.u8());
  if (reader.failed()) return failure("DefineVideoStream", reader);
  return stream;
}

Expected<VideoFrame> readVideoFrame(const TagRecord& record) {
  if (record.code != tags::VideoFrame) return Error{"not a VideoFrame record", record.offset};
  ByteReader reader = record.reader();
  VideoFrame frame;
  frame.streamId = reader.u16();
  frame.frameNumber = reader.u16();
  if (reader.failed()) return failure("VideoFrame", reader);
  frame.dataOffset = reader.offset();
  frame.data = reader.bytes(reader.remaining());
  return frame;
}

}  // namespace quelvo::swf
