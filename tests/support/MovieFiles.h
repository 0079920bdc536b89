#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "support/SwfWriter.h"
#include "support/TempProgramFolder.h"

namespace quelvo::test {

// Writes bytes as a file in the folder and returns its full path.
QString writeMovie(const TempProgramFolder& folder, const QString& name,
                   const std::vector<std::uint8_t>& bytes);

// A movie of `frames` frames at `rate` frames per second, with a background colour.
std::vector<std::uint8_t> simpleMovie(int frames, double rate = 10,
                                      swftest::Colour background = {10, 20, 30},
                                      bool actionScript3 = false);

}  // namespace quelvo::test
