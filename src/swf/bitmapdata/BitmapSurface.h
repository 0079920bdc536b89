#pragma once

#include <QImage>
#include <QRectF>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "swf/bitmapdata/PixelBudget.h"
#include "swf/bitmapdata/PixelRect.h"

namespace quelvo::swf {

// The largest bitmap scripts may make: before SWF 10, 2880 pixels a side;
// from SWF 10 on, 8191 a side and 16 777 215 pixels in all.
struct BitmapSizeLimit {
  int maxSide = 0;
  std::int64_t maxPixels = 0;

  static BitmapSizeLimit forVersion(int swfVersion);
  bool allows(double width, double height) const;
};

// The pixels of a script bitmap: width x height, transparent or opaque,
// stored premultiplied (QImage ARGB32_Premultiplied). An opaque bitmap keeps
// every alpha at 255. Disposing frees the pixels and leaves it empty (0 x 0);
// clips showing it then show nothing.
class BitmapSurface {
 public:
  // A bitmap filled with fill (0xAARRGGBB; its alpha is ignored when opaque),
  // or nullptr when the size is outside limit or the budget cannot pay for
  // it. Nothing is allocated for a refused size.
  static std::shared_ptr<BitmapSurface> create(double width, double height, bool transparent,
                                               std::uint32_t fill, const BitmapSizeLimit& limit,
                                               const std::shared_ptr<PixelBudget>& budget);
  // A transparent bitmap holding a copy of picture (any format).
  static std::shared_ptr<BitmapSurface> fromImage(const QImage& picture,
                                                  const std::shared_ptr<PixelBudget>& budget);
  ~BitmapSurface();
  BitmapSurface(const BitmapSurface&) = delete;
  BitmapSurface& operator=(const BitmapSurface&) = delete;

  // An independent copy paid from the same budget; nullptr when it cannot pay.
  std::shared_ptr<BitmapSurface> clone() const;
  // A transparent bitmap of the same size, every pixel 0, paid alike.
  std::shared_ptr<BitmapSurface> blank() const;
  void dispose();

  int width() const { return image_.width(); }
  int height() const { return image_.height(); }
  bool transparent() const { return transparent_; }
  bool disposed() const { return image_.isNull(); }
  PixelRect bounds() const { return {0, 0, width(), height()}; }
  // What the bitmap covers in a clip showing it: one pixel to a pixel, in twips.
  QRectF areaInTwips() const { return QRectF(0, 0, width() * 20.0, height() * 20.0); }

  // 0xAARRGGBB not premultiplied; 0 outside the bitmap.
  std::uint32_t pixel32(int x, int y) const;
  // Ignored outside the bitmap; the alpha is ignored when opaque.
  void setPixel32(int x, int y, std::uint32_t argb);
  // The stored (premultiplied) value; the caller checks the coordinates.
  QRgb stored(int x, int y) const { return line(y)[x]; }
  void store(int x, int y, QRgb premultiplied) { line(y)[x] = premultiplied; }
  const QRgb* line(int y) const { return reinterpret_cast<const QRgb*>(image_.constScanLine(y)); }
  QRgb* line(int y) { return reinterpret_cast<QRgb*>(image_.scanLine(y)); }
  // The value to store for a script colour: premultiplied, opaque if this is.
  QRgb storable(std::uint32_t argb) const;

  // The pixels, for drawing them and for painting into them.
  const QImage& image() const { return image_; }
  QImage& image() { return image_; }

 private:
  BitmapSurface(QImage image, bool transparent, std::shared_ptr<PixelBudget> budget,
                std::size_t bytes);
  static std::shared_ptr<BitmapSurface> adopt(QImage image, bool transparent,
                                              const std::shared_ptr<PixelBudget>& budget);

  QImage image_;
  bool transparent_;
  std::shared_ptr<PixelBudget> budget_;
  std::size_t bytes_;
};

}  // namespace quelvo::swf
