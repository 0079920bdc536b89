// libFuzzer entry point of fonts and text; see TextFuzz.cpp.

#include "FuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quelvo::fuzz::fuzzText({data, size});
  return 0;
}
