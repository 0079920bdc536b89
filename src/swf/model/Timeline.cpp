#include "swf/model/Timeline.h"

#include "swf/base/Log.h"
#include "swf/format/TagCodes.h"

namespace quelvo::swf {

namespace {

std::optional<std::string> readLabel(const TagRecord& record) {
  ByteReader body = record.reader();
  std::string name = body.string();
  if (body.failed()) {
    qCDebug(lcSwf) << "FrameLabel without terminator at byte" << record.offset;
    return std::nullopt;
  }
  return name;
}

}  // namespace

Timeline readTimeline(ByteReader stream, TagBudget& budget, const TagHandler& keepInFrame) {
  Timeline timeline;
  TagStream tags(stream);
  Frame pending;
  bool pendingHasContent = false;
  for (;;) {
    if (budget.remaining == 0) {
      tags.stop("more than " + std::to_string(kMaxTagRecords) + " tag records");
    }
    const auto record = tags.next();
    if (!record) break;
    --budget.remaining;
    ++timeline.tagCount;
    if (record->code == tags::End) break;
    if (record->code == tags::ShowFrame) {
      timeline.frames.push_back(std::move(pending));
      pending = Frame{};
      pendingHasContent = false;
      continue;
    }
    pendingHasContent = true;
    if (!isKnownTag(record->code)) {
      qCDebug(lcSwf) << "skipping unknown tag" << record->code << "at byte" << record->offset;
      continue;
    }
    if (record->code == tags::FrameLabel && !pending.label) pending.label = readLabel(*record);
    if (keepInFrame(*record)) pending.tags.push_back(*record);
  }
  if (pendingHasContent || timeline.frames.empty()) timeline.frames.push_back(std::move(pending));
  timeline.streamBreak = tags.breakAt();
  return timeline;
}

}  // namespace quelvo::swf
