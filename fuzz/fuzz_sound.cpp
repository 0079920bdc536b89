// libFuzzer entry point of the sound path; see SoundFuzz.cpp.

#include "FuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quelvo::fuzz::fuzzSound({data, size});
  return 0;
}
