#include "swf/avm1/Vm.h"

#include <unordered_set>

#include "swf/avm1/Interpreter.h"
#include "swf/avm1/builtins/Builtins.h"
#include "swf/base/Log.h"

namespace quelvo::swf::avm1 {

namespace {

// Blocks decoded once and kept while their owner lives; past this many the
// cache starts over.
constexpr std::size_t kDecodedBlockCacheSize = 4096;

// Rough sizes for the memory estimates: an object with its bookkeeping, a
// property with its name, one array element.
constexpr std::size_t kObjectBytes = 160;
constexpr std::size_t kPropertyBytes = 64;
constexpr std::size_t kElementBytes = sizeof(Value);

}  // namespace

// Marks the outermost entry: it gets a fresh budget, and when it ends the
// heap may be collected (nothing is executing then).
class EntryScope {
 public:
  explicit EntryScope(Vm& vm) : vm_(vm) {
    if (vm_.entryDepth_++ == 0) {
      vm_.steps_ = 0;
      vm_.entryBytes_ = 0;
      vm_.callDepth_ = 0;
    }
  }
  ~EntryScope() {
    if (--vm_.entryDepth_ == 0) vm_.collectIfDue();
  }
  EntryScope(const EntryScope&) = delete;
  EntryScope& operator=(const EntryScope&) = delete;

 private:
  Vm& vm_;
};

Vm::Vm(Host& host, int swfVersion, Limits limits, LogFn log)
    : host_(host),
      swfVersion_(swfVersion),
      limits_(limits),
      log_(std::move(log)),
      heap_(swfVersion >= 7) {
  interpreter_ = std::make_unique<Interpreter>(*this);
  protos_.object = heap_.make<Object>(nullptr);
  protos_.function = heap_.make<Object>(protos_.object);
  global_ = heap_.make<Object>(protos_.object);
  installBuiltins(*this);
  liveAfterCollection_ = heap_.size();
  // The limit counts what scripts make, not the built-ins.
  heap_.setLimit(heap_.size() + limits_.objects);
}

Vm::~Vm() = default;

void Vm::log(const QString& message) {
  if (log_) {
    log_(message);
  } else {
    qCDebug(lcSwf).noquote() << "script:" << message;
    movielog::line(movielog::Kind::ScriptError, message);
  }
}

template <typename Body>
void Vm::guarded(const char* what, Body&& body) {
  if (halted_) return;
  EntryScope scope(*this);
  try {
    body();
  } catch (const ScriptThrow& thrown) {
    log(QStringLiteral("%1: uncaught exception %2")
            .arg(QLatin1String(what), describe(thrown.value)));
  } catch (const ScriptAbort& abort) {
    log(QStringLiteral("%1 stopped: %2").arg(QLatin1String(what), abort.reason));
  }
}

void Vm::guardedEntry(const char* what, const std::function<void()>& body) { guarded(what, body); }

std::shared_ptr<const DecodedBlock> Vm::decoded(const ActionBlock& block) {
  if (!block.owner) return decodeActions(block, swfVersion_);
  const auto key = std::make_pair(block.bytes.data(), block.bytes.size());
  const auto found = decodedBlocks_.find(key);
  if (found != decodedBlocks_.end() && found->second->owner == block.owner) return found->second;
  if (decodedBlocks_.size() >= kDecodedBlockCacheSize) decodedBlocks_.clear();
  auto code = decodeActions(block, swfVersion_);
  decodedBlocks_[key] = code;
  return code;
}

void Vm::runActions(ClipHandle target, const ActionBlock& block) {
  guarded("actions", [&] { interpreter_->runBlock(decoded(block), target); });
}

bool Vm::hasClipMethod(ClipHandle clip, const QString& name) {
  bool found = false;
  guarded("event", [&] {
    if (ClipObject* object = clipObject(clip)) {
      const Value method = getMember(Value::object(object), name);
      found = method.isObject() && method.asObject()->isFunction();
    }
  });
  return found;
}

bool Vm::callClipMethod(ClipHandle clip, const QString& name, std::span<const Value> args) {
  bool called = false;
  guarded("event", [&] {
    ClipObject* object = clipObject(clip);
    if (object == nullptr) return;
    const Value method = getMember(Value::object(object), name);
    if (!method.isObject() || !method.asObject()->isFunction()) return;
    called = true;
    call(method, Value::object(object), args);
  });
  return called;
}

bool Vm::constructClip(ClipHandle clip) {
  bool instance = false;
  guarded("constructor", [&] { instance = initializeClip(clip); });
  return instance;
}

bool Vm::broadcast(const QString& source, const QString& event, std::span<const Value> args) {
  Value object;
  guarded("event", [&] { object = getMember(Value::object(global_), source); });
  return broadcastFrom(object, event, args);
}

bool Vm::broadcastFromClip(ClipHandle clip, const QString& event, std::span<const Value> args) {
  return broadcastFrom(Value::object(clipObject(clip)), event, args);
}

bool Vm::broadcastFrom(const Value& source, const QString& event, std::span<const Value> args) {
  bool heard = false;
  // One entry around all the calls, so that no collection runs between them
  // and frees a listener an earlier one took off the list.
  guarded("event", [&] {
    const ArrayObject* list = asArray(getMember(source, listenersName()));
    if (list == nullptr) return;
    const std::vector<Value> listeners = list->elements;
    heard = !listeners.empty();
    for (const Value& listener : listeners) {
      guarded("event", [&] { callMethod(listener, event, args); });
    }
  });
  return heard;
}

void Vm::runIntervals(double nowMs) {
  for (const int id : timers_.due(nowMs)) {
    Timer* timer = timers_.find(id);
    if (timer == nullptr) continue;  // cleared by an earlier callback
    const Timer current = *timer;
    if (current.repeat) {
      timer->dueMs += current.periodMs;
      if (timer->dueMs <= nowMs) timer->dueMs = nowMs + current.periodMs;
    } else {
      timers_.remove(id);
    }
    guarded("interval", [&] {
      if (current.method.isEmpty()) {
        call(current.function, Value(), current.args);
      } else {
        callMethod(current.thisValue, current.method, current.args);
      }
    });
  }
}

void Vm::soundEnded(SoundChannel channel, bool completed, double positionMs) {
  SoundObject* sound = soundEvents_.ended(channel);
  if (sound == nullptr) return;
  if (sound->channel == channel) {
    sound->channel = 0;
    sound->positionMs = positionMs;
  }
  if (completed) {
    guarded("onSoundComplete",
            [&] { callMethod(Value::object(sound), QStringLiteral("onSoundComplete"), {}); });
  }
}

void Vm::runSoundLoads() {
  // Loads the handlers start wait for the next call.
  for (std::size_t due = soundEvents_.pendingLoads(); due > 0; --due) {
    const auto load = soundEvents_.takeLoad();
    if (!load) return;
    const Value argument[] = {Value::boolean(load->second)};
    guarded("onLoad",
            [&] { callMethod(Value::object(load->first), QStringLiteral("onLoad"), argument); });
  }
}

Value Vm::getVariable(ClipHandle base, const QString& path) {
  Value result;
  guarded("get variable", [&] { result = interpreter_->getVariable(base, path); });
  return result;
}

void Vm::setVariable(ClipHandle base, const QString& path, const Value& value) {
  guarded("set variable", [&] { interpreter_->setVariable(base, path, value); });
}

void Vm::forgetClip(ClipHandle clip) { clips_.erase(clip); }

void Vm::markRoots(Marker& marker) {
  marker.mark(global_);
  for (Object* proto : {protos_.object, protos_.function, protos_.array, protos_.string,
                        protos_.number, protos_.boolean, protos_.date, protos_.error,
                        protos_.movieClip, protos_.textField, protos_.button, protos_.xmlNode}) {
    marker.mark(proto);
  }
  for (const auto& [handle, object] : clips_) marker.mark(object);
  for (const auto& [character, constructor] : classes_) marker.mark(constructor);
  timers_.mark(marker);
  soundEvents_.mark(marker);
  loadEvents_.mark(marker);
}

void Vm::collectGarbage() {
  if (entryDepth_ > 0) return;  // objects may be held by running code
  heap_.collect([this](Marker& marker) { markRoots(marker); });
  liveAfterCollection_ = heap_.size();
  bytesSinceCollection_ = 0;
  if (const std::size_t kept = retainedBytes(); kept > limits_.retainedMemory) {
    halt(QStringLiteral("scripts keep about %1 MiB").arg(kept >> 20));
  }
}

// Objects, properties, array elements and text the heap holds; a string
// shared by many values counts once when it is large.
std::size_t Vm::retainedBytes() const {
  std::size_t bytes = heap_.size() * kObjectBytes;
  std::unordered_set<const QChar*> seen;
  const auto count = [&](const Value& value) {
    if (!value.isString()) return;
    const QString& text = value.asString();
    if (text.size() < 1024 || seen.insert(text.constData()).second) {
      bytes += static_cast<std::size_t>(text.size()) * sizeof(QChar);
    }
  };
  heap_.forEach([&](const Object& object) {
    bytes += object.properties().size() * kPropertyBytes;
    for (const Property& property : object.properties().entries()) count(property.value);
    if (object.kind() == ObjectKind::Array) {
      const auto& elements = static_cast<const ArrayObject&>(object).elements;
      bytes += elements.size() * kElementBytes;
      for (const Value& element : elements) count(element);
    }
  });
  return bytes;
}

// After an entry: when objects have doubled, or enough was built that the
// retained-memory limit should be checked again.
void Vm::collectIfDue() {
  if (heap_.size() > 2 * liveAfterCollection_ + 1024 ||
      bytesSinceCollection_ > limits_.retainedMemory / 4) {
    collectGarbage();
  }
}

void Vm::halt(const QString& reason) {
  halted_ = true;
  log(QStringLiteral("scripts stopped for this movie: %1").arg(reason));
  timers_.clear();
  clips_.clear();
  classes_.clear();
  global_->properties().clear();
  heap_.collect([this](Marker& marker) { markRoots(marker); });
  liveAfterCollection_ = heap_.size();
}

void Vm::chargeSteps(std::uint64_t steps) {
  steps_ += steps;
  stepsTaken_ += steps;
  if (steps_ > limits_.stepsPerEntry) {
    throw ScriptAbort{QStringLiteral("more than %1 actions in one go").arg(limits_.stepsPerEntry)};
  }
}

void Vm::chargeMemory(std::size_t bytes) {
  entryBytes_ += bytes;
  bytesSinceCollection_ += bytes;
  if (entryBytes_ > limits_.memoryPerEntry) {
    throw ScriptAbort{
        QStringLiteral("more than %1 MiB built in one go").arg(limits_.memoryPerEntry >> 20)};
  }
}

void Vm::reserveString(qsizetype length) {
  if (length > limits_.stringLength) {
    throw ScriptAbort{QStringLiteral("a string of %1 characters (limit %2)")
                          .arg(length)
                          .arg(limits_.stringLength)};
  }
  chargeMemory(static_cast<std::size_t>(std::max<qsizetype>(length, 0)) * sizeof(QChar));
}

void Vm::reserveArray(std::size_t current, std::size_t wanted) {
  if (wanted > limits_.arrayLength) {
    throw ScriptAbort{
        QStringLiteral("an array of %1 elements (limit %2)").arg(wanted).arg(limits_.arrayLength)};
  }
  if (wanted > current) chargeMemory((wanted - current) * kElementBytes);
}

Property& Vm::addProperty(Object* target, const QString& name) {
  if (Property* existing = target->properties().find(name)) return *existing;
  chargeMemory(kPropertyBytes);
  return target->properties().findOrAdd(name);
}

}  // namespace quelvo::swf::avm1
