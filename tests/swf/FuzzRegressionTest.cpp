// Replays the fuzz harnesses' saved inputs, fuzz/inputs/<harness>/ (a seed
// for each codec and any input a harness once failed on), through the same
// work the harnesses do; the sanitizer build runs them under ASan and UBSan.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "FuzzEntries.h"

namespace {

using Entry = void (*)(std::span<const std::uint8_t>);

// Runs entry over every file of the harness's folder; the number run.
int replay(const char* harness, Entry entry) {
  const std::filesystem::path folder = std::filesystem::path(QUELVO_FUZZ_INPUTS_DIR) / harness;
  if (!std::filesystem::is_directory(folder)) return 0;
  int ran = 0;
  for (const auto& file : std::filesystem::directory_iterator(folder)) {
    if (!file.is_regular_file()) continue;
    SCOPED_TRACE(file.path().string());
    std::ifstream stream(file.path(), std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(stream)),
                                          std::istreambuf_iterator<char>());
    entry(bytes);
    ++ran;
  }
  return ran;
}

TEST(FuzzRegression, SavedInputsRunCleanly) {
  struct Harness {
    const char* name;
    Entry entry;
  };
  int ran = 0;
  for (const Harness& harness :
       {Harness{"fuzz_sound", quelvo::fuzz::fuzzSound},
        Harness{"fuzz_video", quelvo::fuzz::fuzzVideo},
        Harness{"fuzz_filters", quelvo::fuzz::fuzzFilters},
        Harness{"fuzz_xml", quelvo::fuzz::fuzzXml}, Harness{"fuzz_text", quelvo::fuzz::fuzzText}}) {
    ran += replay(harness.name, harness.entry);
  }
  if (ran == 0) GTEST_SKIP() << "no saved fuzz inputs";
}

}  // namespace
