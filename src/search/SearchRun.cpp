#include "search/SearchRun.h"

#include <QElapsedTimer>
#include <QThread>

#include "search/FolderWalker.h"

namespace quelvo::search {

namespace {
// The folder label changes at most this often, so a fast walk neither floods
// the screen nor the screen reader.
constexpr qint64 kLabelIntervalMs = 33;
}  // namespace

SearchRun::SearchRun(QObject* parent) : QObject(parent) {}

SearchRun::~SearchRun() {
  stop();
  if (thread_ != nullptr) thread_->wait();
}

bool SearchRun::running() const { return thread_ != nullptr && !thread_->isFinished(); }

void SearchRun::start(const QString& startFolder) {
  if (running()) return;
  if (thread_ != nullptr) thread_->wait();
  delete thread_;
  stop_ = false;
  thread_ = QThread::create([this, startFolder] {
    QElapsedTimer sinceLabel;
    walkFolders(
        startFolder,
        [this, &sinceLabel](const QString& folder, const QStringList& matches) {
          if (!sinceLabel.isValid() || sinceLabel.elapsed() >= kLabelIntervalMs) {
            emit folderEntered(folder);
            sinceLabel.start();
          }
          if (!matches.isEmpty()) emit matchesFound(matches);
          return !stop_;
        },
        &stop_);
  });
  thread_->setParent(this);
  connect(thread_, &QThread::finished, this, &SearchRun::finished);
  thread_->start();
}

void SearchRun::stop() { stop_ = true; }

}  // namespace quelvo::search
