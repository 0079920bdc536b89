// libFuzzer entry point of the filter path; see FiltersFuzz.cpp.

#include "FuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quelvo::fuzz::fuzzFilters({data, size});
  return 0;
}
