#include "swf/bitmap/BitmapLibrary.h"

#include "swf/base/Log.h"
#include "swf/bitmap/Bitmap.h"
#include "swf/format/TagCodes.h"

namespace quelvo::swf {

BitmapLibrary::BitmapLibrary(std::span<const TagRecord> definitions) {
  bool tablesSeen = false;
  for (const TagRecord& record : definitions) {
    if (record.code == tags::JpegTables && !tablesSeen) {
      tablesSeen = true;
      jpegTables_ = record.body;
    }
    if (!isBitmapTag(record.code) || record.body.size() < 2) continue;
    const auto id = static_cast<std::uint16_t>(record.body[0] | record.body[1] << 8);
    entries_.try_emplace(id, Entry{record, std::nullopt});
  }
}

const QImage* BitmapLibrary::find(std::uint16_t id) {
  const auto found = entries_.find(id);
  if (found == entries_.end()) return nullptr;
  Entry& entry = found->second;
  if (!entry.image) {
    auto bitmap = decodeBitmap(entry.record, jpegTables_);
    if (bitmap) {
      entry.image = std::move(bitmap->image);
    } else {
      entry.image.emplace();
      qCDebug(lcSwf) << "bitmap" << id << "unreadable:" << bitmap.error().describe().c_str();
    }
  }
  return entry.image->isNull() ? nullptr : &*entry.image;
}

}  // namespace quelvo::swf
