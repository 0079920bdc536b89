#include <lzma.h>

#include <algorithm>
#include <cstdlib>

#include "swf/format/Decompress.h"

namespace quelvo::swf {

namespace {

// Owns the options block lzma_properties_decode allocates.
struct LzmaFilter {
  lzma_filter filters[2] = {{LZMA_FILTER_LZMA1, nullptr}, {LZMA_VLI_UNKNOWN, nullptr}};
  ~LzmaFilter() { std::free(filters[0].options); }
};

struct LzmaStream {
  lzma_stream stream = LZMA_STREAM_INIT;
  ~LzmaStream() { lzma_end(&stream); }
};

}  // namespace

Expected<DecodeResult> decodeLzma(std::span<const std::uint8_t> properties,
                                  std::span<const std::uint8_t> input,
                                  std::vector<std::uint8_t>& out, std::size_t limit) {
  LzmaFilter filter;
  if (lzma_properties_decode(&filter.filters[0], nullptr, properties.data(), properties.size()) !=
      LZMA_OK) {
    return Error{"LZMA properties are invalid", 0};
  }
  // No output exceeds limit, so a larger dictionary would only waste memory.
  auto* options = static_cast<lzma_options_lzma*>(filter.filters[0].options);
  options->dict_size = static_cast<std::uint32_t>(std::max<std::uint64_t>(
      LZMA_DICT_SIZE_MIN, std::min<std::uint64_t>(options->dict_size, limit)));

  LzmaStream decoder;
  if (lzma_raw_decoder(&decoder.stream, filter.filters) != LZMA_OK) {
    return Error{"LZMA decoder could not start with these properties", 0};
  }

  lzma_stream& stream = decoder.stream;
  stream.next_in = input.data();
  stream.avail_in = input.size();
  const std::size_t start = out.size();
  const std::size_t outputLimit = start + std::min(limit, SIZE_MAX - start);
  std::size_t used = start;
  DecodeResult result{DecodeStatus::InputEnded, {}};
  for (;;) {
    const std::size_t room = growOutput(out, used, outputLimit);
    if (room == 0) {
      result.status = DecodeStatus::LimitReached;
      break;
    }
    stream.next_out = out.data() + used;
    stream.avail_out = room;
    const lzma_ret code = lzma_code(&stream, LZMA_RUN);
    used += room - stream.avail_out;
    if (code == LZMA_STREAM_END) {
      result.status = DecodeStatus::Complete;
      break;
    }
    if (code != LZMA_OK) {
      result = {DecodeStatus::DataError,
                code == LZMA_MEM_ERROR ? "LZMA decoder out of memory" : "LZMA data is corrupt"};
      break;
    }
    // All input taken and output space left over: nothing more will come.
    if (stream.avail_in == 0 && stream.avail_out > 0) break;
  }
  out.resize(used);
  return result;
}

}  // namespace quelvo::swf
