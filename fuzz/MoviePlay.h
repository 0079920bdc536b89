#pragma once

#include <memory>

namespace quelvo::swf {
class Movie;
}

namespace quelvo::fuzz {

// Plays a parsed movie as the movie harnesses do: a Player ticks a few
// frames, seeks, and draws frames into a small image both ways (sampled and
// direct), with the pointer pressed across the stage in between.
void playMovie(const std::shared_ptr<const swf::Movie>& movie);

}  // namespace quelvo::fuzz
