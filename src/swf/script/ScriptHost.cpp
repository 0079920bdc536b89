#include "swf/script/ScriptHost.h"

#include <QDateTime>
#include <utility>

#include "swf/base/Log.h"
#include "swf/format/DisplayListTags.h"
#include "swf/format/NamedCharacters.h"
#include "swf/format/TagCodes.h"
#include "swf/io/ByteReader.h"
#include "swf/script/DrawingShape.h"

namespace quelvo::swf {

using avm1::ClipHandle;

namespace {

// What one step (a tick or an input event) runs at most: queued entries (a
// frame script that keeps sending its clip back to its own frame would
// otherwise never let the tick end) and actions over all its entries.
constexpr std::size_t kMaxEntriesPerDrain = 20000;
constexpr std::uint64_t kMaxStepsPerDrain = 2'000'000;
constexpr std::uint8_t kHasClipActions = 0x80;  // PlaceObject2/3 flags

bool placesClipActions(const TagRecord& record) {
  return (record.code == tags::PlaceObject2 || record.code == tags::PlaceObject3) &&
         !record.body.empty() && (record.body[0] & kHasClipActions) != 0;
}

bool timelineHasScripts(const Timeline& timeline) {
  for (const Frame& frame : timeline.frames) {
    for (const TagRecord& record : frame.tags) {
      if (record.code == tags::DoAction || record.code == tags::DoInitAction ||
          placesClipActions(record)) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace

ScriptHost::ScriptHost(std::shared_ptr<const Movie> movie, PlayContext& context, Playhead& playhead,
                       TimelineInstance& root, SoundPlayer& sounds)
    : movie_(std::move(movie)),
      context_(context),
      playhead_(playhead),
      root_(root),
      sounds_(sounds) {
  vm_ = std::make_unique<avm1::Vm>(*this, movie_->version());
  emptyTimeline_.frames.emplace_back();
  const bool caseSensitive = movie_->version() >= 7;
  for (const Frame& frame : movie_->frames()) {
    for (const TagRecord& record : frame.tags) {
      if (record.code != tags::ExportAssets) continue;
      for (const NamedCharacter& exported : readNamedCharacters(record)) {
        const QString name = decode(exported.name);
        exports_.try_emplace(caseSensitive ? name : name.toLower(), exported.id);
        exportedIds_.insert(exported.id);
      }
    }
  }
}

ScriptHost::~ScriptHost() = default;

void ScriptHost::stopSounds() {
  if (context_.sounds) context_.sounds->stopAll();
}

bool ScriptHost::hasScripts(const Movie& movie) {
  if (movie.isAvm2()) return false;
  for (const TagRecord& record : movie.definitions()) {
    if (record.code == tags::DefineButton || record.code == tags::DefineButton2) return true;
  }
  if (timelineHasScripts(movie.root())) return true;
  for (const auto& [id, sprite] : movie.sprites()) {
    if (timelineHasScripts(sprite.timeline)) return true;
  }
  return false;
}

// --- Queue

void ScriptHost::runActions(TimelineInstance& clip, std::span<const std::uint8_t> actions,
                            std::uint64_t offset) {
  queue_.push_back(Pending{clip.id(), actions, offset, {}});
}

void ScriptHost::runInitActions(TimelineInstance& clip, std::span<const std::uint8_t> body,
                                std::uint64_t offset) {
  if (body.size() < 2) return;
  const auto sprite = static_cast<std::uint16_t>(body[0] | body[1] << 8);
  if (!initDone_.insert(sprite).second) return;
  initQueue_.push_back(Pending{clip.id(), body.subspan(2), offset + 2, {}});
}

bool ScriptHost::runPending(bool tick) {
  if (tick) {
    ++ticks_;
    soundLoadsThisTick_ = 0;
    forgetGoneButtons();
  }
  bool ran = false;
  std::size_t entries = 0;
  const std::uint64_t stepsBefore = vm_->stepsTaken();
  const auto drain = [&] {
    while (!initQueue_.empty() || !constructQueue_.empty() || !queue_.empty()) {
      if (++entries > kMaxEntriesPerDrain || vm_->stepsTaken() - stepsBefore > kMaxStepsPerDrain) {
        qCWarning(lcSwf) << "scripts ran past the budget of one step; dropping"
                         << initQueue_.size() + constructQueue_.size() + queue_.size()
                         << "queued entries";
        initQueue_.clear();
        constructQueue_.clear();
        for (const Pending& entry : std::exchange(queue_, {})) {
          if (entry.forget) vm_->forgetClip(entry.clip);
        }
        return;
      }
      std::deque<Pending>& from = !initQueue_.empty()        ? initQueue_
                                  : !constructQueue_.empty() ? constructQueue_
                                                             : queue_;
      const Pending entry = std::move(from.front());
      from.pop_front();
      runEntry(entry);
      ran = true;
    }
  };
  drain();
  if (tick && vm_->timers().size() > 0) {
    vm_->runIntervals(timerMs());
    drain();
    ran = true;
  }
  if (tick && runSoundEvents()) {
    drain();
    ran = true;
  }
  if (tick && runLoads()) {
    drain();
    ran = true;
  }
  return ran;
}

void ScriptHost::runEntry(const Pending& entry) {
  if (entry.call) {
    entry.call();
    return;
  }
  if (entry.forget) {
    vm_->forgetClip(entry.clip);
    return;
  }
  if (!entry.afterRemoval && !clip(entry.clip)) return;  // removed since it was queued
  if (entry.construct) {
    if (vm_->constructClip(entry.clip) &&
        vm_->hasClipMethod(entry.clip, QStringLiteral("onLoad"))) {
      queue_.push_back(Pending{entry.clip, {}, 0, QStringLiteral("onLoad")});
    }
    return;
  }
  if (!entry.method.isEmpty()) {
    vm_->callClipMethod(entry.clip, entry.method);
    return;
  }
  vm_->runActions(entry.clip, avm1::ActionBlock{entry.actions, entry.offset, movie_});
}

// --- Clip events

void ScriptHost::clipLoaded(TimelineInstance& clip, const DisplayObject& placement) {
  // Only exported symbols can have a registered class.
  if (exportedIds_.count(placement.character) > 0) {
    Pending construct{clip.id(), {}, 0, {}};
    construct.construct = true;
    constructQueue_.push_back(std::move(construct));
  }
  if (placement.clipActions.empty()) return;
  const auto movieBytes = movie_->bytes();
  const auto* start = placement.clipActions.data();
  const bool inMovie = start >= movieBytes.data() && start + placement.clipActions.size() <=
                                                         movieBytes.data() + movieBytes.size();
  const std::uint64_t offset = inMovie ? static_cast<std::uint64_t>(start - movieBytes.data()) : 0;
  auto handlers = readClipEvents(placement.clipActions, offset, movie_->version());
  if (handlers.empty()) return;
  handlers_[clip.id()] = std::move(handlers);
  queueHandlers(clip.id(), clipevent::Load);
}

void ScriptHost::clipEnteringFrame(TimelineInstance& clip) {
  queueHandlers(clip.id(), clipevent::EnterFrame);
  if (vm_->hasClipMethod(clip.id(), QStringLiteral("onEnterFrame"))) {
    queue_.push_back(Pending{clip.id(), {}, 0, QStringLiteral("onEnterFrame")});
  }
}

void ScriptHost::clipGone(std::uint64_t id) {
  sounds_.mixer().forgetTransform(id);
  if (const auto drawing = drawings_.find(id); drawing != drawings_.end()) {
    drawCommands_ -= drawing->second.commands.size();
    if (drawing->second.shape) retired_.push_back(std::move(drawing->second.shape));
    drawings_.erase(drawing);
  }
  if (drag_.clip == id) drag_ = {};
  dropTargets_.erase(id);
  for (auto it = fieldMasks_.begin(); it != fieldMasks_.end();) {
    const auto [field, masked] = *it++;  // unpairing erases the entry
    if (masked == id) unpairFieldMask(field);
  }
  // Unload handlers run once the step's other entries have, on the object
  // the clip leaves behind; then the object goes.
  if (const auto found = handlers_.find(id); found != handlers_.end()) {
    for (const ClipEventHandler& handler : found->second) {
      if (handler.events & clipevent::Unload) {
        queue_.push_back(Pending{id, handler.actions, handler.offset, {}, true, false});
      }
    }
    handlers_.erase(found);
  }
  if (vm_->hasClipMethod(id, QStringLiteral("onUnload"))) {
    queue_.push_back(Pending{id, {}, 0, QStringLiteral("onUnload"), true, false});
  }
  queue_.push_back(Pending{id, {}, 0, {}, false, true});
}

void ScriptHost::queueHandlers(ClipHandle clip, std::uint32_t event, int pressCode) {
  const auto found = handlers_.find(clip);
  if (found == handlers_.end()) return;
  for (const ClipEventHandler& handler : found->second) {
    const bool pressed = pressCode != 0 && (handler.events & clipevent::KeyPress) != 0 &&
                         handler.keyCode == pressCode;
    if ((handler.events & event) || pressed) {
      queue_.push_back(Pending{clip, handler.actions, handler.offset, {}});
    }
  }
}

// Every live clip's handlers for the event, oldest clip first, then the
// method of that name each clip holds.
bool ScriptHost::queueEvent(std::uint32_t event, const QString& method, const QString& source,
                            int pressCode) {
  std::vector<ClipHandle> clips;
  for (const auto& [id, instance] : context_.instances) clips.push_back(id);
  for (const ClipHandle id : clips) {
    queueHandlers(id, event, pressCode);
    if (vm_->hasClipMethod(id, method)) queue_.push_back(Pending{id, {}, 0, method});
  }
  const bool ran = runPending(false);
  const bool heard = vm_->broadcast(source, method);
  return runPending(false) || ran || heard;
}

bool ScriptHost::animating() {
  if (vm_->timers().size() > 0) return true;
  for (const auto& [id, instance] : context_.instances) {
    const auto found = handlers_.find(id);
    if (found != handlers_.end()) {
      for (const ClipEventHandler& handler : found->second) {
        if (handler.events & clipevent::EnterFrame) return true;
      }
    }
    if (vm_->hasClipMethod(id, QStringLiteral("onEnterFrame"))) return true;
  }
  return false;
}

// --- Input

namespace {

// The code keyPress handlers name a key by: the character typed, or for
// keys without one, a number of their own.
int keyPressCode(int keyCode, int character) {
  static constexpr std::pair<int, int> kSpecial[] = {
      {37, 1},  {39, 2},  {36, 3},  {35, 4},  {45, 5},  {46, 6}, {8, 8},
      {13, 13}, {38, 14}, {40, 15}, {33, 16}, {34, 17}, {9, 18}, {27, 19},
  };
  for (const auto& [key, code] : kSpecial) {
    if (key == keyCode) return code;
  }
  return character >= 32 && character < 256 ? character : 0;
}

}  // namespace

bool ScriptHost::keyDown(int keyCode, int character) {
  keysDown_.insert(keyCode);
  lastKey_ = keyCode;
  const bool typed = typeIntoFocus(keyCode, character);
  tellFocusedButton(QStringLiteral("onKeyDown"));
  return queueEvent(clipevent::KeyDown, QStringLiteral("onKeyDown"), QStringLiteral("Key"),
                    keyPressCode(keyCode, character)) ||
         typed;
}

bool ScriptHost::keyUp(int keyCode) {
  keysDown_.erase(keyCode);
  lastKey_ = keyCode;
  tellFocusedButton(QStringLiteral("onKeyUp"));
  return queueEvent(clipevent::KeyUp, QStringLiteral("onKeyUp"), QStringLiteral("Key"));
}

bool ScriptHost::pointerMove(double x, double y) {
  pointerX_ = x;
  pointerY_ = y;
  const bool dragged = moveDrag();
  trackClipButtons();
  return queueEvent(clipevent::MouseMove, QStringLiteral("onMouseMove"), QStringLiteral("Mouse")) ||
         dragged;
}

bool ScriptHost::pointerDown() {
  const bool focused = focusFieldAtPointer();
  pressClipButton();
  return queueEvent(clipevent::MouseDown, QStringLiteral("onMouseDown"), QStringLiteral("Mouse")) ||
         focused;
}
bool ScriptHost::pointerUp() {
  releaseClipButton();
  return queueEvent(clipevent::MouseUp, QStringLiteral("onMouseUp"), QStringLiteral("Mouse"));
}

// --- Drawing

void ScriptHost::draw(ClipHandle handle, const avm1::DrawCommand& command) {
  if (!clip(handle)) return;
  Drawing& drawing = drawings_[handle];
  if (command.op == avm1::DrawCommand::Op::Clear) {
    drawCommands_ -= drawing.commands.size();
    drawing.commands.clear();
  }
  if (drawCommands_ < kMaxDrawCommands) {
    drawing.commands.push_back(command);
    ++drawCommands_;
  }
  drawing.dirty = true;
}

std::vector<std::shared_ptr<const Shape>> ScriptHost::updateDrawings() {
  rebuildDrawings();
  for (const auto& shape : retired_) hitPaths_.forget(*shape);
  return std::exchange(retired_, {});
}

void ScriptHost::rebuildDrawings() {
  for (auto& [handle, drawing] : drawings_) {
    if (!drawing.dirty) continue;
    drawing.dirty = false;
    if (drawing.shape) retired_.push_back(drawing.shape);
    drawing.shape = std::make_shared<const Shape>(drawingShape(drawing.commands));
    if (TimelineInstance* instance = clip(handle)) instance->setDrawing(drawing.shape);
  }
}

// --- The outside

void ScriptHost::getUrl(const avm1::UrlRequest& request) {
  if (request.loadVariables || request.targetIsClip) {
    queueLoad(request);
    return;
  }
  const QString scheme = request.url.section(QLatin1Char(':'), 0, 0).toLower();
  if (scheme != QLatin1String("http") && scheme != QLatin1String("https")) {
    qCDebug(lcSwf) << "ignoring getURL" << request.url;
    return;
  }
  if (urlHandler_) urlHandler_(request.url, request.target);
}

void ScriptHost::trace(const QString& message) {
  qCDebug(lcSwf) << "trace:" << message;
  movielog::line(movielog::Kind::Trace, message);
}

double ScriptHost::timerMs() {
  const double rate = movie_->frameRate() > 0 ? movie_->frameRate() : 12.0;
  return static_cast<double>(ticks_) * 1000.0 / rate;
}

double ScriptHost::epochMs() { return static_cast<double>(QDateTime::currentMSecsSinceEpoch()); }

double ScriptHost::random() { return std::uniform_real_distribution<double>(0.0, 1.0)(random_); }

QString ScriptHost::variable(const QString& path) {
  return vm_->toString(vm_->getVariable(root_.id(), path));
}

QString ScriptHost::decode(const std::string& bytes) const {
  return movie_->version() >= 6
             ? QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()))
             : QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace quelvo::swf
