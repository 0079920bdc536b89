// Movies and images scripts load into clips and levels.
#include <QBuffer>
#include <QImageReader>
#include <algorithm>

#include "swf/Player.h"
#include "swf/base/Log.h"
#include "swf/scene/SceneRenderer.h"
#include "swf/script/LocalFile.h"

namespace quelvo::swf {

using avm1::ClipLoadNews;
using avm1::kNoClip;

namespace {

constexpr double kTwipsPerPixel = 20.0;
// A loaded image larger than this (in pixels) is not decoded.
constexpr qint64 kMaxImagePixels = qint64{8192} * 8192;

// A JPEG, PNG or GIF file, as later players load into clips.
QImage decodeImage(std::span<const std::uint8_t> bytes) {
  QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  QImageReader reader(&buffer);
  const QByteArray format = reader.format();
  if (format != "jpeg" && format != "png" && format != "gif") return {};
  const QSize size = reader.size();
  if (!size.isValid() || qint64{size.width()} * size.height() > kMaxImagePixels) return {};
  return reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

bool Player::runMovieLoads() {
  if (!scripts_) return false;
  const auto gone = std::remove_if(loaded_.begin(), loaded_.end(), [&](const Loaded& loaded) {
    return loaded.level < 0 && !scripts_->hasClip(loaded.clip);
  });
  bool changed = gone != loaded_.end();
  loaded_.erase(gone, loaded_.end());
  for (const ScriptHost::MovieLoad& load : scripts_->takeMovieLoads()) {
    load.url.isEmpty() ? unload(load) : runMovieLoad(load);
    changed = true;
  }
  return changed;
}

void Player::unload(const ScriptHost::MovieLoad& load) {
  if (load.level == 0) {
    movielog::refusedLoad(load.url, QStringLiteral("unloading the main movie is not supported"));
    return;
  }
  std::erase_if(loaded_, [&](const Loaded& loaded) {
    return load.level > 0 ? loaded.level == load.level : loaded.clip == load.clip;
  });
  if (load.clip != kNoClip) scripts_->emptyClip(load.clip);
}

void Player::runMovieLoad(const ScriptHost::MovieLoad& load) {
  // Progress counts the whole file at once: it is read in one go.
  const auto report = [&](ClipLoadNews::Kind kind, avm1::ClipHandle target, double size = 0,
                          const char* error = "") {
    if (load.loadId == 0) return;
    scripts_->reportClipLoad(load.loadId,
                             ClipLoadNews{kind, target, size, size, QString::fromLatin1(error)});
  };
  const auto fail = [&](const char* error) {
    report(ClipLoadNews::Kind::Error, load.clip, 0, error);
  };
  if (load.level == 0 || (load.level < 0 && !scripts_->hasClip(load.clip))) {
    movielog::refusedLoad(
        load.url, load.level == 0 ? QStringLiteral("replacing the main movie is not supported")
                                  : QStringLiteral("the target clip is gone"));
    return fail("LoadNeverCompleted");
  }
  const auto bytes = readLocalFile(load.url, scripts_->movieFolder(), kMaxLoadedFileBytes);
  if (!bytes) return fail("URLNotFound");
  report(ClipLoadNews::Kind::Start, load.clip);
  if (loadNesting_ >= kMaxLoadNesting || *loadedMovies_ >= kMaxLoadedMovies) {
    movielog::refusedLoad(load.url, QStringLiteral("too many movies loaded"));
    return fail("LoadNeverCompleted");
  }
  auto content = loadedContent(*bytes, loadNesting_ + 1);
  if (!content) return fail("LoadNeverCompleted");
  if (load.level > 0) {
    std::erase_if(loaded_, [&](const Loaded& loaded) { return loaded.level == load.level; });
    content->level = load.level;
  } else {
    std::erase_if(loaded_, [&](const Loaded& loaded) { return loaded.clip == load.clip; });
    content->clip = scripts_->emptyClip(load.clip);
  }
  const double size = static_cast<double>(bytes->size());
  report(ClipLoadNews::Kind::Progress, content->clip, size);
  report(ClipLoadNews::Kind::Complete, content->clip);
  const avm1::ClipHandle target = content->clip;
  loaded_.push_back(std::move(*content));
  // The loaded movie has shown its first frame and run its scripts.
  report(ClipLoadNews::Kind::Init, target);
}

std::optional<Player::Loaded> Player::loadedContent(std::span<const std::uint8_t> bytes,
                                                    int nesting) {
  Loaded loaded;
  if (auto movie = Movie::parse(bytes)) {
    loaded.player = std::make_unique<Player>(std::move(*movie));
    loaded.player->loadedMovies_ = loadedMovies_;
    loaded.player->loadNesting_ = nesting;
    loaded.player->setMovieFolder(scripts_->movieFolder());
    loaded.player->autoplay();
  } else {
    loaded.image = decodeImage(bytes);
    if (loaded.image.isNull()) return std::nullopt;
  }
  ++*loadedMovies_;
  // Counts the movie down when the last copy of this goes.
  loaded.counted = std::shared_ptr<void>(nullptr, [count = loadedMovies_](void*) { --*count; });
  return loaded;
}

void Player::appendDrawing(DrawList& list, const QTransform& stageToDevice) {
  if (scripts_) {
    for (auto& shape : scripts_->updateDrawings()) {
      hitPaths_.forget(*shape);
      list.retire(std::move(shape));
    }
  }
  SceneRenderer(library_, context_.fields, list).render(*root_, stageToDevice);
  // Clips' content over the level, then the levels in order.
  for (const Loaded& loaded : loaded_) {
    if (loaded.level >= 0) continue;
    if (const auto clipToStage = scripts_->clipToStage(loaded.clip)) {
      appendLoaded(list, loaded, *clipToStage * stageToDevice);
    }
  }
  std::vector<const Loaded*> levels;
  for (const Loaded& loaded : loaded_) {
    if (loaded.level > 0) levels.push_back(&loaded);
  }
  std::sort(levels.begin(), levels.end(),
            [](const Loaded* a, const Loaded* b) { return a->level < b->level; });
  for (const Loaded* level : levels) appendLoaded(list, *level, stageToDevice);
}

void Player::appendLoaded(DrawList& list, const Loaded& loaded, const QTransform& toDevice) {
  if (loaded.player) {
    loaded.player->appendDrawing(list, toDevice);
    return;
  }
  const QRectF area(0, 0, loaded.image.width() * kTwipsPerPixel,
                    loaded.image.height() * kTwipsPerPixel);
  list.drawPicture(loaded.image, area, ShapePlacement{QTransform(), toDevice}, ColorTransform{},
                   true);
}

}  // namespace quelvo::swf
