#pragma once

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "platform/Platform.h"

namespace quelvo::test {

// A platform whose answers a test scripts in advance and whose calls it can
// inspect afterwards. Unscripted dialogs answer "cancel"; unscripted message
// boxes answer with their default button.
class ScriptedPlatform : public platform::Platform {
 public:
  // --- scripted answers, consumed in order ---
  std::deque<QStringList> openFilesAnswers;
  std::deque<QString> openFileAnswers;
  std::deque<QString> saveFileAnswers;
  std::deque<platform::MessageButton> messageAnswers;
  std::deque<std::optional<QString>> inputAnswers;
  std::deque<int> shellAnswers;
  std::deque<double> randomAnswers;
  // Runs inside a dialog or message box, as the user's nested event loop would.
  std::function<void()> whileModal;

  // --- state the test controls ---
  platform::ScreenMetrics screenMetrics{19200, 14400, 15, 15};  // 1280 x 960 at 96 dpi
  qint64 now = 0;
  bool otherInstance = false;

  // --- what was asked ---
  std::vector<platform::FileDialogRequest> openFilesRequests;
  std::vector<platform::FileDialogRequest> openFileRequests;
  std::vector<platform::FileDialogRequest> saveFileRequests;
  std::vector<platform::MessageRequest> messages;
  QStringList inputPrompts;
  QStringList shellTargets;
  int instanceChecks = 0;

  QStringList openFiles(const platform::FileDialogRequest& request) override;
  QString openFile(const platform::FileDialogRequest& request) override;
  QString saveFile(const platform::FileDialogRequest& request) override;
  platform::MessageButton message(const platform::MessageRequest& request) override;
  std::optional<QString> inputBox(const QString& title, const QString& prompt,
                                  const QString& initialText) override;
  int shellOpen(const QString& target) override;
  platform::ScreenMetrics screen() const override { return screenMetrics; }
  qint64 nowMs() const override { return now; }
  double random() override;
  bool anotherInstanceRunning() override;

 private:
  void runModal();
};

}  // namespace quelvo::test
