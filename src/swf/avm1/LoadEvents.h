#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>

#include "swf/avm1/Host.h"
#include "swf/avm1/Object.h"

namespace quelvo::swf::avm1 {

class Marker;

// How a load a MovieClipLoader started goes, as the host reports it.
struct ClipLoadNews {
  enum class Kind : std::uint8_t { Start, Progress, Complete, Init, Error };
  Kind kind = Kind::Start;
  ClipHandle target = kNoClip;
  double bytesLoaded = 0;
  double bytesTotal = 0;
  QString error;  // Error: "URLNotFound" or "LoadNeverCompleted"
};

// What script objects wait for from the host: the data files LoadVars and
// XML objects load (served on the next tick) and the clips MovieClipLoaders
// load. Keeps those objects alive meanwhile.
class LoadEvents {
 public:
  static constexpr std::size_t kMaxPendingData = 64;
  static constexpr std::size_t kMaxPendingClips = 64;

  struct DataLoad {
    Object* target = nullptr;
    QString url;
  };

  // Hidden members where a loaded object keeps the size of what it loaded.
  static QString bytesLoadedName() { return QStringLiteral("_bytesLoaded"); }
  static QString bytesTotalName() { return QStringLiteral("_bytesTotal"); }

  // False, queuing nothing, when too many loads wait.
  bool loadData(Object* target, const QString& url);
  // The oldest load waiting, no longer kept; the others stay alive while
  // its handler runs.
  std::optional<DataLoad> takeDataLoad();
  std::size_t pendingData() const { return data_.size(); }

  // The id the host reports a loader's load under; 0 when too many wait.
  std::uint64_t startClipLoad(Object* loader);
  // The loader of a load still going; nullptr for none.
  Object* clipLoader(std::uint64_t id) const;
  void endClipLoad(std::uint64_t id) { clips_.erase(id); }

  void mark(Marker& marker) const;

 private:
  std::deque<DataLoad> data_;
  std::map<std::uint64_t, Object*> clips_;
  std::uint64_t nextClipLoad_ = 1;
};

}  // namespace quelvo::swf::avm1
