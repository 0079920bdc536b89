#include "swf/bitmapdata/BitmapFill.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace quelvo::swf {

void fillRect(BitmapSurface& surface, const PixelRect& area, std::uint32_t colour) {
  const PixelRect inside = intersect(area.normalized(), surface.bounds());
  if (inside.empty()) return;
  const QRgb value = surface.storable(colour);
  for (int y = inside.y; y < inside.bottom(); ++y) {
    QRgb* line = surface.line(y);
    std::fill(line + inside.x, line + inside.right(), value);
  }
}

void floodFill(BitmapSurface& surface, int x, int y, std::uint32_t colour) {
  if (surface.disposed() || !surface.bounds().contains(x, y)) return;
  const QRgb target = surface.stored(x, y);
  const QRgb value = surface.storable(colour);
  if (target == value) return;
  // Runs of a row are filled whole; the rows above and below are searched
  // for runs still to fill. A run is pushed at most once from each side, so
  // the work list stays within twice the bitmap's pixels.
  std::vector<std::pair<int, int>> pending{{x, y}};
  while (!pending.empty()) {
    const auto [px, py] = pending.back();
    pending.pop_back();
    QRgb* line = surface.line(py);
    if (line[px] != target) continue;
    int left = px;
    while (left > 0 && line[left - 1] == target) --left;
    int right = px;
    while (right + 1 < surface.width() && line[right + 1] == target) ++right;
    std::fill(line + left, line + right + 1, value);
    for (const int ny : {py - 1, py + 1}) {
      if (ny < 0 || ny >= surface.height()) continue;
      const QRgb* next = surface.line(ny);
      for (int nx = left; nx <= right; ++nx) {
        if (next[nx] == target && (nx == left || next[nx - 1] != target)) {
          pending.emplace_back(nx, ny);
        }
      }
    }
  }
}

}  // namespace quelvo::swf
