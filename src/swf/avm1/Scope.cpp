#include "swf/avm1/Scope.h"

#include <QStringList>

#include "swf/avm1/Vm.h"

namespace quelvo::swf::avm1 {

Object* ScopeResolver::baseObject() {
  return frame_.scope.empty() ? vm_.global() : frame_.scope.front();
}

Value ScopeResolver::currentTarget() { return Value::object(vm_.clipObject(frame_.target)); }

Object* ScopeResolver::makeSuper() {
  Object* self = frame_.thisValue.objectOrNull();
  if (!frame_.superAllowed || self == nullptr) return nullptr;
  Object* home = frame_.home != nullptr ? frame_.home : self->proto();
  if (home == nullptr) return nullptr;
  Object* constructor =
      vm_.getMember(Value::object(home), QStringLiteral("__constructor__")).objectOrNull();
  return vm_.heap().make<SuperObject>(nullptr, self, home->proto(), constructor);
}

bool ScopeResolver::special(const QString& name, Value& out) {
  if (vm_.sameName(name, QStringLiteral("this"))) {
    out = frame_.thisValue;
    return true;
  }
  if (vm_.sameName(name, QStringLiteral("_global"))) {
    out = Value::object(vm_.global());
    return true;
  }
  if (vm_.sameName(name, QStringLiteral("_root"))) {
    out = Value::object(vm_.clipObject(vm_.host().rootClip()));
    return true;
  }
  if (name.startsWith(QStringLiteral("_level"), Qt::CaseInsensitive)) {
    bool ok = false;
    const int level = name.mid(6).toInt(&ok);
    if (ok && level >= 0) {
      out = Value::object(vm_.clipObject(vm_.host().levelClip(level)));
      return true;
    }
  }
  if (vm_.sameName(name, QStringLiteral("super")) && frame_.superAllowed) {
    out = Value::object(makeSuper());
    return true;
  }
  return false;
}

Value ScopeResolver::lookup(const QString& name) {
  Value found;
  if (special(name, found)) return found;
  for (auto link = frame_.scope.rbegin(); link != frame_.scope.rend(); ++link) {
    if (vm_.hasProperty(*link, name)) return vm_.getMember(Value::object(*link), name);
  }
  return vm_.getMember(Value::object(vm_.global()), name);
}

Value ScopeResolver::resolveTarget(const QString& path) {
  if (path.isEmpty()) return currentTarget();
  if (path.contains(u'/')) {
    Value current = path.startsWith(u'/') ? Value::object(vm_.clipObject(vm_.host().rootClip()))
                                          : currentTarget();
    for (const QString& segment : path.split(u'/', Qt::SkipEmptyParts)) {
      if (!current.isObject()) return {};
      if (segment == QLatin1String("..")) {
        current = vm_.getMember(current, QStringLiteral("_parent"));
      } else if (segment != QLatin1String(".")) {
        current = vm_.getMember(current, segment);
      }
    }
    return current;
  }
  const QStringList segments = path.split(u'.');
  Value current = lookup(segments.front());
  for (qsizetype i = 1; i < segments.size(); ++i) {
    if (current.isNullish()) return {};
    current = vm_.getMember(current, segments[i]);
  }
  return current;
}

ClipHandle ScopeResolver::clipFor(const Value& target) {
  if (target.isObject()) return Vm::clipOf(target);
  return Vm::clipOf(resolveTarget(vm_.toString(target)));
}

bool ScopeResolver::splitPath(const QString& path, Value& owner, QString& name) {
  QChar separator = u':';
  qsizetype split = path.lastIndexOf(separator);
  if (split < 0 && path.contains(u'/')) split = path.lastIndexOf(separator = u'/');
  if (split < 0) split = path.lastIndexOf(separator = u'.');
  if (split < 0) return false;
  QString targetPart = path.left(split);
  if (targetPart.isEmpty() && separator == u'/') targetPart = QStringLiteral("/");
  owner = resolveTarget(targetPart);
  name = path.mid(split + 1);
  return true;
}

Value ScopeResolver::get(const QString& path) {
  if (!path.contains(u':')) {
    // "/a/b" and "../b" name a clip; a plain name is a variable.
    if (path.contains(u'/')) return resolveTarget(path);
    if (!path.contains(u'.')) return lookup(path);
  }
  Value owner;
  QString name;
  if (!splitPath(path, owner, name) || owner.isNullish()) return {};
  return vm_.getMember(owner, name);
}

void ScopeResolver::set(const QString& path, const Value& value) {
  Value owner;
  QString name;
  if (splitPath(path, owner, name)) {
    if (Object* object = owner.objectOrNull()) vm_.setMember(object, name, value);
    return;
  }
  for (auto link = frame_.scope.rbegin(); link != frame_.scope.rend(); ++link) {
    if (vm_.hasProperty(*link, path)) {
      vm_.setMember(*link, path, value);
      return;
    }
  }
  vm_.setMember(baseObject(), path, value);
}

void ScopeResolver::defineLocal(const QString& name, const Value& value) {
  if (frame_.activation != nullptr) {
    vm_.addProperty(frame_.activation, name).value = value;
  } else {
    vm_.setMember(baseObject(), name, value);
  }
}

bool ScopeResolver::remove(const QString& name) {
  for (auto link = frame_.scope.rbegin(); link != frame_.scope.rend(); ++link) {
    if ((*link)->properties().find(name) != nullptr) return vm_.deleteMember(*link, name);
  }
  return vm_.deleteMember(vm_.global(), name);
}

}  // namespace quelvo::swf::avm1
