// Loads scripts ask for: movies into clips and levels, variables into clips,
// and the data files of LoadVars and XML objects. Local files only.
#include <QRegularExpression>

#include "swf/base/Log.h"
#include "swf/script/LocalFile.h"
#include "swf/script/ScriptHost.h"

namespace quelvo::swf {

using avm1::ClipHandle;
using avm1::kNoClip;

namespace {

// N of a target "_levelN".
std::optional<int> levelNumber(const QString& target) {
  static const QRegularExpression level(QStringLiteral("^_level(\\d{1,9})$"),
                                        QRegularExpression::CaseInsensitiveOption);
  const auto match = level.match(target);
  if (!match.hasMatch()) return std::nullopt;
  return match.captured(1).toInt();
}

}  // namespace

void ScriptHost::queueLoad(const avm1::UrlRequest& request) {
  const auto level = levelNumber(request.target);
  if (request.loadVariables) {
    const ClipHandle target = level ? levelClip(*level) : request.targetClip;
    if (target == kNoClip || variablesLoads_.size() >= kMaxPendingLoads) {
      qCDebug(lcSwf) << "not loading variables from" << request.url << "into" << request.target;
      return;
    }
    variablesLoads_.push_back({target, request.url});
    return;
  }
  // A loader's load is always taken (the VM bounds those) so that its
  // listeners hear how it ended.
  if (request.loadId == 0 && movieLoads_.size() >= kMaxPendingLoads) {
    qCDebug(lcSwf) << "not loading" << request.url << "(too many loads waiting)";
    return;
  }
  MovieLoad load{request.url, level ? kNoClip : request.targetClip, level.value_or(-1),
                 request.loadId};
  if (load.clip == root_.id()) {
    load.clip = kNoClip;
    load.level = 0;
  }
  movieLoads_.push_back(std::move(load));
}

std::optional<QByteArray> ScriptHost::readData(const QString& url) {
  const auto bytes = readLocalFile(url, movieFolder_, kMaxDataFileBytes);
  if (!bytes) {
    qCDebug(lcSwf) << "not loading" << url << "(no such local file, or too large)";
    return std::nullopt;
  }
  return QByteArray(reinterpret_cast<const char*>(bytes->data()),
                    static_cast<qsizetype>(bytes->size()));
}

bool ScriptHost::runLoads() {
  const bool any = vm_->loadEvents().pendingData() > 0 || !variablesLoads_.empty();
  for (const VariablesLoad& load : std::exchange(variablesLoads_, {})) {
    const auto data = readData(load.url);
    if (!data || !clip(load.clip)) continue;
    vm_->loadVariablesInto(load.clip, *data);
    queueHandlers(load.clip, clipevent::Data);
    if (vm_->hasClipMethod(load.clip, QStringLiteral("onData"))) {
      queue_.push_back(Pending{load.clip, {}, 0, QStringLiteral("onData")});
    }
  }
  vm_->runDataLoads();
  return any;
}

ClipHandle ScriptHost::emptyClip(ClipHandle handle) {
  const TimelineInstance* instance = clip(handle);
  const DisplayObject* original = instance ? instance->placement() : nullptr;
  if (!original) return kNoClip;
  DisplayObject empty = placedLike(*original);
  empty.name = original->name;
  return addClip(*instance->parent(), depthOf(handle), std::move(empty), &emptyTimeline_);
}

std::optional<QTransform> ScriptHost::clipToStage(ClipHandle handle) const {
  const TimelineInstance* instance = clip(handle);
  if (!instance) return std::nullopt;
  for (const TimelineInstance* at = instance; at->parent(); at = at->parent()) {
    const DisplayObject* object = at->placement();
    if (!object || !object->visible) return std::nullopt;
  }
  return toRoot(*instance);
}

void ScriptHost::reportClipLoad(std::uint64_t loadId, const avm1::ClipLoadNews& news) {
  vm_->clipLoadEvent(loadId, news);
  runPending(false);
}

}  // namespace quelvo::swf
