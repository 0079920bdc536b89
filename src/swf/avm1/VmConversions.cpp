#include <cmath>

#include "swf/avm1/NumberText.h"
#include "swf/avm1/Vm.h"

namespace quelvo::swf::avm1 {

double Vm::toNumber(const Value& value) {
  switch (value.type()) {
    case Value::Type::Undefined:
    case Value::Type::Null:
      return swfVersion_ >= 7 ? std::nan("") : 0.0;
    case Value::Type::Boolean:
      return value.asBoolean() ? 1 : 0;
    case Value::Type::Number:
      return value.asNumber();
    case Value::Type::String:
      return parseNumber(value.asString());
    case Value::Type::Object: {
      const Value primitive = toPrimitive(value, PrimitiveHint::Number);
      return primitive.isObject() ? std::nan("") : toNumber(primitive);
    }
  }
  return std::nan("");
}

// The text of null, a boolean, a number or a string (the same in every version).
static QString primitiveText(const Value& value) {
  switch (value.type()) {
    case Value::Type::Null:
      return QStringLiteral("null");
    case Value::Type::Boolean:
      return value.asBoolean() ? QStringLiteral("true") : QStringLiteral("false");
    case Value::Type::Number:
      return formatNumber(value.asNumber());
    case Value::Type::String:
      return value.asString();
    default:
      return {};
  }
}

QString Vm::toString(const Value& value) {
  switch (value.type()) {
    case Value::Type::Undefined:
      return swfVersion_ >= 7 ? QStringLiteral("undefined") : QString();
    case Value::Type::Null:
    case Value::Type::Boolean:
    case Value::Type::Number:
    case Value::Type::String:
      return primitiveText(value);
    case Value::Type::Object: {
      const Value primitive = toPrimitive(value, PrimitiveHint::String);
      return primitive.isObject() ? describe(primitive) : toString(primitive);
    }
  }
  return {};
}

bool Vm::toBoolean(const Value& value) {
  switch (value.type()) {
    case Value::Type::Undefined:
    case Value::Type::Null:
      return false;
    case Value::Type::Boolean:
      return value.asBoolean();
    case Value::Type::Number: {
      const double n = value.asNumber();
      return n != 0 && !std::isnan(n);
    }
    case Value::Type::String: {
      // Before SWF 7 a string is true only when it reads as a non-zero number.
      if (swfVersion_ >= 7) return !value.asString().isEmpty();
      const double n = parseNumber(value.asString());
      return n != 0 && !std::isnan(n);
    }
    case Value::Type::Object:
      return true;
  }
  return false;
}

Value Vm::toPrimitive(const Value& value, PrimitiveHint hint) {
  Object* object = value.objectOrNull();
  if (object == nullptr) return value;
  if (object->kind() == ObjectKind::Clip) {
    return Value::string(dotPath(static_cast<ClipObject*>(object)->handle));
  }
  if (hint == PrimitiveHint::Default) {
    hint = object->kind() == ObjectKind::Date ? PrimitiveHint::String : PrimitiveHint::Number;
  }
  const QString first =
      hint == PrimitiveHint::String ? QStringLiteral("toString") : QStringLiteral("valueOf");
  const QString second =
      hint == PrimitiveHint::String ? QStringLiteral("valueOf") : QStringLiteral("toString");
  for (const QString& name : {first, second}) {
    const Value method = getMember(value, name);
    if (method.isObject() && method.asObject()->isFunction()) {
      const Value result = call(method, value, {});
      if (result.isPrimitive()) return result;
    }
  }
  return Value::string(describe(value));
}

Object* Vm::toObject(const Value& value) {
  switch (value.type()) {
    case Value::Type::Undefined:
    case Value::Type::Null:
      return nullptr;
    case Value::Type::Boolean:
      return heap_.make<PrimitiveObject>(protos_.boolean, ObjectKind::Boolean, value);
    case Value::Type::Number:
      return heap_.make<PrimitiveObject>(protos_.number, ObjectKind::Number, value);
    case Value::Type::String:
      return heap_.make<PrimitiveObject>(protos_.string, ObjectKind::String, value);
    case Value::Type::Object:
      return value.asObject();
  }
  return nullptr;
}

QString Vm::typeOf(const Value& value) const {
  switch (value.type()) {
    case Value::Type::Undefined:
      return QStringLiteral("undefined");
    case Value::Type::Null:
      return QStringLiteral("null");
    case Value::Type::Boolean:
      return QStringLiteral("boolean");
    case Value::Type::Number:
      return QStringLiteral("number");
    case Value::Type::String:
      return QStringLiteral("string");
    case Value::Type::Object:
      switch (value.asObject()->kind()) {
        case ObjectKind::Clip: {
          const ClipHandle clip = static_cast<const ClipObject*>(value.asObject())->handle;
          return host_.isTextField(clip) || host_.isButton(clip) ? QStringLiteral("object")
                                                                 : QStringLiteral("movieclip");
        }
        case ObjectKind::Function:
          return QStringLiteral("function");
        default:
          return QStringLiteral("object");
      }
  }
  return QStringLiteral("undefined");
}

QString Vm::describe(const Value& value) const {
  switch (value.type()) {
    case Value::Type::Undefined:
      return QStringLiteral("undefined");
    case Value::Type::Object: {
      const Object* object = value.asObject();
      if (object->isFunction()) return QStringLiteral("[type Function]");
      if (const Property* message = object->properties().find(QStringLiteral("message"));
          message != nullptr && message->value.isString()) {
        return message->value.asString();
      }
      return QStringLiteral("[object Object]");
    }
    case Value::Type::Null:
    case Value::Type::Boolean:
    case Value::Type::Number:
    case Value::Type::String:
      return primitiveText(value);
  }
  return {};
}

}  // namespace quelvo::swf::avm1
