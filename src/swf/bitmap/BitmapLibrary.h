#pragma once

#include <QImage>
#include <cstdint>
#include <map>
#include <optional>
#include <span>

#include "swf/format/TagRecord.h"

namespace quelvo::swf {

// The bitmap characters of a movie, decoded on first use and kept. Built
// from the movie's definition records, whose bodies must outlive it; the
// first bitmap definition of an id wins, and DefineBits uses the first
// JPEGTables record.
class BitmapLibrary {
 public:
  explicit BitmapLibrary(std::span<const TagRecord> definitions);

  bool contains(std::uint16_t id) const { return entries_.contains(id); }
  std::size_t size() const { return entries_.size(); }

  // The picture (ARGB32 premultiplied) of bitmap id; nullptr when no bitmap
  // has that id or its data cannot be decoded. A failure is logged once and
  // remembered, so a broken bitmap is not decoded again on every frame.
  const QImage* find(std::uint16_t id);

 private:
  struct Entry {
    TagRecord record;
    std::optional<QImage> image;  // empty until decoded; null when that failed
  };

  std::span<const std::uint8_t> jpegTables_;
  std::map<std::uint16_t, Entry> entries_;
};

}  // namespace quelvo::swf
