#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "support/SwfWriter.h"
#include "swf/model/Movie.h"

namespace quelvo::swf {

// Parses bytes that must make a movie.
inline std::shared_ptr<const Movie> parseOk(const std::vector<std::uint8_t>& bytes) {
  auto movie = Movie::parse(bytes);
  EXPECT_TRUE(movie.has_value()) << (movie ? "" : movie.error().describe());
  return movie ? *movie : nullptr;
}

inline std::shared_ptr<const Movie> parseOk(const swftest::MovieOptions& options,
                                            const swftest::TagStream& tags) {
  return parseOk(swftest::buildMovie(options, tags));
}

}  // namespace quelvo::swf
