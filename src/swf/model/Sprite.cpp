#include "swf/model/Sprite.h"

#include "swf/base/Log.h"
#include "swf/format/TagCodes.h"

namespace quelvo::swf {

std::optional<Sprite> readSprite(const TagRecord& record, TagBudget& budget) {
  ByteReader body = record.reader();
  Sprite sprite;
  sprite.offset = record.offset;
  sprite.id = body.u16();
  sprite.headerFrameCount = body.u16();
  if (body.failed()) {
    qCDebug(lcSwf) << "DefineSprite too short at byte" << record.offset;
    return std::nullopt;
  }
  sprite.timeline = readTimeline(body, budget, [](const TagRecord& inner) {
    if (!isDefinitionTag(inner.code)) return true;
    qCDebug(lcSwf) << "skipping definition tag" << inner.code << "inside a sprite at byte"
                   << inner.offset;
    return false;
  });
  return sprite;
}

}  // namespace quelvo::swf
