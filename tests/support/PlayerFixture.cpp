#include "support/PlayerFixture.h"

#include "core/StartUp.h"
#include "playback/Dispatcher.h"
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
  return core::Form_Load(*form_, [this] { splashClosed = true; });
}

QString PlayerFixture::movieFile(const QString& name, int frames) {
  return writeMovie(folder, name, simpleMovie(frames));
}

void PlayerFixture::open(const QStringList& paths) {
  platform.openFilesAnswers.push_back(paths);
  form().dispatcher->MenuButtons(1);
}

void PlayerFixture::tick() { form().tick->tmrsld_Timer(); }

}  // namespace quelvo::test
