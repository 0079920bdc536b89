#pragma once

#include "catalog/FileSelection.h"

namespace quelvo::platform {
class Platform;
}
namespace quelvo::core {
class LastFolders;
class SettingsStore;
}  // namespace quelvo::core

namespace quelvo::catalog {

// Toopen: the multi-select open dialog for movies and catalog files, shared
// by open and add, and the file selection it leaves for them.
class OpenDialog {
 public:
  OpenDialog(platform::Platform& platform, const core::SettingsStore& settings,
             core::LastFolders& folders);

  // Shows the dialog; on success fills the file selection and the last open
  // folder and returns true. Cancel changes nothing.
  bool Toopen();

  FileSelection& selection() { return selection_; }

 private:
  platform::Platform& platform_;
  const core::SettingsStore& settings_;
  core::LastFolders& folders_;
  FileSelection selection_;
  int toopenCalls_ = 0;
};

}  // namespace quelvo::catalog
