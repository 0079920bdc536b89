#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <memory>

#include "app/Form1.h"
#include "core/Command.h"
#include "core/settings/SettingsStore.h"
#include "playback/StatusBar.h"
#include "support/ScriptedPlatform.h"
#include "support/TempProgramFolder.h"

namespace quelvo::catalog {
class CatalogModel;
}
namespace quelvo::playback {
class MovieControl;
}

namespace quelvo::test {

// A main window on a scripted platform, with its program folder and settings
// file in a temporary folder. The screen is 1280 x 800 pixels at 96 dpi.
// Tests reach the window's parts as a user or a screen reader does: widgets
// and actions by name, subsystems by type, state through the session.
class PlayerFixture : public ::testing::Test {
 protected:
  using Panel = playback::StatusBar::Panel;

  PlayerFixture();
  ~PlayerFixture() override;

  // Writes the settings file before the window starts.
  void writeSettings(const QByteArray& text) {
    folder.writeFile(QStringLiteral("Quelvo.ini"), text);
  }
  // Creates the main window and runs its load; returns what the load returned.
  bool start();
  app::Form1& form() { return *form_; }
  core::Session& session() { return form_->session(); }

  // The window's subsystem of type T.
  template <typename T>
  T& part() {
    T* found = form_->findChild<T*>();
    if (!found) throw std::logic_error("no such part");
    return *found;
  }
  // A widget, menu or timer of the window by its name.
  template <typename T = QWidget>
  T* named(const QString& name) {
    return form_->findChild<T*>(name);
  }
  QAction* action(const QString& name) { return named<QAction>(name); }
  // The transport button Command1(index).
  QPushButton* button(int index) {
    return named<QPushButton>(QStringLiteral("Command1[%1]").arg(index));
  }
  QTimer* tmrsld() { return named<QTimer>(QStringLiteral("tmrsld")); }
  playback::StatusBar& bar() { return part<playback::StatusBar>(); }
  QString panel(Panel number) { return bar().panel(number); }
  catalog::CatalogModel& catalog();
  // Element 1 of the movie control array, the one that plays.
  playback::MovieControl& movie();

  // Runs a command through the dispatcher, as a key does.
  void run(core::Command command);
  // Writes a movie of `frames` frames into the folder; returns its path.
  QString movieFile(const QString& name, int frames = 30);
  // Scripts the open dialog to return these files, then runs the open command.
  void open(const QStringList& paths);
  // Runs one tick of the playback timer.
  void tick();

  TempProgramFolder folder;
  ScriptedPlatform platform;
  std::unique_ptr<core::SettingsStore> settings;
  bool splashClosed = false;

 private:
  std::unique_ptr<app::Form1> form_;
};

}  // namespace quelvo::test
