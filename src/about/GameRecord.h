#pragma once

#include <QString>

namespace quelvo::core {
class SettingsStore;
}

namespace quelvo::about {

// The game's best score and its holder, kept in the settings file (GAME/SCORE
// and GAME/NAME).
struct GameRecord {
  int score = 0;
  QString name;
};

// The highest score a record holds: scores are 16-bit.
inline constexpr int kMaxScore = 32767;

// A stored score that is not a number, is negative or is beyond kMaxScore
// reads as 0.
GameRecord readGameRecord(const core::SettingsStore& settings);
void writeGameRecord(core::SettingsStore& settings, const GameRecord& record);

// The holder as the status bar shows it: the first 10 characters of the name.
QString holderText(const QString& name);

}  // namespace quelvo::about
