#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include "swf/base/Log.h"
#include "swf/bitmap/BitmapLibrary.h"
#include "swf/format/Button.h"
#include "swf/format/MorphShape.h"
#include "swf/format/Shape.h"
#include "swf/format/TagRecord.h"
#include "swf/model/Movie.h"
#include "swf/text/TextLibrary.h"
#include "swf/video/VideoCharacter.h"

namespace quelvo::swf {

enum class CharacterKind {
  None,
  Shape,
  Sprite,
  MorphShape,
  Button,
  StaticText,
  EditText,
  Video,
  Other
};

// The characters of a movie by id, for one playback. The first definition of
// an id wins. Shapes are parsed on first use and kept; a shape that cannot be
// read counts as defined but draws nothing. Bitmaps are decoded on first use.
// Buttons are parsed on first use like shapes, a DefineButton with its
// DefineButtonCxform applied to its records; so are video streams, with the
// VideoFrames of every timeline gathered once for them.
class Library {
 public:
  explicit Library(const Movie& movie);

  CharacterKind kind(std::uint16_t id) const;
  const Shape* shape(std::uint16_t id);
  const Sprite* sprite(std::uint16_t id) const;
  // The shape a morph shows at ratio. Frames are made on first use and the
  // most recently used ones kept; a pointer stays valid while fewer than
  // kMorphFramesKept other frames are asked for.
  const Shape* morphShape(std::uint16_t id, std::uint16_t ratio);
  // What a shape or morph shape placed with ratio shows; nullptr for others.
  const Shape* shapeAt(std::uint16_t id, std::uint16_t ratio);
  static constexpr std::size_t kMorphFramesKept = 256;
  const Button* button(std::uint16_t id);
  // A DefineVideoStream with its frames from the root and sprite timelines.
  VideoCharacter* video(std::uint16_t id);
  BitmapLibrary& bitmaps() { return bitmaps_; }
  TextLibrary& text() { return text_; }

 private:
  // The character id as read(its definition) gives it, read on first use and
  // kept; nullptr, logged once, when it cannot be read.
  template <typename T, typename Read>
  T* readOnce(std::map<std::uint16_t, std::optional<T>>& kept, std::uint16_t id, const char* what,
              Read read) {
    auto [entry, added] = kept.try_emplace(id);
    if (added) {
      auto result = read(definitions_.at(id));
      if (result) {
        entry->second = std::move(*result);
      } else {
        qCDebug(lcSwf) << "unreadable" << what << result.error().describe().c_str();
      }
    }
    return entry->second ? &*entry->second : nullptr;
  }

  const Movie& movie_;
  std::map<std::uint16_t, TagRecord> definitions_;
  std::map<std::uint16_t, std::optional<Shape>> shapes_;
  std::map<std::uint16_t, TagRecord> buttonCxforms_;
  std::map<std::uint16_t, std::optional<Button>> buttons_;
  EdgeBudget edgeBudget_;
  struct MorphFrame {
    Shape shape;
    std::uint64_t lastUse = 0;
  };
  std::map<std::uint16_t, std::optional<MorphShape>> morphs_;
  std::map<std::pair<std::uint16_t, std::uint16_t>, MorphFrame> morphFrames_;
  std::uint64_t morphUses_ = 0;
  BitmapLibrary bitmaps_;
  TextLibrary text_;
  // VideoFrames by stream id, gathered when the first video is read.
  std::optional<std::map<std::uint16_t, std::vector<VideoFrame>>> videoFrames_;
  std::map<std::uint16_t, std::optional<VideoCharacter>> videos_;
};

}  // namespace quelvo::swf
