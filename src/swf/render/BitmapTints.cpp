#include "swf/render/BitmapTints.h"

namespace quelvo::swf {

namespace {

constexpr std::size_t kMaxCopies = 32;

}  // namespace

QImage tinted(const QImage& picture, const ColorTransform& colorTransform) {
  QImage result = picture.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < result.height(); ++y) {
    auto* pixel = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < result.width(); ++x) {
      // A transparent pixel is no part of the picture: adding alpha does not bring it in.
      if (qAlpha(pixel[x]) == 0) continue;
      const Rgba colour = colorTransform.apply(Rgba{
          static_cast<std::uint8_t>(qRed(pixel[x])), static_cast<std::uint8_t>(qGreen(pixel[x])),
          static_cast<std::uint8_t>(qBlue(pixel[x])), static_cast<std::uint8_t>(qAlpha(pixel[x]))});
      pixel[x] = qRgba(colour.red, colour.green, colour.blue, colour.alpha);
    }
  }
  return result.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

const QImage& BitmapTints::find(const QImage& picture, const ColorTransform& colorTransform) {
  if (colorTransform.isIdentity()) return picture;
  const auto& [m, a] = std::pair(colorTransform.multiply, colorTransform.add);
  const Key key{picture.cacheKey(), {m[0], m[1], m[2], m[3], a[0], a[1], a[2], a[3]}};
  if (const auto found = copies_.find(key); found != copies_.end()) return found->second;
  if (copies_.size() >= kMaxCopies) copies_.clear();
  return copies_.emplace(key, tinted(picture, colorTransform)).first->second;
}

}  // namespace quelvo::swf
