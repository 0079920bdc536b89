// libFuzzer entry point of the video path; see VideoFuzz.cpp.

#include "FuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quelvo::fuzz::fuzzVideo({data, size});
  return 0;
}
