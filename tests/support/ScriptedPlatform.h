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

// A sound device the test pulls samples from by hand.
struct RecordedAudioOutput : platform::AudioOutput {
  explicit RecordedAudioOutput(Source source) : source(std::move(source)) {}
  void resume() override { isRunning = true; }
  void suspend() override { isRunning = false; }
  bool running() const override { return isRunning; }
  void setVolume(double newVolume) override { volume = newVolume; }
  qint64 queuedFrames() const override { return queued; }
  // The next frames of the mix, interleaved stereo.
  std::vector<std::int16_t> pull(std::size_t frames) {
    std::vector<std::int16_t> samples(frames * 2);
    source(samples);
    return samples;
  }

  Source source;
  bool isRunning = false;
  double volume = 1;
  qint64 queued = 0;  // what the device says it has not played yet
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
  // Whether there is a sound device, and the one handed out.
  bool soundDevice = false;
  RecordedAudioOutput* audioOutput = nullptr;
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
  std::unique_ptr<platform::AudioOutput> openAudioOutput(
      platform::AudioOutput::Source source) override;
  qint64 nowMs() const override { return now; }
  double random() override;
  bool anotherInstanceRunning() override;

 private:
  void runModal();
};

}  // namespace quelvo::test
