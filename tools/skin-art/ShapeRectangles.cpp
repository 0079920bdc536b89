#include "ShapeRectangles.h"

#include <algorithm>

namespace quelvo::skinart {

namespace {

constexpr int kInsideAlpha = 128;

struct Run {
  int left;
  int right;  // exclusive
  int top;    // the first row of the run's rectangle
};

std::vector<Run> rowRuns(const QImage& picture, int y) {
  std::vector<Run> runs;
  const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
  for (int x = 0; x < picture.width();) {
    if (qAlpha(row[x]) < kInsideAlpha) {
      ++x;
      continue;
    }
    const int left = x;
    while (x < picture.width() && qAlpha(row[x]) >= kInsideAlpha) ++x;
    runs.push_back({left, x, y});
  }
  return runs;
}

}  // namespace

std::vector<QRect> shapeRectangles(const QImage& picture) {
  const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
  std::vector<QRect> rectangles;
  std::vector<Run> open;
  const auto close = [&rectangles](const Run& run, int bottom) {
    rectangles.emplace_back(run.left, run.top, run.right - run.left, bottom - run.top);
  };
  for (int y = 0; y <= argb.height(); ++y) {
    std::vector<Run> runs = y < argb.height() ? rowRuns(argb, y) : std::vector<Run>{};
    for (const Run& above : open) {
      const auto same = std::find_if(runs.begin(), runs.end(), [&above](const Run& run) {
        return run.left == above.left && run.right == above.right;
      });
      if (same == runs.end()) {
        close(above, y);
      } else {
        same->top = above.top;
      }
    }
    open = std::move(runs);
  }
  return rectangles;
}

}  // namespace quelvo::skinart
