#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "swf/base/Expected.h"
#include "swf/base/Records.h"
#include "swf/format/Header.h"
#include "swf/format/TagRecord.h"
#include "swf/model/Sprite.h"
#include "swf/model/Timeline.h"

namespace quelvo::swf {

// A parsed movie: header, root timeline, definition records and sprites.
// Immutable once parsed and shared as std::shared_ptr<const Movie>. It owns
// its uncompressed bytes; every tag body span points into them.
//
// A damaged movie that still has a readable header parses: what could be read
// stays playable and salvaged() says so.
class Movie {
 public:
  static Expected<std::shared_ptr<const Movie>> parse(std::span<const std::uint8_t> file);
  // Reads the file (at most kMaxFileBytes) and parses it; a missing or
  // unreadable file is an Error at offset 0.
  static Expected<std::shared_ptr<const Movie>> load(const std::filesystem::path& path);

  static constexpr std::size_t kMaxFileBytes = kMaxBodyBytes + 8;

  Movie(const Movie&) = delete;
  Movie& operator=(const Movie&) = delete;

  const Header& header() const { return header_; }
  std::uint8_t version() const { return header_.version; }
  const Rect& stageRect() const { return header_.stage; }  // twips
  // Stage size in pixels (twips / 20); 0 for an inverted rectangle.
  double widthPixels() const;
  double heightPixels() const;
  // As declared. 0 means "as fast as possible"; FrameClock paces it at 12.
  double frameRate() const { return header_.frameRate(); }
  // From SetBackgroundColor; white when the movie sets none.
  Rgb backgroundColor() const;

  // Frames the player shows (see Timeline for the rule); never 0.
  std::size_t frameCount() const { return root_.frames.size(); }
  std::uint16_t headerFrameCount() const { return header_.frameCount; }
  const std::vector<Frame>& frames() const { return root_.frames; }
  const Timeline& root() const { return root_; }
  std::size_t tagCount() const { return root_.tagCount; }

  bool isAvm2() const { return avm2_; }  // FileAttributes ActionScript3 bit
  bool hasDoAbc() const { return hasDoAbc_; }

  // Top-level definition records in stream order, DefineSprite included.
  const std::vector<TagRecord>& definitions() const { return definitions_; }
  // Sprites by character id; the first definition of an id wins.
  const std::map<std::uint16_t, Sprite>& sprites() const { return sprites_; }

  // The compressed body stopped before its proper end.
  bool truncated() const { return truncated_; }
  // Damage was found (container, root or a sprite tag stream) but the movie
  // is readable; the note says what and where.
  bool salvaged() const { return !salvageNote_.empty(); }
  const std::string& salvageNote() const { return salvageNote_; }

  // The uncompressed movie in FWS layout; offsets index into it.
  std::span<const std::uint8_t> bytes() const { return bytes_; }
  std::uint64_t fileSize() const { return fileSize_; }

 private:
  Movie() = default;
  void readTags();
  bool takeRootTag(const TagRecord& record, TagBudget& budget);
  void composeSalvageNote(const std::string& containerProblem);

  std::vector<std::uint8_t> bytes_;
  std::uint64_t fileSize_ = 0;
  Header header_;
  Timeline root_;
  std::vector<TagRecord> definitions_;
  std::map<std::uint16_t, Sprite> sprites_;
  std::optional<Rgb> background_;
  bool fileAttributesSeen_ = false;
  bool avm2_ = false;
  bool hasDoAbc_ = false;
  bool truncated_ = false;
  std::string salvageNote_;
};

}  // namespace quelvo::swf
