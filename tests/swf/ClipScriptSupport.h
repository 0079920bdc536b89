#pragma once

// Frame scripts for the clip geometry and clip button tests: clips made,
// drawn on and asked about by name, each kept in a root variable.
#include "Avm1Fixtures.h"
#include "PlayerTestSupport.h"

namespace quelvo::swf::cliptest {

using avm1::test::AC;
using avm1::test::Asm;
using avm1::test::PushItem;

// clip.method(args), its result dropped.
inline Asm& call(Asm& code, const char* clip, const char* method,
                 std::initializer_list<PushItem> args) {
  code.callMethod(clip, method, args).op(AC::Pop);
  return code;
}

// clip.member = value
inline Asm& setMember(Asm& code, const char* clip, const char* member, PushItem value) {
  code.getVar(clip).push({member, std::move(value)}).op(AC::SetMember);
  return code;
}

// name = parent.createEmptyMovieClip(name, depth)
inline Asm& makeClip(Asm& code, const char* parent, const char* name, int depth) {
  code.push({name});
  code.callMethod(parent, "createEmptyMovieClip", {name, depth});
  return code.op(AC::SetVariable);
}

// A filled rectangle drawn in clip, corners (x, y) and (x + w, y + h).
inline Asm& drawRect(Asm& code, const char* clip, int x, int y, int w, int h) {
  call(code, clip, "moveTo", {x, y});
  call(code, clip, "lineTo", {x + w, y});
  call(code, clip, "lineTo", {x + w, y + h});
  call(code, clip, "lineTo", {x, y + h});
  return call(code, clip, "lineTo", {x, y});
}

inline Asm& fillRect(Asm& code, const char* clip, int rgb, int x, int y, int w, int h) {
  call(code, clip, "beginFill", {rgb});
  drawRect(code, clip, x, y, w, h);
  return call(code, clip, "endFill", {});
}

// name = object.first + "," + object.second + ...
inline Asm& joinMembers(Asm& code, const char* name, const char* object,
                        std::initializer_list<const char*> members) {
  code.push({name});
  bool first = true;
  for (const char* member : members) {
    if (!first) code.push({","}).op(AC::Add2);
    code.getVar(object).push({member}).op(AC::GetMember);
    if (!first) code.op(AC::Add2);
    first = false;
  }
  return code.op(AC::SetVariable);
}

// _root[counter] = 0; clip.event = function() { _root[counter] = _root[counter] + 1; }
inline Asm& countOn(Asm& code, const char* clip, const char* event, const char* counter) {
  code.getVar("_root").push({counter, 0}).op(AC::SetMember);
  code.getVar(clip).push({event});
  code.defineFunction("", {}, [counter](Asm& body) {
    body.getVar("_root").push({counter}).getVar("_root").push({counter}).op(AC::GetMember);
    body.push({1}).op(AC::Add2).op(AC::SetMember);
  });
  return code.op(AC::SetMember);
}

// A one-frame movie of 100 x 100 pixels running code.
inline std::unique_ptr<Player> playing(const Asm& code) {
  swftest::TagStream tags;
  tags.doAction(code.program()).showFrame().end();
  return playerFor(tags);
}

}  // namespace quelvo::swf::cliptest
