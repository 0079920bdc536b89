// Clip properties, geometry, hit tests and dragging.
#include <QLineF>
#include <cmath>
#include <numbers>

#include "swf/bitmapdata/BitmapSurface.h"
#include "swf/geometry/Transforms.h"
#include "swf/script/ScriptHost.h"

namespace quelvo::swf {

using avm1::ClipHandle;
using avm1::ClipProperty;
using avm1::Value;

namespace {

constexpr double kTwipsPerPixel = 20.0;
constexpr double kDegrees = 180.0 / std::numbers::pi;

double xScale(const Matrix& m) { return std::hypot(m.scaleX, m.rotateSkew0); }
double yScale(const Matrix& m) { return std::hypot(m.rotateSkew1, m.scaleY); }
double xAngle(const Matrix& m) { return std::atan2(m.rotateSkew0, m.scaleX); }
double yAngle(const Matrix& m) { return std::atan2(-m.rotateSkew1, m.scaleY); }

// Sets the axes' lengths and angles, keeping the skew between them.
void setAxes(Matrix& m, double sx, double sy, double angleX, double angleY) {
  m.scaleX = sx * std::cos(angleX);
  m.rotateSkew0 = sx * std::sin(angleX);
  m.rotateSkew1 = -sy * std::sin(angleY);
  m.scaleY = sy * std::cos(angleY);
}

QRectF rectOf(const Rect& r) { return QRectF(QPointF(r.xMin, r.yMin), QPointF(r.xMax, r.yMax)); }

void unite(std::optional<QRectF>& into, const QRectF& rect) {
  into = into ? into->united(rect) : rect;
}

}  // namespace

QTransform ScriptHost::toRoot(const TimelineInstance& clip) const {
  QTransform transform;
  for (const TimelineInstance* at = &clip; at->parent(); at = at->parent()) {
    if (const DisplayObject* object = at->placement()) transform *= toQTransform(object->matrix);
  }
  return transform;
}

std::optional<QRectF> ScriptHost::bounds(const TimelineInstance& clip,
                                         const QTransform& toSpace) const {
  std::optional<QRectF> result;
  if (const Shape* drawing = clip.drawing(); drawing && !drawing->layers.empty()) {
    unite(result, toSpace.mapRect(rectOf(drawing->bounds)));
  }
  for (const auto& [depth, object] : clip.displayList().objects()) {
    const QTransform transform = toQTransform(object.matrix) * toSpace;
    if (object.sprite) {
      if (const auto inner = bounds(*object.sprite, transform)) unite(result, *inner);
    } else if (object.bitmap && !object.bitmap->disposed()) {
      unite(result, transform.mapRect(object.bitmap->areaInTwips()));
    } else if (const Shape* shape = context_.library.shape(object.character)) {
      unite(result, transform.mapRect(rectOf(shape->bounds)));
    }
  }
  return result;
}

std::optional<QRectF> ScriptHost::parentBounds(const TimelineInstance& clip) const {
  const DisplayObject* object = clip.placement();
  return bounds(clip, object ? toQTransform(object->matrix) : QTransform());
}

Value ScriptHost::getProperty(ClipHandle handle, ClipProperty property) {
  const TimelineInstance* instance = clip(handle);
  if (!instance) {
    // A text field: what a clip takes from its timeline comes from the field.
    if (auto value = fieldGeometry(handle, property)) return *value;
  }
  const auto field = instance ? std::nullopt : fieldPlace(handle);
  if (!instance && !field) return {};
  const DisplayObject* object = instance ? instance->placement() : field->object;
  const Matrix m = object ? object->matrix : Matrix{};
  switch (property) {
    case ClipProperty::X:
      return Value::number(m.translateX / kTwipsPerPixel);
    case ClipProperty::Y:
      return Value::number(m.translateY / kTwipsPerPixel);
    case ClipProperty::XScale:
      return Value::number(xScale(m) * 100);
    case ClipProperty::YScale:
      return Value::number(yScale(m) * 100);
    case ClipProperty::Rotation:
      return Value::number(xAngle(m) * kDegrees);
    case ClipProperty::Alpha:
      return Value::number(object ? object->colorTransform.multiply[3] * 100 : 100);
    case ClipProperty::Visible:
      return Value::boolean(!object || object->visible);
    case ClipProperty::Width:
    case ClipProperty::Height: {
      const auto box = parentBounds(*instance);
      if (!box) return Value::number(0);
      const double size = property == ClipProperty::Width ? box->width() : box->height();
      return Value::number(size / kTwipsPerPixel);
    }
    case ClipProperty::CurrentFrame:
      return Value::number(static_cast<double>(
          (instance == &root_ ? playhead_.current() : instance->currentFrame()) + 1));
    case ClipProperty::TotalFrames:
    case ClipProperty::FramesLoaded:
      return Value::number(static_cast<double>(instance->frameCount()));
    case ClipProperty::Name:
      return Value::string(object ? decode(object->name) : QString());
    case ClipProperty::XMouse:
    case ClipProperty::YMouse: {
      const QPointF local = toRoot(*instance).inverted().map(QPointF(pointerX_, pointerY_));
      return Value::number((property == ClipProperty::XMouse ? local.x() : local.y()) /
                           kTwipsPerPixel);
    }
    case ClipProperty::HighQuality:
    case ClipProperty::FocusRect:
      return Value::number(1);
    case ClipProperty::SoundBufTime:
      return Value::number(5);
    case ClipProperty::Quality:
      return Value::string(QStringLiteral("HIGH"));
    case ClipProperty::DropTarget:
    case ClipProperty::Url:
    case ClipProperty::Target:
      return Value::string(QString());
  }
  return {};
}

void ScriptHost::setProperty(ClipHandle handle, ClipProperty property, const Value& value) {
  TimelineInstance* instance = clip(handle);
  const auto field = instance ? std::nullopt : fieldPlace(handle);
  DisplayObject* object = instance ? instance->placement() : field ? field->object : nullptr;
  if (!object) return;
  const double number = value.isNumber() ? value.asNumber() : 0;
  if (property != ClipProperty::Name && property != ClipProperty::Visible &&
      !std::isfinite(number)) {
    return;
  }
  Matrix& m = object->matrix;
  switch (property) {
    case ClipProperty::X:
      m.translateX = number * kTwipsPerPixel;
      break;
    case ClipProperty::Y:
      m.translateY = number * kTwipsPerPixel;
      break;
    case ClipProperty::XScale:
      setAxes(m, number / 100, yScale(m), xAngle(m), yAngle(m));
      break;
    case ClipProperty::YScale:
      setAxes(m, xScale(m), number / 100, xAngle(m), yAngle(m));
      break;
    case ClipProperty::Rotation: {
      const double angle = std::fmod(number, 360.0) / kDegrees;
      setAxes(m, xScale(m), yScale(m), angle, angle + yAngle(m) - xAngle(m));
      break;
    }
    case ClipProperty::Alpha:
      object->colorTransform.multiply[3] = number / 100;
      break;
    case ClipProperty::Visible:
      object->visible = value.asBoolean();
      break;
    case ClipProperty::Width:
    case ClipProperty::Height: {
      if (!instance) {
        setFieldSize(handle, property, number);
        break;
      }
      const auto box = parentBounds(*instance);
      const bool width = property == ClipProperty::Width;
      const double size = box ? (width ? box->width() : box->height()) : 0;
      if (size <= 0) return;
      const double factor = number * kTwipsPerPixel / size;
      if (width) {
        setAxes(m, xScale(m) * factor, yScale(m), xAngle(m), yAngle(m));
      } else {
        setAxes(m, xScale(m), yScale(m) * factor, xAngle(m), yAngle(m));
      }
      break;
    }
    case ClipProperty::Name:
      object->name = value.asString().toStdString();
      return;
    default:
      return;
  }
  object->scriptLocked = true;
}

// --- Hit tests and dragging

bool ScriptHost::hitTestPoint(ClipHandle handle, double x, double y, bool) {
  const TimelineInstance* instance = clip(handle);
  if (!instance) return false;
  const auto box = bounds(*instance, toRoot(*instance));
  return box && box->contains(QPointF(x * kTwipsPerPixel, y * kTwipsPerPixel));
}

bool ScriptHost::hitTestClip(ClipHandle handle, ClipHandle other) {
  const TimelineInstance* a = clip(handle);
  const TimelineInstance* b = clip(other);
  if (!a || !b) return false;
  const auto boxA = bounds(*a, toRoot(*a));
  const auto boxB = bounds(*b, toRoot(*b));
  return boxA && boxB && boxA->intersects(*boxB);
}

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
}

void ScriptHost::stopDrag() { drag_ = {}; }

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

}  // namespace quelvo::swf
