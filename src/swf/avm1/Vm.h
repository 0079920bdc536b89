#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <vector>

#include "swf/avm1/ActionDecoder.h"
#include "swf/avm1/ArrayObject.h"
#include "swf/avm1/ClipObject.h"
#include "swf/avm1/Function.h"
#include "swf/avm1/Heap.h"
#include "swf/avm1/Host.h"
#include "swf/avm1/Limits.h"
#include "swf/avm1/LoadEvents.h"
#include "swf/avm1/SoundObject.h"
#include "swf/avm1/Timers.h"
#include "swf/avm1/Value.h"
#include "swf/bitmapdata/PixelBudget.h"

namespace quelvo::swf::avm1 {

class Interpreter;

// The prototypes of the built-in classes.
struct Prototypes {
  Object* object = nullptr;
  Object* function = nullptr;
  Object* array = nullptr;
  Object* string = nullptr;
  Object* number = nullptr;
  Object* boolean = nullptr;
  Object* date = nullptr;
  Object* error = nullptr;
  Object* movieClip = nullptr;
  Object* textField = nullptr;  // for clip handles the host says are text fields
  Object* button = nullptr;     // and buttons
  Object* xmlNode = nullptr;
};

enum class PrimitiveHint : std::uint8_t { Default, Number, String };

// The ActionScript 1/2 virtual machine of one movie: the heap, the global
// object and built-ins, the clip objects and timers, and the entry points the
// player calls. Every entry point catches what scripts do wrong and logs it;
// none throws. Movies of SWF 6 and earlier get case-insensitive names.
class Vm {
 public:
  using LogFn = std::function<void(const QString& message)>;

  // log receives what scripts did wrong (stopped entries, uncaught
  // exceptions); without one it goes to the quelvo.swf debug category.
  Vm(Host& host, int swfVersion, Limits limits = {}, LogFn log = {});
  ~Vm();
  Vm(const Vm&) = delete;
  Vm& operator=(const Vm&) = delete;

  // --- Entry points for the player
  // A frame's DoAction, a DoInitAction, button or clip-event actions, run on target.
  void runActions(ClipHandle target, const ActionBlock& block);
  // Calls the function the clip holds under name (onEnterFrame, onPress...)
  // with the clip as this. False when there is no such function.
  bool callClipMethod(ClipHandle clip, const QString& name, std::span<const Value> args = {});
  bool hasClipMethod(ClipHandle clip, const QString& name);
  // Calls event with args on each listener registered with the global source
  // object (Key, Mouse, Stage, Selection), each in its own guard; a listener
  // an earlier one removed is still called this time. Returns whether there
  // was any listener.
  bool broadcast(const QString& source, const QString& event, std::span<const Value> args = {});
  // The same for the listeners of a clip or text field (TextField.addListener).
  bool broadcastFromClip(ClipHandle clip, const QString& event, std::span<const Value> args = {});
  // The hidden member where addListener keeps a source's listeners.
  static QString listenersName() { return QStringLiteral("_listeners"); }
  // Fires the setInterval / setTimeout timers due at nowMs (the host's timerMs clock).
  void runIntervals(double nowMs);
  // A channel a Sound object started has ended at positionMs; completed when
  // it played all its loops, which calls the object's onSoundComplete.
  void soundEnded(SoundChannel channel, bool completed, double positionMs);
  // Calls onLoad(success) on the Sound objects whose loadSound has finished.
  void runSoundLoads();
  // Serves the data files LoadVars and XML objects asked for: reads each
  // through the host and calls the object's onData with the text, or with
  // undefined when there is none.
  void runDataLoads();
  // Tells the MovieClipLoader behind a load the host runs (UrlRequest::loadId).
  void clipLoadEvent(std::uint64_t loadId, const ClipLoadNews& news);
  // loadVariables: sets the url-encoded variables of a loaded file on the clip.
  void loadVariablesInto(ClipHandle clip, const QByteArray& data);
  // Text fields and loaded variables: a variable by name or path, from base.
  Value getVariable(ClipHandle base, const QString& path);
  void setVariable(ClipHandle base, const QString& path, const Value& value);
  // The clip has gone: its object is no longer kept alive for it.
  void forgetClip(ClipHandle clip);
  // A new clip of a character registered with Object.registerClass becomes
  // an instance of the class: its prototype is the class's and the
  // constructor runs with the clip as this, once. Returns whether the clip
  // is such an instance (made now or before).
  bool constructClip(ClipHandle clip);
  // Frees unreachable objects; the VM also does this by itself after entries.
  void collectGarbage();
  // Scripts kept more memory than allowed and have been stopped.
  bool halted() const { return halted_; }

  // --- Services for the interpreter and the built-ins
  int swfVersion() const { return swfVersion_; }
  Host& host() { return host_; }
  Heap& heap() { return heap_; }
  const Limits& limits() const { return limits_; }
  Object* global() { return global_; }
  Prototypes& protos() { return protos_; }
  Timers& timers() { return timers_; }
  SoundEvents& soundEvents() { return soundEvents_; }
  // What the movie's BitmapData objects may hold together (Limits::bitmapBytes).
  const std::shared_ptr<PixelBudget>& bitmapBudget() const { return bitmapBudget_; }
  LoadEvents& loadEvents() { return loadEvents_; }
  Interpreter& interpreter() { return *interpreter_; }
  void log(const QString& message);

  // Conversions, with the rules of the movie's version.
  double toNumber(const Value& value);
  QString toString(const Value& value);
  bool toBoolean(const Value& value);
  Value toPrimitive(const Value& value, PrimitiveHint hint = PrimitiveHint::Default);
  Object* toObject(const Value& value);
  QString typeOf(const Value& value) const;
  // Text for messages: never calls scripts.
  QString describe(const Value& value) const;

  // Objects
  Object* newObject(Object* proto = nullptr);  // Object.prototype by default
  ArrayObject* newArray(std::vector<Value> elements = {}, Object* proto = nullptr);
  NativeFunction* newNative(NativeFn fn);
  // A fresh prototype object for a constructor, linked both ways.
  void attachPrototype(Object* constructor, Object* prototype);
  // Built-in members: hidden from for..in, like the player's own.
  void defineMethod(Object* target, const QString& name, NativeFn fn);
  void defineValue(Object* target, const QString& name, const Value& value,
                   std::uint8_t flags = DontEnum);

  // Names compare case-insensitively before SWF 7.
  bool sameName(const QString& a, const QString& b) const;
  Value getMember(const Value& target, const QString& name);
  void setMember(Object* target, const QString& name, const Value& value);
  bool hasProperty(Object* target, const QString& name);
  bool deleteMember(Object* target, const QString& name);
  // Enumerable names of the object and its prototypes, nearest first.
  std::vector<QString> enumerate(Object* target);
  void setArrayLength(ArrayObject& array, double length);

  // Calls. A value that is not a function is not called (undefined).
  // home is the object the method was found on, the start of "super".
  Value call(const Value& function, const Value& thisValue, std::span<const Value> args,
             Object* home = nullptr);
  // A script's own call (reportMissing) of a method that does not exist is
  // counted in the movie log; the VM's calls of optional handlers are not.
  Value callMethod(const Value& target, const QString& name, std::span<const Value> args,
                   bool reportMissing = false);
  Value construct(const Value& constructor, std::span<const Value> args);
  // Another frame's actions run from a script (call(frame)): part of the
  // running entry, counted as one level of nesting.
  void runNested(ClipHandle target, const ActionBlock& block);
  bool instanceOf(const Value& value, Object* constructor);

  // Budget and limits
  void chargeSteps(std::uint64_t steps);
  // Steps charged over the VM's life, for budgets spanning several entries.
  std::uint64_t stepsTaken() const { return stepsTaken_; }
  // Before a string of this length is built, an array grows from current to
  // wanted elements, or a property is added: aborts past the limits.
  void reserveString(qsizetype length);
  void reserveArray(std::size_t current, std::size_t wanted);
  Property& addProperty(Object* target, const QString& name);

  // Clips
  ClipObject* clipObject(ClipHandle clip);  // nullptr for kNoClip
  // Object.registerClass for a library character; a null constructor
  // takes the registration away.
  void registerClass(int character, Object* constructor);
  // constructClip within a running script (attachMovie, duplicateMovieClip):
  // what the constructor throws goes on to the caller.
  bool initializeClip(ClipHandle clip);

  // The movie log: the class a call's receiver belongs to, as messages name it.
  QString className(const Value& target);
  void noteMissingMethod(const Value& target, const QString& name);
  // The clip a value refers to: a clip object, or kNoClip.
  static ClipHandle clipOf(const Value& value);
  QString dotPath(ClipHandle clip);    // "_level0.menu.button"
  QString slashPath(ClipHandle clip);  // "/menu/button"
  // Clip properties with the value converted to the property's type;
  // read-only properties are not set.
  Value getClipProperty(ClipHandle clip, ClipProperty property);
  void setClipProperty(ClipHandle clip, ClipProperty property, const Value& value);

 private:
  friend class EntryScope;
  template <typename Body>
  void guarded(const char* what, Body&& body);
  // guarded for entry points defined in other files.
  void guardedEntry(const char* what, const std::function<void()>& body);
  void collectIfDue();
  void markRoots(Marker& marker);
  void halt(const QString& reason);
  void chargeMemory(std::size_t bytes);
  std::size_t retainedBytes() const;
  std::shared_ptr<const DecodedBlock> decoded(const ActionBlock& block);
  bool findProperty(Object* start, const QString& name, Object*& holder, Property*& property);
  Value readProperty(const Value& receiver, Object* holder, Property& property);
  bool getSpecial(Object* target, const QString& name, Value& out);
  bool setSpecial(Object* target, const QString& name, const Value& value);
  bool getClipSpecial(ClipObject& clip, const QString& name, Value& out);
  bool setClipSpecial(ClipObject& clip, const QString& name, const Value& value);
  bool setProto(Object* target, const Value& proto);
  bool broadcastFrom(const Value& source, const QString& event, std::span<const Value> args);
  Value invoke(const Value& function, const Value& thisValue, std::span<const Value> args,
               Object* home, bool constructing);

  Host& host_;
  int swfVersion_;
  Limits limits_;
  LogFn log_;
  Heap heap_;
  Prototypes protos_;
  Object* global_ = nullptr;
  Timers timers_;
  SoundEvents soundEvents_;
  std::shared_ptr<PixelBudget> bitmapBudget_ = std::make_shared<PixelBudget>(limits_.bitmapBytes);
  LoadEvents loadEvents_;
  std::unique_ptr<Interpreter> interpreter_;
  std::map<ClipHandle, ClipObject*> clips_;
  std::map<int, Object*> classes_;  // registered constructors by character
  std::map<std::pair<const std::uint8_t*, std::size_t>, std::shared_ptr<const DecodedBlock>>
      decodedBlocks_;

  int entryDepth_ = 0;
  std::uint64_t steps_ = 0;
  std::uint64_t stepsTaken_ = 0;
  std::size_t entryBytes_ = 0;
  std::size_t bytesSinceCollection_ = 0;
  std::uint32_t callDepth_ = 0;
  std::size_t liveAfterCollection_ = 0;
  bool halted_ = false;
};

}  // namespace quelvo::swf::avm1
