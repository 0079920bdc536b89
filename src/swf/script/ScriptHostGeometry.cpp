// Clip geometry: bounds, coordinate spaces, hit tests, dragging and drop targets.
#include <algorithm>
#include <cmath>

#include "swf/bitmapdata/BitmapSurface.h"
#include "swf/geometry/Transforms.h"
#include "swf/runtime/ButtonInstance.h"
#include "swf/script/ScriptHost.h"
#include "swf/text/TextLibrary.h"

namespace quelvo::swf {

using avm1::ClipHandle;
using avm1::kNoClip;

namespace {

constexpr double kTwipsPerPixel = 20.0;

QRectF rectOf(const Rect& r) { return QRectF(QPointF(r.xMin, r.yMin), QPointF(r.xMax, r.yMax)); }

QRectF inPixels(const QRectF& twips) {
  return QRectF(twips.topLeft() / kTwipsPerPixel, twips.bottomRight() / kTwipsPerPixel);
}

void unite(std::optional<QRectF>& into, const QRectF& rect) {
  into = into ? into->united(rect) : rect;
}

bool hasEdges(const Shape& shape) {
  return std::any_of(shape.layers.begin(), shape.layers.end(),
                     [](const ShapeLayer& layer) { return !layer.edges.empty(); });
}

// A drawing's bounds are its edges'; its strokes reach half the widest line beyond them.
QRectF drawingRect(const Shape& drawing, bool strokes) {
  double widest = 0;
  for (const ShapeLayer& layer : drawing.layers) {
    for (const LineStyle& line : layer.lines)
      widest = std::max(widest, static_cast<double>(line.width));
  }
  const double reach = strokes ? widest / 2 : 0;
  return rectOf(drawing.bounds).adjusted(-reach, -reach, reach, reach);
}

}  // namespace

QTransform ScriptHost::toRoot(const TimelineInstance& clip) const {
  QTransform transform;
  for (const TimelineInstance* at = &clip; at->parent(); at = at->parent()) {
    if (const DisplayObject* object = at->placement()) transform *= toQTransform(object->matrix);
  }
  return transform;
}

std::optional<QRectF> ScriptHost::bounds(const TimelineInstance& clip, const QTransform& toSpace,
                                         bool strokes) const {
  std::optional<QRectF> result = bounds(clip.displayList(), toSpace, strokes);
  if (const Shape* drawing = clip.drawing(); drawing && hasEdges(*drawing)) {
    unite(result, toSpace.mapRect(drawingRect(*drawing, strokes)));
  }
  return result;
}

// A button counts with the state it shows.
std::optional<QRectF> ScriptHost::bounds(const DisplayList& list, const QTransform& toSpace,
                                         bool strokes) const {
  std::optional<QRectF> result;
  TextLibrary& texts = context_.library.text();
  for (const auto& [depth, object] : list.objects()) {
    const QTransform transform = toQTransform(object.matrix) * toSpace;
    if (object.sprite || object.button) {
      const auto inner = object.sprite ? bounds(*object.sprite, transform, strokes)
                                       : bounds(object.button->displayList(), transform, strokes);
      if (inner) unite(result, *inner);
      continue;
    }
    if (object.bitmap) {
      if (!object.bitmap->disposed())
        unite(result, transform.mapRect(object.bitmap->areaInTwips()));
      continue;
    }
    switch (shownKind(context_.library, object)) {
      case CharacterKind::Shape:
      case CharacterKind::MorphShape:
        if (const Shape* shape = context_.library.shapeAt(object.character, object.ratio)) {
          unite(result, transform.mapRect(rectOf(strokes ? shape->bounds : shape->edgeBounds)));
        }
        break;
      case CharacterKind::StaticText:
        if (const StaticText* text = texts.staticText(object.character)) {
          unite(result, transform.mapRect(rectOf(text->bounds)));
        }
        break;
      case CharacterKind::EditText: {
        const EditText* field = object.field && object.field->scripted
                                    ? &object.field->scripted->definition
                                    : texts.editText(object.character);
        if (field) unite(result, transform.mapRect(rectOf(field->bounds)));
        break;
      }
      default:
        break;
    }
  }
  return result;
}

std::optional<QRectF> ScriptHost::parentBounds(const TimelineInstance& clip) const {
  const DisplayObject* object = clip.placement();
  return bounds(clip, object ? toQTransform(object->matrix) : QTransform(), true);
}

std::optional<QRectF> ScriptHost::entryBounds(ClipHandle handle) {
  if (const TimelineInstance* instance = clip(handle)) {
    rebuildDrawings();
    return parentBounds(*instance);
  }
  if (const auto field = fieldPlace(handle)) {
    context_.fields.metrics(*field->state);  // an autosized field fits its text first
    return toQTransform(field->object->matrix).mapRect(rectOf(field->field->definition.bounds));
  }
  const auto button = buttonPlace(handle);
  if (!button || !button->object->button) return std::nullopt;
  return bounds(button->object->button->displayList(), toQTransform(button->object->matrix), true);
}

std::optional<QRectF> ScriptHost::clipBounds(ClipHandle handle, ClipHandle target, bool strokes) {
  const TimelineInstance* instance = clip(handle);
  const TimelineInstance* space = clip(target);
  if (!instance || !space) return std::nullopt;
  bool invertible = false;
  const QTransform fromRoot = toRoot(*space).inverted(&invertible);
  if (!invertible) return std::nullopt;
  rebuildDrawings();
  const auto box = bounds(*instance, toRoot(*instance) * fromRoot, strokes);
  return box ? std::optional(inPixels(*box)) : std::nullopt;
}

std::optional<QPointF> ScriptHost::mapPoint(ClipHandle handle, QPointF point, bool toStage) {
  const TimelineInstance* instance = clip(handle);
  if (!instance || !std::isfinite(point.x()) || !std::isfinite(point.y())) return std::nullopt;
  bool invertible = true;
  const QTransform transform =
      toStage ? toRoot(*instance) : toRoot(*instance).inverted(&invertible);
  if (!invertible) return std::nullopt;
  return transform.map(point * kTwipsPerPixel) / kTwipsPerPixel;
}

// A shape at the depth stands for the clip holding it.
ClipHandle ScriptHost::clipAtDepth(ClipHandle parent, int depth) {
  TimelineInstance* instance = clip(parent);
  const auto at = listDepth(depth);
  if (!instance || !at) return kNoClip;
  auto& objects = instance->displayList().objects();
  const auto found = objects.find(*at);
  if (found == objects.end()) return kNoClip;
  DisplayObject& object = found->second;
  if (object.sprite) return object.sprite->id();
  if (shownKind(context_.library, object) == CharacterKind::EditText) {
    return reachField(*instance, object);
  }
  if (object.button) return reachButton(*instance, *object.button);
  return parent;
}

int ScriptHost::swfVersionOf(ClipHandle handle) {
  return clip(handle) || displayEntry(handle) ? movie_->version() : -1;
}

// --- Hit tests

bool ScriptHost::hitTestPoint(ClipHandle handle, double x, double y, bool shape) {
  const TimelineInstance* instance = clip(handle);
  if (!instance || !std::isfinite(x) || !std::isfinite(y)) return false;
  rebuildDrawings();
  const QPointF point(x * kTwipsPerPixel, y * kTwipsPerPixel);
  if (shape) return hits_.clipContains(*instance, toRoot(*instance), point);
  const auto box = bounds(*instance, toRoot(*instance), true);
  return box && box->contains(point);
}

bool ScriptHost::hitTestClip(ClipHandle handle, ClipHandle other) {
  const TimelineInstance* a = clip(handle);
  const TimelineInstance* b = clip(other);
  if (!a || !b) return false;
  rebuildDrawings();
  const auto boxA = bounds(*a, toRoot(*a), true);
  const auto boxB = bounds(*b, toRoot(*b), true);
  return boxA && boxB && boxA->intersects(*boxB);
}

// --- Dragging

void ScriptHost::startDrag(ClipHandle handle, const avm1::DragOptions& options) {
  const TimelineInstance* instance = clip(handle);
  const DisplayObject* object = instance ? instance->placement() : nullptr;
  if (!object) return;
  drag_ = Drag{handle, options, 0, 0};
  if (!options.lockCenter) {
    const QPointF pointer =
        toRoot(*instance->parent()).inverted().map(QPointF(pointerX_, pointerY_));
    drag_.offsetX = object->matrix.translateX - pointer.x();
    drag_.offsetY = object->matrix.translateY - pointer.y();
  }
  // A locked centre and the bounds apply at once, not at the next move.
  moveDrag();
}

void ScriptHost::stopDrag() {
  if (clip(drag_.clip)) {
    rebuildDrawings();
    dropTargets_[drag_.clip] =
        clipUnder(root_, QTransform(), QPointF(pointerX_, pointerY_), drag_.clip, 0)
            .value_or(kNoClip);
  }
  drag_ = {};
}

bool ScriptHost::moveDrag() {
  TimelineInstance* instance = clip(drag_.clip);
  DisplayObject* object = instance ? instance->placement() : nullptr;
  if (!object) return false;
  const QPointF pointer = toRoot(*instance->parent()).inverted().map(QPointF(pointerX_, pointerY_));
  double x = pointer.x() + drag_.offsetX;
  double y = pointer.y() + drag_.offsetY;
  const avm1::DragOptions& o = drag_.options;
  if (o.constrained) {
    x = std::clamp(x, std::min(o.left, o.right) * kTwipsPerPixel,
                   std::max(o.left, o.right) * kTwipsPerPixel);
    y = std::clamp(y, std::min(o.top, o.bottom) * kTwipsPerPixel,
                   std::max(o.top, o.bottom) * kTwipsPerPixel);
  }
  object->matrix.translateX = x;
  object->matrix.translateY = y;
  object->scriptLocked = true;
  return true;
}

// The innermost clip whose own shapes are topmost under point; kNoClip when
// that is a shape of timeline itself, nothing when nothing is there.
std::optional<ClipHandle> ScriptHost::clipUnder(TimelineInstance& timeline,
                                                const QTransform& toStage, QPointF point,
                                                ClipHandle skipped, int nesting) {
  if (nesting > PlayContext::kMaxNesting) return std::nullopt;
  const auto& objects = timeline.displayList().objects();
  for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
    const DisplayObject& object = it->second;
    if (object.clipDepth != 0 || (object.sprite && object.sprite->id() == skipped)) continue;
    if (!object.sprite) {
      if (hits_.contains(object, toStage, point)) return kNoClip;
      continue;
    }
    // Children first, so a skipped child does not count for its parent.
    const QTransform transform = toQTransform(object.matrix) * toStage;
    if (!object.visible) continue;
    const auto inner = clipUnder(*object.sprite, transform, point, skipped, nesting + 1);
    if (inner) return *inner != kNoClip ? *inner : object.sprite->id();
    const Shape* drawing = object.sprite->drawing();
    if (drawing && hits_.shapeContains(*drawing, transform, point)) return object.sprite->id();
  }
  return std::nullopt;
}

QString ScriptHost::dropTarget(ClipHandle handle) {
  const auto found = dropTargets_.find(handle);
  if (found == dropTargets_.end() || !clip(found->second)) return {};
  return vm_->slashPath(found->second);
}

}  // namespace quelvo::swf
