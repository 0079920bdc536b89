#pragma once

// Test support for the ActionScript VM: a small action assembler and a fake
// host with a clip tree that records what scripts asked of it.

#include <gtest/gtest.h>

#include <QString>
#include <bit>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "swf/avm1/ActionCode.h"
#include "swf/avm1/Host.h"
#include "swf/avm1/Vm.h"

namespace quelvo::swf::avm1::test {

using Bytes = std::vector<std::uint8_t>;

struct Reg {
  std::uint8_t index;
};
struct Constant {
  std::uint16_t index;
};
struct Null {};
struct Undefined {};

// One value of a Push record. Whole numbers given as int are pushed as
// integers, doubles in the double layout.
struct PushItem {
  PushItem(const char* s) : value(QString::fromUtf8(s)) {}
  PushItem(QString s) : value(std::move(s)) {}
  PushItem(double n) : value(n) {}
  PushItem(int n) : value(n) {}
  PushItem(bool b) : value(b) {}
  PushItem(Null n) : value(n) {}
  PushItem(Undefined u) : value(u) {}
  PushItem(Reg r) : value(r) {}
  PushItem(Constant c) : value(c) {}

  std::variant<QString, double, int, bool, Null, Undefined, Reg, Constant> value;
};

// Builds action bytes. Branches name labels; nested bodies (functions, with,
// try) are built by callbacks into their own assembler and may only branch
// within themselves.
class Asm {
 public:
  using Body = std::function<void(Asm&)>;

  // A record without a body; codes from 0x80 up get their zero length.
  Asm& op(ActionCode code) {
    bytes_.push_back(static_cast<std::uint8_t>(code));
    if (static_cast<std::uint8_t>(code) >= 0x80) u16(bytes_, 0);
    return *this;
  }

  Asm& record(ActionCode code, const Bytes& body) {
    bytes_.push_back(static_cast<std::uint8_t>(code));
    u16(bytes_, static_cast<std::uint16_t>(body.size()));
    bytes_.insert(bytes_.end(), body.begin(), body.end());
    return *this;
  }

  Asm& push(std::initializer_list<PushItem> items) {
    Bytes body;
    for (const PushItem& item : items) appendPushItem(body, item);
    return record(ActionCode::Push, body);
  }

  Asm& pushFloat(float value) {
    Bytes body{1};
    u32(body, std::bit_cast<std::uint32_t>(value));
    return record(ActionCode::Push, body);
  }

  Asm& label(const std::string& name) {
    labels_[name] = bytes_.size();
    return *this;
  }
  Asm& jump(const std::string& target) { return branch(ActionCode::Jump, target); }
  Asm& ifTrue(const std::string& target) { return branch(ActionCode::If, target); }
  // A branch by a raw offset, for hostile code.
  Asm& jumpBy(std::int16_t offset) {
    Bytes body;
    u16(body, static_cast<std::uint16_t>(offset));
    return record(ActionCode::Jump, body);
  }

  Asm& constantPool(std::initializer_list<const char*> strings) {
    Bytes body;
    u16(body, static_cast<std::uint16_t>(strings.size()));
    for (const char* s : strings) str(body, s);
    return record(ActionCode::ConstantPool, body);
  }

  Asm& storeRegister(std::uint8_t index) { return record(ActionCode::StoreRegister, {index}); }
  Asm& gotoFrame(std::uint16_t frame) {
    Bytes body;
    u16(body, frame);
    return record(ActionCode::GotoFrame, body);
  }
  Asm& gotoLabel(const char* label) { return record(ActionCode::GotoLabel, strBytes(label)); }
  Asm& setTarget(const char* path) { return record(ActionCode::SetTarget, strBytes(path)); }
  Asm& getUrl(const char* url, const char* target) {
    Bytes body = strBytes(url);
    str(body, target);
    return record(ActionCode::GetUrl, body);
  }
  Asm& getUrl2(std::uint8_t flags) { return record(ActionCode::GetUrl2, {flags}); }
  Asm& gotoFrame2(bool play, std::optional<std::uint16_t> sceneBias = std::nullopt) {
    Bytes body{static_cast<std::uint8_t>((play ? 1 : 0) | (sceneBias ? 2 : 0))};
    if (sceneBias) u16(body, *sceneBias);
    return record(ActionCode::GotoFrame2, body);
  }

  // function name(params) { body } with DefineFunction.
  Asm& defineFunction(const char* name, std::initializer_list<const char*> params,
                      const Body& body) {
    const Bytes code = build(body);
    Bytes header = strBytes(name);
    u16(header, static_cast<std::uint16_t>(params.size()));
    for (const char* param : params) str(header, param);
    u16(header, static_cast<std::uint16_t>(code.size()));
    record(ActionCode::DefineFunction, header);
    bytes_.insert(bytes_.end(), code.begin(), code.end());
    return *this;
  }

  struct Param {
    std::uint8_t reg;
    const char* name;
  };
  Asm& defineFunction2(const char* name, std::uint8_t registerCount, std::uint16_t flags,
                       std::initializer_list<Param> params, const Body& body) {
    const Bytes code = build(body);
    Bytes header = strBytes(name);
    u16(header, static_cast<std::uint16_t>(params.size()));
    header.push_back(registerCount);
    header.push_back(static_cast<std::uint8_t>(flags & 0xFF));
    header.push_back(static_cast<std::uint8_t>(flags >> 8));
    for (const Param& param : params) {
      header.push_back(param.reg);
      str(header, param.name);
    }
    u16(header, static_cast<std::uint16_t>(code.size()));
    record(ActionCode::DefineFunction2, header);
    bytes_.insert(bytes_.end(), code.begin(), code.end());
    return *this;
  }

  // with (popped object) { body }
  Asm& with(const Body& body) {
    const Bytes code = build(body);
    Bytes header;
    u16(header, static_cast<std::uint16_t>(code.size()));
    record(ActionCode::With, header);
    bytes_.insert(bytes_.end(), code.begin(), code.end());
    return *this;
  }

  // try { tryBody } catch (name or register) { catchBody } finally { finallyBody }
  struct Catch {
    std::variant<const char*, std::uint8_t> into = "e";
  };
  Asm& tryBlock(const Body& tryBody, std::optional<Catch> handler, const Body& catchBody,
                const Body& finallyBody) {
    const Bytes tryCode = build(tryBody);
    const Bytes catchCode = catchBody ? build(catchBody) : Bytes();
    const Bytes finallyCode = finallyBody ? build(finallyBody) : Bytes();
    const bool inRegister = handler && std::holds_alternative<std::uint8_t>(handler->into);
    Bytes header{static_cast<std::uint8_t>((inRegister ? 4 : 0) | (finallyBody ? 2 : 0) |
                                           (handler ? 1 : 0))};
    u16(header, static_cast<std::uint16_t>(tryCode.size()));
    u16(header, static_cast<std::uint16_t>(catchCode.size()));
    u16(header, static_cast<std::uint16_t>(finallyCode.size()));
    if (inRegister) {
      header.push_back(std::get<std::uint8_t>(handler->into));
    } else {
      str(header, handler ? std::get<const char*>(handler->into) : "");
    }
    record(ActionCode::Try, header);
    for (const Bytes* part : {&tryCode, &catchCode, &finallyCode}) {
      bytes_.insert(bytes_.end(), part->begin(), part->end());
    }
    return *this;
  }

  // Conveniences for the common patterns.
  Asm& setVar(const char* name, PushItem value) {
    return push({name, std::move(value)}).op(ActionCode::SetVariable);
  }
  Asm& getVar(const char* name) { return push({name}).op(ActionCode::GetVariable); }
  Asm& traceVar(const char* name) { return getVar(name).op(ActionCode::Trace); }
  Asm& trace(PushItem value) { return push({std::move(value)}).op(ActionCode::Trace); }
  // Calls a global or timeline function: args are pushed last to first.
  Asm& callFunction(const char* name, std::initializer_list<PushItem> args) {
    pushReversed(args);
    push({static_cast<int>(args.size()), name});
    return op(ActionCode::CallFunction);
  }
  // variable.method(args): the object is read from a variable.
  Asm& callMethod(const char* variable, const char* method, std::initializer_list<PushItem> args) {
    pushReversed(args);
    push({static_cast<int>(args.size())});
    getVar(variable);
    push({method});
    return op(ActionCode::CallMethod);
  }
  // name = [items]
  Asm& setArray(const char* name, std::initializer_list<PushItem> items) {
    push({name});
    pushReversed(items);
    push({static_cast<int>(items.size())});
    return op(ActionCode::InitArray).op(ActionCode::SetVariable);
  }
  // new name(args)
  Asm& newObject(const char* name, std::initializer_list<PushItem> args) {
    pushReversed(args);
    push({static_cast<int>(args.size()), name});
    return op(ActionCode::NewObject);
  }

  Bytes bytes() const {
    Bytes out = bytes_;
    for (const Fixup& fixup : fixups_) {
      const auto found = labels_.find(fixup.label);
      if (found == labels_.end()) {
        ADD_FAILURE() << "no label " << fixup.label;
        continue;
      }
      const auto offset =
          static_cast<std::int64_t>(found->second) - static_cast<std::int64_t>(fixup.recordEnd);
      out[fixup.at] = static_cast<std::uint8_t>(offset & 0xFF);
      out[fixup.at + 1] = static_cast<std::uint8_t>((offset >> 8) & 0xFF);
    }
    return out;
  }

  // The bytes followed by End, as a DoAction body ends.
  Bytes program() const {
    Bytes out = bytes();
    out.push_back(0);
    return out;
  }

  static void u16(Bytes& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
  }
  static void u32(Bytes& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  static void str(Bytes& out, const QString& s) {
    const QByteArray utf8 = s.toUtf8();
    out.insert(out.end(), utf8.begin(), utf8.end());
    out.push_back(0);
  }
  static Bytes strBytes(const QString& s) {
    Bytes out;
    str(out, s);
    return out;
  }
  // A double in the Push layout: the high 32-bit half first.
  static void pushDoubleBytes(Bytes& out, double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    u32(out, static_cast<std::uint32_t>(bits >> 32));
    u32(out, static_cast<std::uint32_t>(bits));
  }

 private:
  struct Fixup {
    std::size_t at;
    std::size_t recordEnd;
    std::string label;
  };

  static Bytes build(const Body& body) {
    Asm inner;
    if (body) body(inner);
    return inner.bytes();
  }

  Asm& branch(ActionCode code, const std::string& target) {
    record(code, {0, 0});
    fixups_.push_back({bytes_.size() - 2, bytes_.size(), target});
    return *this;
  }

  void pushReversed(std::initializer_list<PushItem> args) {
    for (auto item = std::rbegin(args); item != std::rend(args); ++item) push({*item});
  }

  static void appendPushItem(Bytes& body, const PushItem& item) {
    std::visit(
        [&](const auto& v) {
          using T = std::decay_t<decltype(v)>;
          if constexpr (std::is_same_v<T, QString>) {
            body.push_back(0);
            str(body, v);
          } else if constexpr (std::is_same_v<T, double>) {
            body.push_back(6);
            pushDoubleBytes(body, v);
          } else if constexpr (std::is_same_v<T, int>) {
            body.push_back(7);
            u32(body, static_cast<std::uint32_t>(v));
          } else if constexpr (std::is_same_v<T, bool>) {
            body.push_back(5);
            body.push_back(v ? 1 : 0);
          } else if constexpr (std::is_same_v<T, Null>) {
            body.push_back(2);
          } else if constexpr (std::is_same_v<T, Undefined>) {
            body.push_back(3);
          } else if constexpr (std::is_same_v<T, Reg>) {
            body.push_back(4);
            body.push_back(v.index);
          } else {
            if (v.index < 256) {
              body.push_back(8);
              body.push_back(static_cast<std::uint8_t>(v.index));
            } else {
              body.push_back(9);
              u16(body, v.index);
            }
          }
        },
        item.value);
  }

  Bytes bytes_;
  std::map<std::string, std::size_t> labels_;
  std::vector<Fixup> fixups_;
};

// A clip of the fake display list.
struct FakeClip {
  ClipHandle parent = kNoClip;
  QString name;
  int depth = 0;
  int totalFrames = 1;
  int frame = 0;  // 0-based
  bool playing = true;
  bool removed = false;
  std::map<ClipProperty, Value> properties;
  std::map<QString, int> labels;
  std::map<int, std::vector<Bytes>> frameScripts;
};

// A display list in memory that records everything scripts ask of it.
class FakeHost : public Host {
 public:
  FakeHost() { root = addClip(kNoClip, QString(), 1); }

  ClipHandle addClip(ClipHandle parent, const QString& name, int totalFrames = 1) {
    const ClipHandle handle = nextHandle_++;
    FakeClip& clip = clips[handle];
    clip.parent = parent;
    clip.name = name;
    clip.totalFrames = totalFrames;
    clip.depth = static_cast<int>(clips.size());
    return handle;
  }
  FakeClip* find(ClipHandle handle) {
    const auto found = clips.find(handle);
    return found == clips.end() || found->second.removed ? nullptr : &found->second;
  }

  ClipHandle rootClip() override { return root; }
  ClipHandle levelClip(int level) override { return level == 0 ? root : kNoClip; }
  ClipHandle parentClip(ClipHandle clip) override {
    const FakeClip* c = find(clip);
    return c ? c->parent : kNoClip;
  }
  ClipHandle childClip(ClipHandle parent, const QString& name, bool caseSensitive) override {
    for (const auto& [handle, clip] : clips) {
      if (!clip.removed && clip.parent == parent && parent != kNoClip &&
          clip.name.compare(name, caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive) == 0) {
        return handle;
      }
    }
    return kNoClip;
  }
  std::vector<ClipHandle> childClips(ClipHandle parent) override {
    std::vector<ClipHandle> children;
    for (const auto& [handle, clip] : clips) {
      if (!clip.removed && clip.parent == parent && parent != kNoClip) children.push_back(handle);
    }
    return children;
  }
  void gotoFrame(ClipHandle clip, int frameIndex, bool play) override {
    if (FakeClip* c = find(clip)) {
      c->frame = std::clamp(frameIndex, 0, c->totalFrames - 1);
      c->playing = play;
      calls.push_back("goto " + std::to_string(clip) + " " + std::to_string(c->frame) +
                      (play ? " play" : " stop"));
    }
  }
  std::optional<int> frameOfLabel(ClipHandle clip, const QString& label) override {
    const FakeClip* c = find(clip);
    if (c == nullptr) return std::nullopt;
    const auto found = c->labels.find(label);
    return found == c->labels.end() ? std::nullopt : std::optional<int>(found->second);
  }
  void play(ClipHandle clip) override {
    if (FakeClip* c = find(clip)) c->playing = true;
  }
  void stop(ClipHandle clip) override {
    if (FakeClip* c = find(clip)) c->playing = false;
  }
  void nextFrame(ClipHandle clip) override {
    if (FakeClip* c = find(clip)) gotoFrame(clip, c->frame + 1, false);
  }
  void prevFrame(ClipHandle clip) override {
    if (FakeClip* c = find(clip)) gotoFrame(clip, c->frame - 1, false);
  }
  std::vector<ActionBlock> frameActions(ClipHandle clip, int frameIndex) override {
    std::vector<ActionBlock> blocks;
    if (FakeClip* c = find(clip)) {
      for (const Bytes& script : c->frameScripts[frameIndex]) blocks.push_back({script, 0, {}});
    }
    return blocks;
  }
  Value getProperty(ClipHandle clip, ClipProperty property) override {
    const FakeClip* c = find(clip);
    if (c == nullptr) return {};
    if (const auto set = c->properties.find(property); set != c->properties.end()) {
      return set->second;
    }
    switch (property) {
      case ClipProperty::XScale:
      case ClipProperty::YScale:
      case ClipProperty::Alpha:
        return Value::number(100);
      case ClipProperty::Visible:
        return Value::boolean(true);
      case ClipProperty::CurrentFrame:
        return Value::number(c->frame + 1);
      case ClipProperty::TotalFrames:
      case ClipProperty::FramesLoaded:
        return Value::number(c->totalFrames);
      case ClipProperty::Name:
        return Value::string(c->name);
      case ClipProperty::Quality:
        return Value::string(QStringLiteral("HIGH"));
      default:
        return Value::number(0);
    }
  }
  void setProperty(ClipHandle clip, ClipProperty property, const Value& value) override {
    if (FakeClip* c = find(clip)) {
      if (property == ClipProperty::Name) c->name = value.asString();
      c->properties[property] = value;
    }
  }
  ClipHandle duplicateClip(ClipHandle source, const QString& name, int depth) override {
    const FakeClip* c = find(source);
    if (c == nullptr) return kNoClip;
    const ClipHandle copy = addClip(c->parent, name, c->totalFrames);
    clips[copy].depth = depth;
    return copy;
  }
  ClipHandle attachClip(ClipHandle parent, const QString& exportName, const QString& name,
                        int depth) override {
    if (find(parent) == nullptr || exportName.isEmpty()) return kNoClip;
    const ClipHandle clip = addClip(parent, name);
    clips[clip].depth = depth;
    return clip;
  }
  ClipHandle createEmptyClip(ClipHandle parent, const QString& name, int depth) override {
    return attachClip(parent, QStringLiteral("empty"), name, depth);
  }
  void removeClip(ClipHandle clip) override {
    if (FakeClip* c = find(clip)) c->removed = true;
  }
  int depthOf(ClipHandle clip) override {
    const FakeClip* c = find(clip);
    return c ? c->depth : 0;
  }
  int nextHighestDepth(ClipHandle) override { return 100; }
  void swapDepths(ClipHandle clip, int depth) override {
    if (FakeClip* c = find(clip)) c->depth = depth;
  }
  void draw(ClipHandle, const DrawCommand& command) override { draws.push_back(command); }
  bool hitTestPoint(ClipHandle, double x, double, bool) override { return x < 10; }
  bool hitTestClip(ClipHandle clip, ClipHandle other) override { return clip == other; }
  void startDrag(ClipHandle clip, const DragOptions& options) override {
    dragged = clip;
    drag = options;
  }
  void stopDrag() override { dragged = kNoClip; }
  void toggleQuality() override { calls.push_back("toggleQuality"); }
  void stopSounds() override { calls.push_back("stopSounds"); }
  void getUrl(const UrlRequest& request) override { urls.push_back(request); }
  void fsCommand(const QString& command, const QString& args) override {
    calls.push_back("fscommand " + command.toStdString() + " " + args.toStdString());
  }
  void trace(const QString& message) override { traces.push_back(message.toStdString()); }
  double timerMs() override { return timer; }
  double epochMs() override { return epoch; }
  double random() override { return randomValue; }
  bool isKeyDown(int keyCode) override { return keysDown.count(keyCode) > 0; }
  int lastKeyCode() override { return lastKey; }

  ClipHandle root = kNoClip;
  std::map<ClipHandle, FakeClip> clips;
  std::vector<std::string> traces;
  std::vector<std::string> calls;
  std::vector<UrlRequest> urls;
  std::vector<DrawCommand> draws;
  ClipHandle dragged = kNoClip;
  DragOptions drag;
  double timer = 0;
  double epoch = 0;
  double randomValue = 0.5;
  std::set<int> keysDown;
  int lastKey = 0;

 private:
  ClipHandle nextHandle_ = 1;
};

// name = new <package>.<className>(args), package a dotted path such as
// "flash.geom" read as one variable.
inline Asm& construct(Asm& code, const char* name, const char* package, const char* className,
                      std::initializer_list<PushItem> args) {
  code.push({name});
  std::vector<PushItem> reversed(args);
  for (auto it = reversed.rbegin(); it != reversed.rend(); ++it) code.push({*it});
  code.push({static_cast<int>(args.size())}).getVar(package).push({className});
  return code.op(ActionCode::NewMethod).op(ActionCode::SetVariable);
}

// A VM of the given SWF version over a fake host, with its log collected.
class VmRunner {
 public:
  explicit VmRunner(int version = 7, Limits limits = {})
      : vm(host, version, limits, [this](const QString& m) { log.push_back(m.toStdString()); }) {}

  // Runs the program (End appended) on the target clip, the root by default.
  void run(const Asm& code, ClipHandle target = kNoClip) {
    programs_.push_back(std::make_shared<Bytes>(code.program()));
    vm.runActions(target == kNoClip ? host.root : target,
                  ActionBlock{*programs_.back(), 0, programs_.back()});
  }
  void runBytes(const Bytes& bytes) {
    programs_.push_back(std::make_shared<Bytes>(bytes));
    vm.runActions(host.root, ActionBlock{*programs_.back(), 0, programs_.back()});
  }
  // What the program traced, in order.
  std::vector<std::string> traced(const Asm& code, ClipHandle target = kNoClip) {
    host.traces.clear();
    run(code, target);
    return host.traces;
  }
  std::string tracedOne(const Asm& code) {
    const auto lines = traced(code);
    return lines.size() == 1 ? lines.front() : "<" + std::to_string(lines.size()) + " lines>";
  }
  Value variable(const char* path) { return vm.getVariable(host.root, QString::fromUtf8(path)); }

  FakeHost host;
  std::vector<std::string> log;
  Vm vm;

 private:
  std::vector<std::shared_ptr<Bytes>> programs_;
};

using AC = ActionCode;

}  // namespace quelvo::swf::avm1::test
