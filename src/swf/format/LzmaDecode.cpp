#include <lzma.h>

#include <algorithm>
#include <cstdlib>

#include "swf/format/BoundedDecode.h"
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
  return decodeBounded(out, limit, [&](std::uint8_t* at, std::size_t room) {
    stream.next_out = at;
    stream.avail_out = room;
    const lzma_ret code = lzma_code(&stream, LZMA_RUN);
    DecodeStep done{room - stream.avail_out, std::nullopt};
    if (code == LZMA_STREAM_END) {
      done.finished = DecodeResult{DecodeStatus::Complete, {}};
    } else if (code != LZMA_OK) {
      done.finished = DecodeResult{DecodeStatus::DataError, code == LZMA_MEM_ERROR
                                                                ? "LZMA decoder out of memory"
                                                                : "LZMA data is corrupt"};
    } else if (stream.avail_in == 0 && stream.avail_out > 0) {
      // All input taken and output space left over: nothing more will come.
      done.finished = DecodeResult{DecodeStatus::InputEnded, {}};
    }
    return done;
  });
}

}  // namespace quelvo::swf
