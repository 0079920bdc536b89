// The Stage object's view of the player, and Color objects' colour transforms.
#include <algorithm>
#include <cmath>

#include "swf/script/ScriptHost.h"

namespace quelvo::swf {

using avm1::ClipHandle;

namespace {

// View sizes past this are taken as this (pixels).
constexpr double kMaxViewPixels = 1 << 16;

double viewPixels(double size) {
  return std::isfinite(size) ? std::clamp(std::round(size), 0.0, kMaxViewPixels) : 0.0;
}

}  // namespace

std::pair<double, double> ScriptHost::stageSize(bool view) {
  if (view && viewSize_) return *viewSize_;
  return {movie_->widthPixels(), movie_->heightPixels()};
}

bool ScriptHost::setViewSize(double width, double height) {
  const std::pair<double, double> size{viewPixels(width), viewPixels(height)};
  const std::pair<double, double> before = stageSize(true);
  viewSize_ = size;
  if (size == before || stage_.scale != avm1::StageScale::NoScale) return false;
  const bool heard = vm_->broadcast(QStringLiteral("Stage"), QStringLiteral("onResize"));
  return runPending(false) || heard;
}

// The root has no entry of its own to colour: it reads as untouched.
std::optional<ColorTransform> ScriptHost::colorTransform(ClipHandle handle) {
  const DisplayObject* object = displayEntry(handle);
  if (!object && !clip(handle)) return std::nullopt;
  return object ? object->colorTransform : ColorTransform{};
}

void ScriptHost::setColorTransform(ClipHandle handle, const ColorTransform& transform) {
  DisplayObject* object = displayEntry(handle);
  if (object == nullptr) return;
  object->colorTransform = transform;
  // The timeline no longer sets what a script set.
  object->scriptLocked = true;
}

}  // namespace quelvo::swf
