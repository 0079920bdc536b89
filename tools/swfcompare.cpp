// swfcompare ACTUAL.png EXPECTED.png [TOLERANCE MAX_OUTLIERS]...
// Compares a rendered frame with its reference and prints one line:
//   looks_right=pass|fail strict=pass|fail bad_pixels=N/M worst=D outliers=O,...
// looks_right: at most 0.5 % of the pixels differ by more than 40 levels in
// some channel. strict: for every TOLERANCE MAX_OUTLIERS pair, at most
// MAX_OUTLIERS channel values (R, G, B and A counted apart) differ by more
// than TOLERANCE. Images of different sizes fail both. Exit status 2 on
// unreadable input, else 0.

#include <QImage>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kLooksRightLevels = 40;
constexpr double kLooksRightShare = 0.005;

struct Difference {
  long long pixels = 0;
  long long badPixels = 0;  // some channel off by more than kLooksRightLevels
  int worst = 0;            // largest channel difference
  std::vector<long long> channelsAbove = std::vector<long long>(256, 0);  // by tolerance
};

Difference compare(const QImage& actual, const QImage& expected) {
  Difference difference;
  std::vector<long long> histogram(256, 0);  // channel values by difference
  for (int y = 0; y < actual.height(); ++y) {
    const auto* a = reinterpret_cast<const QRgb*>(actual.constScanLine(y));
    const auto* e = reinterpret_cast<const QRgb*>(expected.constScanLine(y));
    for (int x = 0; x < actual.width(); ++x) {
      const int channels[4] = {
          std::abs(qRed(a[x]) - qRed(e[x])), std::abs(qGreen(a[x]) - qGreen(e[x])),
          std::abs(qBlue(a[x]) - qBlue(e[x])), std::abs(qAlpha(a[x]) - qAlpha(e[x]))};
      int pixelWorst = 0;
      for (const int d : channels) {
        ++histogram[d];
        pixelWorst = std::max(pixelWorst, d);
      }
      difference.worst = std::max(difference.worst, pixelWorst);
      if (pixelWorst > kLooksRightLevels) ++difference.badPixels;
      ++difference.pixels;
    }
  }
  long long above = 0;
  for (int tolerance = 255; tolerance >= 0; --tolerance) {
    difference.channelsAbove[tolerance] = above;
    above += histogram[tolerance];
  }
  return difference;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || (argc - 3) % 2 != 0) {
    std::fprintf(stderr, "usage: swfcompare ACTUAL.png EXPECTED.png [TOLERANCE MAX_OUTLIERS]...\n");
    return 2;
  }
  const QImage actual =
      QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_ARGB32);
  const QImage expected =
      QImage(QString::fromLocal8Bit(argv[2])).convertToFormat(QImage::Format_ARGB32);
  if (actual.isNull() || expected.isNull()) {
    std::fprintf(stderr, "error: cannot read %s\n", actual.isNull() ? argv[1] : argv[2]);
    return 2;
  }
  if (actual.size() != expected.size()) {
    std::printf("looks_right=fail strict=fail size=%dx%d expected=%dx%d\n", actual.width(),
                actual.height(), expected.width(), expected.height());
    return 0;
  }
  const Difference difference = compare(actual, expected);
  const bool looksRight = difference.badPixels <= kLooksRightShare * difference.pixels;
  bool strict = true;
  std::string outliers;
  for (int i = 3; i + 1 < argc; i += 2) {
    const int tolerance = std::clamp(std::atoi(argv[i]), 0, 255);
    const long long maxOutliers = std::atoll(argv[i + 1]);
    const long long count = difference.channelsAbove[tolerance];
    strict = strict && count <= maxOutliers;
    outliers += (outliers.empty() ? "" : ",") + std::to_string(count);
  }
  std::printf("looks_right=%s strict=%s bad_pixels=%lld/%lld worst=%d outliers=%s\n",
              looksRight ? "pass" : "fail", strict ? "pass" : "fail", difference.badPixels,
              difference.pixels, difference.worst, outliers.c_str());
  return 0;
}
