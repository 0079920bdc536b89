#pragma once

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "platform/Platform.h"

class QDialog;

namespace quelvo::test {

// A native system menu that keeps the items it was given.
struct RecordedSystemMenu : platform::SystemMenu {
  std::vector<platform::SystemMenuItem> items;
  void setItems(const std::vector<platform::SystemMenuItem>& newItems) override {
    items = newItems;
  }
};

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
  // Runs while one of the program's own dialogs is shown modally (it is shown
  // and closed around the call).
  std::function<void(QDialog&)> whileDialog;
  // Offer a recording native system menu, as on Windows.
  bool nativeSystemMenu = false;

  // --- state the test controls ---
  platform::ScreenMetrics screenMetrics{19200, 14400, 15, 15};  // 1280 x 960 at 96 dpi
  qint64 now = 0;
  bool otherInstance = false;

  // --- what was asked ---
  std::vector<platform::FileDialogRequest> openFilesRequests;
  std::vector<platform::FileDialogRequest> openFileRequests;
  std::vector<platform::FileDialogRequest> saveFileRequests;
  std::vector<platform::MessageRequest> messages;
  QStringList inputTitles;
  QStringList inputPrompts;
  QStringList dialogTitles;
  // The native system menu handed out, and how to choose one of its items.
  RecordedSystemMenu* systemMenuShown = nullptr;
  std::function<void(int)> chooseSystemMenuItem;
  QStringList shellTargets;
  int instanceChecks = 0;

  QStringList openFiles(const platform::FileDialogRequest& request) override;
  QString openFile(const platform::FileDialogRequest& request) override;
  QString saveFile(const platform::FileDialogRequest& request) override;
  platform::MessageButton message(const platform::MessageRequest& request) override;
  int showModal(QDialog& dialog) override;
  std::optional<QString> inputBox(const QString& title, const QString& prompt,
                                  const QString& initialText) override;
  int shellOpen(const QString& target) override;
  platform::ScreenMetrics screen() const override { return screenMetrics; }
  std::unique_ptr<platform::SystemMenu> systemMenu(QWidget* window,
                                                   std::function<void(int)> chosen) override;
  qint64 nowMs() const override { return now; }
  double random() override;
  bool anotherInstanceRunning() override;

 private:
  void runModal();
};

}  // namespace quelvo::test
