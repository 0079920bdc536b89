#pragma once

#include <QString>

namespace quelvo::core {

// The settings file in a folder: the folder, the native separator unless the folder already ends
// in one ('/' or '\', as a drive root does), then "Quelvo.ini". An empty folder gives the bare file
// name, relative to the current folder.
QString settingsPathFor(const QString& folder);

// Where the settings live, decided once at start-up: beside the program when a file can be created
// there, else in the per-user configuration folder (created when needed).
//
// The user folder then holds the only settings file read and written. When it has none yet but the
// program folder does (installed read-only, or made so later), that file is copied over first, so
// the settings found beside the program carry on; from then on the user folder's file wins.
QString chooseSettingsPath(const QString& programFolder, const QString& userConfigFolder);

}  // namespace quelvo::core
