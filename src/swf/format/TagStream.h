#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "swf/format/TagRecord.h"
#include "swf/io/ByteReader.h"

namespace quelvo::swf {

// Where and why a tag stream stopped before its End tag.
struct StreamBreak {
  std::uint64_t offset = 0;  // of the record that did not fit, or the end of the data
  std::string reason;

  std::string note() const;  // "tag stream ends early at byte N: reason"
};

// Hands out the records of a tag stream one by one. The stream ends after the
// End tag (which is handed out too), or before the first record whose header
// or body does not fit in the data; breakAt() then tells where and why.
class TagStream {
 public:
  explicit TagStream(ByteReader stream) : stream_(stream) {}

  std::optional<TagRecord> next();
  // Stops the stream at the current record for a reason found by the caller.
  void stop(std::string reason);

  const std::optional<StreamBreak>& breakAt() const { return break_; }

 private:
  std::optional<TagRecord> fail(std::uint64_t offset, std::string reason);

  ByteReader stream_;
  bool finished_ = false;
  std::optional<StreamBreak> break_;
};

}  // namespace quelvo::swf
