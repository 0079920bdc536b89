#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "platform/AudioOutput.h"
#include "platform/SystemMenu.h"

class QDialog;
class QWidget;

namespace quelvo::platform {

// Icons of a message box.
enum class MessageIcon { None, Information, Exclamation, Critical, Question };

// Buttons a message box can show and return.
enum class MessageButton { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

// Button sets of a message box.
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };

struct MessageRequest {
  QString title;
  QString text;
  MessageIcon icon = MessageIcon::None;
  MessageButtons buttons = MessageButtons::Ok;
  // Which button Enter presses; when absent, the first button of the set.
  std::optional<MessageButton> defaultButton;
  // The window the box belongs to; when null, the dialog parent.
  QWidget* owner = nullptr;
};

// A file dialog. The filter uses the "Caption|*.a;*.b|Caption2|*.c" form of the
// program's captions; the platform turns it into its own form.
struct FileDialogRequest {
  QString title;
  QString filter;
  QString initialFolder;
};

// The screen as the layout code sees it: size in twips and twips per pixel.
struct ScreenMetrics {
  double widthTwips = 0;
  double heightTwips = 0;
  double twipsPerPixelX = 15;
  double twipsPerPixelY = 15;
};

class Platform;

// A message box with only an OK button. owner: the window it belongs to; when
// null, the dialog parent.
void tell(Platform& platform, const QString& title, const QString& text, MessageIcon icon,
          QWidget* owner = nullptr);

// Everything modal or environment-dependent that the player asks of the system.
// Production code uses QtPlatform; tests script answers and record the calls.
class Platform {
 public:
  virtual ~Platform() = default;

  // Multi-select open dialog: the full paths of the chosen files in the order
  // the dialog gives them; empty when the user cancels.
  virtual QStringList openFiles(const FileDialogRequest& request) = 0;
  // Single open dialog; the empty text when the user cancels.
  virtual QString openFile(const FileDialogRequest& request) = 0;
  // Save dialog that asks before overwriting; the empty text when the user cancels.
  virtual QString saveFile(const FileDialogRequest& request) = 0;

  virtual MessageButton message(const MessageRequest& request) = 0;
  // Shows a dialog of the program modally; returns its result code.
  virtual int showModal(QDialog& dialog) = 0;
  // Input box; nullopt when cancelled.
  virtual std::optional<QString> inputBox(const QString& title, const QString& prompt,
                                          const QString& initialText) = 0;

  // Opens a document or folder with the program the system associates with it.
  // Returns a value above 32 on success, else one of the classic failure codes
  // (2 file not found, 3 path not found, 5 access denied, 31 no association, ...).
  virtual int shellOpen(const QString& target) = 0;

  virtual ScreenMetrics screen() const = 0;
  // The window's native system menu (see SystemMenu.h); null where the system
  // has none and the program shows its own window menu instead.
  virtual std::unique_ptr<SystemMenu> systemMenu(QWidget* window,
                                                 std::function<void(int)> chosen) = 0;

  // The default sound device; null where there is none (a headless machine,
  // no sound server): the player then stays silent and keeps time by its clock.
  virtual std::unique_ptr<AudioOutput> openAudioOutput(AudioOutput::Source source) = 0;

  // Monotonic milliseconds.
  virtual qint64 nowMs() const = 0;
  // Uniform random number in [0, 1).
  virtual double random() = 0;

  // True when another copy of the player already runs for this user. The first
  // call decides and keeps the answer; the lock is held for the process's life.
  virtual bool anotherInstanceRunning() = 0;

  // Parent for dialogs and message boxes: the modal window open now, else the
  // active window (so a question from the search window or a prompt from the
  // about box stays above it), else the main window once it exists.
  void setDialogParent(QWidget* parent) { dialogParent_ = parent; }
  QWidget* dialogParent() const;

 private:
  QWidget* dialogParent_ = nullptr;
};

}  // namespace quelvo::platform
