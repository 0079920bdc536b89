#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "swf/bitmapdata/BitmapCopy.h"

namespace quelvo::swf {

// Channel flags of noise and perlinNoise: 1 red, 2 green, 4 blue, 8 alpha.
// A colour channel left out is 0; an alpha left out is 255. grey gives the
// colour channels one value.
struct NoiseChannels {
  int flags = 7;
  bool grey = false;
};

// noise: every pixel random in [low, high] per channel, the same for the
// same seed.
void noise(BitmapSurface& surface, int seed, int low, int high, const NoiseChannels& channels);

// perlinNoise: octaves of smooth gradient noise, each of twice the frequency
// and half the weight of the one before; fractal sums them signed, otherwise
// their magnitudes add up (turbulence). stitch makes the picture tile.
// offsets move each octave (missing ones do not move).
struct PerlinNoise {
  double baseX = 1;
  double baseY = 1;
  int octaves = 1;
  int seed = 0;
  bool stitch = false;
  bool fractal = false;
  NoiseChannels channels;
  std::vector<std::pair<double, double>> offsets;
};
void perlinNoise(BitmapSurface& surface, const PerlinNoise& settings);

// pixelDissolve: the pixel at the seed's position and numPixels more of the
// block, in an order the seed decides, take the source's pixels (or fill
// when source is dest). Returns the seed of the last pixel replaced, which
// the next call starts from.
int pixelDissolve(BitmapSurface& dest, const BitmapSurface& source, const BlockCopy& block,
                  int seed, int numPixels, std::uint32_t fill);

}  // namespace quelvo::swf
