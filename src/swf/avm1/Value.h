#pragma once

#include <QString>
#include <cstdint>

namespace quelvo::swf::avm1 {

class Object;

// A script value: undefined, null, boolean, number, string or a reference to
// an object of the VM's heap. Object references are plain pointers; the heap
// frees objects only between script entries (see Heap), so a Value taken from
// the VM stays valid until the next garbage collection.
//
// Strings are UTF-16 (QString, shared on copy): lengths and indexes count
// UTF-16 code units, as scripts of SWF 6 and later see them.
class Value {
 public:
  enum class Type : std::uint8_t { Undefined, Null, Boolean, Number, String, Object };

  Value() = default;  // undefined
  static Value null() { return Value(Type::Null); }
  static Value boolean(bool b) {
    Value v(Type::Boolean);
    v.payload_.number = b ? 1 : 0;
    return v;
  }
  static Value number(double n) {
    Value v(Type::Number);
    v.payload_.number = n;
    return v;
  }
  static Value string(QString s) {
    Value v(Type::String);
    v.string_ = std::move(s);
    return v;
  }
  static Value object(Object* o) {
    if (o == nullptr) return null();
    Value v(Type::Object);
    v.payload_.object = o;
    return v;
  }

  Type type() const { return type_; }
  bool isUndefined() const { return type_ == Type::Undefined; }
  bool isNull() const { return type_ == Type::Null; }
  bool isNullish() const { return isUndefined() || isNull(); }
  bool isBoolean() const { return type_ == Type::Boolean; }
  bool isNumber() const { return type_ == Type::Number; }
  bool isString() const { return type_ == Type::String; }
  bool isObject() const { return type_ == Type::Object; }
  bool isPrimitive() const { return !isObject(); }

  // The value of the type the caller has checked.
  bool asBoolean() const { return payload_.number != 0; }
  double asNumber() const { return payload_.number; }
  const QString& asString() const { return string_; }
  Object* asObject() const { return payload_.object; }
  // The object, or nullptr for any other type.
  Object* objectOrNull() const { return isObject() ? payload_.object : nullptr; }

 private:
  explicit Value(Type type) : type_(type) {}

  Type type_ = Type::Undefined;
  union Payload {
    double number;
    Object* object;
  } payload_{0.0};
  QString string_;  // empty unless a string; a null QString costs no allocation
};

}  // namespace quelvo::swf::avm1
