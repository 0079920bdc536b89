#include "swf/effects/BoxBlur.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace quelvo::swf::effects {

namespace {

// A box of full taps within `whole` of the centre and a part tap on each
// side beyond them.
struct Box {
  int whole = 0;
  double part = 0;
  double width = 1;
};

double usableWidth(double width) {
  return std::isfinite(width) ? std::clamp(width, 1.0, kMaxBlur) : 1.0;
}

int usablePasses(int passes) { return std::clamp(passes, 0, kMaxPasses); }

Box boxFor(double width) {
  Box box;
  box.width = usableWidth(width);
  const double half = (box.width - 1) / 2;
  box.whole = static_cast<int>(std::floor(half));
  box.part = half - box.whole;
  return box;
}

// Pixels a box reaches past its centre, its part taps included.
int boxReach(const Box& box) { return box.whole + (box.part > 0 ? 1 : 0); }

// One pass over count samples step bytes apart; line holds a copy of them.
void blurLine(std::uint8_t* data, std::ptrdiff_t step, int count, const Box& box,
              std::vector<int>& line) {
  line.resize(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) line[static_cast<std::size_t>(i)] = data[i * step];
  const auto at = [&](int i) {
    return i < 0 || i >= count ? 0 : line[static_cast<std::size_t>(i)];
  };
  int sum = 0;
  // Outside the line is nothing: a box wider than the line adds up the line.
  for (int i = 0; i <= std::min(box.whole, count - 1); ++i) sum += at(i);
  for (int i = 0; i < count; ++i) {
    const double edges = box.part * (at(i - box.whole - 1) + at(i + box.whole + 1));
    const double value = (sum + edges) / box.width;
    data[i * step] = static_cast<std::uint8_t>(std::min(255.0, value + 0.5));
    sum += at(i + box.whole + 1) - at(i - box.whole);
  }
}

}  // namespace

QPoint blurReach(const BlurParams& blur) {
  const int passes = usablePasses(blur.passes);
  return QPoint(boxReach(boxFor(blur.blurX)) * passes, boxReach(boxFor(blur.blurY)) * passes);
}

void boxBlur(QImage& image, const BlurParams& blur) {
  const int passes = usablePasses(blur.passes);
  const Box across = boxFor(blur.blurX), down = boxFor(blur.blurY);
  const int channels = image.depth() / 8;
  const int width = image.width(), height = image.height();
  const auto lineStep = static_cast<std::ptrdiff_t>(image.bytesPerLine());
  std::vector<int> line;
  for (int pass = 0; pass < passes; ++pass) {
    if (across.width > 1) {
      for (int y = 0; y < height; ++y) {
        for (int c = 0; c < channels; ++c) {
          blurLine(image.scanLine(y) + c, channels, width, across, line);
        }
      }
    }
    if (down.width > 1) {
      std::uint8_t* bits = image.bits();
      for (int x = 0; x < width * channels; ++x) blurLine(bits + x, lineStep, height, down, line);
    }
  }
}

}  // namespace quelvo::swf::effects
