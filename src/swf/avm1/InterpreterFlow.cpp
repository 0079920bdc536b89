#include "swf/avm1/Interpreter.h"
#include "swf/avm1/Vm.h"

namespace quelvo::swf::avm1 {

namespace {

// With and Try blocks open at once in one frame.
constexpr std::size_t kMaxRegions = 256;

void enterFinally(Region& region) {
  region.phase = Region::Phase::Finally;
  region.start = region.catchEnd;
  region.end = region.finallyEnd;
}

}  // namespace

bool Interpreter::isBoundary(const Frame& frame, std::uint32_t offset) const {
  if (offset < frame.start || offset > frame.end) return false;
  return offset == frame.end || frame.code->indexAt(offset).has_value();
}

bool Interpreter::jumpTo(Frame& frame, std::uint32_t offset) {
  if (offset < frame.start || offset > frame.end) return false;
  if (const auto index = frame.code->indexAt(offset)) {
    frame.pc = *index;
    return true;
  }
  if (offset != frame.end) return false;
  frame.pc = frame.code->actions.size();
  return true;
}

// Called before every action: closes With and Try blocks the program has
// run off or branched out of, moving on to catch and finally bodies as their
// turn comes. False when the frame has finished (a pending return).
bool Interpreter::settleRegions(Frame& frame) {
  while (!frame.regions.empty()) {
    Region& region = frame.regions.back();
    const std::uint32_t offset = frame.code->offsetOf(frame.pc);
    if (offset >= region.start && offset < region.end) return true;
    if (region.kind == Region::Kind::With) {
      frame.scope.resize(region.scopeSize);
      frame.regions.pop_back();
      continue;
    }
    if (offset != region.end) {  // a branch left the block: no catch or finally
      frame.regions.pop_back();
      continue;
    }
    switch (region.phase) {
      case Region::Phase::Try:
      case Region::Phase::Catch:
        if (region.hasFinally()) {
          enterFinally(region);
          jumpTo(frame, region.catchEnd);
        } else {
          const std::uint32_t after = region.finallyEnd;
          frame.regions.pop_back();
          jumpTo(frame, after);
        }
        break;
      case Region::Phase::Finally: {
        const std::optional<Value> pendingThrow = region.pendingThrow;
        const std::optional<Value> pendingReturn = region.pendingReturn;
        frame.regions.pop_back();
        if (pendingThrow) throw ScriptThrow{*pendingThrow};
        if (pendingReturn) {
          returnFrom(frame, *pendingReturn);
          return !frame.done;
        }
        break;
      }
    }
  }
  return true;
}

bool Interpreter::handleThrow(Frame& frame, const Value& value) {
  while (!frame.regions.empty()) {
    Region& region = frame.regions.back();
    if (region.kind == Region::Kind::With) {
      frame.scope.resize(region.scopeSize);
      frame.regions.pop_back();
      continue;
    }
    if (region.phase == Region::Phase::Try && region.def->hasCatch) {
      region.phase = Region::Phase::Catch;
      region.start = region.tryEnd;
      region.end = region.catchEnd;
      jumpTo(frame, region.tryEnd);
      const TryDef& def = *region.def;
      if (def.catchInRegister) {
        if (def.catchRegister < frame.registers.size()) frame.registers[def.catchRegister] = value;
      } else {
        scope(frame).defineLocal(def.catchName, value);
      }
      return true;
    }
    if (region.phase != Region::Phase::Finally && region.hasFinally()) {
      enterFinally(region);
      region.pendingThrow = value;
      region.pendingReturn.reset();
      jumpTo(frame, region.catchEnd);
      return true;
    }
    frame.regions.pop_back();
  }
  return false;
}

void Interpreter::returnFrom(Frame& frame, const Value& value) {
  while (!frame.regions.empty()) {
    Region& region = frame.regions.back();
    if (region.kind == Region::Kind::With) {
      frame.scope.resize(region.scopeSize);
    } else if (region.phase != Region::Phase::Finally && region.hasFinally()) {
      enterFinally(region);
      region.pendingReturn = value;
      region.pendingThrow.reset();
      jumpTo(frame, region.catchEnd);
      return;
    }
    frame.regions.pop_back();
  }
  frame.result = value;
  frame.done = true;
}

void Interpreter::opJump(Frame& frame, const Action& action) {
  const std::int64_t target = std::int64_t{action.next()} + action.integer();
  if (target < 0 || target > UINT32_MAX || !jumpTo(frame, static_cast<std::uint32_t>(target))) {
    fail(frame, QStringLiteral("branch to byte %1 leaves its code").arg(target));
  }
}

void Interpreter::opIf(Frame& frame, const Action& action) {
  if (vm_.toBoolean(frame.stack.pop())) opJump(frame, action);
}

void Interpreter::opWith(Frame& frame, const Action& action) {
  const Value value = frame.stack.pop();
  Region region;
  region.kind = Region::Kind::With;
  region.start = action.next();
  region.end = action.next() + static_cast<std::uint32_t>(action.integer());
  region.scopeSize = frame.scope.size();
  if (!isBoundary(frame, region.end)) {
    fail(frame, QStringLiteral("with block does not end on an action"));
    return;
  }
  if (frame.regions.size() >= kMaxRegions) {
    throw ScriptAbort{QStringLiteral("with and try blocks nested too deep")};
  }
  if (Object* object = vm_.toObject(value)) frame.scope.push_back(object);
  frame.regions.push_back(std::move(region));
}

void Interpreter::opTry(Frame& frame, const Action& action) {
  const TryDef& def = std::get<TryDef>(action.operand);
  Region region;
  region.kind = Region::Kind::Try;
  region.def = &def;
  region.start = action.next();
  region.tryEnd = region.start + def.trySize;
  region.catchEnd = region.tryEnd + def.catchSize;
  region.finallyEnd = region.catchEnd + def.finallySize;
  region.end = region.tryEnd;
  region.runsFinally = def.hasFinally && def.finallySize > 0;
  if (!isBoundary(frame, region.tryEnd) || !isBoundary(frame, region.catchEnd) ||
      !isBoundary(frame, region.finallyEnd)) {
    fail(frame, QStringLiteral("try block does not end on an action"));
    return;
  }
  if (frame.regions.size() >= kMaxRegions) {
    throw ScriptAbort{QStringLiteral("with and try blocks nested too deep")};
  }
  frame.regions.push_back(std::move(region));
}

void Interpreter::opThrow(Frame& frame) { throw ScriptThrow{frame.stack.pop()}; }

void Interpreter::opReturn(Frame& frame) { returnFrom(frame, frame.stack.pop()); }

}  // namespace quelvo::swf::avm1
