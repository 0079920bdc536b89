#include "swf/script/ClipEvents.h"

#include "swf/base/Log.h"
#include "swf/io/ByteReader.h"

namespace quelvo::swf {

std::vector<ClipEventHandler> readClipEvents(std::span<const std::uint8_t> record,
                                             std::uint64_t base, int swfVersion) {
  std::vector<ClipEventHandler> handlers;
  ByteReader reader(record, base);
  const bool wideFlags = swfVersion >= 6;
  const auto flags = [&] { return wideFlags ? reader.u32() : std::uint32_t{reader.u16()}; };
  reader.u16();  // reserved
  flags();       // every event of the record
  while (reader.ok()) {
    ClipEventHandler handler;
    handler.events = flags();
    if (reader.failed() || handler.events == 0) break;
    std::uint32_t size = reader.u32();
    if (reader.failed()) break;
    if (handler.events & clipevent::KeyPress) {
      if (size == 0) break;
      handler.keyCode = reader.u8();
      --size;
    }
    handler.offset = reader.offset();
    handler.actions = reader.bytes(size);
    if (reader.failed()) break;
    handlers.push_back(handler);
  }
  if (reader.failed()) {
    qCDebug(lcSwf) << "clip actions cut short at byte" << reader.error()->offset;
  }
  return handlers;
}

}  // namespace quelvo::swf
