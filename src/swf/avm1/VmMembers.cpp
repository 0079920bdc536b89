#include <QSet>
#include <cmath>

#include "swf/avm1/NumberText.h"
#include "swf/avm1/Vm.h"

namespace quelvo::swf::avm1 {

namespace {

// Prototype chains are followed this far at most, so a cycle made through
// __proto__ cannot hang a lookup.
constexpr int kMaxChain = 256;

const QString kProtoName = QStringLiteral("__proto__");
const QString kLengthName = QStringLiteral("length");

}  // namespace

bool Vm::sameName(const QString& a, const QString& b) const {
  return a.compare(b, heap_.caseSensitive() ? Qt::CaseSensitive : Qt::CaseInsensitive) == 0;
}

Object* Vm::newObject(Object* proto) {
  return heap_.make<Object>(proto != nullptr ? proto : protos_.object);
}

ArrayObject* Vm::newArray(std::vector<Value> elements, Object* proto) {
  reserveArray(0, elements.size());
  ArrayObject* array = heap_.make<ArrayObject>(proto != nullptr ? proto : protos_.array);
  array->elements = std::move(elements);
  return array;
}

NativeFunction* Vm::newNative(NativeFn fn) {
  return heap_.make<NativeFunction>(protos_.function, fn);
}

void Vm::attachPrototype(Object* constructor, Object* prototype) {
  defineValue(constructor, QStringLiteral("prototype"), Value::object(prototype));
  defineValue(prototype, QStringLiteral("constructor"), Value::object(constructor));
}

void Vm::defineMethod(Object* target, const QString& name, NativeFn fn) {
  defineValue(target, name, Value::object(newNative(fn)));
}

void Vm::defineValue(Object* target, const QString& name, const Value& value, std::uint8_t flags) {
  Property& property = target->properties().findOrAdd(name);
  property.value = value;
  property.flags = flags;
  property.getter = property.setter = nullptr;
}

bool Vm::findProperty(Object* start, const QString& name, Object*& holder, Property*& property) {
  int hops = 0;
  for (Object* object = start; object != nullptr && hops < kMaxChain;
       object = object->proto(), ++hops) {
    if (Property* found = object->properties().find(name)) {
      holder = object;
      property = found;
      return true;
    }
  }
  return false;
}

Value Vm::readProperty(const Value& receiver, Object*, Property& property) {
  if (!property.isAccessor()) return property.value;
  Object* getter = property.getter;  // the call may change the property map
  return call(Value::object(getter), receiver, {});
}

bool Vm::getSpecial(Object* target, const QString& name, Value& out) {
  if (sameName(name, kProtoName)) {
    out = target->proto() != nullptr ? Value::object(target->proto()) : Value();
    return true;
  }
  switch (target->kind()) {
    case ObjectKind::Array: {
      const auto& elements = static_cast<ArrayObject*>(target)->elements;
      if (sameName(name, kLengthName)) {
        out = Value::number(static_cast<double>(elements.size()));
        return true;
      }
      if (const auto index = arrayIndex(name); index && *index < elements.size()) {
        out = elements[*index];
        return true;
      }
      return false;
    }
    case ObjectKind::String:
      if (sameName(name, kLengthName)) {
        const Value& text = static_cast<PrimitiveObject*>(target)->primitive;
        out = Value::number(static_cast<double>(text.asString().size()));
        return true;
      }
      return false;
    case ObjectKind::Clip:
      return getClipSpecial(*static_cast<ClipObject*>(target), name, out);
    default:
      return false;
  }
}

bool Vm::setSpecial(Object* target, const QString& name, const Value& value) {
  switch (target->kind()) {
    case ObjectKind::Array: {
      auto* array = static_cast<ArrayObject*>(target);
      if (sameName(name, kLengthName)) {
        setArrayLength(*array, toNumber(value));
        return true;
      }
      if (const auto index = arrayIndex(name)) {
        if (*index >= array->elements.size()) {
          reserveArray(array->elements.size(), std::size_t{*index} + 1);
          array->elements.resize(std::size_t{*index} + 1);
        }
        array->elements[*index] = value;
        return true;
      }
      return false;
    }
    case ObjectKind::String:
      return sameName(name, kLengthName);
    case ObjectKind::Clip:
      return setClipSpecial(*static_cast<ClipObject*>(target), name, value);
    default:
      return false;
  }
}

void Vm::setArrayLength(ArrayObject& array, double length) {
  if (!(length >= 0) || length != std::floor(length) || length >= 4294967296.0) return;
  reserveArray(array.elements.size(), static_cast<std::size_t>(length));
  array.elements.resize(static_cast<std::size_t>(length));
}

bool Vm::setProto(Object* target, const Value& proto) {
  Object* next = proto.objectOrNull();
  if (proto.isObject()) {
    // Refuse a link that would close a cycle.
    int hops = 0;
    for (Object* link = next; link != nullptr && hops < kMaxChain; link = link->proto(), ++hops) {
      if (link == target) return false;
    }
  } else if (!proto.isNullish()) {
    return false;
  }
  target->setProto(next);
  return true;
}

Value Vm::getMember(const Value& target, const QString& name) {
  Object* start = nullptr;
  switch (target.type()) {
    case Value::Type::Undefined:
    case Value::Type::Null:
      return {};
    case Value::Type::Boolean:
      start = protos_.boolean;
      break;
    case Value::Type::Number:
      start = protos_.number;
      break;
    case Value::Type::String:
      if (sameName(name, kLengthName))
        return Value::number(static_cast<double>(target.asString().size()));
      start = protos_.string;
      break;
    case Value::Type::Object: {
      Object* object = target.asObject();
      if (object->kind() == ObjectKind::Super) {
        auto* super = static_cast<SuperObject*>(object);
        Object* holder = nullptr;
        Property* property = nullptr;
        if (!findProperty(super->base, name, holder, property)) return {};
        return readProperty(Value::object(super->self), holder, *property);
      }
      Value special;
      if (getSpecial(object, name, special)) return special;
      if (Property* own = object->properties().find(name))
        return readProperty(target, object, *own);
      if (object->kind() == ObjectKind::Clip) {
        const ClipHandle child =
            host_.childClip(static_cast<ClipObject*>(object)->handle, name, heap_.caseSensitive());
        if (child != kNoClip) return Value::object(clipObject(child));
      }
      start = object->proto();
      break;
    }
  }
  Object* holder = nullptr;
  Property* property = nullptr;
  if (!findProperty(start, name, holder, property)) return {};
  return readProperty(target, holder, *property);
}

void Vm::setMember(Object* target, const QString& name, const Value& value) {
  if (target->kind() == ObjectKind::Super) target = static_cast<SuperObject*>(target)->self;
  if (target == nullptr) return;
  if (sameName(name, kProtoName)) {
    setProto(target, value);
    return;
  }
  if (setSpecial(target, name, value)) return;
  Object* holder = nullptr;
  Property* property = nullptr;
  if (findProperty(target, name, holder, property)) {
    if (property->isAccessor()) {
      if (Object* setter = property->setter) {
        const Value argument[] = {value};
        call(Value::object(setter), Value::object(target), argument);
      }
      return;
    }
    if (holder == target) {
      if ((property->flags & ReadOnly) == 0) property->value = value;
      return;
    }
  }
  addProperty(target, name).value = value;
}

bool Vm::hasProperty(Object* target, const QString& name) {
  if (target->kind() == ObjectKind::Super) {
    target = static_cast<SuperObject*>(target)->base;
    if (target == nullptr) return false;
  }
  Value special;
  if (getSpecial(target, name, special)) return true;
  Object* holder = nullptr;
  Property* property = nullptr;
  if (findProperty(target, name, holder, property)) return true;
  if (target->kind() == ObjectKind::Clip) {
    return host_.childClip(static_cast<ClipObject*>(target)->handle, name, heap_.caseSensitive()) !=
           kNoClip;
  }
  return false;
}

bool Vm::deleteMember(Object* target, const QString& name) {
  if (target->kind() == ObjectKind::Array) {
    auto& elements = static_cast<ArrayObject*>(target)->elements;
    if (const auto index = arrayIndex(name); index && *index < elements.size()) {
      elements[*index] = Value();
      return true;
    }
  }
  const Property* property = target->properties().find(name);
  if (property == nullptr || (property->flags & DontDelete) != 0) return false;
  return target->properties().erase(name);
}

std::vector<QString> Vm::enumerate(Object* target) {
  std::vector<QString> names;
  QSet<QString> seen;
  const auto add = [&](const QString& name) {
    const QString key = heap_.caseSensitive() ? name : name.toCaseFolded();
    if (seen.contains(key)) return;
    seen.insert(key);
    names.push_back(name);
  };
  if (target->kind() == ObjectKind::Clip) {
    for (const ClipHandle child : host_.childClips(static_cast<ClipObject*>(target)->handle)) {
      const Value name = host_.getProperty(child, ClipProperty::Name);
      if (name.isString() && !name.asString().isEmpty()) add(name.asString());
    }
  }
  int hops = 0;
  for (Object* object = target; object != nullptr && hops < kMaxChain;
       object = object->proto(), ++hops) {
    const auto& entries = object->properties().entries();
    chargeSteps(entries.size());
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
      if ((entry->flags & DontEnum) != 0) {
        seen.insert(heap_.caseSensitive() ? entry->name : entry->name.toCaseFolded());
      } else {
        add(entry->name);
      }
    }
    if (object->kind() == ObjectKind::Array) {
      const auto& elements = static_cast<ArrayObject*>(object)->elements;
      chargeSteps(elements.size());
      for (std::size_t i = elements.size(); i-- > 0;) add(QString::number(i));
    }
  }
  return names;
}

}  // namespace quelvo::swf::avm1
