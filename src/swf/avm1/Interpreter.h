#pragma once

#include <memory>
#include <span>

#include "swf/avm1/Frame.h"
#include "swf/avm1/Scope.h"

namespace quelvo::swf::avm1 {

class Vm;

// Executes decoded action blocks: frame code and script function bodies.
// Each action charges one step of the entry's budget. The handlers live in
// the Ops*.cpp files by family.
class Interpreter {
 public:
  explicit Interpreter(Vm& vm) : vm_(vm) {}

  // Frame code on a clip's timeline (kNoClip: the root).
  void runBlock(std::shared_ptr<const DecodedBlock> code, ClipHandle target);
  Value invoke(ScriptFunction& function, const Value& thisValue, std::span<const Value> args,
               Object* home);
  Value getVariable(ClipHandle base, const QString& path);
  void setVariable(ClipHandle base, const QString& path, const Value& value);

 private:
  void prepareFrameCode(Frame& frame, std::shared_ptr<const DecodedBlock> code, ClipHandle target);
  void execute(Frame& frame);
  void dispatch(Frame& frame, const Action& action);
  void fail(Frame& frame, const QString& message);
  // Where the action being run starts in the movie.
  std::uint64_t actionOffset(const Frame& frame) const;
  // Movie log entries for a call of something that is not a function and
  // for an action code the engine does not know.
  void noteMissingFunction(const Frame& frame, const QString& name) const;
  void noteUnknownAction(const Frame& frame, const Action& action) const;
  ScopeResolver scope(Frame& frame) { return ScopeResolver(vm_, frame); }

  // Control flow (InterpreterFlow.cpp)
  bool settleRegions(Frame& frame);
  bool handleThrow(Frame& frame, const Value& value);
  void returnFrom(Frame& frame, const Value& value);
  bool jumpTo(Frame& frame, std::uint32_t offset);
  bool isBoundary(const Frame& frame, std::uint32_t offset) const;
  void opJump(Frame& frame, const Action& action);
  void opIf(Frame& frame, const Action& action);
  void opWith(Frame& frame, const Action& action);
  void opTry(Frame& frame, const Action& action);
  void opThrow(Frame& frame);
  void opReturn(Frame& frame);

  // Stack and registers (OpsStack.cpp)
  void opPush(Frame& frame, const Action& action);
  void opPushDuplicate(Frame& frame);
  void opStackSwap(Frame& frame);
  void opStoreRegister(Frame& frame, const Action& action);
  void opConstantPool(Frame& frame, const Action& action);

  // Arithmetic and logic (OpsArithmetic.cpp)
  double legacyNumber(const Value& value);
  Value legacyBoolean(bool value) const;
  void opLegacyArithmetic(Frame& frame, ActionCode code);
  void opLegacyLogic(Frame& frame, ActionCode code);
  void opNot(Frame& frame);
  void opAdd2(Frame& frame);
  void opArithmetic(Frame& frame, ActionCode code);
  void opBitwise(Frame& frame, ActionCode code);
  void opUnary(Frame& frame, ActionCode code);

  // Comparisons (OpsCompare.cpp)
  void opLegacyCompare(Frame& frame, ActionCode code);
  void opCompare(Frame& frame, ActionCode code);
  void opStringCompare(Frame& frame, ActionCode code);

  // Strings (OpsString.cpp)
  void opStringLength(Frame& frame, bool multiByte);
  void opStringExtract(Frame& frame, bool multiByte);
  void opStringAdd(Frame& frame);
  void opCharToAscii(Frame& frame, bool multiByte);
  void opAsciiToChar(Frame& frame, bool multiByte);

  // Variables (OpsVariables.cpp)
  void opGetVariable(Frame& frame);
  void opSetVariable(Frame& frame);
  void opDefineLocal(Frame& frame);
  void opDefineLocal2(Frame& frame);
  void opDelete2(Frame& frame);

  // Objects (OpsObjects.cpp)
  void opGetMember(Frame& frame);
  void opSetMember(Frame& frame);
  void opDelete(Frame& frame);
  void opNewObject(Frame& frame);
  void opNewMethod(Frame& frame);
  void opInitObject(Frame& frame);
  void opInitArray(Frame& frame);
  void opTypeOf(Frame& frame);
  void opInstanceOf(Frame& frame);
  void opCastOp(Frame& frame);
  void opImplementsOp(Frame& frame);
  void opExtends(Frame& frame);
  void opEnumerate(Frame& frame, bool fromObject);
  void opTargetPath(Frame& frame);

  // Functions (OpsFunctions.cpp)
  void opDefineFunction(Frame& frame, const Action& action);
  void opCallFunction(Frame& frame);
  void opCallMethod(Frame& frame);
  void bindArguments(Frame& frame, const FunctionDef& def, std::span<const Value> args);
  void preloadRegisters(Frame& frame, const FunctionDef& def, Object* arguments);

  // Timeline, clips and the outside (OpsTimeline.cpp)
  void opTimeline(Frame& frame, ActionCode code);
  void opGotoFrame(Frame& frame, const Action& action);
  void opGotoLabel(Frame& frame, const Action& action);
  void opGotoFrame2(Frame& frame, const Action& action);
  void opSetTarget(Frame& frame, const QString& path);
  void opSetTarget2(Frame& frame);
  void opWaitForFrame2(Frame& frame);
  void opGetUrl(Frame& frame, const Action& action);
  void opGetUrl2(Frame& frame, const Action& action);
  void opGetProperty(Frame& frame);
  void opSetProperty(Frame& frame);
  void opCloneSprite(Frame& frame);
  void opRemoveSprite(Frame& frame);
  void opStartDrag(Frame& frame);
  void opCall(Frame& frame);
  void opRandomNumber(Frame& frame);
  void opTrace(Frame& frame);
  // "path:frame", "label", "12" or a number, as GotoFrame2 and Call take them.
  bool resolveFrame(Frame& frame, const Value& spec, ClipHandle& clip, int& frameIndex);
  void setTarget(Frame& frame, ClipHandle clip);

  Vm& vm_;
  std::size_t stackInUse_ = 0;
};

}  // namespace quelvo::swf::avm1
