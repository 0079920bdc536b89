#include "swf/avm1/Interpreter.h"

#include "swf/avm1/Vm.h"
#include "swf/base/Log.h"

namespace quelvo::swf::avm1 {

namespace {

// Registers of frame code and of DefineFunction (version 1) functions.
constexpr std::size_t kDefaultRegisters = 4;

}  // namespace

void Interpreter::prepareFrameCode(Frame& frame, std::shared_ptr<const DecodedBlock> code,
                                   ClipHandle target) {
  if (target == kNoClip) target = vm_.host().rootClip();
  frame.code = std::move(code);
  frame.start = 0;
  frame.end = frame.code ? frame.code->length : 0;
  frame.registers.resize(kDefaultRegisters);
  frame.target = frame.originalTarget = target;
  if (ClipObject* clip = vm_.clipObject(target)) {
    frame.scope.push_back(clip);
    frame.thisValue = Value::object(clip);
  }
}

void Interpreter::runBlock(std::shared_ptr<const DecodedBlock> code, ClipHandle target) {
  Frame frame(stackInUse_, vm_.limits().stackValues);
  prepareFrameCode(frame, std::move(code), target);
  execute(frame);
}

Value Interpreter::getVariable(ClipHandle base, const QString& path) {
  Frame frame(stackInUse_, vm_.limits().stackValues);
  prepareFrameCode(frame, nullptr, base);
  return scope(frame).get(path);
}

void Interpreter::setVariable(ClipHandle base, const QString& path, const Value& value) {
  Frame frame(stackInUse_, vm_.limits().stackValues);
  prepareFrameCode(frame, nullptr, base);
  scope(frame).set(path, value);
}

Value Interpreter::invoke(ScriptFunction& function, const Value& thisValue,
                          std::span<const Value> args, Object* home) {
  const FunctionDef& def = function.def();
  Frame frame(stackInUse_, vm_.limits().stackValues);
  frame.code = function.code;
  frame.start = function.bodyStart();
  frame.end = function.bodyEnd();
  frame.pc = function.definition + 1;
  frame.scope = function.scope;
  frame.activation = vm_.heap().make<Object>(nullptr);
  frame.scope.push_back(frame.activation);
  frame.thisValue = thisValue;
  frame.target = frame.originalTarget = function.target;
  frame.constants = function.constants;
  frame.callee = &function;
  frame.home = home;
  frame.superAllowed = !(def.v2 && (def.flags & SuppressSuper));
  frame.registers.resize(def.v2 ? std::max<std::size_t>(def.registerCount, 1) : kDefaultRegisters);

  bindArguments(frame, def, args);
  execute(frame);
  return frame.result;
}

// The arguments object, the parameters (named locals or registers) and, for
// DefineFunction2, the preloaded registers.
void Interpreter::bindArguments(Frame& frame, const FunctionDef& def, std::span<const Value> args) {
  const bool namedArguments = !def.v2 || (def.flags & SuppressArguments) == 0;
  const bool preloadedArguments = def.v2 && (def.flags & PreloadArguments) != 0;
  Object* arguments = nullptr;
  if (namedArguments || preloadedArguments) {
    arguments = vm_.newArray(std::vector<Value>(args.begin(), args.end()));
    vm_.defineValue(arguments, QStringLiteral("callee"), Value::object(frame.callee));
    if (namedArguments) {
      frame.activation->properties().findOrAdd(QStringLiteral("arguments")).value =
          Value::object(arguments);
    }
  }
  if (def.v2) preloadRegisters(frame, def, arguments);
  for (std::size_t i = 0; i < def.params.size(); ++i) {
    const FunctionParam& param = def.params[i];
    const Value value = i < args.size() ? args[i] : Value();
    if (def.v2 && param.reg != 0) {
      if (param.reg < frame.registers.size()) frame.registers[param.reg] = value;
    } else {
      frame.activation->properties().findOrAdd(param.name).value = value;
    }
  }
}

std::uint64_t Interpreter::actionOffset(const Frame& frame) const {
  return frame.code->baseOffset + frame.code->offsetOf(frame.pc - 1);
}

void Interpreter::fail(Frame& frame, const QString& message) {
  vm_.log(QStringLiteral("%1 (action at byte %2); the rest of this code is skipped")
              .arg(message)
              .arg(actionOffset(frame)));
  frame.done = true;
}

void Interpreter::noteMissingFunction(const Frame& frame, const QString& name) const {
  if (!movielog::enabled()) return;
  movielog::count(movielog::Kind::Missing,
                  QStringLiteral("function %1 at byte %2").arg(name).arg(actionOffset(frame)));
}

void Interpreter::noteUnknownAction(const Frame& frame, const Action& action) const {
  if (!movielog::enabled()) return;
  movielog::count(movielog::Kind::Unsupported,
                  QStringLiteral("action 0x%1 at byte %2")
                      .arg(static_cast<unsigned>(action.code), 2, 16, QLatin1Char('0'))
                      .arg(actionOffset(frame)));
}

void Interpreter::execute(Frame& frame) {
  if (!frame.code) return;
  const DecodedBlock& code = *frame.code;
  while (!frame.done) {
    try {
      while (!frame.done) {
        if (!settleRegions(frame)) continue;
        if (code.offsetOf(frame.pc) >= frame.end) {
          frame.done = true;
          break;
        }
        if (frame.pc >= code.actions.size()) {
          vm_.log(QStringLiteral("unreadable actions: %1")
                      .arg(QString::fromStdString(code.error ? code.error->describe()
                                                             : std::string())));
          frame.done = true;
          break;
        }
        const Action& action = code.actions[frame.pc++];
        vm_.chargeSteps(1);
        dispatch(frame, action);
      }
    } catch (const ScriptThrow& thrown) {
      if (!handleThrow(frame, thrown.value)) throw;
    }
  }
}

void Interpreter::dispatch(Frame& frame, const Action& action) {
  using C = ActionCode;
  switch (action.code) {
    case C::End:
      frame.done = true;
      break;
    case C::NextFrame:
    case C::PreviousFrame:
    case C::Play:
    case C::Stop:
    case C::ToggleQuality:
    case C::StopSounds:
    case C::EndDrag:
    case C::GetTime:
      opTimeline(frame, action.code);
      break;
    case C::GotoFrame:
      opGotoFrame(frame, action);
      break;
    case C::GotoLabel:
      opGotoLabel(frame, action);
      break;
    case C::GotoFrame2:
      opGotoFrame2(frame, action);
      break;
    case C::SetTarget:
      opSetTarget(frame, std::get<QString>(action.operand));
      break;
    case C::SetTarget2:
      opSetTarget2(frame);
      break;
    case C::WaitForFrame:
      break;  // every frame counts as loaded: nothing is skipped
    case C::WaitForFrame2:
      opWaitForFrame2(frame);
      break;
    case C::GetUrl:
      opGetUrl(frame, action);
      break;
    case C::GetUrl2:
      opGetUrl2(frame, action);
      break;
    case C::GetProperty:
      opGetProperty(frame);
      break;
    case C::SetProperty:
      opSetProperty(frame);
      break;
    case C::CloneSprite:
      opCloneSprite(frame);
      break;
    case C::RemoveSprite:
      opRemoveSprite(frame);
      break;
    case C::StartDrag:
      opStartDrag(frame);
      break;
    case C::Call:
      opCall(frame);
      break;
    case C::RandomNumber:
      opRandomNumber(frame);
      break;
    case C::Trace:
      opTrace(frame);
      break;

    case C::Push:
      opPush(frame, action);
      break;
    case C::Pop:
      frame.stack.pop();
      break;
    case C::PushDuplicate:
      opPushDuplicate(frame);
      break;
    case C::StackSwap:
      opStackSwap(frame);
      break;
    case C::StoreRegister:
      opStoreRegister(frame, action);
      break;
    case C::ConstantPool:
      opConstantPool(frame, action);
      break;

    case C::Add:
    case C::Subtract:
    case C::Multiply:
    case C::Divide:
      opLegacyArithmetic(frame, action.code);
      break;
    case C::And:
    case C::Or:
      opLegacyLogic(frame, action.code);
      break;
    case C::Not:
      opNot(frame);
      break;
    case C::Add2:
      opAdd2(frame);
      break;
    case C::Modulo:
      opArithmetic(frame, action.code);
      break;
    case C::BitAnd:
    case C::BitOr:
    case C::BitXor:
    case C::BitLShift:
    case C::BitRShift:
    case C::BitURShift:
      opBitwise(frame, action.code);
      break;
    case C::Increment:
    case C::Decrement:
    case C::ToInteger:
    case C::ToNumber:
    case C::ToString:
      opUnary(frame, action.code);
      break;

    case C::Equals:
    case C::Less:
      opLegacyCompare(frame, action.code);
      break;
    case C::Equals2:
    case C::StrictEquals:
    case C::Less2:
    case C::Greater:
      opCompare(frame, action.code);
      break;
    case C::StringEquals:
    case C::StringLess:
    case C::StringGreater:
      opStringCompare(frame, action.code);
      break;

    case C::StringLength:
      opStringLength(frame, false);
      break;
    case C::MbStringLength:
      opStringLength(frame, true);
      break;
    case C::StringExtract:
      opStringExtract(frame, false);
      break;
    case C::MbStringExtract:
      opStringExtract(frame, true);
      break;
    case C::StringAdd:
      opStringAdd(frame);
      break;
    case C::CharToAscii:
      opCharToAscii(frame, false);
      break;
    case C::MbCharToAscii:
      opCharToAscii(frame, true);
      break;
    case C::AsciiToChar:
      opAsciiToChar(frame, false);
      break;
    case C::MbAsciiToChar:
      opAsciiToChar(frame, true);
      break;

    case C::GetVariable:
      opGetVariable(frame);
      break;
    case C::SetVariable:
      opSetVariable(frame);
      break;
    case C::DefineLocal:
      opDefineLocal(frame);
      break;
    case C::DefineLocal2:
      opDefineLocal2(frame);
      break;
    case C::Delete2:
      opDelete2(frame);
      break;

    case C::GetMember:
      opGetMember(frame);
      break;
    case C::SetMember:
      opSetMember(frame);
      break;
    case C::Delete:
      opDelete(frame);
      break;
    case C::NewObject:
      opNewObject(frame);
      break;
    case C::NewMethod:
      opNewMethod(frame);
      break;
    case C::InitObject:
      opInitObject(frame);
      break;
    case C::InitArray:
      opInitArray(frame);
      break;
    case C::TypeOf:
      opTypeOf(frame);
      break;
    case C::InstanceOf:
      opInstanceOf(frame);
      break;
    case C::CastOp:
      opCastOp(frame);
      break;
    case C::ImplementsOp:
      opImplementsOp(frame);
      break;
    case C::Extends:
      opExtends(frame);
      break;
    case C::Enumerate:
      opEnumerate(frame, false);
      break;
    case C::Enumerate2:
      opEnumerate(frame, true);
      break;
    case C::TargetPath:
      opTargetPath(frame);
      break;

    case C::DefineFunction:
    case C::DefineFunction2:
      opDefineFunction(frame, action);
      break;
    case C::CallFunction:
      opCallFunction(frame);
      break;
    case C::CallMethod:
      opCallMethod(frame);
      break;
    case C::Return:
      opReturn(frame);
      break;

    case C::Jump:
      opJump(frame, action);
      break;
    case C::If:
      opIf(frame, action);
      break;
    case C::With:
      opWith(frame, action);
      break;
    case C::Try:
      opTry(frame, action);
      break;
    case C::Throw:
      opThrow(frame);
      break;

    case C::FsCommand2:
      break;  // a phone's command: nothing to do on the desktop
    default:
      // Codes no version defines are skipped, as the player skips them.
      noteUnknownAction(frame, action);
      break;
  }
}

}  // namespace quelvo::swf::avm1
