#include "platform/QtPlatform.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLockFile>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>
#include <filesystem>

#include "platform/FileNames.h"
#include "platform/QtAudioOutput.h"

namespace quelvo::platform {

namespace {

// A file: address that names the file's exact bytes on disk, percent-encoded where they are not
// plain ASCII, so an opener finds a name that is not UTF-8 too.
QUrl fileUrl(const QString& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(toNativePath(path), error);
#ifdef Q_OS_WIN
  return QUrl::fromLocalFile(fromNativePath(absolute));
#else
  const QByteArray bytes(absolute.c_str());
  return QUrl::fromEncoded("file://" + bytes.toPercentEncoding("/"), QUrl::StrictMode);
#endif
}

QMessageBox::StandardButton toQt(MessageButton button) {
  switch (button) {
    case MessageButton::Ok:
      return QMessageBox::Ok;
    case MessageButton::Cancel:
      return QMessageBox::Cancel;
    case MessageButton::Yes:
      return QMessageBox::Yes;
    case MessageButton::No:
      return QMessageBox::No;
    case MessageButton::Retry:
      return QMessageBox::Retry;
    case MessageButton::Abort:
      return QMessageBox::Abort;
    case MessageButton::Ignore:
      return QMessageBox::Ignore;
  }
  return QMessageBox::Ok;
}

QList<MessageButton> buttonsOf(MessageButtons set) {
  switch (set) {
    case MessageButtons::Ok:
      return {MessageButton::Ok};
    case MessageButtons::OkCancel:
      return {MessageButton::Ok, MessageButton::Cancel};
    case MessageButtons::YesNo:
      return {MessageButton::Yes, MessageButton::No};
    case MessageButtons::YesNoCancel:
      return {MessageButton::Yes, MessageButton::No, MessageButton::Cancel};
    case MessageButtons::RetryCancel:
      return {MessageButton::Retry, MessageButton::Cancel};
    case MessageButtons::AbortRetryIgnore:
      return {MessageButton::Abort, MessageButton::Retry, MessageButton::Ignore};
  }
  return {MessageButton::Ok};
}

QMessageBox::Icon toQt(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::None:
      return QMessageBox::NoIcon;
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::Critical:
      return QMessageBox::Critical;
    case MessageIcon::Question:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

// The button the user gets when the box is closed without choosing one.
MessageButton escapeButton(const QList<MessageButton>& buttons) {
  for (MessageButton b : {MessageButton::Cancel, MessageButton::No, MessageButton::Ok}) {
    if (buttons.contains(b)) return b;
  }
  return buttons.last();
}

}  // namespace

QString qtFileFilter(const QString& pipeFilter) {
  const QStringList parts = pipeFilter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
  }
  return filters.join(QStringLiteral(";;"));
}

QString dialogStartFolder(const QString& folder) {
  if (!folder.isEmpty() && QFileInfo(folder).isDir()) return folder;
  return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QtPlatform::QtPlatform() : random_(QRandomGenerator::securelySeeded()) { clock_.start(); }

QtPlatform::~QtPlatform() = default;

QStringList QtPlatform::openFiles(const FileDialogRequest& request) {
  QStringList files = QFileDialog::getOpenFileNames(dialogParent(), request.title,
                                                    dialogStartFolder(request.initialFolder),
                                                    qtFileFilter(request.filter));
  for (QString& file : files) file = QDir::toNativeSeparators(file);
  return files;
}

QString QtPlatform::openFile(const FileDialogRequest& request) {
  return QDir::toNativeSeparators(QFileDialog::getOpenFileName(
      dialogParent(), request.title, dialogStartFolder(request.initialFolder),
      qtFileFilter(request.filter)));
}

QString QtPlatform::saveFile(const FileDialogRequest& request) {
  return QDir::toNativeSeparators(QFileDialog::getSaveFileName(
      dialogParent(), request.title, dialogStartFolder(request.initialFolder),
      qtFileFilter(request.filter)));
}

MessageButton QtPlatform::message(const MessageRequest& request) {
  QMessageBox box(toQt(request.icon), request.title, request.text, QMessageBox::NoButton,
                  request.owner != nullptr ? request.owner : dialogParent());
  const QList<MessageButton> buttons = buttonsOf(request.buttons);
  for (MessageButton b : buttons) box.addButton(toQt(b));
  box.setDefaultButton(toQt(request.defaultButton.value_or(buttons.first())));
  const int chosen = box.exec();
  for (MessageButton b : buttons) {
    if (chosen == toQt(b)) return b;
  }
  return escapeButton(buttons);
}

int QtPlatform::showModal(QDialog& dialog) { return dialog.exec(); }

std::optional<QString> QtPlatform::inputBox(const QString& title, const QString& prompt,
                                            const QString& initialText) {
  bool ok = false;
  const QString text =
      QInputDialog::getText(dialogParent(), title, prompt, QLineEdit::Normal, initialText, &ok);
  if (!ok) return std::nullopt;
  return text;
}

int QtPlatform::shellOpen(const QString& target) {
  if (!exists(target)) return isFolder(QFileInfo(target).path()) ? 2 : 3;
  if (!isReadable(target)) return 5;
  return QDesktopServices::openUrl(fileUrl(target)) ? 42 : 31;
}

std::unique_ptr<AudioOutput> QtPlatform::openAudioOutput(AudioOutput::Source source) {
  return QtAudioOutput::openDefault(std::move(source));
}

std::unique_ptr<SystemMenu> QtPlatform::systemMenu(QWidget* window,
                                                   std::function<void(int)> chosen) {
  return nativeSystemMenu(window, std::move(chosen));
}

ScreenMetrics QtPlatform::screen() const {
  ScreenMetrics metrics;
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return metrics;
  metrics.twipsPerPixelX = 1440.0 / screen->logicalDotsPerInchX();
  metrics.twipsPerPixelY = 1440.0 / screen->logicalDotsPerInchY();
  metrics.widthTwips = screen->geometry().width() * metrics.twipsPerPixelX;
  metrics.heightTwips = screen->geometry().height() * metrics.twipsPerPixelY;
  return metrics;
}

qint64 QtPlatform::nowMs() const { return clock_.elapsed(); }

double QtPlatform::random() { return random_.generateDouble(); }

bool QtPlatform::anotherInstanceRunning() {
  if (anotherInstance_) return *anotherInstance_;
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  instanceLock_ = std::make_unique<QLockFile>(folder + QStringLiteral("/quelvo-instance.lock"));
  instanceLock_->setStaleLockTime(0);
  anotherInstance_ = !instanceLock_->tryLock(0);
  return *anotherInstance_;
}

}  // namespace quelvo::platform
