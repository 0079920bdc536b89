#include "swf/base/CodecLog.h"

extern "C" {
#include <libavutil/log.h>
}

#include <cstdarg>
#include <cstring>
#include <mutex>

#include "swf/base/Log.h"

namespace quelvo::swf {
namespace {

constexpr int kLineBytes = 1024;

void logCodecMessage(void* source, int level, const char* format, std::va_list arguments) {
  const bool warning = level <= AV_LOG_ERROR;
  if (level > AV_LOG_WARNING || (!warning && !lcSwf().isDebugEnabled())) return;
  // Whether the next piece starts a line, so gets the "[codec @ address]" prefix.
  thread_local int printPrefix = 1;
  char line[kLineBytes];
  av_log_format_line2(source, level, format, arguments, line, sizeof line, &printPrefix);
  std::size_t length = std::strlen(line);
  while (length > 0 && (line[length - 1] == '\n' || line[length - 1] == '\r')) --length;
  if (length == 0) return;
  line[length] = '\0';
  if (warning) {
    qCWarning(lcSwf, "libavcodec: %s", line);
  } else {
    qCDebug(lcSwf, "libavcodec: %s", line);
  }
}

}  // namespace

void routeCodecLog() {
  static std::once_flag installed;
  std::call_once(installed, [] { av_log_set_callback(logCodecMessage); });
}

}  // namespace quelvo::swf
