// libFuzzer entry point of the XML reader; see XmlFuzz.cpp.

#include "FuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quelvo::fuzz::fuzzXml({data, size});
  return 0;
}
