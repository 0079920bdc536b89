#include "swf/bitmapdata/BitmapNoise.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "swf/bitmapdata/Argb.h"
#include "swf/bitmapdata/SeededRandom.h"

namespace quelvo::swf {

namespace {

constexpr int kShifts[4] = {16, 8, 0, 24};  // red, green, blue, alpha
// More octaves than this only add detail finer than a pixel.
constexpr int kMaxOctaves = 10;

// The pixel from one value per channel (red, green, blue, alpha), honouring
// the channel choice: grey copies red into green and blue.
std::uint32_t noisePixel(std::array<std::uint32_t, 4> values, const NoiseChannels& channels) {
  if (channels.grey) values[1] = values[2] = values[0];
  std::uint32_t pixel = 0;
  for (int i = 0; i < 4; ++i) {
    const bool chosen =
        channels.grey && i < 3 ? (channels.flags & 7) != 0 : (channels.flags & (1 << i)) != 0;
    const std::uint32_t value = chosen ? values[i] : (i == 3 ? 255 : 0);
    pixel |= value << kShifts[i];
  }
  return pixel;
}

// Gradient noise on a lattice of random unit vectors, in about [-1, 1].
class GradientLattice {
 public:
  explicit GradientLattice(std::int64_t seed) {
    SeededRandom random(seed);
    for (int i = 0; i < 256; ++i) {
      permutation_[i] = std::uint8_t(i);
      const double angle = random.next() * (2 * std::numbers::pi / 2147483647.0);
      gradients_[i] = {std::cos(angle), std::sin(angle)};
    }
    for (int i = 255; i > 0; --i) {
      std::swap(permutation_[i], permutation_[random.below(std::uint32_t(i) + 1)]);
    }
  }

  // periodX/periodY > 0 repeat the lattice every that many cells.
  double at(double x, double y, int periodX, int periodY) const {
    const double cellX = std::floor(x);
    const double cellY = std::floor(y);
    const double fx = x - cellX;
    const double fy = y - cellY;
    const auto wrap = [](double cell, int period) {
      const double wrapped = period > 0 ? cell - period * std::floor(cell / period) : cell;
      return static_cast<std::int64_t>(std::fmod(wrapped, 256.0) + 256) & 255;
    };
    const std::int64_t x0 = wrap(cellX, periodX);
    const std::int64_t x1 = wrap(cellX + 1, periodX);
    const std::int64_t y0 = wrap(cellY, periodY);
    const std::int64_t y1 = wrap(cellY + 1, periodY);
    const auto dot = [&](std::int64_t cx, std::int64_t cy, double dx, double dy) {
      const auto& g = gradients_[permutation_[(permutation_[cx] + cy) & 255]];
      return g[0] * dx + g[1] * dy;
    };
    const auto fade = [](double t) { return t * t * t * (t * (t * 6 - 15) + 10); };
    const double u = fade(fx);
    const double v = fade(fy);
    const double top = std::lerp(dot(x0, y0, fx, fy), dot(x1, y0, fx - 1, fy), u);
    const double bottom = std::lerp(dot(x0, y1, fx, fy - 1), dot(x1, y1, fx - 1, fy - 1), u);
    return std::lerp(top, bottom, v) * std::numbers::sqrt2;
  }

 private:
  std::array<std::uint8_t, 256> permutation_{};
  std::array<std::array<double, 2>, 256> gradients_{};
};

double usableBase(double base) { return std::isfinite(base) && base != 0 ? std::abs(base) : 1; }

}  // namespace

void noise(BitmapSurface& surface, int seed, int low, int high, const NoiseChannels& channels) {
  low = std::clamp(low, 0, 255);
  high = std::clamp(high, 0, 255);
  if (high < low) std::swap(low, high);
  const auto span = std::uint32_t(high - low + 1);
  SeededRandom random(seed);
  for (int y = 0; y < surface.height(); ++y) {
    QRgb* line = surface.line(y);
    for (int x = 0; x < surface.width(); ++x) {
      std::array<std::uint32_t, 4> values{};
      for (auto& value : values) value = std::uint32_t(low) + random.below(span);
      line[x] = surface.storable(noisePixel(values, channels));
    }
  }
}

void perlinNoise(BitmapSurface& surface, const PerlinNoise& settings) {
  const int octaves = std::clamp(settings.octaves, 0, kMaxOctaves);
  if (surface.disposed() || octaves == 0) return;
  std::vector<GradientLattice> lattices;
  for (int i = 0; i < 4; ++i) lattices.emplace_back(std::int64_t{settings.seed} + i);
  const double baseX = usableBase(settings.baseX);
  const double baseY = usableBase(settings.baseY);
  double weights = 0;
  for (int o = 0; o < octaves; ++o) weights += std::ldexp(1.0, -o);
  for (int y = 0; y < surface.height(); ++y) {
    QRgb* line = surface.line(y);
    for (int x = 0; x < surface.width(); ++x) {
      std::array<std::uint32_t, 4> values{};
      for (int c = 0; c < 4; ++c) {
        double sum = 0;
        for (int o = 0; o < octaves; ++o) {
          const double scale = std::ldexp(1.0, o);
          const auto offset = o < int(settings.offsets.size()) ? settings.offsets[std::size_t(o)]
                                                               : std::pair<double, double>{};
          const double fx = scale / baseX;
          const double fy = scale / baseY;
          const int periodX = settings.stitch ? std::max(1, int(surface.width() * fx)) : 0;
          const int periodY = settings.stitch ? std::max(1, int(surface.height() * fy)) : 0;
          const double n = lattices[std::size_t(c)].at((x + offset.first) * fx,
                                                       (y + offset.second) * fy, periodX, periodY);
          sum += (settings.fractal ? n : std::abs(n)) / scale;
        }
        const double level = settings.fractal ? (sum / weights + 1) / 2 : sum / weights;
        values[std::size_t(c)] = std::uint32_t(std::clamp(level, 0.0, 1.0) * 255 + 0.5);
      }
      line[x] = surface.storable(noisePixel(values, settings.channels));
    }
  }
}

int pixelDissolve(BitmapSurface& dest, const BitmapSurface& source, const BlockCopy& block,
                  int seed, int numPixels, std::uint32_t fill) {
  if (dest.disposed() || source.disposed()) return seed;
  const CopyArea area = clipCopy(block.from, source.bounds(), block.toX, block.toY, dest.bounds());
  if (area.empty() || numPixels <= 0) return seed;
  const auto count = std::uint64_t(area.source.width) * std::uint64_t(area.source.height);
  // A full-period generator over the next power of two at least count (odd
  // increment, multiplier 1 mod 4) visits every index once; indexes past
  // the area are skipped. The pixel at the seed's own index is replaced as
  // well, as Flash does: numPixels one short of the area still covers all of
  // it, and a call that starts from the seed the last one returned goes on
  // from that pixel without skipping any.
  std::uint64_t period = 1;
  while (period < count) period <<= 1;
  std::uint64_t index = std::uint64_t(std::uint32_t(seed)) & (period - 1);
  const bool filling = &dest == &source;
  const QRgb fillValue = dest.storable(fill);
  const QImage before = source.image();
  std::uint64_t left = std::min<std::uint64_t>(std::uint64_t(numPixels) + 1, count);
  for (;;) {
    if (index < count) {
      const int col = int(index % std::uint64_t(area.source.width));
      const int row = int(index / std::uint64_t(area.source.width));
      const QRgb* in = reinterpret_cast<const QRgb*>(before.constScanLine(area.source.y + row));
      const QRgb pixel = in[area.source.x + col];
      dest.store(area.destX + col, area.destY + row,
                 filling
                     ? fillValue
                     : (dest.transparent() ? pixel : dest.storable(argb::unpremultiply(pixel))));
      if (--left == 0) break;
    }
    index = (index * 1664525 + 1013904223) & (period - 1);
  }
  return int(std::uint32_t(index));
}

}  // namespace quelvo::swf
