#pragma once

#include <QString>
#include <cstdint>
#include <variant>

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
  static Value null() { return Value(NullTag{}); }
  static Value boolean(bool b) { return Value(b); }
  static Value number(double n) { return Value(n); }
  static Value string(QString s) { return Value(std::move(s)); }
  static Value object(Object* o) { return o ? Value(o) : null(); }

  Type type() const { return static_cast<Type>(data_.index()); }
  bool isUndefined() const { return type() == Type::Undefined; }
  bool isNull() const { return type() == Type::Null; }
  bool isNullish() const { return isUndefined() || isNull(); }
  bool isBoolean() const { return type() == Type::Boolean; }
  bool isNumber() const { return type() == Type::Number; }
  bool isString() const { return type() == Type::String; }
  bool isObject() const { return type() == Type::Object; }
  bool isPrimitive() const { return !isObject(); }

  bool asBoolean() const { return std::get<bool>(data_); }
  double asNumber() const { return std::get<double>(data_); }
  const QString& asString() const { return std::get<QString>(data_); }
  Object* asObject() const { return std::get<Object*>(data_); }
  // The object, or nullptr for any other type.
  Object* objectOrNull() const { return isObject() ? asObject() : nullptr; }

 private:
  struct NullTag {};
  explicit Value(NullTag n) : data_(n) {}
  explicit Value(bool b) : data_(b) {}
  explicit Value(double n) : data_(n) {}
  explicit Value(QString s) : data_(std::move(s)) {}
  explicit Value(Object* o) : data_(o) {}

  std::variant<std::monostate, NullTag, bool, double, QString, Object*> data_;
};

}  // namespace quelvo::swf::avm1
