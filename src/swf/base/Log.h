#pragma once

#include <QLoggingCategory>
#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>

namespace quelvo::swf {

// "quelvo.swf": notes about skipped or odd records. Debug output is off
// unless enabled through QT_LOGGING_RULES.
Q_DECLARE_LOGGING_CATEGORY(lcSwf)

// The movie log for authors: trace output, script errors, actions and
// built-in members the engine does not have, and refused loads. Off by
// default; swfrender --log or QUELVO_SWF_LOG=1 turns it on. Every call
// returns at once while it is off, so callers need no check of their own
// beyond enabled() where composing the message costs something.
namespace movielog {

enum class Kind : std::uint8_t {
  Trace,        // trace() output
  ScriptError,  // a script stopped or threw, with the action's byte offset
  Unsupported,  // an action or feature the engine skips
  Missing,      // a member or function scripts called that does not exist
  Refused,      // a load the player did not perform
};

namespace detail {
extern std::atomic<bool> enabled;
}  // namespace detail

inline bool enabled() { return detail::enabled.load(std::memory_order_relaxed); }
void setEnabled(bool on);
// On when QUELVO_SWF_LOG is set to anything but empty or "0".
void enableFromEnvironment();

// Writes one line at once ("trace: hello").
void line(Kind kind, const QString& message);
// Counts one occurrence of what; the summary lists each with its count
// ("missing method MovieClip.getBounds x12"). Distinct entries are capped.
void count(Kind kind, const QString& what);
// Refused loads go through here, whoever refuses them.
inline void refusedLoad(const QString& url, const QString& reason) {
  if (enabled()) line(Kind::Refused, url + QStringLiteral(" (") + reason + u')');
}

// The counted entries, most frequent first, one per line; empties the counts.
QString takeSummary();
// Where lines go: stderr unless replaced (tests capture them).
using Sink = std::function<void(const QString& line)>;
void setSink(Sink sink);

}  // namespace movielog

}  // namespace quelvo::swf
