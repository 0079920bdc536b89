#pragma once

// Command-line handling shared by the tools that read FILE.swf and write OUT.

#include <cstdio>
#include <string>

namespace quelvo::tools {

// The two words that are neither options nor option values: the input file,
// then the output file.
struct InputOutput {
  const char* input = nullptr;
  const char* output = nullptr;

  // Takes one such word; false for an unknown option or a third file.
  bool take(const char* word) {
    if (word[0] == '-' && word[1] == '-') return false;
    if (!input) {
      input = word;
    } else if (!output) {
      output = word;
    } else {
      return false;
    }
    return true;
  }
  bool complete() const { return output != nullptr; }
};

// Prints "error: ..." on standard error; returns the exit status for it.
inline int fail(const std::string& message) {
  std::fprintf(stderr, "error: %s\n", message.c_str());
  return 1;
}

}  // namespace quelvo::tools
