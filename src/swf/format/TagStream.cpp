#include "swf/format/TagStream.h"

#include "swf/format/TagCodes.h"

namespace quelvo::swf {

namespace {

constexpr std::uint16_t kLongLengthMarker = 0x3F;

std::string describeTag(std::uint16_t code) {
  const char* name = tagName(code);
  return "tag " + std::to_string(code) + (name ? std::string(" (") + name + ")" : std::string());
}

}  // namespace

std::string StreamBreak::note() const {
  return "tag stream ends early at byte " + std::to_string(offset) + ": " + reason;
}

std::optional<TagRecord> TagStream::fail(std::uint64_t offset, std::string reason) {
  finished_ = true;
  break_ = StreamBreak{offset, std::move(reason)};
  return std::nullopt;
}

void TagStream::stop(std::string reason) {
  if (!finished_) fail(stream_.offset(), std::move(reason));
}

std::optional<TagRecord> TagStream::next() {
  if (finished_) return std::nullopt;
  const std::uint64_t offset = stream_.offset();
  if (stream_.atEnd()) return fail(offset, "no End tag before the end of the data");

  ByteReader header = stream_;
  const std::uint16_t codeAndLength = header.u16();
  const auto code = static_cast<std::uint16_t>(codeAndLength >> 6);
  std::uint32_t length = codeAndLength & kLongLengthMarker;
  std::uint8_t headerSize = 2;
  if (length == kLongLengthMarker) {
    length = header.u32();
    headerSize = 6;
  }
  if (header.failed()) return fail(offset, "tag record header cut short");
  if (length > header.remaining()) {
    return fail(offset, describeTag(code) + " length " + std::to_string(length) +
                            " runs past end of data (" + std::to_string(header.remaining()) +
                            " bytes left)");
  }

  TagRecord record{code, headerSize, offset, header.bytes(length)};
  stream_ = header;
  if (code == tags::End) finished_ = true;
  return record;
}

}  // namespace quelvo::swf
