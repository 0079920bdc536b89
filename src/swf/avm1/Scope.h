#pragma once

#include <QString>

#include "swf/avm1/Frame.h"
#include "swf/avm1/Value.h"

namespace quelvo::swf::avm1 {

class Vm;

// Names and target paths as the code of one frame sees them.
//
// A plain name is looked up through the frame's scope chain, innermost
// first, then in _global; "this", "_global", "_root", "_levelN" and "super"
// are answered directly. Paths name a clip or object and, after ':' (or the
// last '.'), a variable on it:
//   "/a/b:score"  slash syntax from _root ("..": the parent)
//   "a/b"         slash syntax from the current target
//   "_root.a.b"   dot syntax, the first name looked up like a variable
class ScopeResolver {
 public:
  ScopeResolver(Vm& vm, Frame& frame) : vm_(vm), frame_(frame) {}

  Value get(const QString& path);
  void set(const QString& path, const Value& value);
  // var name = value: a function's local, or a timeline variable.
  void defineLocal(const QString& name, const Value& value);
  bool remove(const QString& name);

  // The clip or object a target path names; undefined if none. An empty path
  // is the current target.
  Value resolveTarget(const QString& path);
  // For SetTarget2, GetProperty and friends: a clip object, or a path string
  // resolved from the current target. kNoClip when it names no clip.
  ClipHandle clipFor(const Value& target);

  Object* makeSuper();

 private:
  Value lookup(const QString& name);
  bool special(const QString& name, Value& out);
  Object* baseObject();
  Value currentTarget();
  // Splits "target:var" or "a.b.var" into the object and the variable name.
  bool splitPath(const QString& path, Value& owner, QString& name);

  Vm& vm_;
  Frame& frame_;
};

}  // namespace quelvo::swf::avm1
