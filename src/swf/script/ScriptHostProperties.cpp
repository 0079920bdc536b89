// Clip properties.
#include <QLineF>
#include <cmath>
#include <numbers>

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

}  // namespace

Value ScriptHost::getProperty(ClipHandle handle, ClipProperty property) {
  const TimelineInstance* instance = clip(handle);
  if (!instance) {
    // A text field or button: what a clip takes from its timeline comes from the entry.
    if (auto value = entryGeometry(handle, property)) return *value;
  }
  const DisplayObject* object = instance ? instance->placement() : displayEntry(handle);
  if (!instance && !object) return {};
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
    case ClipProperty::Height:
      return *entryGeometry(handle, property);
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
      return Value::string(dropTarget(handle));
    case ClipProperty::Url:
    case ClipProperty::Target:
      return Value::string(QString());
  }
  return {};
}

std::optional<Value> ScriptHost::entryGeometry(ClipHandle handle, ClipProperty property) {
  switch (property) {
    case ClipProperty::Width:
    case ClipProperty::Height: {
      if (!clip(handle) && !displayEntry(handle)) return std::nullopt;
      const auto box = entryBounds(handle);
      if (!box) return Value::number(0);
      const double size = property == ClipProperty::Width ? box->width() : box->height();
      return Value::number(size / kTwipsPerPixel);
    }
    case ClipProperty::CurrentFrame:
    case ClipProperty::TotalFrames:
    case ClipProperty::FramesLoaded:
    case ClipProperty::XMouse:
    case ClipProperty::YMouse:
      if (clip(handle) || !displayEntry(handle)) return std::nullopt;
      return Value();
    default:
      return std::nullopt;
  }
}

void ScriptHost::setProperty(ClipHandle handle, ClipProperty property, const Value& value) {
  DisplayObject* object = displayEntry(handle);
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
      if (fieldPlace(handle)) {
        setFieldSize(handle, property, number);
        break;
      }
      const auto box = entryBounds(handle);
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

}  // namespace quelvo::swf
