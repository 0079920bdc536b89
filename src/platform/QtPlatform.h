#pragma once

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <memory>

#include "platform/Platform.h"

class QLockFile;

namespace quelvo::platform {

// The real system: Qt dialogs and message boxes, the desktop services for shell
// open, the primary screen, a steady clock and a lock file per user.
class QtPlatform : public Platform {
 public:
  QtPlatform();
  ~QtPlatform() override;

  QStringList openFiles(const FileDialogRequest& request) override;
  QString openFile(const FileDialogRequest& request) override;
  QString saveFile(const FileDialogRequest& request) override;
  MessageButton message(const MessageRequest& request) override;
  int showModal(QDialog& dialog) override;
  std::optional<QString> inputBox(const QString& title, const QString& prompt,
                                  const QString& initialText) override;
  int shellOpen(const QString& target) override;
  ScreenMetrics screen() const override;
  std::unique_ptr<SystemMenu> systemMenu(QWidget* window, std::function<void(int)> chosen) override;
  std::unique_ptr<AudioOutput> openAudioOutput(AudioOutput::Source source) override;
  qint64 nowMs() const override;
  double random() override;
  bool anotherInstanceRunning() override;

 private:
  QElapsedTimer clock_;
  QRandomGenerator random_;
  std::unique_ptr<QLockFile> instanceLock_;
  std::optional<bool> anotherInstance_;
};

// "Caption|*.a;*.b|Other|*.c" → "Caption (*.a *.b);;Other (*.c)".
QString qtFileFilter(const QString& pipeFilter);

// A folder text the dialogs can start in: the user's documents folder when the
// text is empty or names no existing folder (as with the literal
// "%USERPROFILE%\My Documents" default).
QString dialogStartFolder(const QString& folder);

}  // namespace quelvo::platform
