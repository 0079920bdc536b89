#pragma once

namespace quelvo::swf {

// How loud a Sound object plays the sounds it controls, in percent as scripts
// give them: the volume, and how much of each input channel reaches each
// output (ll left to left, lr right to left, rr right to right, rl left to
// right).
struct SoundTransform {
  double volume = 100;
  double ll = 100;
  double lr = 0;
  double rr = 100;
  double rl = 0;

  bool operator==(const SoundTransform&) const = default;
};

}  // namespace quelvo::swf
