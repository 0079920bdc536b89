#include "about/GameRecord.h"

#include "core/settings/SettingValue.h"
#include "core/settings/SettingsStore.h"

namespace quelvo::about {

namespace {

const QString kSection = QStringLiteral("GAME");
const QString kScore = QStringLiteral("SCORE");
const QString kName = QStringLiteral("NAME");

int storedScore(const QString& text) {
  const double value = core::numericValue(text);
  return value >= 0 && value <= kMaxScore ? core::countValue(text) : 0;
}

}  // namespace

GameRecord readGameRecord(const core::SettingsStore& settings) {
  const core::ProfileDocument document = settings.load();
  return {storedScore(document.read(kSection, kScore)), document.read(kSection, kName)};
}

void writeGameRecord(core::SettingsStore& settings, const GameRecord& record) {
  core::ProfileDocument document = settings.load();
  document.set(kSection, kName, record.name);
  document.set(kSection, kScore, QString::number(record.score));
  settings.save(document);
}

// Characters are counted as the user sees them: a character outside the basic
// plane is not cut in half.
QString holderText(const QString& name) {
  constexpr int kShown = 10;
  int end = 0;
  for (int shown = 0; shown < kShown && end < name.size(); ++shown) {
    end += name.at(end).isHighSurrogate() && end + 1 < name.size() ? 2 : 1;
  }
  return name.left(end);
}

}  // namespace quelvo::about
