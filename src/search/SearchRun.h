#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <atomic>

class QThread;

namespace quelvo::search {

// One walk for movies on a worker thread. Each folder's matches arrive as one
// batch, in walk order, on the thread that made the run; the folder being
// searched is reported at most about 30 times a second.
class SearchRun : public QObject {
  Q_OBJECT

 public:
  explicit SearchRun(QObject* parent = nullptr);
  // Stops the walk and waits for the worker.
  ~SearchRun() override;

  void start(const QString& startFolder);
  // Takes effect within milliseconds; finished follows.
  void stop();
  bool running() const;

 signals:
  void folderEntered(const QString& folder);
  void matchesFound(const QStringList& paths);
  void finished();

 private:
  std::atomic<bool> stop_{false};
  QThread* thread_ = nullptr;
};

}  // namespace quelvo::search
