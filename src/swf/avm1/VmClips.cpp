#include <QStringList>

#include "swf/avm1/Vm.h"

namespace quelvo::swf::avm1 {

namespace {

// Parents are followed this far at most when composing a path.
constexpr int kMaxClipNesting = 1000;

// Instance names from the outermost clip inward, and whether the outermost is _level0.
QStringList clipNames(Host& host, ClipHandle clip, bool& fromRoot) {
  QStringList names;
  ClipHandle current = clip;
  for (int depth = 0; depth < kMaxClipNesting; ++depth) {
    const ClipHandle parent = host.parentClip(current);
    if (parent == kNoClip) break;
    const Value name = host.getProperty(current, ClipProperty::Name);
    names.prepend(name.isString() ? name.asString() : QString());
    current = parent;
  }
  fromRoot = current == host.rootClip();
  if (!fromRoot) {
    const Value name = host.getProperty(current, ClipProperty::Name);
    names.prepend(name.isString() ? name.asString() : QString());
  }
  return names;
}

}  // namespace

ClipObject* Vm::clipObject(ClipHandle clip) {
  if (clip == kNoClip) return nullptr;
  const auto found = clips_.find(clip);
  if (found != clips_.end()) return found->second;
  Object* proto = protos_.movieClip;
  if (protos_.textField && host_.isTextField(clip)) proto = protos_.textField;
  if (protos_.button && host_.isButton(clip)) proto = protos_.button;
  ClipObject* object = heap_.make<ClipObject>(proto, clip);
  clips_.emplace(clip, object);
  return object;
}

ClipHandle Vm::clipOf(const Value& value) {
  const Object* object = value.objectOrNull();
  if (object == nullptr || object->kind() != ObjectKind::Clip) return kNoClip;
  return static_cast<const ClipObject*>(object)->handle;
}

QString Vm::dotPath(ClipHandle clip) {
  bool fromRoot = false;
  const QStringList names = clipNames(host_, clip, fromRoot);
  QStringList parts = names;
  if (fromRoot) parts.prepend(QStringLiteral("_level0"));
  return parts.join(u'.');
}

QString Vm::slashPath(ClipHandle clip) {
  bool fromRoot = false;
  const QStringList names = clipNames(host_, clip, fromRoot);
  if (!fromRoot) return names.join(u'/');
  return QLatin1Char('/') + names.join(u'/');
}

Value Vm::getClipProperty(ClipHandle clip, ClipProperty property) {
  if (clip == kNoClip) return {};
  if (property == ClipProperty::Target) return Value::string(slashPath(clip));
  return host_.getProperty(clip, property);
}

void Vm::setClipProperty(ClipHandle clip, ClipProperty property, const Value& value) {
  if (clip == kNoClip || isReadOnly(property)) return;
  switch (clipPropertyType(property)) {
    case ClipPropertyType::Number:
      host_.setProperty(clip, property, Value::number(toNumber(value)));
      break;
    case ClipPropertyType::String:
      host_.setProperty(clip, property, Value::string(toString(value)));
      break;
    case ClipPropertyType::Boolean:
      host_.setProperty(clip, property, Value::boolean(toBoolean(value)));
      break;
  }
}

bool Vm::getClipSpecial(ClipObject& clip, const QString& name, Value& out) {
  if (!name.startsWith(u'_')) return false;
  if (const auto property = clipPropertyFromName(name)) {
    out = getClipProperty(clip.handle, *property);
    return true;
  }
  ClipHandle other = kNoClip;
  if (sameName(name, QStringLiteral("_parent"))) {
    other = host_.parentClip(clip.handle);
  } else if (sameName(name, QStringLiteral("_root"))) {
    other = host_.rootClip();
  } else if (name.startsWith(QStringLiteral("_level"), Qt::CaseInsensitive)) {
    bool ok = false;
    const int level = name.mid(6).toInt(&ok);
    if (ok && level >= 0) other = host_.levelClip(level);
  }
  if (other == kNoClip) return false;
  out = Value::object(clipObject(other));
  return true;
}

bool Vm::setClipSpecial(ClipObject& clip, const QString& name, const Value& value) {
  const auto property = clipPropertyFromName(name);
  if (!property) return false;
  setClipProperty(clip.handle, *property, value);
  return true;
}

}  // namespace quelvo::swf::avm1
