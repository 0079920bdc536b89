// The clip tree, timeline control and clips made by scripts.
#include "swf/base/Log.h"
#include "swf/format/TagCodes.h"
#include "swf/script/ScriptHost.h"

namespace quelvo::swf {

using avm1::ClipHandle;
using avm1::kNoClip;

namespace {

// Display list depth of script depth 0.
constexpr int kScriptDepthBase = 16384;
constexpr int kMaxListDepth = 65535;

DisplayList::Objects::iterator entryOf(DisplayList& list, const TimelineInstance& clip) {
  auto it = list.objects().begin();
  while (it != list.objects().end() && it->second.sprite.get() != &clip) ++it;
  return it;
}

}  // namespace

std::optional<std::uint16_t> ScriptHost::listDepth(int scriptDepth) {
  const long long depth = static_cast<long long>(scriptDepth) + kScriptDepthBase;
  if (depth < 0 || depth > kMaxListDepth) return std::nullopt;
  return static_cast<std::uint16_t>(depth);
}

DisplayObject* ScriptHost::placed(ClipHandle handle) const {
  const TimelineInstance* instance = clip(handle);
  return instance ? instance->placement() : nullptr;
}

ClipHandle ScriptHost::levelClip(int level) { return level == 0 ? root_.id() : kNoClip; }

ClipHandle ScriptHost::parentClip(ClipHandle handle) {
  const TimelineInstance* instance = clip(handle);
  if (!instance) {
    if (const auto field = fieldPlace(handle)) return field->parent->id();
    const auto button = buttonPlace(handle);
    return button ? button->parent->id() : kNoClip;
  }
  return instance->parent() ? instance->parent()->id() : kNoClip;
}

ClipHandle ScriptHost::childClip(ClipHandle parent, const QString& name, bool caseSensitive) {
  TimelineInstance* instance = clip(parent);
  if (!instance) return kNoClip;
  const auto sensitivity = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
  for (const auto& [depth, object] : instance->displayList().objects()) {
    if (object.sprite && decode(object.name).compare(name, sensitivity) == 0) {
      return object.sprite->id();
    }
  }
  const ClipHandle field = childField(*instance, name, caseSensitive);
  return field != kNoClip ? field : childButton(*instance, name, caseSensitive);
}

std::vector<ClipHandle> ScriptHost::childClips(ClipHandle parent) {
  std::vector<ClipHandle> children;
  if (const TimelineInstance* instance = clip(parent)) {
    for (const auto& [depth, object] : instance->displayList().objects()) {
      if (object.sprite) children.push_back(object.sprite->id());
    }
  }
  return children;
}

int ScriptHost::exportedCharacter(const QString& name) {
  const auto character = exported(name);
  return character ? *character : -1;
}

// Duplicates share the timeline of the sprite they copy; empty clips have one of their own.
int ScriptHost::characterOf(ClipHandle handle) {
  const TimelineInstance* instance = clip(handle);
  const DisplayObject* object = instance ? instance->placement() : nullptr;
  if (!object) return -1;
  const Sprite* sprite = context_.library.sprite(object->character);
  return sprite && &sprite->timeline == &instance->timeline() ? object->character : -1;
}

// --- Timeline control

void ScriptHost::gotoFrame(ClipHandle handle, int frameIndex, bool play) {
  TimelineInstance* instance = clip(handle);
  if (!instance) return;
  const auto frame = static_cast<std::size_t>(std::max(frameIndex, 0));
  if (instance == &root_) {
    playhead_.gotoFrame(frame);
    play ? playhead_.play() : playhead_.stop();
    root_.showFrame(playhead_.current());
    return;
  }
  instance->setPlaying(play);
  instance->showFrame(frame);
}

std::optional<int> ScriptHost::frameOfLabel(ClipHandle handle, const QString& label) {
  const TimelineInstance* instance = clip(handle);
  if (!instance) return std::nullopt;
  const auto& frames = instance->timeline().frames;
  for (std::size_t i = 0; i < frames.size(); ++i) {
    if (frames[i].label && decode(*frames[i].label).compare(label, Qt::CaseInsensitive) == 0) {
      return static_cast<int>(i);
    }
  }
  return std::nullopt;
}

void ScriptHost::play(ClipHandle handle) {
  if (TimelineInstance* instance = clip(handle)) {
    instance == &root_ ? playhead_.play() : instance->setPlaying(true);
  }
}

void ScriptHost::stop(ClipHandle handle) {
  if (TimelineInstance* instance = clip(handle)) {
    instance == &root_ ? playhead_.stop() : instance->setPlaying(false);
  }
}

void ScriptHost::nextFrame(ClipHandle handle) {
  if (const TimelineInstance* instance = clip(handle)) {
    gotoFrame(handle, static_cast<int>(instance->currentFrame()) + 1, false);
  }
}

void ScriptHost::prevFrame(ClipHandle handle) {
  if (const TimelineInstance* instance = clip(handle)) {
    gotoFrame(handle, static_cast<int>(instance->currentFrame()) - 1, false);
  }
}

std::vector<avm1::ActionBlock> ScriptHost::frameActions(ClipHandle handle, int frameIndex) {
  std::vector<avm1::ActionBlock> blocks;
  const TimelineInstance* instance = clip(handle);
  if (!instance || frameIndex < 0 ||
      static_cast<std::size_t>(frameIndex) >= instance->frameCount()) {
    return blocks;
  }
  for (const TagRecord& record : instance->timeline().frames[frameIndex].tags) {
    if (record.code == tags::DoAction) blocks.push_back({record.body, record.offset, movie_});
  }
  return blocks;
}

// --- Clips made by scripts

ClipHandle ScriptHost::addClip(TimelineInstance& parent, int depth, DisplayObject object,
                               const Timeline* timeline) {
  const auto at = listDepth(depth);
  if (!at) return kNoClip;
  object.byScript = true;
  object.scriptLocked = true;
  auto& objects = parent.displayList().objects();
  objects.erase(*at);  // a clip made at a taken depth replaces what is there
  DisplayObject& added = objects.emplace(*at, std::move(object))->second;
  parent.instantiate(added, timeline);
  return added.sprite ? added.sprite->id() : kNoClip;
}

DisplayObject ScriptHost::placedLike(const DisplayObject& original) {
  DisplayObject object;
  object.matrix = original.matrix;
  object.colorTransform = original.colorTransform;
  object.visible = original.visible;
  object.clipActions = original.clipActions;
  return object;
}

ClipHandle ScriptHost::duplicateClip(ClipHandle source, const QString& name, int depth) {
  const TimelineInstance* instance = clip(source);
  const DisplayObject* original = instance ? instance->placement() : nullptr;
  if (!original) return kNoClip;
  DisplayObject copy = placedLike(*original);
  copy.character = original->character;
  copy.ratio = original->ratio;
  copy.name = name.toStdString();
  const ClipHandle made =
      addClip(*instance->parent(), depth, std::move(copy), &instance->timeline());
  if (made != kNoClip) {
    if (const auto drawing = drawings_.find(source); drawing != drawings_.end()) {
      if (drawCommands_ + drawing->second.commands.size() <= kMaxDrawCommands) {
        drawCommands_ += drawing->second.commands.size();
        drawings_[made] = Drawing{drawing->second.commands, true, {}};
      }
    }
  }
  return made;
}

ClipHandle ScriptHost::attachClip(ClipHandle parent, const QString& exportName, const QString& name,
                                  int depth) {
  TimelineInstance* instance = clip(parent);
  const auto character = exported(exportName);
  if (!instance || !character || !context_.library.sprite(*character)) return kNoClip;
  DisplayObject object;
  object.character = *character;
  object.name = name.toStdString();
  return addClip(*instance, depth, std::move(object), nullptr);
}

ClipHandle ScriptHost::createEmptyClip(ClipHandle parent, const QString& name, int depth) {
  TimelineInstance* instance = clip(parent);
  if (!instance) return kNoClip;
  DisplayObject object;
  object.name = name.toStdString();
  return addClip(*instance, depth, std::move(object), &emptyTimeline_);
}

void ScriptHost::removeClip(ClipHandle handle) {
  TimelineInstance* instance = clip(handle);
  if (!instance || !instance->parent()) return;
  auto& objects = instance->parent()->displayList().objects();
  const auto entry = entryOf(instance->parent()->displayList(), *instance);
  if (entry == objects.end() || entry->first < kScriptDepthBase) return;
  objects.erase(entry);
}

int ScriptHost::depthOf(ClipHandle handle) {
  const TimelineInstance* instance = clip(handle);
  const DisplayObject* reached = instance ? nullptr : displayEntry(handle);
  if (const TimelineInstance* parent = reached ? clip(parentClip(handle)) : nullptr) {
    for (const auto& [depth, object] : parent->displayList().objects()) {
      if (&object == reached) return static_cast<int>(depth) - kScriptDepthBase;
    }
  }
  if (!instance || !instance->parent()) return 0;
  const auto entry = entryOf(instance->parent()->displayList(), *instance);
  if (entry == instance->parent()->displayList().objects().end()) return 0;
  return static_cast<int>(entry->first) - kScriptDepthBase;
}

int ScriptHost::nextHighestDepth(ClipHandle parent) {
  const TimelineInstance* instance = clip(parent);
  if (!instance || instance->displayList().objects().empty()) return 0;
  const int highest = static_cast<int>(instance->displayList().objects().rbegin()->first);
  return std::max(0, highest + 1 - kScriptDepthBase);
}

void ScriptHost::swapDepths(ClipHandle handle, int depth) {
  TimelineInstance* instance = clip(handle);
  const auto to = listDepth(depth);
  if (!instance || !instance->parent() || !to) return;
  auto& objects = instance->parent()->displayList().objects();
  const auto entry = entryOf(instance->parent()->displayList(), *instance);
  if (entry == objects.end() || entry->first == *to) return;
  const std::uint16_t from = entry->first;
  auto moving = objects.extract(entry);
  if (const auto other = objects.find(*to); other != objects.end()) {
    auto displaced = objects.extract(other);
    displaced.key() = from;
    displaced.mapped().byScript = true;
    objects.insert(std::move(displaced));
  }
  moving.key() = *to;
  moving.mapped().byScript = true;
  objects.insert(std::move(moving));
}

// A clip takes part in one mask pairing at a time, as the masked clip or as
// the mask; setMask drops the clip's earlier pairings either way, and a clip
// layer that becomes part of one stops clipping the depths above it. A text
// field masks with its glyphs, one clip at a time.
void ScriptHost::setMask(ClipHandle handle, ClipHandle mask) {
  TimelineInstance* instance = clip(handle);
  if (!instance) return;
  unpairMask(*instance);
  if (const auto field = fieldPlace(mask)) {
    unpairFieldMask(mask);
    field->field->masks = handle;
    fieldMasks_[mask] = handle;
    instance->setMaskId(mask);
    return;
  }
  TimelineInstance* masker = mask == handle ? nullptr : clip(mask);
  if (!masker) return;
  unpairMask(*masker);
  instance->setMaskId(masker->id());
  masker->countMasking(1);
}

void ScriptHost::unpairFieldMask(ClipHandle field) {
  const auto found = fieldMasks_.find(field);
  if (found == fieldMasks_.end()) return;
  TimelineInstance* masked = clip(found->second);
  if (masked && masked->maskId() == field) masked->setMaskId(0);
  if (const auto place = fieldPlace(field)) place->field->masks = 0;
  fieldMasks_.erase(found);
}

void ScriptHost::unpairMask(TimelineInstance& instance) {
  if (DisplayObject* object = instance.placement()) object->clipDepth = 0;
  if (TimelineInstance* old = clip(instance.maskId())) old->countMasking(-1);
  unpairFieldMask(instance.maskId());
  instance.setMaskId(0);
  if (!instance.masksAnother()) return;
  for (const auto& [id, other] : context_.instances) {
    if (other->maskId() == instance.id()) {
      other->setMaskId(0);
      instance.countMasking(-1);
    }
  }
}

}  // namespace quelvo::swf
