#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/Form1.h"
#include "core/settings/SettingsStore.h"
#include "support/ScriptedPlatform.h"
#include "support/TempProgramFolder.h"

namespace quelvo::test {

// A main window on a scripted platform, with its program folder and settings
// file in a temporary folder. The screen is 1280 x 800 pixels at 96 dpi.
class PlayerFixture : public ::testing::Test {
 protected:
  PlayerFixture();
  ~PlayerFixture() override;

  // Writes the settings file before the window starts.
  void writeSettings(const QByteArray& text) {
    folder.writeFile(QStringLiteral("Quelvo.ini"), text);
  }
  // Creates the main window and runs its load; returns what the load returned.
  bool start();
  app::Form1& form() { return *form_; }

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
