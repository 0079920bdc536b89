#include "swf/base/Log.h"

#include <QMutex>
#include <QMutexLocker>
#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace quelvo::swf {

Q_LOGGING_CATEGORY(lcSwf, "quelvo.swf", QtInfoMsg)

namespace movielog {

namespace detail {
std::atomic<bool> enabled{false};
}  // namespace detail

namespace {

// A movie calling thousands of differently named missing members must not
// grow the counts without bound.
constexpr std::size_t kMaxCountedEntries = 1000;

struct State {
  QMutex mutex;
  Sink sink;
  std::map<QString, std::uint64_t> counts;
  std::uint64_t uncounted = 0;
};

State& state() {
  static State instance;
  return instance;
}

QString prefix(Kind kind) {
  switch (kind) {
    case Kind::Trace:
      return QStringLiteral("trace: ");
    case Kind::ScriptError:
      return QStringLiteral("script error: ");
    case Kind::Unsupported:
      return QStringLiteral("unsupported ");
    case Kind::Missing:
      return QStringLiteral("missing ");
    case Kind::Refused:
      return QStringLiteral("refused load: ");
  }
  return {};
}

}  // namespace

void setEnabled(bool on) { detail::enabled.store(on, std::memory_order_relaxed); }

void enableFromEnvironment() {
  const QByteArray value = qgetenv("QUELVO_SWF_LOG");
  if (!value.isEmpty() && value != "0") setEnabled(true);
}

void setSink(Sink sink) {
  QMutexLocker lock(&state().mutex);
  state().sink = std::move(sink);
}

void line(Kind kind, const QString& message) {
  if (!enabled()) return;
  const QString text = prefix(kind) + message;
  QMutexLocker lock(&state().mutex);
  if (state().sink) {
    state().sink(text);
  } else {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
  }
}

void count(Kind kind, const QString& what) {
  if (!enabled()) return;
  QMutexLocker lock(&state().mutex);
  auto& counts = state().counts;
  const QString key = prefix(kind) + what;
  if (const auto found = counts.find(key); found != counts.end()) {
    ++found->second;
  } else if (counts.size() < kMaxCountedEntries) {
    counts.emplace(key, 1);
  } else {
    ++state().uncounted;
  }
}

QString takeSummary() {
  QMutexLocker lock(&state().mutex);
  std::vector<std::pair<QString, std::uint64_t>> entries(state().counts.begin(),
                                                         state().counts.end());
  std::stable_sort(entries.begin(), entries.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  QString summary;
  for (const auto& [what, times] : entries) {
    summary += QStringLiteral("%1 x%2\n").arg(what).arg(times);
  }
  if (state().uncounted > 0) {
    summary += QStringLiteral("(%1 more of kinds not listed)\n").arg(state().uncounted);
  }
  state().counts.clear();
  state().uncounted = 0;
  return summary;
}

}  // namespace movielog

}  // namespace quelvo::swf
