// BitmapData for scripts: library bitmaps by export name, bitmaps attached
// to clips, and clips drawn into bitmaps.
#include "swf/bitmapdata/BitmapColor.h"
#include "swf/render/QPainterBackend.h"
#include "swf/scene/SceneRenderer.h"
#include "swf/script/ScriptHost.h"

namespace quelvo::swf {

using avm1::ClipHandle;

QImage ScriptHost::exportedBitmap(const QString& name) {
  const auto character = exported(name);
  if (!character) return {};
  const QImage* picture = context_.library.bitmaps().find(*character);
  return picture ? *picture : QImage();
}

void ScriptHost::attachBitmap(ClipHandle handle, std::shared_ptr<const BitmapSurface> bitmap,
                              int depth, bool smoothing) {
  TimelineInstance* instance = clip(handle);
  const auto at = listDepth(depth);
  if (!instance || !at || !bitmap) return;
  DisplayObject object;
  object.byScript = true;
  object.scriptLocked = true;
  object.bitmap = std::move(bitmap);
  object.bitmapSmoothing = smoothing;
  auto& objects = instance->displayList().objects();
  objects.erase(*at);  // what was at the depth gives way, as for attached clips
  objects.emplace(*at, std::move(object));
}

void ScriptHost::drawClip(ClipHandle handle, BitmapSurface& target, const BitmapDraw& settings) {
  const TimelineInstance* instance = clip(handle);
  if (!instance || target.disposed()) return;
  rebuildDrawings();
  // The clip's twips to the target's pixels.
  const QTransform toTarget = QTransform::fromScale(1 / 20.0, 1 / 20.0) * settings.matrix;
  DrawList list;
  SceneRenderer(context_.library, context_.fields, list).render(*instance, toTarget);
  const auto paintList = [&](QPainter& painter) {
    QPainterBackend::Caches caches;
    QPainterBackend backend(painter, caches, context_.library.bitmaps(), true, PaintSettings{});
    list.replay(backend);
  };
  if (settings.colorTransform.isIdentity()) {
    paintInto(target, settings, paintList);
    return;
  }
  // A colour transform tints what the clip draws, not what is below it:
  // the clip goes to a clear layer first.
  QImage layer(target.width(), target.height(), QImage::Format_ARGB32_Premultiplied);
  if (layer.isNull()) return;
  layer.fill(Qt::transparent);
  {
    QPainter painter(&layer);
    paintList(painter);
  }
  transformPixels(layer, target.bounds(), settings.colorTransform, true);
  paintInto(target, settings, [&](QPainter& painter) { painter.drawImage(0, 0, layer); });
}

}  // namespace quelvo::swf
