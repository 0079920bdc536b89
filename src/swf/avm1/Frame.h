#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "swf/avm1/Action.h"
#include "swf/avm1/Function.h"
#include "swf/avm1/Host.h"
#include "swf/avm1/ScriptError.h"

namespace quelvo::swf::avm1 {

// The operand stack of one frame. All frames share one count of values in
// use, so deep recursion cannot multiply the per-frame room. Popping an
// empty stack gives undefined, as the player does.
class ValueStack {
 public:
  ValueStack(std::size_t& inUse, std::size_t limit) : inUse_(inUse), limit_(limit) {}
  ~ValueStack() { inUse_ -= values_.size(); }
  ValueStack(const ValueStack&) = delete;
  ValueStack& operator=(const ValueStack&) = delete;

  void push(Value value) {
    if (inUse_ >= limit_) {
      throw ScriptAbort{QStringLiteral("more than %1 values on the stack").arg(limit_)};
    }
    values_.push_back(std::move(value));
    ++inUse_;
  }
  Value pop() {
    if (values_.empty()) return {};
    Value top = std::move(values_.back());
    values_.pop_back();
    --inUse_;
    return top;
  }
  // The top value, or undefined when empty (the stack is not changed).
  Value peek() const { return values_.empty() ? Value() : values_.back(); }
  std::size_t size() const { return values_.size(); }
  // Pops count values (no more than there are) into call order: the first
  // popped is the first argument.
  std::vector<Value> popArguments(double count);

 private:
  std::size_t& inUse_;
  std::size_t limit_;
  std::vector<Value> values_;
};

// A With or Try block being executed. start/end bound the part running now
// (the with body, or the try, catch or finally body); leaving it by running
// off its end or by a branch settles the region.
struct Region {
  enum class Kind : std::uint8_t { With, Try };
  enum class Phase : std::uint8_t { Try, Catch, Finally };

  Kind kind = Kind::With;
  Phase phase = Phase::Try;
  std::uint32_t start = 0;
  std::uint32_t end = 0;
  std::size_t scopeSize = 0;  // With: the scope chain to restore
  std::uint32_t tryEnd = 0;
  std::uint32_t catchEnd = 0;
  std::uint32_t finallyEnd = 0;
  bool runsFinally = false;  // a finally body is present and flagged
  const TryDef* def = nullptr;
  std::optional<Value> pendingThrow;   // rethrown when the finally body ends
  std::optional<Value> pendingReturn;  // returned when the finally body ends

  bool hasFinally() const { return runsFinally; }
};

// One running piece of code: frame actions or a function body.
struct Frame {
  Frame(std::size_t& stackInUse, std::size_t stackLimit) : stack(stackInUse, stackLimit) {}

  std::shared_ptr<const DecodedBlock> code;
  std::size_t pc = 0;       // index of the next action
  std::uint32_t start = 0;  // byte range of the code this frame runs
  std::uint32_t end = 0;
  ValueStack stack;
  std::vector<Value> registers;
  // Objects searched for names, outermost first: the timeline, enclosing
  // activations, this function's activation, then with objects.
  std::vector<Object*> scope;
  Object* activation = nullptr;  // local variables of a function
  Value thisValue;
  ClipHandle target = kNoClip;          // timeline actions act on this clip
  ClipHandle originalTarget = kNoClip;  // SetTarget("") comes back here
  std::shared_ptr<const ConstantList> constants;
  ScriptFunction* callee = nullptr;
  Object* home = nullptr;  // where the running method was found, for super
  bool superAllowed = false;
  std::vector<Region> regions;
  bool done = false;
  Value result;
};

}  // namespace quelvo::swf::avm1
