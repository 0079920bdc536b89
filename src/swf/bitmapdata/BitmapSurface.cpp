#include "swf/bitmapdata/BitmapSurface.h"

#include <cmath>

#include "swf/bitmapdata/Argb.h"

namespace quelvo::swf {

namespace {

std::size_t bytesFor(std::int64_t width, std::int64_t height) {
  return static_cast<std::size_t>(width * height) * sizeof(QRgb);
}

}  // namespace

BitmapSizeLimit BitmapSizeLimit::forVersion(int swfVersion) {
  if (swfVersion < 10) return {2880, std::int64_t{2880} * 2880};
  return {8191, 16'777'215};
}

bool BitmapSizeLimit::allows(double width, double height) const {
  // Written so that NaN fails every comparison and is refused.
  if (!(width >= 1 && height >= 1 && width <= maxSide && height <= maxSide)) return false;
  return std::int64_t(width) * std::int64_t(height) <= maxPixels;
}

BitmapSurface::BitmapSurface(QImage image, bool transparent, std::shared_ptr<PixelBudget> budget,
                             std::size_t bytes)
    : image_(std::move(image)),
      transparent_(transparent),
      budget_(std::move(budget)),
      bytes_(bytes) {}

BitmapSurface::~BitmapSurface() { dispose(); }

std::shared_ptr<BitmapSurface> BitmapSurface::adopt(QImage image, bool transparent,
                                                    const std::shared_ptr<PixelBudget>& budget) {
  if (image.isNull() || !budget) return nullptr;
  const std::size_t bytes = bytesFor(image.width(), image.height());
  if (!budget->take(bytes)) return nullptr;
  return std::shared_ptr<BitmapSurface>(
      new BitmapSurface(std::move(image), transparent, budget, bytes));
}

std::shared_ptr<BitmapSurface> BitmapSurface::create(double width, double height, bool transparent,
                                                     std::uint32_t fill,
                                                     const BitmapSizeLimit& limit,
                                                     const std::shared_ptr<PixelBudget>& budget) {
  if (!limit.allows(width, height) || !budget) return nullptr;
  const int w = int(width);
  const int h = int(height);
  if (!budget->canTake(bytesFor(w, h))) return nullptr;
  QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
  auto surface = adopt(std::move(image), transparent, budget);
  if (surface) surface->image_.fill(surface->storable(fill));
  return surface;
}

std::shared_ptr<BitmapSurface> BitmapSurface::fromImage(
    const QImage& picture, const std::shared_ptr<PixelBudget>& budget) {
  if (picture.isNull() || !budget ||
      !budget->canTake(bytesFor(picture.width(), picture.height()))) {
    return nullptr;
  }
  return adopt(picture.convertToFormat(QImage::Format_ARGB32_Premultiplied), true, budget);
}

std::shared_ptr<BitmapSurface> BitmapSurface::clone() const {
  if (disposed() || !budget_->canTake(bytes_)) return nullptr;
  QImage copy = image_.copy();
  return adopt(std::move(copy), transparent_, budget_);
}

std::shared_ptr<BitmapSurface> BitmapSurface::blank() const {
  if (disposed() || !budget_->canTake(bytes_)) return nullptr;
  QImage image(width(), height(), QImage::Format_ARGB32_Premultiplied);
  image.fill(0);
  return adopt(std::move(image), true, budget_);
}

void BitmapSurface::dispose() {
  image_ = QImage();
  if (budget_) budget_->give(bytes_);
  bytes_ = 0;
}

std::uint32_t BitmapSurface::pixel32(int x, int y) const {
  if (!bounds().contains(x, y)) return 0;
  return argb::unpremultiply(stored(x, y));
}

void BitmapSurface::setPixel32(int x, int y, std::uint32_t argb) {
  if (bounds().contains(x, y)) store(x, y, storable(argb));
}

QRgb BitmapSurface::storable(std::uint32_t argb) const {
  return argb::premultiply(transparent_ ? argb : (argb | 0xFF000000u));
}

}  // namespace quelvo::swf
