#pragma once

#include <QBrush>
#include <QImage>
#include <QPainter>
#include <array>
#include <cstdint>
#include <vector>

#include "swf/bitmap/BitmapLibrary.h"
#include "swf/geometry/ShapePaths.h"
#include "swf/render/BitmapTints.h"
#include "swf/render/GradientTextures.h"
#include "swf/render/LayerStack.h"
#include "swf/render/RecentPictures.h"
#include "swf/render/RenderBackend.h"
#include "swf/render/ShapePaint.h"

namespace quelvo::swf {

// Draws with a QPainter on an image: each layer's fills, then its strokes;
// masks become clip paths; groups are drawn on layers of their own. A
// clipped bitmap fill draws its picture once, clipped to the fill's area,
// and its edge pixels stretch out beyond it. Leaves the painter's state as
// it found it once every mask is popped.
class QPainterBackend : public RenderBackend {
 public:
  // Everything a shape layer's joined fills (see drawJoinedFills) look like
  // depends on.
  struct JoinedFillsKey {
    const Shape* shape = nullptr;
    std::uint64_t transientKey = 0;
    std::size_t layer = 0;
    ColorTransform colours;
    std::array<double, 6> toPicture{};  // the shape's transform onto the picture
    QSize size;
    double samplesPerPixel = 1;
    bool operator==(const JoinedFillsKey&) const = default;
  };

  // What outlives one frame: paths per shape, colour-transformed bitmaps,
  // pictures of joined fills, and scratch images for joining them.
  struct Caches {
    ShapePathCache paths;
    BitmapTints tints;
    GradientTextures gradients;
    RecentPictures<JoinedFillsKey> joinedFills{8 * 1024 * 1024};
    QImage fillLayer;
    QImage coverage;
    QImage padded;  // the last smoothed clipped bitmap, its edges repeated
    qint64 paddedFrom = 0;
  };

  QPainterBackend(QPainter& painter, Caches& caches, BitmapLibrary& bitmaps, bool antialias,
                  const PaintSettings& settings);

  void drawShape(const Shape& shape, const ShapePlacement& placement,
                 const ColorTransform& colorTransform) override;
  void drawPicture(const QImage& picture, const QRectF& area, const ShapePlacement& placement,
                   const ColorTransform& colorTransform, bool smooth) override;
  void pushMask(std::span<const MaskPart> parts) override;
  void popMask() override;
  void beginGroup(const GroupEffects& group) override;
  void endGroup() override;
  void forget(const Shape& shape) override;

 private:
  struct Fill {
    QPainterPath path;
    QBrush brush;
    bool smooth = false;       // interpolates a bitmap's pixels
    bool clipsBitmap = false;  // draws the brush's picture once instead of tiling it
  };

  QRect outputPixelsUnder(const QPainterPath& path, const QTransform& toDevice) const;
  // How closely curves are followed when drawn without antialiasing, in the
  // units toDevice maps from.
  double flatteningTolerance(const QTransform& toDevice) const;
  // How closely stroked lines follow their curves before the pen goes round them.
  double lineTolerance(const QTransform& toDevice) const;
  // The pixels whose centres path covers as the painter's transform places
  // it, its curves followed within tolerance (see CentreSampledArea).
  QRegion coveredPixels(const QPainter& painter, const QPainterPath& path, double tolerance) const;
  // Without antialiasing both cover the covered pixels; with it, the path's
  // exact area.
  void clipTo(QPainter& painter, const QPainterPath& path) const;
  void fillArea(QPainter& painter, const QPainterPath& path, const QBrush& brush,
                double tolerance) const;
  // The picture of a bitmap fill with the colour transform applied, if it has one.
  const QImage* bitmapFor(const FillStyle& style, const ColorTransform& colorTransform);
  void paintFill(QPainter& painter, const Fill& fill);
  const QImage& withEdgesRepeated(const QImage& picture);
  static void paintClampedBorder(QPainter& painter, const QImage& picture, const QRectF& reach);

  void drawFills(const Shape& shape, std::size_t layer, const QTransform& toDevice,
                 const ColorTransform& colorTransform);
  // Opaque fills drawn together on a picture of their own, so that where they
  // meet no background shows through their antialiased edges. The picture is
  // kept, and drawn again while nothing it depends on changes.
  void drawJoinedFills(const std::vector<Fill>& fills, const QPainterPath& joined,
                       const QTransform& toDevice, JoinedFillsKey key);
  void drawStrokes(const Shape& shape, std::size_t layer, const ShapePlacement& placement,
                   const ColorTransform& colorTransform);

  LayerStack layers_;
  QPainter* painter_;  // the top surface's
  Caches& caches_;
  BitmapLibrary& bitmaps_;
  bool antialias_;
  PaintSettings settings_;
};

}  // namespace quelvo::swf
