#include "support/ScriptedPlatform.h"

#include <QDialog>

namespace quelvo::test {

namespace {

template <typename T>
T takeOr(std::deque<T>& answers, const T& fallback) {
  if (answers.empty()) return fallback;
  const T answer = answers.front();
  answers.pop_front();
  return answer;
}

}  // namespace

void ScriptedPlatform::runModal() {
  if (whileModal) whileModal();
}

QStringList ScriptedPlatform::openFiles(const platform::FileDialogRequest& request) {
  openFilesRequests.push_back(request);
  runModal();
  return takeOr(openFilesAnswers, QStringList());
}

QString ScriptedPlatform::openFile(const platform::FileDialogRequest& request) {
  openFileRequests.push_back(request);
  runModal();
  return takeOr(openFileAnswers, QString());
}

QString ScriptedPlatform::saveFile(const platform::FileDialogRequest& request) {
  saveFileRequests.push_back(request);
  runModal();
  return takeOr(saveFileAnswers, QString());
}

platform::MessageButton ScriptedPlatform::message(const platform::MessageRequest& request) {
  messages.push_back(request);
  runModal();
  platform::MessageButton fallback = request.defaultButton.value_or(
      request.buttons == platform::MessageButtons::YesNo ||
              request.buttons == platform::MessageButtons::YesNoCancel
          ? platform::MessageButton::Yes
          : platform::MessageButton::Ok);
  return takeOr(messageAnswers, fallback);
}

int ScriptedPlatform::showModal(QDialog& dialog) {
  dialogTitles << dialog.windowTitle();
  dialog.show();
  if (whileDialog) whileDialog(dialog);
  const int result = dialog.result();
  dialog.close();
  return result;
}

std::unique_ptr<platform::AudioOutput> ScriptedPlatform::openAudioOutput(
    platform::AudioOutput::Source source) {
  if (!soundDevice) return nullptr;
  auto output = std::make_unique<RecordedAudioOutput>(std::move(source));
  audioOutput = output.get();
  return output;
}

std::unique_ptr<platform::SystemMenu> ScriptedPlatform::systemMenu(
    QWidget*, std::function<void(int)> chosen) {
  if (!nativeSystemMenu) return nullptr;
  auto menu = std::make_unique<RecordedSystemMenu>();
  systemMenuShown = menu.get();
  chooseSystemMenuItem = std::move(chosen);
  return menu;
}

std::optional<QString> ScriptedPlatform::inputBox(const QString& title, const QString& prompt,
                                                  const QString&) {
  inputTitles << title;
  inputPrompts << prompt;
  runModal();
  return takeOr<std::optional<QString>>(inputAnswers, std::nullopt);
}

int ScriptedPlatform::shellOpen(const QString& target) {
  shellTargets << target;
  return takeOr(shellAnswers, 42);
}

double ScriptedPlatform::random() { return takeOr(randomAnswers, 0.0); }

bool ScriptedPlatform::anotherInstanceRunning() {
  ++instanceChecks;
  return otherInstance;
}

}  // namespace quelvo::test
