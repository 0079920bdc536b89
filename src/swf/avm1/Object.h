#pragma once

#include <cstdint>
#include <vector>

#include "swf/avm1/PropertyMap.h"
#include "swf/avm1/Value.h"

namespace quelvo::swf::avm1 {

class Marker;

enum class ObjectKind : std::uint8_t {
  Plain,
  Function,
  Array,
  Clip,     // a movie clip of the host
  Boolean,  // wrappers of primitives: new Boolean(), new Number(), new String()
  Number,
  String,
  Date,
  Super,       // "super" inside a method
  Sound,       // a Sound object
  XmlNode,     // an XMLNode or XML document
  BitmapData,  // a flash.display.BitmapData
};

// What every object is made with: the heap's name rule and the prototype.
struct ObjectInit {
  bool caseSensitive = true;
  Object* proto = nullptr;
};

// A script object: own properties and a prototype (__proto__). Objects live
// in the Heap and refer to each other by plain pointers; the heap's
// mark-and-sweep collector frees what scripts can no longer reach, cycles
// included.
class Object {
 public:
  Object(ObjectKind kind, const ObjectInit& init)
      : kind_(kind), proto_(init.proto), properties_(init.caseSensitive) {}
  explicit Object(const ObjectInit& init) : Object(ObjectKind::Plain, init) {}
  virtual ~Object() = default;

  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  ObjectKind kind() const { return kind_; }
  bool isFunction() const { return kind_ == ObjectKind::Function; }

  Object* proto() const { return proto_; }
  void setProto(Object* proto) { proto_ = proto; }

  PropertyMap& properties() { return properties_; }
  const PropertyMap& properties() const { return properties_; }

  // Interfaces declared for instances of a class (set on its prototype by
  // ImplementsOp): constructor functions.
  std::vector<Object*>& interfaces() { return interfaces_; }
  const std::vector<Object*>& interfaces() const { return interfaces_; }

  // Reports every object this one refers to.
  virtual void traceReferences(Marker& marker) const;

 private:
  friend class Heap;
  friend class Marker;

  ObjectKind kind_;
  bool marked_ = false;
  Object* proto_;
  PropertyMap properties_;
  std::vector<Object*> interfaces_;
};

// Boolean, Number and String wrapper objects, and Date (its time in ms).
class PrimitiveObject : public Object {
 public:
  PrimitiveObject(const ObjectInit& init, ObjectKind kind, Value primitive)
      : Object(kind, init), primitive(std::move(primitive)) {}

  Value primitive;
};

// "super": property lookups start at base (the prototype above the one the
// running method was found on); calling it calls constructor on self.
class SuperObject : public Object {
 public:
  SuperObject(const ObjectInit& init, Object* self, Object* base, Object* constructor)
      : Object(ObjectKind::Super, init), self(self), base(base), constructor(constructor) {}

  void traceReferences(Marker& marker) const override;

  Object* self;
  Object* base;
  Object* constructor;
};

}  // namespace quelvo::swf::avm1
