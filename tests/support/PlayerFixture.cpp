#include "support/PlayerFixture.h"

#include "catalog/CatalogModel.h"
#include "core/Dispatcher.h"
#include "playback/MovieControl.h"
#include "playback/PlaybackTick.h"
#include "support/MovieFiles.h"

namespace quelvo::test {

PlayerFixture::PlayerFixture()
    : settings(std::make_unique<core::SettingsStore>(folder.settingsPath())) {
  platform.screenMetrics = {1280 * 15.0, 800 * 15.0, 15, 15};
}

PlayerFixture::~PlayerFixture() = default;

bool PlayerFixture::start() {
  form_ = std::make_unique<app::Form1>(app::Environment{platform, *settings, folder.path()});
  return form_->Form_Load([this] { splashClosed = true; });
}

catalog::CatalogModel& PlayerFixture::catalog() { return part<catalog::CatalogModel>(); }

playback::MovieControl& PlayerFixture::movie() {
  return *named<playback::MovieControl>(QStringLiteral("Flash1[1]"));
}

void PlayerFixture::run(core::Command command) { part<core::Dispatcher>().MenuButtons(command); }

QString PlayerFixture::movieFile(const QString& name, int frames) {
  return writeMovie(folder, name, simpleMovie(frames));
}

void PlayerFixture::open(const QStringList& paths) {
  platform.openFilesAnswers.push_back(paths);
  run(core::Command::Open);
}

void PlayerFixture::tick() { part<playback::PlaybackTick>().tmrsld_Timer(); }

}  // namespace quelvo::test
