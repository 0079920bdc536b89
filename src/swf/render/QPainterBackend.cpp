#include "swf/render/QPainterBackend.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "swf/bitmapdata/BitmapSurface.h"
#include "swf/geometry/StrokeOutline.h"
#include "swf/geometry/Transforms.h"
#include "swf/render/CentreSampledArea.h"
#include "swf/render/PixelCentredGradient.h"

namespace quelvo::swf {

namespace {

// The exact transform, when transform maps picture pixels one to one onto
// output pixels give or take rounding; samples is how many device pixels make
// one output pixel along each side. Such a picture is copied: interpolating
// would smear each pixel a little into its neighbours.
std::optional<QTransform> wholePixelMapping(const QTransform& transform, double samples) {
  constexpr double kScaleSlack = 1e-6, kShiftSlack = 1e-3;
  if (transform.type() > QTransform::TxScale ||
      std::abs(transform.m11() / samples - 1) > kScaleSlack ||
      std::abs(transform.m22() / samples - 1) > kScaleSlack)
    return std::nullopt;
  const double dx = std::round(transform.dx() / samples), dy = std::round(transform.dy() / samples);
  if (std::abs(transform.dx() / samples - dx) > kShiftSlack ||
      std::abs(transform.dy() / samples - dy) > kShiftSlack)
    return std::nullopt;
  return QTransform(samples, 0, 0, samples, dx * samples, dy * samples);
}

bool isOpaque(const QBrush& brush) {
  if (brush.style() == Qt::TexturePattern) return false;  // pictures may have translucent pixels
  if (const QGradient* gradient = brush.gradient()) {
    const auto stops = gradient->stops();
    return std::all_of(stops.begin(), stops.end(),
                       [](const QGradientStop& stop) { return stop.second.alpha() == 255; });
  }
  return brush.color().alpha() == 255;
}

// A scratch image at least size big, its top-left size pixels cleared.
QImage& scratchImage(QImage& image, const QSize& size, QImage::Format format) {
  if (image.format() != format || image.width() < size.width() || image.height() < size.height()) {
    image = QImage(size.expandedTo(image.size()), format);
  }
  QPainter painter(&image);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.fillRect(QRect(QPoint(0, 0), size), Qt::transparent);
  return image;
}

// Scales each pixel of opaque colours drawn with antialiasing up to the alpha
// coverage gives it.
void restoreCoverage(QImage& colours, const QImage& coverage, const QRect& area) {
  for (int y = area.top(); y <= area.bottom(); ++y) {
    auto* pixel = reinterpret_cast<QRgb*>(colours.scanLine(y));
    const uchar* wanted = coverage.constScanLine(y);
    for (int x = area.left(); x <= area.right(); ++x) {
      const int alpha = qAlpha(pixel[x]);
      const int target = wanted[x];
      if (alpha == 0 || alpha >= target) continue;
      const auto scale = [&](int channel) { return std::min(target, channel * target / alpha); };
      pixel[x] =
          qRgba(scale(qRed(pixel[x])), scale(qGreen(pixel[x])), scale(qBlue(pixel[x])), target);
    }
  }
}

// Device lines wider than a pixel with round joins turn with a round corner.
bool endsRound(const QPen& pen, const PaintSettings& settings) {
  return pen.joinStyle() == Qt::RoundJoin && pen.widthF() > settings.minimumStrokeWidth;
}

// How closely stroked curves are followed, in the units toDevice maps from:
// a 32nd of a device pixel.
double curveTolerance(const QTransform& toDevice, const PaintSettings& settings) {
  constexpr double kPixelFraction = 1.0 / 32;
  const double stretch = stretchRange(toDevice).most;
  return stretch > 0 ? kPixelFraction * settings.minimumStrokeWidth / stretch : 1;
}

QRect devicePixels(const QPainter& painter) {
  const QPaintDevice* device = painter.device();
  return device ? QRect(0, 0, device->width(), device->height()) : QRect();
}

// Runs paint with the painter's coordinates those of its device's pixels
// (a layer's painter otherwise names them by where they lie on the stage).
// Clips set meanwhile stay where they are on the device.
template <typename Paint>
void onDevicePixels(QPainter& painter, const Paint& paint) {
  const QTransform world = painter.worldTransform();
  const bool viewed = painter.viewTransformEnabled();
  painter.setViewTransformEnabled(false);
  painter.resetTransform();
  paint();
  painter.setViewTransformEnabled(viewed);
  painter.setWorldTransform(world);
}

}  // namespace

QPainterBackend::QPainterBackend(QPainter& painter, Caches& caches, BitmapLibrary& bitmaps,
                                 bool antialias, const PaintSettings& settings)
    : layers_(painter, antialias),
      painter_(&painter),
      caches_(caches),
      bitmaps_(bitmaps),
      antialias_(antialias),
      settings_(settings) {
  painter_->setRenderHint(QPainter::Antialiasing, antialias);
}

void QPainterBackend::drawShape(const Shape& shape, const ShapePlacement& placement,
                                const ColorTransform& colorTransform) {
  const QTransform toDevice = placement.toDevice();
  for (std::size_t i = 0; i < shape.layers.size(); ++i) {
    drawFills(shape, i, toDevice, colorTransform);
    drawStrokes(shape, i, placement, colorTransform);
  }
}

void QPainterBackend::drawPicture(const QImage& picture, const QRectF& area,
                                  const ShapePlacement& placement,
                                  const ColorTransform& colorTransform, bool smooth) {
  painter_->setTransform(placement.toDevice());
  painter_->setRenderHint(QPainter::SmoothPixmapTransform, smooth && settings_.smoothBitmaps);
  painter_->drawImage(area, caches_.tints.find(picture, colorTransform));
}

void QPainterBackend::drawFills(const Shape& shape, std::size_t layerIndex,
                                const QTransform& toDevice, const ColorTransform& colorTransform) {
  const ShapeLayer& layer = shape.layers[layerIndex];
  const LayerPaths& paths = caches_.paths.paths(shape).layers[layerIndex];
  std::vector<Fill> fills;
  bool opaque = true;
  for (std::size_t i = 0; i < paths.fills.size(); ++i) {
    if (paths.fills[i].isEmpty()) continue;
    const FillStyle& style = layer.fills[i];
    QBrush brush = fillBrush(style, colorTransform, bitmapFor(style, colorTransform));
    if (brush.style() == Qt::NoBrush) continue;
    opaque = opaque && isOpaque(brush);
    brush = pixelCentredGradient(brush, toDevice, static_cast<int>(settings_.samplesPerPixel),
                                 outputPixelsUnder(paths.fills[i], toDevice), caches_.gradients);
    const bool isBitmap = style.kind == FillKind::Bitmap;
    fills.push_back(Fill{paths.fills[i], std::move(brush),
                         isBitmap && smoothsBitmap(style, settings_),
                         isBitmap && !style.bitmapRepeats});
  }
  if (antialias_ && opaque && fills.size() > 1) {
    JoinedFillsKey key;
    key.shape = &shape;
    key.transientKey = shape.transientKey;
    key.layer = layerIndex;
    key.colours = colorTransform;
    drawJoinedFills(fills, paths.joined, toDevice, std::move(key));
    return;
  }
  painter_->setTransform(toDevice);
  for (const Fill& fill : fills) paintFill(*painter_, fill);
}

// The output pixels (device pixels grouped by the sample grid) that path may
// touch through toDevice, within the device.
QRect QPainterBackend::outputPixelsUnder(const QPainterPath& path,
                                         const QTransform& toDevice) const {
  const int samples = std::max(1, static_cast<int>(settings_.samplesPerPixel));
  const QRect onDevice = toDevice.mapRect(path.boundingRect()).toAlignedRect() &
                         QRect(0, 0, painter_->device()->width(), painter_->device()->height());
  if (onDevice.isEmpty()) return {};
  const int left = onDevice.left() / samples, top = onDevice.top() / samples;
  return QRect(QPoint(left, top), QPoint(onDevice.right() / samples, onDevice.bottom() / samples));
}

double QPainterBackend::flatteningTolerance(const QTransform& toDevice) const {
  // Curves are cut into lines as the reference player cuts them: within two
  // twips of the shape in its own units. A shape shown much larger is
  // followed more closely: within half a pixel without antialiasing, within
  // a tenth of an output pixel on a sample grid.
  constexpr double kShapeTolerance = 2, kAliasedPixels = 0.5, kSampledPixels = 0.1;
  const double samples = settings_.samplesPerPixel;
  const double onDevice = samples > 1 ? kSampledPixels * samples : kAliasedPixels;
  const double stretch = stretchRange(toDevice).most;
  return stretch > 0 ? std::min(kShapeTolerance, onDevice / stretch) : kShapeTolerance;
}

double QPainterBackend::lineTolerance(const QTransform& toDevice) const {
  return antialias_ ? curveTolerance(toDevice, settings_) : flatteningTolerance(toDevice);
}

QRegion QPainterBackend::coveredPixels(const QPainter& painter, const QPainterPath& path,
                                       double tolerance) const {
  const QTransform toDevice = painter.combinedTransform();
  CentreSampledArea area;
  area.add(path, toDevice, tolerance);
  return area.region(path.fillRule(), devicePixels(painter));
}

void QPainterBackend::clipTo(QPainter& painter, const QPainterPath& path) const {
  if (antialias_) {
    painter.setClipPath(path, Qt::IntersectClip);
    return;
  }
  const QRegion pixels =
      coveredPixels(painter, path, flatteningTolerance(painter.combinedTransform()));
  onDevicePixels(painter, [&] { painter.setClipRegion(pixels, Qt::IntersectClip); });
}

void QPainterBackend::fillArea(QPainter& painter, const QPainterPath& path, const QBrush& brush,
                               double tolerance) const {
  if (antialias_) {
    painter.fillPath(path, brush);
    return;
  }
  const QRegion pixels = coveredPixels(painter, path, tolerance);
  if (pixels.isEmpty()) return;
  QBrush onDevice = brush;
  onDevice.setTransform(brush.transform() * painter.combinedTransform());
  painter.save();
  onDevicePixels(painter, [&] {
    painter.setClipRegion(pixels, Qt::IntersectClip);
    painter.fillRect(pixels.boundingRect(), onDevice);
  });
  painter.restore();
}

const QImage* QPainterBackend::bitmapFor(const FillStyle& style,
                                         const ColorTransform& colorTransform) {
  if (style.kind != FillKind::Bitmap) return nullptr;
  const QImage* picture =
      style.scriptBitmap ? &style.scriptBitmap->image() : bitmaps_.find(style.bitmapId);
  if (picture && picture->isNull()) return nullptr;  // a disposed script bitmap
  return picture ? &caches_.tints.find(*picture, colorTransform) : nullptr;
}

// Paints one fill with the painter's transform mapping shape twips to the device.
void QPainterBackend::paintFill(QPainter& painter, const Fill& fill) {
  painter.setRenderHint(QPainter::SmoothPixmapTransform, fill.smooth);
  if (!fill.clipsBitmap) {
    fillArea(painter, fill.path, fill.brush, flatteningTolerance(painter.transform()));
    return;
  }
  painter.save();
  clipTo(painter, fill.path);
  const QTransform toShape = fill.brush.transform();
  painter.setTransform(toShape, true);
  const QImage& picture = fill.brush.textureImage();
  bool smooth = fill.smooth;
  if (const auto shift = smooth ? wholePixelMapping(painter.transform(), settings_.samplesPerPixel)
                                : std::nullopt) {
    painter.setTransform(*shift);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    smooth = false;
  }
  if (smooth) {
    // Interpolating reads half a pixel past each side: there the edge pixels
    // repeat too, instead of fading into nothing.
    painter.save();
    painter.setClipRect(QRectF(0, 0, picture.width(), picture.height()), Qt::IntersectClip);
    painter.drawImage(QPointF(-1, -1), withEdgesRepeated(picture));
    painter.restore();
  } else {
    painter.drawImage(QPointF(0, 0), picture);
  }
  paintClampedBorder(painter, picture, toShape.inverted().mapRect(fill.path.boundingRect()));
  painter.restore();
}

// The picture with a one pixel border repeating its edge pixels; the last one is kept.
const QImage& QPainterBackend::withEdgesRepeated(const QImage& picture) {
  if (caches_.paddedFrom == picture.cacheKey()) return caches_.padded;
  const int width = picture.width(), height = picture.height();
  QImage padded(width + 2, height + 2, QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&padded);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(1, 1, picture);
  const std::array<int, 3> from{0, 0, width - 1}, to{0, 1, width + 1};
  const std::array<int, 3> fromRow{0, 0, height - 1}, toRow{0, 1, height + 1};
  for (int column = 0; column < 3; ++column) {
    for (int row = 0; row < 3; ++row) {
      if (column == 1 && row == 1) continue;
      const int w = column == 1 ? width : 1, h = row == 1 ? height : 1;
      painter.drawImage(QRect(to[column], toRow[row], w, h), picture,
                        QRect(from[column], fromRow[row], w, h));
    }
  }
  painter.end();
  caches_.padded = std::move(padded);
  caches_.paddedFrom = picture.cacheKey();
  return caches_.padded;
}

// Around a clipped bitmap the edge pixels go on for ever: each side's row or
// column of pixels repeats outwards and each corner pixel fills its corner.
// `reach` is the area to cover in picture pixels. The painter maps picture
// pixels to the device; the pieces meet exactly, so they are drawn aliased.
void QPainterBackend::paintClampedBorder(QPainter& painter, const QImage& picture,
                                         const QRectF& reach) {
  const double width = picture.width(), height = picture.height();
  const double left = std::min(reach.left() - 1, 0.0), top = std::min(reach.top() - 1, 0.0);
  const double right = std::max(reach.right() + 1, width);
  const double bottom = std::max(reach.bottom() + 1, height);
  const std::array<double, 4> columns{left, 0, width, right};
  const std::array<double, 4> rows{top, 0, height, bottom};
  painter.setRenderHint(QPainter::Antialiasing, false);
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      if (row == 1 && column == 1) continue;  // the picture itself
      const QRectF cell(QPointF(columns[column], rows[row]),
                        QPointF(columns[column + 1], rows[row + 1]));
      if (cell.isEmpty()) continue;
      // The pixels along the picture's side (or its corner pixel) that this cell repeats.
      const int x = column == 0 ? 0 : picture.width() - 1;
      const int y = row == 0 ? 0 : picture.height() - 1;
      const QRect source(column == 1 ? 0 : x, row == 1 ? 0 : y, column == 1 ? picture.width() : 1,
                         row == 1 ? picture.height() : 1);
      painter.fillRect(cell, QBrush(picture.copy(source)));
    }
  }
}

// Antialiased one by one, two fills meeting along an edge each cover part of
// the edge's pixels, the second drawn over the first, and the background
// shows through the seam. So the fills go into a transparent scratch image
// first; there the seam pixels come out too transparent, and each pixel is
// made as opaque as the coverage of the layer's whole area says (an opaque
// layer's colours keep their mix). Then the scratch goes over the picture.
void QPainterBackend::drawJoinedFills(const std::vector<Fill>& fills, const QPainterPath& joined,
                                      const QTransform& toDevice, JoinedFillsKey key) {
  const QRect deviceRect = layers_.visibleArea();
  const QRect area =
      toDevice.mapRect(joined.controlPointRect()).toAlignedRect().adjusted(-1, -1, 1, 1) &
      deviceRect;
  if (area.isEmpty()) return;
  const QTransform toScratch = toDevice * QTransform::fromTranslate(-area.x(), -area.y());
  painter_->resetTransform();
  key.toPicture = {toScratch.m11(), toScratch.m12(), toScratch.m21(),
                   toScratch.m22(), toScratch.dx(),  toScratch.dy()};
  key.size = area.size();
  key.samplesPerPixel = settings_.samplesPerPixel;
  if (const QImage* kept = caches_.joinedFills.find(key)) {
    painter_->drawImage(area.topLeft(), *kept);
    return;
  }
  QImage& colours =
      scratchImage(caches_.fillLayer, area.size(), QImage::Format_ARGB32_Premultiplied);
  QImage& coverage = scratchImage(caches_.coverage, area.size(), QImage::Format_Alpha8);
  {
    QPainter layer(&colours);
    layer.setRenderHint(QPainter::Antialiasing);
    layer.setTransform(toScratch);
    for (const Fill& fill : fills) paintFill(layer, fill);
  }
  {
    QPainter layer(&coverage);
    layer.setRenderHint(QPainter::Antialiasing);
    layer.setTransform(toScratch);
    layer.fillPath(joined, Qt::black);
  }
  const QRect used(QPoint(0, 0), area.size());
  restoreCoverage(colours, coverage, used);
  QImage picture = colours.copy(used);
  painter_->drawImage(area.topLeft(), picture);
  caches_.joinedFills.keep(std::move(key), std::move(picture));
}

void QPainterBackend::drawStrokes(const Shape& shape, std::size_t layerIndex,
                                  const ShapePlacement& placement,
                                  const ColorTransform& colorTransform) {
  const ShapeLayer& layer = shape.layers[layerIndex];
  const LayerPaths& paths = caches_.paths.paths(shape).layers[layerIndex];
  const QTransform toDevice = placement.toDevice();
  for (std::size_t i = 0; i < paths.lines.size(); ++i) {
    if (paths.lines[i].isEmpty()) continue;
    const LineStyle& style = layer.lines[i];
    const QImage* bitmap = style.fill ? bitmapFor(*style.fill, colorTransform) : nullptr;
    const Stroke stroke = strokeFor(style, colorTransform, placement, settings_, bitmap);
    painter_->setRenderHint(QPainter::SmoothPixmapTransform,
                            style.fill && smoothsBitmap(*style.fill, settings_));
    // The stroke's outline, in the space spaceToDevice maps onto the device.
    QTransform spaceToDevice;
    QPainterPath area;
    switch (stroke.space) {
      case Stroke::Space::Shape:
        spaceToDevice = toDevice;
        area =
            caches_.paths.strokeOutline(shape, layerIndex, i, stroke.pen, lineTolerance(toDevice));
        break;
      case Stroke::Space::Parent:
        spaceToDevice = placement.parentToDevice;
        area = outline(placement.matrix.map(paths.lines[i]), stroke.pen,
                       lineTolerance(placement.parentToDevice));
        break;
      case Stroke::Space::Device:
        // Without antialiasing or a sample grid, thin lines are ordinary
        // lines one pixel wide; otherwise bands across their major axis.
        if (!antialias_ && settings_.samplesPerPixel == 1) {
          area = outline(toDevice.map(paths.lines[i]), stroke.pen,
                         curveTolerance(QTransform(), settings_));
        } else {
          area = bandOutline(toDevice.map(paths.lines[i]), stroke.pen.widthF(),
                             settings_.minimumStrokeWidth, endsRound(stroke.pen, settings_));
        }
        break;
    }
    painter_->setTransform(spaceToDevice);
    fillArea(*painter_, area,
             pixelCentredGradient(stroke.pen.brush(), spaceToDevice,
                                  static_cast<int>(settings_.samplesPerPixel),
                                  outputPixelsUnder(area, spaceToDevice), caches_.gradients),
             curveTolerance(spaceToDevice, settings_));
  }
}

void QPainterBackend::pushMask(std::span<const MaskPart> parts) {
  const auto forEachFill = [&](const auto& use) {
    for (const MaskPart& part : parts) {
      const auto& layers = caches_.paths.paths(*part.shape).layers;
      for (std::size_t i = part.firstLayer; i < layers.size(); ++i) {
        for (const QPainterPath& fill : layers[i].fills) {
          if (!fill.isEmpty()) use(fill, part.toDevice);
        }
      }
    }
  };
  painter_->save();
  painter_->resetTransform();
  if (antialias_) {
    QPainterPath area;
    area.setFillRule(Qt::WindingFill);
    forEachFill([&](const QPainterPath& fill, const QTransform& toDevice) {
      area.addPath(toDevice.map(fill));
    });
    painter_->setClipPath(area, Qt::IntersectClip);
    return;
  }
  // Each part's curves are cut into lines at its own size, as it is filled.
  const QTransform view = painter_->combinedTransform();
  CentreSampledArea area;
  forEachFill([&](const QPainterPath& fill, const QTransform& toDevice) {
    area.add(fill, toDevice * view, flatteningTolerance(toDevice));
  });
  const QRegion pixels = area.region(Qt::WindingFill, devicePixels(*painter_));
  onDevicePixels(*painter_, [&] { painter_->setClipRegion(pixels, Qt::IntersectClip); });
}

void QPainterBackend::popMask() { painter_->restore(); }

void QPainterBackend::beginGroup(const GroupEffects& group) {
  layers_.begin(group);
  painter_ = &layers_.painter();
}

void QPainterBackend::endGroup() {
  layers_.end();
  painter_ = &layers_.painter();
}

void QPainterBackend::forget(const Shape& shape) {
  caches_.paths.forget(shape);
  caches_.joinedFills.dropIf([&](const JoinedFillsKey& key) { return key.shape == &shape; });
}

}  // namespace quelvo::swf
